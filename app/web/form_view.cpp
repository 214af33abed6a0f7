#include "form_view.h"

#include <cmath>

#include "assets/catalogue.h"

namespace web {

namespace {

std::string_view pictureFile(std::string_view name) {
  for (const assets::Artwork& art : assets::kArtwork) {
    if (art.info.name == name) return art.file;
  }
  return {};
}

}  // namespace

ControlLook lookOf(const forms::Form& form, int slot, settings::Contrast contrast) {
  const auto& rows = form.spec().controls;
  const forms::ControlSpec& spec = rows[static_cast<std::size_t>(slot)];
  const forms::ControlState& state = form.controls()[static_cast<std::size_t>(slot)];
  ControlLook look;
  look.kind = spec.kind;
  // The layout lists controls front to back; buttons are drawn over all.
  const int count = static_cast<int>(rows.size());
  look.depth = spec.kind == forms::Kind::CommandButton ? 2 * count - slot : count - slot;
  look.visible = state.visible;
  look.enabled = state.enabled;
  look.box = forms::inPixels(state.rect);
  look.text = state.text;
  look.font = {forms::fontFamily(spec.font.face), forms::pixelSize(spec.font), spec.font.bold, spec.font.italic,
               spec.font.underline};
  look.fore = packed(settings::textColour(spec.foreColour, spec.backColour, contrast));
  look.back = packed(spec.backColour);
  switch (spec.kind) {
    case forms::Kind::Image:
      look.picture = pictureFile(state.picture.name());
      // An Image with no picture shows nothing but is still there to click,
      // and a screen reader calls it what the desktop calls it.
      look.name = state.picture.empty() ? std::string_view("empty") : state.picture.name();
      break;
    case forms::Kind::Shape:
      look.outline = forms::shapeOutline(spec, state.rect);
      look.opaque = spec.backStyle == forms::BackStyle::Opaque;
      look.fill = spec.fillStyle;
      look.fillColour = packed(spec.fillColour);
      look.border = packed(spec.borderColour);
      look.borderWidth = spec.borderWidth;
      break;
    case forms::Kind::Line:
      look.border = packed(spec.borderColour);
      look.borderWidth = spec.borderWidth;
      look.x1 = spec.from.x / forms::kTwipsPerPixel;
      look.y1 = spec.from.y / forms::kTwipsPerPixel;
      look.x2 = spec.to.x / forms::kTwipsPerPixel;
      look.y2 = spec.to.y / forms::kTwipsPerPixel;
      break;
    case forms::Kind::TextBox:
    case forms::Kind::Timer:
      // The desktop draws neither: the one text box of the game is a hidden store.
      look.visible = false;
      break;
    default: break;
  }
  return look;
}

void openPanelFor(Page& page, const forms::Form& form, settings::Contrast contrast) {
  const forms::FormSpec& spec = form.spec();
  page.openPanel(static_cast<int>(form.id()), spec.caption,
                 static_cast<int>(std::lround(spec.clientWidth / forms::kTwipsPerPixel)),
                 static_cast<int>(std::lround(spec.clientHeight / forms::kTwipsPerPixel)), packed(spec.background),
                 spec.placement == forms::Placement::CentreScreen);
  for (std::size_t slot = 0; slot < spec.controls.size(); ++slot) drawControl(page, form, static_cast<int>(slot), contrast);
}

void drawControl(Page& page, const forms::Form& form, int slot, settings::Contrast contrast) {
  if (!form.loaded()) return;
  page.drawControl(static_cast<int>(form.id()), slot, lookOf(form, slot, contrast));
}

forms::PixelRect focusRingAround(forms::TwipRect area) {
  // Two pixels outside the whole-pixel rectangle, where the desktop's ring
  // runs.
  forms::PixelRect r = forms::inPixels(area);
  float left = std::floor(r.x) - 2, top = std::floor(r.y) - 2;
  float right = std::ceil(r.x + r.width) + 2, bottom = std::ceil(r.y + r.height) + 2;
  return {left, top, right - left, bottom - top};
}

}  // namespace web
