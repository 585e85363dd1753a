// The floor for the program's start: an empty Qt window of the main window's
// size and caption, built and started the way the program is, which the
// start-up timing sets beside the program.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  int qtArgc = argc > 0 ? 1 : 0;
  QApplication application(qtArgc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Bare window"));
  window.setFixedSize(355, 327);
  window.show();
  return QApplication::exec();
}
