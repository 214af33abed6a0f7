// The yardstick for the game's figures: a bare Qt Widgets program with one
// fixed-size window as big as the intro, painted once. With
// TOBBLE_QUIT_AFTER_FIRST_FRAME set it quits after that first frame, as the
// game does; otherwise it stays open until its window is closed.
#include <QApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace {

class BaselineWindow final : public QWidget {
 public:
  explicit BaselineWindow(bool quitAfterFirstFrame) : quitAfterFirstFrame_(quitAfterFirstFrame) {
    setWindowTitle(QStringLiteral("Bench baseline"));
    setFixedSize(512, 489);
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (quitAfterFirstFrame_ && !painted_) QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    painted_ = true;
  }

 private:
  bool quitAfterFirstFrame_;
  bool painted_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  BaselineWindow window(qEnvironmentVariableIsSet("TOBBLE_QUIT_AFTER_FIRST_FRAME"));
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    window.move(screen->availableGeometry().center() - QPoint(window.width() / 2, window.height() / 2));
  }
  window.show();
  return QApplication::exec();
}
