// Prints every line Tobble can say as the voice renderer reads it: one line
// per clip, its key, a tab, and the text to speak.
#include <iostream>

#include "voice_catalogue.h"

int main() {
  for (const cues::VoiceLine& line : cues::voiceLines()) std::cout << line.key << '\t' << line.spoken << '\n';
  return std::cout.flush() ? 0 : 1;
}
