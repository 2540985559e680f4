#include "start_up.h"

#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <mutex>
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

// Qt's message handler is a plain function, so what it holds lives here, set and cleared by the
// one DisplayCheck. NOLINTBEGIN(cppcoreguidelines-avoid-non-const-global-variables)
QtMessageHandler previous = nullptr;
// Plugins may log from threads of their own while the application starts.
std::mutex heldMutex;
std::vector<Held>* held = nullptr;
// NOLINTEND(cppcoreguidelines-avoid-non-const-global-variables)

QString environment(const char* name) { return QString::fromLocal8Bit(qgetenv(name)); }

// The platform named in the toolkit's messages, and whether its plugin was found at all.
QString platformIn(const QString& messages, bool& found) {
  static const QRegularExpression pattern(
      QStringLiteral("Could not (find|load) the Qt platform plugin \"([^\"]*)\""));
  const QRegularExpressionMatch match = pattern.match(messages);
  found = !match.hasMatch() || match.captured(1) == QLatin1String("load");
  return match.captured(2);
}

QString installedPlatforms(const QString& messages) {
  static const QRegularExpression pattern(
      QStringLiteral("Available platform plugins are: ([^\\n]*?)\\.?\\s*$"),
      QRegularExpression::MultilineOption);
  QStringList names =
      pattern.match(messages).captured(1).split(QStringLiteral(", "), Qt::SkipEmptyParts);
  names.sort();
  return names.join(QStringLiteral(", "));
}

// Why the window platform could not start, in one line, from the toolkit's messages.
QString causeOf(const QString& messages) {
  bool found = false;
  QString platform = platformIn(messages, found);
  // A plugin that loaded and then gave up names no platform: it is the one asked for.
  if (platform.isEmpty()) platform = environment("QT_QPA_PLATFORM").section(QLatin1Char(';'), 0, 0);
  const QString display = environment("DISPLAY");
  const QString wayland = environment("WAYLAND_DISPLAY");
  if (!platform.isEmpty() && !found) {
    return QStringLiteral("there is no window platform \"%1\" (installed: %2)")
        .arg(platform, installedPlatforms(messages));
  }
  if (display.isEmpty() && wayland.isEmpty()) {
    return QStringLiteral(
        "no display to open the window on (DISPLAY and WAYLAND_DISPLAY are not set)");
  }
  if (platform.startsWith(QLatin1String("wayland"))) {
    return QStringLiteral(
               "cannot open the window on Wayland: no compositor at WAYLAND_DISPLAY \"%1\"")
        .arg(wayland.isEmpty() ? QStringLiteral("wayland-0") : wayland);
  }
  if (platform == QLatin1String("xcb") || platform.isEmpty()) {
    if (display.isEmpty())
      return QStringLiteral("cannot open the window on X11: DISPLAY is not set");
    return QStringLiteral("cannot open the window on display \"%1\"").arg(display);
  }
  const QString last = messages.trimmed().section(QLatin1Char('\n'), -1);
  return QStringLiteral("the window platform \"%1\" could not start: %2").arg(platform, last);
}

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  std::unique_lock lock(heldMutex);
  if (!held) {
    // Released while this message was on its way: it goes out as the ones released did.
    lock.unlock();
    qt_message_output(type, context, text);
    return;
  }
  if (type == QtFatalMsg) {
    // The only fatal message while the application starts is the one about the platform.
    QString messages;
    for (const Held& message : *held) messages += message.text + QLatin1Char('\n');
    messages += text;
    // printf's format is checked at compile time, and fortified in the release build.
    // NOLINTNEXTLINE(cppcoreguidelines-pro-type-vararg)
    std::fprintf(stderr, "orindel: %s\n", qPrintable(causeOf(messages)));
    std::fflush(stderr);
    std::_Exit(1);
  }
  held->push_back(Held{type, context.file, context.line, context.function, context.category, text});
}

}  // namespace

std::optional<int> answerCommandLine(int argc, char** argv) {
  const CommandLine line =
      parseCommandLine(std::vector<std::string>(argv + 1, argv + argc), Toolkit::Qt);
  if (line.action == CommandLine::Action::Run) return std::nullopt;
  const CommandLineReply reply = replyTo(line);
  std::fputs(reply.text.c_str(), reply.toStandardError ? stderr : stdout);
  return reply.exitCode;
}

void keepInputMethodsOut() {
  // The toolkit takes its input context once, as the application is made, from QT_IM_MODULES
  // (from Qt 6.8) or else QT_IM_MODULE. Some frameworks' modules compose full-width digits even
  // in a box that asks for none (uim's for Qt 6), so none is loaded: "compose" is the context the
  // toolkit takes on X11 when none is named, which handles dead keys and composes no text. On
  // Wayland a context named here also leaves the compositor's text input, and with it the
  // compositor's input method, unbound.
  qputenv("QT_IM_MODULES", "compose");
  qputenv("QT_IM_MODULE", "compose");
}

DisplayCheck::DisplayCheck() {
  held = new std::vector<Held>;
  previous = qInstallMessageHandler(holdMessage);
}

DisplayCheck::~DisplayCheck() {
  qInstallMessageHandler(previous);
  std::vector<Held>* released = nullptr;
  {
    const std::lock_guard lock(heldMutex);
    released = held;
    held = nullptr;
  }
  for (const Held& message : *released) {
    const QMessageLogContext context(message.file, message.line, message.function,
                                     message.category);
    qt_message_output(message.type, context, message.text);
  }
  delete released;
}

}  // namespace orindel
