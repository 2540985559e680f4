#include "start_up.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "options.h"

namespace orindel {

namespace {

// A message held back; the context's strings are the toolkit's static ones.
struct Held {
  QtMsgType type;
  const char* file;
  int line;
  const char* function;
  const char* category;
  QString text;
};

QtMessageHandler previous = nullptr;
std::vector<Held>* held = nullptr;

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) {
    // The only fatal message while the application starts is the one about the platform: no
    // display could be opened.
    const QByteArray display = qgetenv("DISPLAY");
    const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    if (display.isEmpty() && wayland.isEmpty()) {
      std::fputs(
          "orindel: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are not "
          "set)\n",
          stderr);
    } else {
      std::fprintf(stderr, "orindel: cannot open the window on display \"%s\"\n",
                   (display.isEmpty() ? wayland : display).constData());
    }
    std::fflush(stderr);
    std::_Exit(1);
  }
  held->push_back(Held{type, context.file, context.line, context.function, context.category, text});
}

}  // namespace

std::optional<int> answerCommandLine(int argc, char** argv) {
  const CommandLine line = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  switch (line.action) {
    case CommandLine::Action::Run: return std::nullopt;
    case CommandLine::Action::Help: std::fputs(usageText().c_str(), stdout); return 0;
    case CommandLine::Action::Version: std::fputs(versionText().c_str(), stdout); return 0;
    case CommandLine::Action::Error:
      std::fprintf(stderr, "orindel: %s\n%s", line.error.c_str(), usageText().c_str());
      return 2;
  }
  return std::nullopt;
}

DisplayCheck::DisplayCheck() {
  held = new std::vector<Held>;
  previous = qInstallMessageHandler(holdMessage);
}

DisplayCheck::~DisplayCheck() {
  qInstallMessageHandler(previous);
  for (const Held& message : *held) {
    const QMessageLogContext context(message.file, message.line, message.function,
                                     message.category);
    qt_message_output(message.type, context, message.text);
  }
  delete held;
  held = nullptr;
}

}  // namespace orindel
