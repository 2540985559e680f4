#include "options.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "orindel_version.h"

namespace orindel {

namespace {

// Qt's own window options, with one dash or two; the first group takes a value as the next
// argument (-style and -stylesheet also after "="), the second none.
constexpr std::array<std::string_view, 16> kToolkitOptionsWithValue = {
    "platform",  "platformpluginpath", "platformtheme", "plugin",      "qwindowgeometry",
    "geometry",  "qwindowtitle",       "title",         "qwindowicon", "icon",
    "style",     "stylesheet",         "session",       "display",     "name",
    "fontengine"};
constexpr std::array<std::string_view, 6> kToolkitFlags = {
    "reverse", "widgetcount", "nograb", "dograb", "sync", "qmljsdebugger"};

constexpr char kUsage[] =
    "Usage: orindel [OPTION]...\n"
    "Keep a running total of durations in hours, minutes and seconds.\n"
    "\n"
    "  -h, --help     display this help and exit\n"
    "  -v, --version  output version information and exit\n"
    "\n"
    "On Linux, the window options of Qt, such as -platform NAME, -style NAME and\n"
    "-display NAME, are accepted too; on Windows, /? asks for this help.\n";

template <std::size_t N>
bool contains(const std::array<std::string_view, N>& names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

CommandLine error(std::string text) { return {CommandLine::Action::Error, std::move(text)}; }

// One of Qt's window options at arguments[i], moving i past its value if it takes one; an error
// when it is none of them or lacks its value.
CommandLine toolkitOption(const std::vector<std::string>& arguments, std::size_t& i) {
  const std::string& argument = arguments[i];
  std::string_view name(argument);
  name.remove_prefix(name.starts_with("--") ? 2 : 1);
  const std::size_t equals = name.find('=');
  const bool hasValue = equals != std::string_view::npos;
  if (hasValue) name = name.substr(0, equals);
  const bool valueAfterEquals = name == "style" || name == "stylesheet" || name == "qmljsdebugger";
  if (hasValue && !valueAfterEquals) return error("unrecognized option '" + argument + "'");
  if (contains(kToolkitOptionsWithValue, name)) {
    if (!hasValue && ++i == arguments.size()) {
      return error("option '" + argument + "' needs a value");
    }
  } else if (!contains(kToolkitFlags, name)) {
    return error("unrecognized option '" + argument + "'");
  }
  return {};
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments, Toolkit toolkit) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "-h" || argument == "--help" ||
        (toolkit == Toolkit::Win32 && argument == "/?")) {
      return {CommandLine::Action::Help, {}};
    }
    if (argument == "-v" || argument == "--version") return {CommandLine::Action::Version, {}};
    if (argument.size() < 2 || argument[0] != '-') {
      return error("unexpected argument '" + argument + "'");
    }
    if (toolkit != Toolkit::Qt) return error("unrecognized option '" + argument + "'");
    if (CommandLine option = toolkitOption(arguments, i);
        option.action == CommandLine::Action::Error) {
      return option;
    }
  }
  return {};
}

CommandLineReply replyTo(const CommandLine& commandLine) {
  switch (commandLine.action) {
    case CommandLine::Action::Help: return {kUsage, false, 0};
    case CommandLine::Action::Version:
      return {std::string("Orindel ") + ORINDEL_DISPLAY_VERSION + "\n", false, 0};
    case CommandLine::Action::Error:
      return {"orindel: " + commandLine.error + "\n" + kUsage, true, 2};
    case CommandLine::Action::Run: break;
  }
  return {};
}

}  // namespace orindel
