#include "records/PlayerFolders.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>

namespace {

using records::ChoosePlayerFolders;

records::Environment Env(std::map<std::string, std::string> vars) {
  return [vars](const char* name) -> std::optional<std::string> {
    auto it = vars.find(name);
    if (it == vars.end()) return std::nullopt;
    return it->second;
  };
}

// The choice rule: beside the program while the folder, or the file already there, can be
// written; else the XDG folders, or their defaults under the home folder.
// An install (bin/ beside share/dojokai/) keeps the player's files in the per-user folders
// even for root, who can write bin/; files an earlier run left there stay in use.
TEST(PlayerFoldersTest, AnInstallUsesThePerUserFoldersEvenWhereItsFolderIsWritable) {
  QTemporaryDir dir;
  const std::string root = dir.path().toStdString();
  std::filesystem::create_directories(root + "/bin");
  std::filesystem::create_directories(root + "/share/dojokai");
  const std::string program = root + "/bin/";
  auto always = [](const std::string&) { return true; };
  const auto home = Env({{"HOME", "/root"}});
  auto f = ChoosePlayerFolders(program, home, always);
  EXPECT_EQ(f.data, "/root/.local/share/dojokai/");
  EXPECT_EQ(f.config, "/root/.config/dojokai/");

  std::ofstream(program + "dojokai.dat") << "x";
  f = ChoosePlayerFolders(program, home, always);
  EXPECT_EQ(f.data, program);
  EXPECT_EQ(f.config, "/root/.config/dojokai/");

  // A bin folder without the install's share folder is an ordinary program folder.
  std::filesystem::remove_all(root + "/share");
  f = ChoosePlayerFolders(program, home, always);
  EXPECT_EQ(f.config, program);
}

TEST(PlayerFoldersTest, FilesStayBesideTheProgramWhereTheyCanElseGoToTheXdgFolders) {
  QTemporaryDir dir;
  const std::string program = dir.path().toStdString() + "/";
  std::set<std::string> writable;
  auto test = [&](const std::string& path) { return writable.count(path) > 0; };
  const auto home = Env({{"HOME", "/home/taro"}});

  writable = {program};
  auto f = ChoosePlayerFolders(program, home, test);
  EXPECT_EQ(f.data, program);
  EXPECT_EQ(f.config, program);

  writable = {};
  f = ChoosePlayerFolders(program, home, test);
  EXPECT_EQ(f.data, "/home/taro/.local/share/dojokai/");
  EXPECT_EQ(f.config, "/home/taro/.config/dojokai/");

  f = ChoosePlayerFolders(
      program, Env({{"HOME", "/home/taro"}, {"XDG_DATA_HOME", "/x/data"}, {"XDG_CONFIG_HOME", "/x/cfg"}}), test);
  EXPECT_EQ(f.data, "/x/data/dojokai/");
  EXPECT_EQ(f.config, "/x/cfg/dojokai/");

  // Relative XDG values are ignored; without any home the files stay where they were.
  f = ChoosePlayerFolders(program, Env({{"HOME", "/home/taro"}, {"XDG_DATA_HOME", "rel"}}), test);
  EXPECT_EQ(f.data, "/home/taro/.local/share/dojokai/");
  f = ChoosePlayerFolders(program, Env({}), test);
  EXPECT_EQ(f.data, program);

  // A shared score file that can be written keeps the records beside the program; the
  // settings, not writable there, go to the player's folder.
  std::ofstream(program + "dojokai.dat") << "x";
  writable = {program + "dojokai.dat"};
  f = ChoosePlayerFolders(program, home, test);
  EXPECT_EQ(f.data, program);
  EXPECT_EQ(f.config, "/home/taro/.config/dojokai/");
  // A folder of that name is no such file.
  std::filesystem::remove(program + "dojokai.dat");
  std::filesystem::create_directory(program + "dojokai.dat");
  f = ChoosePlayerFolders(program, home, test);
  EXPECT_EQ(f.data, "/home/taro/.local/share/dojokai/");
}

TEST(PlayerFoldersTest, MakeFoldersCreatesTheMissingParentsPrivately) {
  QTemporaryDir dir;
  const std::string folder = dir.path().toStdString() + "/a/b/dojokai/";
  ASSERT_TRUE(records::MakeFolders(folder));
  EXPECT_EQ(std::filesystem::status(folder).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_all);
  EXPECT_TRUE(records::MakeFolders(folder));  // already there
  std::ofstream(dir.path().toStdString() + "/file") << "x";
  EXPECT_FALSE(records::MakeFolders(dir.path().toStdString() + "/file/sub/"));
}

}  // namespace
