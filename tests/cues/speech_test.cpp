#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "cues/speech.h"
#include "cues/voice_catalogue.h"

using cues::clipsFor;
using cues::numberWords;
using cues::spoken;
using cues::voiceLines;

// Protects how the screens' texts are read aloud: what a grown-up would say
// to a child, with nothing of the writing's quirks left in the voice.

TEST(NumberWords, SaysNumbersAcrossTheirShapes) {
  EXPECT_EQ(numberWords(0), "zero");
  EXPECT_EQ(numberWords(13), "thirteen");
  EXPECT_EQ(numberWords(20), "twenty");
  EXPECT_EQ(numberWords(27), "twenty-seven");
  EXPECT_EQ(numberWords(100), "one hundred");
  EXPECT_EQ(numberWords(115), "one hundred fifteen");
  EXPECT_EQ(numberWords(4000), "four thousand");
  EXPECT_EQ(numberWords(32767), "thirty-two thousand seven hundred sixty-seven");
  EXPECT_EQ(numberWords(-1), "minus one");
  // Every int has words, the extremes included.
  EXPECT_EQ(numberWords(2'000'000), "two million");
  EXPECT_EQ(numberWords(1'000'001), "one million one");
  EXPECT_EQ(numberWords(2147483647),
            "two billion one hundred forty-seven million four hundred eighty-three thousand six hundred forty-seven");
  EXPECT_EQ(numberWords(-2147483647 - 1),
            "minus two billion one hundred forty-seven million four hundred eighty-three thousand six hundred forty-eight");
  EXPECT_EQ(spoken("Stage 9999999"), "Stage nine million nine hundred ninety-nine thousand nine hundred ninety-nine");
}

TEST(Spoken, DropsEmoticonsAndReadsHintsAsTheirOwnSentence) {
  EXPECT_EQ(spoken("Hi! I am Tobble! You will be going to school with me today! :> (click here to continue)"),
            "Hi! I am Tobble! You will be going to school with me today! Click here to continue.");
  EXPECT_EQ(spoken("Remember, God loves you all! :> (Click here again to Exit)"),
            "Remember, God loves you all! Click here again to exit.");
  EXPECT_EQ(spoken("You have 10 trys and you must pass up to stage 4! Good luck! :>"),
            "You have ten tries and you must pass up to stage four! Good luck!");
}

TEST(Spoken, SaysPlayfulSpellingsAsMeantAndReadsDoubledMarksOnce) {
  EXPECT_EQ(spoken("Sowwy, you have failed this class, try again next time! (Click here to continue)"),
            "Sorry, you have failed this class, try again next time! Click here to continue.");
  EXPECT_EQ(spoken("OOOOh!!! Got to run!! Or I will be late to class!!"), "Ooh! Got to run! Or I will be late to class!");
  EXPECT_EQ(spoken("Repeat the pattern pls!"), "Repeat the pattern please!");
  EXPECT_EQ(spoken("Win 4 stages and pass!."), "Win four stages and pass!");
  EXPECT_EQ(spoken("Welcome back!!  It's time for our next lesson - follow the pattern!"),
            "Welcome back! It's time for our next lesson, follow the pattern!");
  EXPECT_EQ(spoken("Congradulations!!"), "Congratulations!");
  // A word that only contains a quirk stays as it is.
  EXPECT_EQ(spoken("strys plsx"), "strys plsx");
}

TEST(Spoken, NumbersInTheRemarksAreWordsAndStartTheirSentenceWithACapital) {
  EXPECT_EQ(spoken("Sorry!  14 trys left."), "Sorry! Fourteen tries left.");
  EXPECT_EQ(spoken("Sorry!  1 trys left."), "Sorry! One try left.");
  EXPECT_EQ(spoken("Missed!! You have  9 left."), "Missed! You have nine left.");
  EXPECT_EQ(spoken("Sorry! -2 trys left."), "Sorry! Minus two tries left.");
  EXPECT_EQ(spoken("Stage  12"), "Stage twelve");
}

// Protects the list the voice is rendered from: the seam with the audio.
TEST(VoiceCatalogue, KeysAreStableFileNamesAndEverySentenceIsSaidByOneClip) {
  std::set<std::string> keys, texts;
  const std::regex keyShape("[a-z0-9_]+");
  for (const auto& line : voiceLines()) {
    EXPECT_TRUE(std::regex_match(line.key, keyShape)) << line.key;
    EXPECT_TRUE(keys.insert(line.key).second) << "twice: " << line.key;
    EXPECT_TRUE(texts.insert(line.spoken).second) << "twice: " << line.spoken;
    EXPECT_FALSE(line.spoken.empty() || line.spoken.find_first_of("\t\n():>") != std::string::npos) << line.spoken;
  }
  EXPECT_EQ(clipsFor("Remember the pattern!!"), clipsFor("Remember the pattern!")) << "they read the same";
  EXPECT_EQ(clipsFor("Stage  3"), std::vector<std::string>{"stage_3"});
  EXPECT_TRUE(clipsFor("Not a line of the game").empty());
}

TEST(VoiceCatalogue, NumbersBeyondTheWholeClipsArePutTogetherFromPieces) {
  EXPECT_EQ(clipsFor("Stage  142"),
            (std::vector<std::string>{"stage_before", "word_one", "word_hundred", "word_forty", "word_two"}));
  const auto sorry = clipsFor("Sorry! -2 trys left.");
  ASSERT_EQ(sorry.size(), 4u);
  EXPECT_EQ(sorry[1], "word_minus");
  // Pieces that read the same are one clip, whichever sentence they are from.
  EXPECT_EQ(clipsFor("Wrong pattern!  40 trys left.").back(), sorry.back());
  std::set<std::string> keys;
  for (const auto& line : voiceLines()) keys.insert(line.key);
  for (const char* text : {"Stage  32767", "Missed!! You have  57 left.", "Wrong pattern! -13 trys left."}) {
    const auto clips = clipsFor(text);
    ASSERT_FALSE(clips.empty()) << text;
    for (const auto& clip : clips) EXPECT_TRUE(keys.contains(clip)) << text << ": " << clip;
  }
}
