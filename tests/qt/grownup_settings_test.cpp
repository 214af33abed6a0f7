#include <gtest/gtest.h>

#include <QAccessible>
#include <QDoubleSpinBox>
#include <QSpinBox>
#include <QTemporaryDir>

#include "qt/grownup_settings.h"

using qtgui::readCommandLine;
using settings::Contrast;
using settings::Settings;

// Protects what a grown-up chooses on the desktop: saved settings come back
// at the next start, the command line wins for one run and refuses nonsense,
// and the window's controls can be found by their labels.
TEST(GrownUpSettings, SavedSettingsComeBackAndTheCommandLineOverridesThemForOneRun) {
  QTemporaryDir dir;
  QSettings store(dir.filePath(QStringLiteral("tobble.conf")), QSettings::IniFormat);
  const Settings saved{0.5, 2, Contrast::High, 30, 60};
  qtgui::saveSettings(store, saved);
  store.setValue(QStringLiteral("scan"), QStringLiteral("fast"));  // edited by hand: ignored
  Settings expected = saved;
  expected.scan = 0;
  EXPECT_EQ(qtgui::savedSettings(store), expected);

  QString error;
  auto line = readCommandLine({"tobble", "--pace=0.25", "--contrast=normal"}, expected, &error);
  ASSERT_TRUE(line) << error.toStdString();
  EXPECT_FALSE(line->settingsWindow);
  EXPECT_EQ(line->settings, (Settings{0.25, 0, Contrast::Normal, 30, 60}));
  EXPECT_EQ(qtgui::savedSettings(store), expected) << "a run's settings are not saved";

  EXPECT_TRUE(readCommandLine({"tobble", "--settings"}, {}, &error)->settingsWindow);
  EXPECT_FALSE(readCommandLine({"tobble", "--pace=0.01"}, {}, &error));
  EXPECT_EQ(error, QStringLiteral("pace must be a number from 0.1 to 1, not \"0.01\""));
  EXPECT_FALSE(readCommandLine({"tobble", "--speed=1"}, {}, &error));
  EXPECT_FALSE(error.isEmpty());
}

TEST(GrownUpSettings, TheWindowShowsWhatIsSavedWithEveryControlNamedByItsLabel) {
  const Settings saved{0.3, 1.5, Contrast::High, 0, 100};
  qtgui::SettingsWindow window(saved);
  EXPECT_EQ(window.chosen(), saved);
  const auto spins = window.findChildren<QAbstractSpinBox*>();
  ASSERT_EQ(spins.size(), 4);
  for (QAbstractSpinBox* spin : spins) {
    const QString name = QAccessible::queryAccessibleInterface(spin)->text(QAccessible::Name);
    EXPECT_FALSE(name.isEmpty()) << spin->metaObject()->className();
  }
  auto* scan = window.findChildren<QDoubleSpinBox*>().at(1);
  scan->setValue(0.5);
  EXPECT_EQ(window.chosen().scan, 1) << "a step under a second goes to one";
}
