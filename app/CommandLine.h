#pragma once
// The command line of the game: the keyboard map, help and version. Options of the
// toolkit itself (-platform, -display, -style, ...) pass through to it.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/KeyCodes.h"

namespace app {

struct CommandLine {
  enum class Action { Run, Help, Version, Error };
  Action action = Action::Run;
  std::optional<plat::KeyMap> keyboard;  // --keyboard=jis|us; detected when absent
  bool platformGiven = false;            // -platform NAME: the toolkit is told where to show
  std::string wordsFile;                 // --words FILE: the list of both romaji drills
  std::string error;                     // what was wrong, for Action::Error
};

// The arguments after the program name.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

std::string HelpText();
std::string VersionLine();

// Exit code of a wrong command line.
constexpr int kUsageExit = 2;

// Whether there is anything to show the window on: an X display (DISPLAY), a Wayland
// compositor (WAYLAND_DISPLAY, or the socket WAYLAND_SOCKET hands over), or a platform the
// player names (-platform, QT_QPA_PLATFORM; offscreen for one). Without any the toolkit
// would abort; the game says why and ends with kNoDisplayExit instead. `env` reads a
// variable, "" when it is not set.
bool HasDisplay(const CommandLine& options, const std::function<std::string(const char*)>& env);
constexpr int kNoDisplayExit = 1;

}  // namespace app
