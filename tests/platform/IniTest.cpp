#include "platform/Ini.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "Unprivileged.h"
#include "platform/Files.h"

namespace {

class IniTest : public ::testing::Test {
 protected:
  std::string PathOf(const char* name) const { return dir_.filePath(name).toStdString(); }

  std::string Contents(const std::string& path) const {
    auto bytes = plat::ReadWholeFile(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("<missing>");
  }

  void Put(const std::string& path, const std::string& text) const {
    ASSERT_TRUE(plat::SharedFile::Create(path));
    auto f = plat::SharedFile::Open(path, plat::SharedFile::Mode::ExclusiveReadWrite);
    ASSERT_TRUE(f.has_value());
    ASSERT_TRUE(f->Write(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
  }

  QTemporaryDir dir_;
};

TEST_F(IniTest, HandWrittenFileReadsWithMixedCaseAndBlanks) {
  const std::string path = PathOf("dojokai.cfg");
  Put(path,
      "; written by hand\r\n"
      "  [ dojokai ]  \r\n"
      "  DojDatPath =  /home/taro/dat  \r\n"
      "resetsw=1\r\n"
      "Quoted=\"C:\\dojo\"\r\n"
      "Empty=\n"
      "[Other]\n"
      "RESETSW=7");
  const plat::IniFile ini(path);
  EXPECT_EQ(ini.ReadString("DOJOKAI", "DOJDATPATH", "?"), "/home/taro/dat");
  EXPECT_EQ(ini.ReadString("DOJOKAI", "QUOTED", "?"), "C:\\dojo");
  EXPECT_EQ(ini.ReadString("DOJOKAI", "EMPTY", "?"), "");
  EXPECT_EQ(ini.ReadString("DOJOKAI", "MISSING", "?"), "?");
  EXPECT_EQ(ini.ReadString("NOSECTION", "RESETSW", "?"), "?");
  EXPECT_EQ(ini.ReadInteger("DOJOKAI", "RESETSW", 0), 1);
  EXPECT_EQ(ini.ReadInteger("other", "resetsw", 0), 7);
  // The comment line is not a key.
  EXPECT_EQ(ini.ReadString("DOJOKAI", "; written by hand", "?"), "?");
}

TEST_F(IniTest, MissingFileGivesDefaults) {
  const plat::IniFile ini(PathOf("none.cfg"));
  EXPECT_EQ(ini.ReadString("DOJOKAI", "DOJDATPATH", ""), "");
  EXPECT_EQ(ini.ReadInteger("DOJOKAI", "RESETSW", 0), 0);
  EXPECT_FALSE(plat::FileExists(PathOf("none.cfg")));
}

TEST_F(IniTest, ReadIntegerTakesOnlyWholeDecimalNumbers) {
  const std::string path = PathOf("n.cfg");
  Put(path, "[S]\na=1\nb= 1 \nc=2\nd=abc\ne=1x\nf=\ng=-12\nh=+3\ni=99999999999\nj=-\nk=1 2\n");
  const plat::IniFile ini(path);
  const std::pair<const char*, int> cases[] = {{"a", 1},   {"b", 1}, {"c", 2},  {"d", -5}, {"e", -5}, {"f", -5},
                                               {"g", -12}, {"h", 3}, {"i", -5}, {"j", -5}, {"k", -5}, {"missing", -5}};
  for (auto [key, expected] : cases) {
    EXPECT_EQ(ini.ReadInteger("S", key, -5), expected) << key;
  }
}

TEST_F(IniTest, FreshFileHoldsKeysInTheOrderFirstWritten) {
  const std::string path = PathOf("dojokai.cfg");
  plat::IniFile ini(path);
  ASSERT_TRUE(ini.WriteString("DOJOKAI", "DOJCFGVERSION", "301"));
  ASSERT_TRUE(ini.WriteString("DOJOKAI", "DOJDATPATH", ""));
  ASSERT_TRUE(ini.WriteString("DOJOKAI", "RESETSW", "0"));
  ASSERT_TRUE(ini.WriteString("dojokai", "dojdatpath", "/tmp/x"));  // update keeps place
  EXPECT_EQ(Contents(path), "[DOJOKAI]\nDOJCFGVERSION=301\nDOJDATPATH=/tmp/x\nRESETSW=0\n");
  // A second reader sees what the first wrote.
  EXPECT_EQ(plat::IniFile(path).ReadString("DOJOKAI", "DojDatPath", "?"), "/tmp/x");
}

TEST_F(IniTest, RewritingKeepsUnknownLinesAndTheKeysOwnSpelling) {
  const std::string path = PathOf("dojokai.cfg");
  Put(path,
      "; top comment\r\n"
      "[Other]\r\n"
      "Foo = bar\r\n"
      "garbage line\r\n"
      "\r\n"
      "[DojoKai]\r\n"
      "ResetSw = 1\r\n"
      ";DOJDATNOTRW=1\r\n"
      "\r\n");
  plat::IniFile ini(path);
  ASSERT_TRUE(ini.WriteString("DOJOKAI", "RESETSW", "0"));
  ASSERT_TRUE(ini.WriteString("DOJOKAI", "STARTZKEY", "1"));
  ASSERT_TRUE(ini.WriteString("OTHER", "New", "v"));
  ASSERT_TRUE(ini.WriteString("Third", "k", "v"));
  EXPECT_EQ(Contents(path),
            "; top comment\n"
            "[Other]\n"
            "Foo=bar\n"
            "garbage line\n"
            "New=v\n"
            "\n"
            "[DojoKai]\n"
            "ResetSw=0\n"
            ";DOJDATNOTRW=1\n"
            "STARTZKEY=1\n"
            "\n"
            "[Third]\n"
            "k=v\n");
  EXPECT_EQ(ini.ReadInteger("dojokai", "resetsw", -1), 0);
}

TEST_F(IniTest, AnErasedKeyLeavesEveryLineOfItsNameAndNothingElse) {
  const std::string path = PathOf("dojokai.cfg");
  Put(path, "[DOJOKAI]\nkeyboard=us\n;KEYBOARD=jis\nRESETSW=1\nKEYBOARD=jis\n[Other]\nKEYBOARD=us\n");
  plat::IniFile ini(path);
  ini.Erase("dojokai", "KEYBOARD");
  ini.Erase("DOJOKAI", "MISSING");
  ini.Erase("NOSECTION", "KEYBOARD");
  ASSERT_TRUE(ini.WriteStrings("DOJOKAI", {{"STARTZKEY", "0"}}));
  EXPECT_EQ(Contents(path), "[DOJOKAI]\n;KEYBOARD=jis\nRESETSW=1\nSTARTZKEY=0\n[Other]\nKEYBOARD=us\n");
}

TEST_F(IniTest, FailedWriteLeavesTheDiskAsItWas) {
  // A folder that does not exist.
  plat::IniFile nowhere(PathOf("no/such/folder/dojokai.cfg"));
  EXPECT_FALSE(nowhere.WriteString("DOJOKAI", "RESETSW", "1"));

  // A file marked read-only keeps its contents.
  const std::string locked = PathOf("locked.cfg");
  Put(locked, "[DOJOKAI]\nRESETSW=1\n");
  ASSERT_EQ(::chmod(locked.c_str(), 0444), 0);
  plat::IniFile ro(locked);
  EXPECT_FALSE(ro.WriteString("DOJOKAI", "RESETSW", "0"));
  EXPECT_EQ(Contents(locked), "[DOJOKAI]\nRESETSW=1\n");

  // A folder without write permission: nothing is created in it. A new file is not written;
  // an existing one takes the text in place, with no temporary file left beside it.
  RunAsUnprivilegedUser([this](const std::string& folder) {
    const QString sub = QString::fromStdString(folder + "/ro");
    ASSERT_TRUE(QDir().mkdir(sub));
    const std::string inside = (sub + "/dojokai.cfg").toStdString();
    Put(inside, "[A]\nx=1\n");
    ASSERT_EQ(::chmod(sub.toStdString().c_str(), 0555), 0);
    plat::IniFile fresh((sub + "/new.cfg").toStdString());
    EXPECT_FALSE(fresh.WriteString("A", "x", "2"));
    plat::IniFile ini(inside);
    EXPECT_TRUE(ini.WriteString("A", "x", "2"));
    EXPECT_EQ(Contents(inside), "[A]\nx=2\n");
    EXPECT_EQ(QDir(sub).entryList(QDir::Files | QDir::Hidden), QStringList{"dojokai.cfg"});
    ::chmod(sub.toStdString().c_str(), 0755);
  });
}

// A settings file of megabytes (blank lines, say) is read only as far as a profile can
// reasonably go; the keys at its start are read, the rest is ignored.
TEST_F(IniTest, AHugeFileIsReadOnlyUpToItsFirst64KiB) {
  std::string text = "[DOJOKAI]\nSTARTZKEY=1\n";
  text += std::string(5 << 20, '\n');
  text += "TITSCOREOFF=1\n";
  const std::string path = PathOf("dojokai.cfg");
  Put(path, text);
  const plat::IniFile ini(path);
  EXPECT_EQ(ini.ReadInteger("DOJOKAI", "STARTZKEY", 0), 1);
  EXPECT_EQ(ini.ReadInteger("DOJOKAI", "TITSCOREOFF", 0), 0);
}

}  // namespace
