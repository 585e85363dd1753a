// The floor for the program's start: an empty Qt window of the main window's
// size and caption, built and started the way the program is, which the
// start-up timing sets beside the program. Given a text, the window shows it
// in a label: the floor of any window that draws text before it is mapped,
// and so sets up the system's fonts.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char** argv) {
  int qtArgc = argc > 0 ? 1 : 0;
  QApplication application(qtArgc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Bare window"));
  window.setFixedSize(355, 327);
  if (argc > 1) {
    auto* label = new QLabel(QString::fromLocal8Bit(argv[1]), &window);
    label->move(8, 8);
  }
  window.show();
  return QApplication::exec();
}
