#pragma once

#include <array>
#include <span>
#include <string_view>

#include "forms/picture.h"

namespace assets {

// Every picture of the game: its name, as the layouts use it, its SVG source
// and its pixel size. The sizes drive the Image controls; the Qt side renders
// each source once at start-up at that size times the device pixel ratio.
struct Artwork {
  forms::PictureInfo info;
  std::string_view file;  // under assets/svg/
};

inline constexpr std::array<Artwork, 17> kArtwork{{
    {{"walk frame 0", 85, 160}, "walk0.svg"},
    {{"walk frame 1", 85, 160}, "walk1.svg"},
    {{"walk frame 2", 85, 160}, "walk2.svg"},
    {{"walk frame 3", 85, 160}, "walk3.svg"},
    {{"nod", 74, 65}, "nod.svg"},
    {{"shake", 85, 65}, "shake.svg"},
    {{"cross", 100, 100}, "cross.svg"},
    {{"heart", 100, 82}, "heart.svg"},
    {{"loaf", 100, 62}, "loaf.svg"},
    {{"beet", 92, 100}, "beet.svg"},
    {{"candy", 100, 79}, "candy.svg"},
    {{"landscape", 100, 70}, "landscape.svg"},
    {{"cheese", 100, 65}, "cheese.svg"},
    {{"hat", 100, 58}, "hat.svg"},
    {{"bird", 65, 100}, "bird.svg"},
    {{"baby", 100, 94}, "baby.svg"},
    {{"worm apple", 100, 90}, "wormapple.svg"},
}};

// The window icon, 32 x 32, drawn apart from the pictures the forms show.
inline constexpr std::string_view kIconFile = "icon.svg";

// The catalogue as the form layer reads it.
std::span<const forms::PictureInfo> pictureInfos();

}  // namespace assets
