// The floor for the program's start: a bare form of the main window's size,
// built and started the way the program is, with one control of each kind
// the welcome pane shows (a label, a drop-down list, a push button, a
// scroll bar) and its text in Tahoma 8.25 measured before the window is
// mapped, as the program's own labels are: the least any window with those
// controls does. The start-up timing sets it beside the program.
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QWidget>

int main(int argc, char** argv) {
  int qtArgc = argc > 0 ? 1 : 0;
  QApplication application(qtArgc, argv);
  // Tahoma as the program has it: the clone of Debian's fonts-wine.
  const QString tahoma = QStringLiteral("/usr/share/wine/fonts/tahoma.ttf");
  if (QFile::exists(tahoma)) QFontDatabase::addApplicationFont(tahoma);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Bare window"));
  window.setFixedSize(355, 327);
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(11);  // 8.25 points at 96 dots per inch
  window.setFont(font);

  auto* label = new QLabel(QStringLiteral("I am using a"), &window);
  label->setGeometry(8, 88, 97, 25);
  auto* list = new QComboBox(&window);
  list->addItems({QStringLiteral("Modem"), QStringLiteral("ADSL Modem"),
                  QStringLiteral("Cable Modem"), QStringLiteral("LAN Connection")});
  list->setCurrentIndex(-1);
  list->setGeometry(104, 88, 137, 21);
  auto* button = new QPushButton(QStringLiteral("Optimise"), &window);
  button->setGeometry(248, 88, 73, 25);
  auto* bar = new QScrollBar(Qt::Horizontal, &window);
  bar->setRange(1, 8);
  bar->setGeometry(8, 272, 337, 17);
  // The text measured before the window is mapped.
  label->setMinimumWidth(QFontMetrics(label->font()).horizontalAdvance(label->text()));

  window.show();
  return QApplication::exec();
}
