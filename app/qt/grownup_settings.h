#pragma once

#include <QDialog>
#include <QSettings>
#include <QStringList>
#include <optional>

#include "settings/settings.h"

class QComboBox;
class QDoubleSpinBox;
class QSpinBox;

namespace qtgui {

// Where the desktop keeps what a grown-up chose: the user's own settings
// file for the game. What no longer reads is left at its default.
settings::Settings savedSettings(QSettings& store);
void saveSettings(QSettings& store, const settings::Settings& chosen);

// The command line: `--pace=0.5 --scan=2 --contrast=high` (and the
// volumes) for this run only, over what is saved; `--settings` for the
// grown-ups' window instead of the game.
struct CommandLine {
  settings::Settings settings;
  bool settingsWindow = false;
};
// Nothing, with the reason in `error`, for a value that does not read.
// `--help` and an unknown option are answered by Qt's parser itself.
std::optional<CommandLine> readCommandLine(const QStringList& arguments, const settings::Settings& saved,
                                           QString* error);

// The grown-ups' settings window: each setting with its label, saved only
// with Save.
class SettingsWindow final : public QDialog {
 public:
  explicit SettingsWindow(const settings::Settings& current, QWidget* parent = nullptr);
  settings::Settings chosen() const;

 private:
  QDoubleSpinBox* pace_;
  QDoubleSpinBox* scan_;
  QComboBox* contrast_;
  QSpinBox* voice_;
  QSpinBox* effects_;
};

}  // namespace qtgui
