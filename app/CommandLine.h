#pragma once
// The command line of the game: the keyboard map, help and version. Options of the
// toolkit itself (-platform, -display, -style, ...) pass through to it.
#include <optional>
#include <string>
#include <vector>

#include "platform/KeyCodes.h"

namespace app {

struct CommandLine {
  enum class Action { Run, Help, Version, Error };
  Action action = Action::Run;
  std::optional<plat::KeyMap> keyboard;  // --keyboard=jis|us; detected when absent
  std::string error;                     // what was wrong, for Action::Error
};

// The arguments after the program name.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

std::string HelpText();
std::string VersionLine();

// Exit code of a wrong command line.
constexpr int kUsageExit = 2;

}  // namespace app
