#include "app/application_on_display.h"

#include <QString>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "app/exit_status.h"

namespace quorvane::app {
namespace {

// What Qt said while the application object was being made; held back, since
// a failed connection ends in a fatal message that the one line replaces.
struct HeldMessage {
  QtMsgType type;
  QString category, file, function, text;
  int line;
};
std::vector<HeldMessage> held;

void HoldOrEnd(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) {
    std::fprintf(stderr, "%s\n", kNoDisplayText);
    std::fflush(stderr);
    std::_Exit(kNoDisplay);
  }
  held.push_back({type, QString::fromUtf8(context.category), QString::fromUtf8(context.file),
                  QString::fromUtf8(context.function), text, context.line});
}

}  // namespace

std::unique_ptr<QApplication> ApplicationOnDisplay(int& argc, char** argv) {
  const QtMessageHandler previous = qInstallMessageHandler(HoldOrEnd);
  auto application = std::make_unique<QApplication>(argc, argv);
  qInstallMessageHandler(previous);
  for (const HeldMessage& message : std::exchange(held, {})) {
    const QByteArray file = message.file.toUtf8(), function = message.function.toUtf8(),
                     category = message.category.toUtf8();
    const QMessageLogContext context(file.constData(), message.line, function.constData(),
                                     category.constData());
    qt_message_output(message.type, context, message.text);
  }
  return application;
}

}  // namespace quorvane::app
