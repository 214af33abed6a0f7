// The sounds and voice clips are embedded byte for byte where the cues look
// for them, and the voice holds exactly one clip per line.
#include <gtest/gtest.h>

#include <QDir>
#include <QString>
#include <QStringList>

#include "clip_file.h"

namespace {

QStringList line_keys() {
  QStringList keys;
  for (const QByteArray& line : file_contents(TOBBLE_VOICE_LINES).split('\n'))
    if (!line.trimmed().isEmpty()) keys << QString::fromUtf8(line.left(line.indexOf('\t')));
  keys.sort();
  return keys;
}

TEST(AudioResources, EverySoundIsEmbeddedAsMade) {
  const QStringList names = QString(TOBBLE_SOUND_NAMES).split(',');
  ASSERT_EQ(names.size(), 15);
  for (const QString& name : names) {
    const QByteArray embedded = file_contents(":/audio/sounds/" + name + ".wav");
    ASSERT_TRUE(embedded.startsWith("RIFF")) << name.toStdString();
    EXPECT_EQ(embedded, file_contents(TOBBLE_AUDIO_DIR "/sounds/" + name + ".wav")) << name.toStdString();
  }
}

TEST(AudioResources, EveryLineIsEmbeddedAndNothingElse) {
  const QStringList keys = line_keys();
  ASSERT_FALSE(keys.isEmpty());
  QStringList clips = QDir(":/audio/voice").entryList(QDir::Files, QDir::Name);
  for (QString& clip : clips) clip.chop(4);
  EXPECT_EQ(clips, keys);
  for (const QString& key : keys) {
    const QByteArray embedded = file_contents(":/audio/voice/" + key + ".wav");
    ASSERT_TRUE(embedded.startsWith("RIFF")) << key.toStdString();
    EXPECT_EQ(embedded, file_contents(TOBBLE_VOICE_DIR "/" + key + ".wav")) << key.toStdString();
  }
}

} // namespace
