#include "grownup_settings.h"

#include <QCommandLineParser>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>

namespace qtgui {

namespace {

QString qt(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// What each setting does, for --help.
QString describe(std::string_view name) {
  if (name == "pace") return QStringLiteral("How fast the game's time runs, from 1 (its own) down to 0.1.");
  if (name == "scan") return QStringLiteral("Seconds the scanning ring stays on each place, 1 to 5; 0 for none.");
  if (name == "contrast") return QStringLiteral("normal, or high for texts that read at 4.5:1 at least.");
  if (name == "voice-volume") return QStringLiteral("Tobble's voice, 0 to 100.");
  return QStringLiteral("The games' sounds, 0 to 100.");
}

}  // namespace

settings::Settings savedSettings(QSettings& store) {
  settings::Settings chosen;
  for (std::string_view name : settings::kNames) {
    const QVariant value = store.value(qt(name));
    if (value.isValid()) settings::apply(chosen, name, value.toString().toStdString());
  }
  return chosen;
}

void saveSettings(QSettings& store, const settings::Settings& chosen) {
  for (std::string_view name : settings::kNames) store.setValue(qt(name), qt(settings::textOf(chosen, name)));
  store.sync();
}

std::optional<CommandLine> readCommandLine(const QStringList& arguments, const settings::Settings& saved,
                                           QString* error) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Tobble Goes to school! A learning game for young children."));
  parser.addHelpOption();
  const QCommandLineOption window(QStringLiteral("settings"), QStringLiteral("Opens the settings for grown-ups."));
  parser.addOption(window);
  for (std::string_view name : settings::kNames) parser.addOption({qt(name), describe(name), QStringLiteral("value")});
  if (!parser.parse(arguments)) {
    *error = parser.errorText();
    return std::nullopt;
  }
  if (parser.isSet(QStringLiteral("help"))) parser.showHelp(0);
  CommandLine line{saved, parser.isSet(window)};
  for (std::string_view name : settings::kNames) {
    if (!parser.isSet(qt(name))) continue;
    const std::string why = settings::apply(line.settings, name, parser.value(qt(name)).toStdString());
    if (!why.empty()) {
      *error = qt(why);
      return std::nullopt;
    }
  }
  return line;
}

SettingsWindow::SettingsWindow(const settings::Settings& current, QWidget* parent)
    : QDialog(parent),
      pace_(new QDoubleSpinBox(this)),
      scan_(new QDoubleSpinBox(this)),
      contrast_(new QComboBox(this)),
      voice_(new QSpinBox(this)),
      effects_(new QSpinBox(this)) {
  setWindowTitle(QStringLiteral("Tobble: settings for grown-ups"));
  auto* form = new QFormLayout;
  auto* intro = new QLabel(QStringLiteral("These settings are kept on this computer and used from the next start."));
  intro->setWordWrap(true);
  form->addRow(intro);

  pace_->setRange(0.1, 1);
  pace_->setSingleStep(0.1);
  pace_->setDecimals(2);
  pace_->setValue(current.pace);
  form->addRow(QStringLiteral("&Pace (1 is the game's own, 0.1 ten times slower):"), pace_);

  scan_->setRange(0, 5);
  scan_->setSingleStep(0.5);
  scan_->setDecimals(1);
  scan_->setSuffix(QStringLiteral(" s"));
  scan_->setSpecialValueText(QStringLiteral("Off"));
  scan_->setValue(current.scan);
  // A step shorter than a second is too quick to follow: from off it goes to 1 s.
  connect(scan_, &QDoubleSpinBox::valueChanged, this, [this](double value) {
    if (value > 0 && value < 1) scan_->setValue(1);
  });
  form->addRow(QStringLiteral("&Scanning step:"), scan_);

  contrast_->addItem(QStringLiteral("Normal"), QStringLiteral("normal"));
  contrast_->addItem(QStringLiteral("High"), QStringLiteral("high"));
  contrast_->setCurrentIndex(current.contrast == settings::Contrast::High ? 1 : 0);
  form->addRow(QStringLiteral("Text &contrast:"), contrast_);

  for (auto [box, value, label] : {std::tuple{voice_, current.voiceVolume, QStringLiteral("&Voice volume:")},
                                   std::tuple{effects_, current.effectsVolume, QStringLiteral("&Effects volume:")}}) {
    box->setRange(0, 100);
    box->setSuffix(QStringLiteral(" %"));
    box->setValue(value);
    form->addRow(label, box);
  }

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  form->addRow(buttons);
  setLayout(form);
}

settings::Settings SettingsWindow::chosen() const {
  settings::Settings chosen;
  chosen.pace = pace_->value();
  chosen.scan = scan_->value();
  chosen.contrast = contrast_->currentIndex() == 1 ? settings::Contrast::High : settings::Contrast::Normal;
  chosen.voiceVolume = voice_->value();
  chosen.effectsVolume = effects_->value();
  return chosen;
}

}  // namespace qtgui
