#include "speech.h"

#include <array>
#include <cctype>
#include <utility>

namespace cues {

namespace {

constexpr std::array<std::string_view, 20> kOnes{
    "zero",    "one",     "two",       "three",    "four",     "five",    "six",
    "seven",   "eight",   "nine",      "ten",      "eleven",   "twelve",  "thirteen",
    "fourteen", "fifteen", "sixteen", "seventeen", "eighteen", "nineteen"};
constexpr std::array<std::string_view, 10> kTens{
    "", "", "twenty", "thirty", "forty", "fifty", "sixty", "seventy", "eighty", "ninety"};

// 0 to 999.
std::string belowThousand(int n) {
  std::string words;
  if (n >= 100) {
    words.append(kOnes[static_cast<std::size_t>(n / 100)]).append(" hundred");
    n %= 100;
    if (n == 0) return words;
    words += ' ';
  }
  if (n < 20) return words.append(kOnes[static_cast<std::size_t>(n)]);
  words.append(kTens[static_cast<std::size_t>(n / 10)]);
  if (n % 10 != 0) words.append("-").append(kOnes[static_cast<std::size_t>(n % 10)]);
  return words;
}

// Words the screens spell on purpose or in a hurry, as a reader says them.
// Whole words or phrases only.
constexpr std::pair<std::string_view, std::string_view> kSaidAsMeant[]{
    {"Sowwy", "Sorry"},                     // baby talk for "sorry"
    {"1 trys", "1 try"},
    {"trys", "tries"},
    {"pls", "please"},
    {"Congradulations", "Congratulations"},
    {"OOOOh", "Ooh"},                       // else spelled out letter by letter
    {"Pick A Card", "Pick a card"},         // else "A" is read as the letter
    {"We play learn", "We play, learn"},    // a list, read with its pause
};

bool isWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '\''; }

void replaceWords(std::string& text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
    const bool startsWord = at == 0 || !isWordChar(text[at - 1]);
    const std::size_t end = at + from.size();
    const bool endsWord = end == text.size() || !isWordChar(text[end]);
    if (startsWord && endsWord) {
      text.replace(at, from.size(), to);
      at += to.size();
    } else {
      at = end;
    }
  }
}

void replaceAll(std::string& text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

bool endsSentence(char c) { return c == '.' || c == '!' || c == '?'; }

// "(Click here to Continue)" becomes the sentence "Click here to continue."
std::string hintsAsSentences(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::size_t close = text[i] == '(' ? text.find(')', i) : std::string_view::npos;
    if (close == std::string_view::npos) {
      out += text[i];
      continue;
    }
    std::string hint(text.substr(i + 1, close - i - 1));
    for (char& c : hint) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (!hint.empty()) {
      hint[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(hint[0])));
      if (!endsSentence(hint.back())) hint += '.';
    }
    out += hint;
    i = close;
  }
  return out;
}

// Whether the position starts a sentence: nothing but blanks since the text
// began or since the last full stop, exclamation or question mark.
bool atSentenceStart(const std::string& text) {
  for (auto c = text.rbegin(); c != text.rend(); ++c) {
    if (*c == ' ') continue;
    return endsSentence(*c);
  }
  return true;
}

std::string numbersAsWords(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const bool minus = text[i] == '-' && i + 1 < text.size() && std::isdigit(static_cast<unsigned char>(text[i + 1])) &&
                       (i == 0 || text[i - 1] == ' ');
    const std::size_t digits = minus ? i + 1 : i;
    if (!std::isdigit(static_cast<unsigned char>(text[digits])) || (i > 0 && isWordChar(text[i - 1]))) {
      out += text[i++];
      continue;
    }
    std::size_t end = digits;
    long value = 0;
    while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end])) && value < 1000000) {
      value = value * 10 + (text[end++] - '0');
    }
    std::string words = numberWords(static_cast<int>(minus ? -value : value));
    if (atSentenceStart(out)) words[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(words[0])));
    out += words;
    i = end;
  }
  return out;
}

// Punctuation doubled for emphasis is read once; blanks are single, and none
// stand before punctuation or at either end.
std::string tidied(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == ' ' && (out.empty() || out.back() == ' ')) continue;
    if (endsSentence(c) || c == ',') {
      while (!out.empty() && out.back() == ' ') out.pop_back();
      if (!out.empty() && (endsSentence(out.back()) || out.back() == ',')) continue;
    }
    out += c;
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

}  // namespace

std::string numberWords(int n) {
  // Wide enough to negate the most negative int.
  long long left = n;
  std::string words;
  if (left < 0) {
    words = "minus ";
    left = -left;
  }
  if (left < 1000) return words.append(belowThousand(static_cast<int>(left)));
  constexpr std::pair<long long, std::string_view> kScales[]{
      {1'000'000'000, " billion"}, {1'000'000, " million"}, {1'000, " thousand"}, {1, ""}};
  bool first = true;
  for (auto [scale, name] : kScales) {
    if (left < scale) continue;
    if (!first) words += ' ';
    words.append(belowThousand(static_cast<int>(left / scale))).append(name);
    left %= scale;
    first = false;
    if (left == 0) break;
  }
  return words;
}

std::string spoken(std::string_view written) {
  std::string text(written);
  replaceAll(text, ":>", "");
  for (auto [from, to] : kSaidAsMeant) replaceWords(text, from, to);
  replaceAll(text, " - ", ", ");
  replaceAll(text, ";", ",");
  text = hintsAsSentences(text);
  return tidied(numbersAsWords(tidied(text)));
}

}  // namespace cues
