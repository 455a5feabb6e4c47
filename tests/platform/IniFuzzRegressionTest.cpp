// Cases found by fuzzing the configuration file (fuzz/IniFuzz.cpp).
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/Files.h"
#include "platform/Ini.h"

namespace {

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A folder text with a line break, written as it was, made up a line of its own: the next
// start read "RESETSW=1" from it. Such a write is now refused and the file stays as it was.
TEST(IniFuzzRegressionTest, ValueWithLineBreakCannotMakeUpKeys) {
  QTemporaryDir dir;
  const std::string path = dir.filePath("dojokai.cfg").toStdString();
  const std::string original = "[DOJOKAI]\nDOJDATPATH=/home/player\nRESETSW=0\n";
  std::ofstream(path, std::ios::binary) << original;

  plat::IniFile ini(path);
  for (const std::string value : {"a\nRESETSW=1", "a\r\nRESETSW=1", "a\rRESETSW=1", "\n[OTHER]"}) {
    EXPECT_FALSE(ini.WriteString("DOJOKAI", "DOJDATPATH", value));
    EXPECT_FALSE(ini.WriteStrings("DOJOKAI", {{"STARTZKEY", "1"}, {"DOJDATPATH", value}}));
    EXPECT_FALSE(ini.WriteString("DOJOKAI", value, "1"));
    EXPECT_FALSE(ini.WriteString(value, "RESETSW", "1"));
  }
  EXPECT_EQ(Contents(path), original);
  // Neither the refused key nor the refused value reached the profile in memory.
  EXPECT_EQ(ini.ReadString("DOJOKAI", "DOJDATPATH", "?"), "/home/player");
  EXPECT_EQ(ini.ReadString("DOJOKAI", "STARTZKEY", "?"), "?");

  // Blanks, quotes and other control characters inside a value are written as before.
  EXPECT_TRUE(ini.WriteString("DOJOKAI", "DOJDATPATH", "/my dir/\tx"));
  const plat::IniFile again(path);
  EXPECT_EQ(again.ReadString("DOJOKAI", "DOJDATPATH", "?"), "/my dir/\tx");
  EXPECT_EQ(again.ReadInteger("DOJOKAI", "RESETSW", -1), 0);
}

}  // namespace
