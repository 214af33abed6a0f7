#include "voice_catalogue.h"

#include <charconv>
#include <map>
#include <optional>

#include "forms/runtime.h"
#include "screens/intro/starter.h"
#include "speech.h"

namespace cues {

namespace {

struct Written {
  std::string_view key;
  std::string_view text;
};

// The sentences as the screens show them, in the order a child meets them.
constexpr Written kSentences[]{
    // The intro.
    {"intro_hello", "Hi! I am Tobble! You will be going to school with me today! :> (click here to continue)"},
    {"intro_going", "Where am I going? I am going to my school!  It is a small Christian school!"},
    {"intro_classes", "Yeah! My classes are really fun! We play learn together and play games all day!! :>"},
    {"intro_run", "OOOOh!!! Got to run!! Or I will be late to class!!"},
    // The guide.
    {"guide_welcome", "Welcome to the school! Here is the lesson for today! (Click here to continue)"},
    {"guide_end_class", "To end the class right now, click the X button on top right!"},
    {"guide_cards_first", "First we will play pick the cards! It's really easy!"},
    {"guide_cards_how", "All the cards are originally faced down, you will be allowed to open two cards at one turn."},
    {"guide_cards_goal", "Your goal is to open two cards that matches exactly! :> Easy? Let's do it! You have 15 trys!"},
    {"guide_pattern_next",
     "Welcome back!!  It's time for our next lesson - follow the pattern! (Click here to Continue)"},
    {"guide_pattern_buttons", "You will have 4 buttons in front of you. They will be lighted one after another."},
    {"guide_pattern_how",
     "Remember the pattern and click the buttons in the same pattern again! Win 4 stages and pass!."},
    {"guide_worm_next", "Not bad at all! :> Are you ready for hit the worm?? (Click here to continue)"},
    {"guide_worm_how",
     "The game is very simple. There will be 9 white space. If you see an apple with a worm, click it!"},
    {"guide_worm_goal", "You have 10 trys and you must pass up to stage 4! Good luck! :>"},
    {"failed_class", "Sowwy, you have failed this class, try again next time! (Click here to continue)"},
    {"failed_course", "You have failed the last course!! Try again!! (Click here to continue)"},
    // Pick the Cards.
    {"cards_get_ready", "Get Ready!"},
    {"cards_pick", "Pick A Card!"},
    {"right", "Right!"},
    {"cards_try_again", "Try again next time!"},
    // Follow the Pattern.
    {"pattern_remember", "Remember the pattern!!"},
    {"pattern_remember", "Remember the pattern!"},
    {"pattern_repeat", "Repeat the pattern pls!"},
    // Hit the worm.
    {"worm_watch", "Click on the apple with the worm when it appears!"},
    {"worm_great", "Great hit!!"},
    {"worm_wonderful", "Wonderful!!"},
    {"worm_perfect", "Perfect hit!!"},
    {"worm_wow", "Wow!! Nice one!"},
    // The completion screen.
    {"done_congratulations", "Congradulations!!"},
    {"done_grade",
     "You have completed the lessons in our school with a satisfactory grade!  May God's love be with you always! "},
    {"done_continue", "(Click here to continue)"},
};

// A sentence with a number in it, as the screens write it:
// before + the number as displayed + after.
struct Numbered {
  std::string_view key;
  std::string_view before;
  std::string_view after;
  int first;
  int last;  // the range said by whole clips; numbers outside it are put together
};

// The tries left go down from the guide's allowances (15, 12 and 10) to 0;
// stages beyond 30 take a child longer than a lesson lasts.
constexpr Numbered kNumbered[]{
    {"cards_sorry", "Sorry! ", " trys left.", 0, 15},
    {"pattern_wrong", "Wrong pattern! ", " trys left.", 0, 12},
    {"worm_missed", "Missed!! You have ", " left.", 0, 10},
    {"stage", "Stage ", "", 0, 30},
    // Asked for by I, without a remark's opening.
    {"trys_left", "", " trys left.", 0, 15},
};

std::string numberedText(const Numbered& n, int value) {
  return std::string(n.before) + forms::displayText(value) + std::string(n.after);
}

std::string wordKey(std::string_view word) { return "word_" + std::string(word); }

// The words numbers are made of, each its own clip: "thirty-two" is said as
// "thirty" and "two".
std::vector<std::string> numberWordList(int value) {
  std::vector<std::string> words;
  std::string all = numberWords(value);
  std::size_t start = 0;
  for (std::size_t i = 0; i <= all.size(); ++i) {
    if (i == all.size() || all[i] == ' ' || all[i] == '-') {
      if (i > start) words.push_back(all.substr(start, i - start));
      start = i + 1;
    }
  }
  return words;
}

struct Catalogue {
  std::vector<VoiceLine> lines;
  std::map<std::string, std::string, std::less<>> keyBySpoken;

  void add(std::string key, std::string spokenText) {
    if (keyBySpoken.contains(spokenText)) return;
    keyBySpoken.emplace(spokenText, key);
    lines.push_back({std::move(key), std::move(spokenText)});
  }

  Catalogue() {
    for (const Written& s : kSentences) add(std::string(s.key), spoken(s.text));
    for (int n = 1; n <= 6; ++n) add("farewell_" + std::to_string(n), spoken(screens::farewell(n)));
    for (const Numbered& n : kNumbered) {
      for (int v = n.first; v <= n.last; ++v) add(std::string(n.key) + "_" + std::to_string(v), spoken(numberedText(n, v)));
    }
    // The pieces for the numbers beyond.
    for (const Numbered& n : kNumbered) {
      if (!n.before.empty()) add(std::string(n.key) + "_before", spoken(n.before));
      if (!n.after.empty()) add(std::string(n.key) + "_after", spoken(n.after));
    }
    for (int v : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 30, 40, 50, 60, 70, 80,
                  90}) {
      add(wordKey(numberWords(v)), numberWords(v));
    }
    add(wordKey("hundred"), "hundred");
    add(wordKey("thousand"), "thousand");
    add(wordKey("minus"), "minus");
  }
};

const Catalogue& catalogue() {
  static const Catalogue instance;
  return instance;
}

std::optional<int> wholeNumber(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

}  // namespace

const std::vector<VoiceLine>& voiceLines() { return catalogue().lines; }

std::vector<std::string> clipsFor(std::string_view written) {
  const Catalogue& c = catalogue();
  if (auto whole = c.keyBySpoken.find(spoken(written)); whole != c.keyBySpoken.end()) return {whole->second};
  for (const Numbered& n : kNumbered) {
    if (!written.starts_with(n.before) || !written.ends_with(n.after) ||
        written.size() < n.before.size() + n.after.size()) {
      continue;
    }
    auto value = wholeNumber(written.substr(n.before.size(), written.size() - n.before.size() - n.after.size()));
    if (!value) continue;
    // Pieces that read the same share a clip, so they are found by what they say.
    auto keyOf = [&](const std::string& said) { return c.keyBySpoken.at(said); };
    std::vector<std::string> clips;
    if (!n.before.empty()) clips.push_back(keyOf(spoken(n.before)));
    for (const std::string& word : numberWordList(*value)) clips.push_back(keyOf(word));
    if (!n.after.empty()) clips.push_back(keyOf(spoken(n.after)));
    return clips;
  }
  return {};
}

}  // namespace cues
