#include <gtest/gtest.h>

#include "app/CommandLine.h"

#include <map>

namespace {

using app::CommandLine;
using app::ParseCommandLine;
using Action = CommandLine::Action;

TEST(CommandLineTest, HelpVersionAndKeyboardAreUnderstood) {
  EXPECT_EQ(ParseCommandLine({}).action, Action::Run);
  EXPECT_EQ(ParseCommandLine({}).keyboard, std::nullopt);  // detected from the X layout
  EXPECT_EQ(ParseCommandLine({"--help"}).action, Action::Help);
  EXPECT_EQ(ParseCommandLine({"-h"}).action, Action::Help);
  EXPECT_EQ(ParseCommandLine({"--version"}).action, Action::Version);
  // Help wins over what follows, even a wrong option.
  EXPECT_EQ(ParseCommandLine({"--help", "--nonsense"}).action, Action::Help);
  EXPECT_EQ(ParseCommandLine({"--keyboard=us"}).keyboard, plat::KeyMap::Us);
  EXPECT_EQ(ParseCommandLine({"--keyboard", "jis"}).keyboard, plat::KeyMap::Jis);
  EXPECT_NE(app::VersionLine().find(DOJOKAI_VERSION_TEXT), std::string::npos);
  // The help names the stand-ins of the keys a US keyboard lacks.
  EXPECT_NE(app::HelpText().find("右 Alt"), std::string::npos);
}

TEST(CommandLineTest, WordsNamesTheRomajiListInEitherFormAndNeedsAFile) {
  EXPECT_EQ(ParseCommandLine({"--words", "my list.txt"}).wordsFile, "my list.txt");
  EXPECT_EQ(ParseCommandLine({"--words=a.txt", "--keyboard=us"}).wordsFile, "a.txt");
  EXPECT_EQ(ParseCommandLine({}).wordsFile, "");
  EXPECT_EQ(ParseCommandLine({"--words"}).action, Action::Error);
  EXPECT_EQ(ParseCommandLine({"--words="}).action, Action::Error);
}

TEST(CommandLineTest, ToolkitOptionsPassAndEverythingElseIsAnError) {
  EXPECT_EQ(ParseCommandLine({"-platform", "offscreen"}).action, Action::Run);
  EXPECT_EQ(ParseCommandLine({"--platform=xcb", "-reverse", "-style", "fusion"}).action, Action::Run);
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--nonsense"}, {"-x"}, {"stray"}, {"--keyboard=de"}, {"--keyboard"}, {"-platform"}, {"-reverse=1"}}) {
    const CommandLine c = ParseCommandLine(args);
    EXPECT_EQ(c.action, Action::Error) << args[0];
    EXPECT_FALSE(c.error.empty()) << args[0];
  }
  EXPECT_NE(ParseCommandLine({"--nonsense"}).error.find("--nonsense"), std::string::npos);
  EXPECT_EQ(app::kUsageExit, 2);
}

TEST(CommandLineTest, ThereIsADisplayWhenAWindowSystemOrAPlatformIsNamed) {
  auto env = [](std::map<std::string, std::string> vars) {
    return [vars](const char* name) {
      const auto it = vars.find(name);
      return it == vars.end() ? std::string() : it->second;
    };
  };
  const CommandLine plain = ParseCommandLine({});
  EXPECT_FALSE(app::HasDisplay(plain, env({})));
  EXPECT_FALSE(app::HasDisplay(plain, env({{"DISPLAY", ""}, {"XDG_SESSION_TYPE", "wayland"}})));
  EXPECT_TRUE(app::HasDisplay(plain, env({{"DISPLAY", ":0"}})));
  EXPECT_TRUE(app::HasDisplay(plain, env({{"WAYLAND_DISPLAY", "wayland-0"}})));
  EXPECT_TRUE(app::HasDisplay(plain, env({{"WAYLAND_SOCKET", "5"}})));
  EXPECT_TRUE(app::HasDisplay(plain, env({{"QT_QPA_PLATFORM", "offscreen"}})));
  EXPECT_TRUE(app::HasDisplay(ParseCommandLine({"-platform", "offscreen"}), env({})));
  EXPECT_TRUE(app::HasDisplay(ParseCommandLine({"--platform=vnc"}), env({})));
  EXPECT_FALSE(app::HasDisplay(ParseCommandLine({"-style", "fusion"}), env({})));
}

}  // namespace
