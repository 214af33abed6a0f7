#pragma once

#include <string>
#include <string_view>

namespace cues {

// A whole number in words, as a child hears it read: 15 is "fifteen", -1 is
// "minus one", 32767 is "thirty-two thousand seven hundred sixty-seven".
std::string numberWords(int n);

// A text as the screen shows it, turned into what Tobble says: the way a
// grown-up reads it aloud to a child. Emoticons are left out, a hint in
// brackets becomes its own sentence, numbers are said as words, the playful
// spellings are said as meant, and doubled punctuation and blanks are read
// as single ones.
std::string spoken(std::string_view written);

}  // namespace cues
