#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <thread>

#include "DriverFixture.h"
#include "Unprivileged.h"
#include "records/RecordStore.h"

namespace {

namespace fs = std::filesystem;
using game::DatRecord;
using game::TRankEntry;
using Bytes = std::vector<uint8_t>;

constexpr DatRecord::Date kToday{2026, 12, 6};  // the driver's default date

void WriteBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void WriteText(const std::string& path, const std::string& text) { WriteBytes(path, Bytes(text.begin(), text.end())); }

Bytes ReadBytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// A record as a previous run would have saved it: the defaults, `edit`, a correct checksum.
Bytes SavedRecord(const std::function<void(DatRecord&)>& edit = {}) {
  DatRecord r;
  r.ResetDataRecord(kToday);
  if (edit) edit(r);
  r.SetChecksum(r.ComputeChecksum());
  return Bytes(r.Bytes().begin(), r.Bytes().end());
}

DatRecord Defaults() {
  DatRecord r;
  r.ResetDataRecord(kToday);
  return r;
}

bool SavedRecordIsSound(const Bytes& bytes) {
  if (bytes.size() != DatRecord::kSize) return false;
  DatRecord r;
  std::copy(bytes.begin(), bytes.end(), r.Bytes().begin());
  return r.ChecksumValid();
}

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

struct DataFileTest : DriverFixture {
  // The program's folder: the fixture's, or one of an unprivileged user's own.
  std::string programFolder;
  std::string Dir() const { return programFolder.empty() ? dir.path().toStdString() : programFolder; }
  std::string Dat() const { return Dir() + "/dojokai.dat"; }
  std::string Bad() const { return Dat() + ".bad"; }
  void Config(const std::string& lines) { WriteText(Dir() + "/dojokai.cfg", "[DOJOKAI]\n" + lines); }
  // A new run of the program on the same folder (the old window goes without saving).
  void Restart() {
    driver.reset();
    driver = std::make_unique<drive::Driver>(Dir(), out, err);
  }
  std::string StateText() { return C().Panel13->Caption(); }
  bool StartsWithDefaults() {
    const DatRecord def = Defaults();
    for (int t = 0; t < DatRecord::kRankTables; ++t)
      for (int r = 0; r < DatRecord::kRanksPerTable; ++r)
        if (Record().RankEntry(t, r) != def.RankEntry(t, r)) return false;
    return Record().TotalKeys() == 0 && Record().StartDate() == kToday;
  }
};

TEST_F(DataFileTest, SavedFileHoldsTheRecordByteForByteOnBothSidesOfTheChecksum) {
  Run("start\n");
  EXPECT_EQ(StateText(), "読み書き可能(新規)");
  EXPECT_EQ(C().Panel13->BackColor(), ui::clr::Lime);
  const TRankEntry lastOfFirstBlock = MakeRankEntry("abcdefghij", 0x1234, 0x0056, 0x0078);
  const TRankEntry firstOfSecondBlock = MakeRankEntry("zyx", 0xBEEF, 0x0102, 0x0304);
  Record().SetRankEntry(8, 9, lastOfFirstBlock);
  Record().SetRankEntry(9, 0, firstOfSecondBlock);
  Record().SetTotalKeys(0x01020304);
  Record().SetOptionBits(0x81);
  State().SwitchR = State().SwitchK = State().SwitchT = 1;
  State().MaximizeAtStart = 1;
  Run("close\n");

  const Bytes b = ReadBytes(Dat());
  ASSERT_EQ(b.size(), 4095u);
  EXPECT_EQ(Bytes(b.begin() + 1424, b.begin() + 1440),
            (Bytes{'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j', 0x34, 0x12, 0x56, 0, 0x78, 0}));
  EXPECT_EQ(Bytes(b.begin() + 1442, b.begin() + 1458),
            (Bytes{'z', 'y', 'x', ' ', ' ', ' ', ' ', ' ', ' ', ' ', 0xEF, 0xBE, 2, 1, 4, 3}));
  uint16_t sum = 0;
  for (size_t i = 0; i < 1440; i += 2) sum ^= static_cast<uint16_t>(b[i] | b[i + 1] << 8);
  EXPECT_EQ(b[1440], sum & 0xFF);
  EXPECT_EQ(b[1441], sum >> 8);
  EXPECT_EQ(Bytes(b.begin() + 3366, b.begin() + 3370), (Bytes{4, 3, 2, 1}));
  EXPECT_EQ(b[3468], 0x01 | 0x08 | 0x80);                              // R, K, T
  EXPECT_EQ(b[3469], 0x85);                                            // bit 2 added, the others carried
  EXPECT_EQ(FilesIn(Dir()), std::vector<std::string>{"dojokai.dat"});  // no temporary file left

  Restart();
  Run("start\n");
  EXPECT_EQ(StateText(), "読み書き可能");
  EXPECT_EQ(C().Panel13->BackColor(), ui::clr::Blue);
  EXPECT_EQ(C().Panel13->FontColor(), ui::clr::White);
  EXPECT_EQ(C().Panel13->Hint(), "現存のファイルを開いています.");
  EXPECT_FALSE(C().Image4->Visible());
  EXPECT_EQ(Record().RankEntry(8, 9), lastOfFirstBlock);
  EXPECT_EQ(Record().RankEntry(9, 0), firstOfSecondBlock);
  EXPECT_EQ(State().SwitchR + State().SwitchK + State().SwitchT, 3);
  EXPECT_EQ(State().SwitchC + State().SwitchS + State().CertSwitch + State().SwitchPlus + State().SwitchB, 0);
  EXPECT_EQ(State().MaximizeAtStart, 1);
  EXPECT_EQ(State().DataLoaded, 1);
  EXPECT_EQ(C().Label9->FontColor(), ui::clr::Navy);  // the switch labels were drawn
}

TEST_F(DataFileTest, A1442ByteFileWithTheChecksumExampleLoadsOnlyTheFirstBlock) {
  // Words 0x0012 and 0x3400 give the checksum 0x3412, stored low byte first.
  Bytes file(1442, 0);
  file[0] = 0x12;
  file[3] = 0x34;
  file[1440] = 0x12;
  file[1441] = 0x34;
  WriteBytes(Dat(), file);
  Run("start\n");
  EXPECT_EQ(StateText(), "読み書き可能");
  EXPECT_EQ(Record().Bytes()[0], 0x12);
  EXPECT_EQ(Record().RankEntry(0, 1).Score, 0);  // the file's first block
  const DatRecord def = Defaults();
  EXPECT_EQ(Record().RankEntry(9, 0), def.RankEntry(9, 0));  // the rest keeps the defaults
  EXPECT_EQ(Record().RankEntry(20, 9), def.RankEntry(20, 9));
  EXPECT_EQ(Record().StartDate(), kToday);
  Run("close\n");
  const Bytes saved = ReadBytes(Dat());
  ASSERT_EQ(saved.size(), 4095u);
  EXPECT_EQ(Bytes(saved.begin(), saved.begin() + 1442), file);
  EXPECT_FALSE(fs::exists(Bad()));
}

TEST_F(DataFileTest, DamagedFirstBlockGivesDefaultsAndIsKeptAsABadCopyBeforeTheSave) {
  const Bytes good = SavedRecord([](DatRecord& r) {
    r.SetRankEntry(0, 0, MakeRankEntry("champion", 9999, 600, 0));
    r.SetTotalKeys(777);
  });
  Bytes damaged = good;
  damaged[100] ^= 0x01;
  WriteBytes(Dat(), damaged);
  Run("start\n");
  EXPECT_EQ(StateText(), "読み書き可能");
  EXPECT_TRUE(StartsWithDefaults());
  EXPECT_FALSE(fs::exists(Bad()));  // nothing is written before the exit
  Run("close\n");
  EXPECT_EQ(ReadBytes(Bad()), damaged);
  DatRecord saved;
  const Bytes b = ReadBytes(Dat());
  ASSERT_EQ(b.size(), 4095u);
  std::copy(b.begin(), b.end(), saved.Bytes().begin());
  EXPECT_TRUE(saved.ChecksumValid());
  EXPECT_EQ(saved.RankEntry(0, 0), Defaults().RankEntry(0, 0));

  // Bytes from 1442 on are not checked: an edit there is taken as it is.
  Bytes edited = good;
  edited[3366] = 0x55;
  edited[1442 + 10] = 0x07;
  WriteBytes(Dat(), edited);
  Restart();
  Run("start\n");
  EXPECT_EQ(Record().RankEntry(0, 0).Score, 9999);
  EXPECT_EQ(Record().TotalKeys(), (777u & ~0xFFu) | 0x55u);
  EXPECT_EQ(Record().RankEntry(9, 0).Score & 0xFF, 0x07);
  Run("close\n");
  EXPECT_EQ(ReadBytes(Bad()), damaged);  // a sound file leaves the copy alone

  // A later damage is kept as a generation of its own; the first copy stays.
  Bytes damagedAgain = good;
  damagedAgain[5] ^= 0x40;
  WriteBytes(Dat(), damagedAgain);
  Restart();
  Run("start\nclose\n");
  EXPECT_EQ(ReadBytes(Bad()), damaged);
  const std::vector<std::string> kept = records::RecordStore::DamagedGenerations(Dat());
  ASSERT_EQ(kept.size(), 2u);
  EXPECT_EQ(kept[1], Bad() + "-20261206-100000");
  EXPECT_EQ(ReadBytes(kept[1]), damagedAgain);
}

TEST_F(DataFileTest, ShortLongAndRandomFiles) {
  // Empty (created earlier, never written): read-write, the defaults, nothing to keep.
  WriteBytes(Dat(), {});
  Run("start\n");
  EXPECT_EQ(StateText(), "読み書き可能");
  EXPECT_TRUE(StartsWithDefaults());
  Run("close\n");
  EXPECT_EQ(ReadBytes(Dat()).size(), 4095u);
  EXPECT_FALSE(fs::exists(Bad()));

  // One byte, and all but the last checksum byte: both fail the check.
  const Bytes good = SavedRecord([](DatRecord& r) { r.SetRankEntry(0, 0, MakeRankEntry("champion", 9999, 600, 0)); });
  ASSERT_NE(good[1441], 0);  // so that the missing byte matters
  for (const Bytes& shortFile : {Bytes{0x41}, Bytes(good.begin(), good.begin() + 1441)}) {
    WriteBytes(Dat(), shortFile);
    Restart();
    Run("start\n");
    EXPECT_EQ(StateText(), "読み書き可能") << shortFile.size();
    EXPECT_TRUE(StartsWithDefaults()) << shortFile.size();
    Run("close\n");
    EXPECT_EQ(ReadBytes(records::RecordStore::DamagedGenerations(Dat()).back()), shortFile);
  }

  // Random bytes.
  std::mt19937 gen(20261206);
  Bytes noise(4095);
  for (uint8_t& b : noise) b = static_cast<uint8_t>(gen());
  uint16_t noiseSum = 0;
  for (size_t i = 0; i < 1440; i += 2) noiseSum ^= static_cast<uint16_t>(noise[i] | noise[i + 1] << 8);
  ASSERT_NE(noise[1440] | noise[1441] << 8, noiseSum);
  WriteBytes(Dat(), noise);
  Restart();
  Run("start\n");
  EXPECT_TRUE(StartsWithDefaults());

  // A longer file: the record is read from its start and the tail survives the save.
  Bytes longFile = SavedRecord([](DatRecord& r) { r.SetTotalKeys(4242); });
  for (int i = 0; i < 905; ++i) longFile.push_back(static_cast<uint8_t>(i * 7));
  WriteBytes(Dat(), longFile);
  Restart();
  Run("start\n");
  EXPECT_EQ(Record().TotalKeys(), 4242u);
  Record().SetTotalKeys(4243);
  Run("close\n");
  const Bytes saved = ReadBytes(Dat());
  ASSERT_EQ(saved.size(), 5000u);
  EXPECT_EQ(Bytes(saved.begin() + 4095, saved.end()), Bytes(longFile.begin() + 4095, longFile.end()));
  EXPECT_EQ(Bytes(saved.begin(), saved.begin() + 4095), Bytes(Record().Bytes().begin(), Record().Bytes().end()));
}

TEST_F(DataFileTest, AFolderOrAnUnreadableFileInItsPlaceIsNeitherReadNorWritten) {
  fs::create_directory(Dat());
  Run("start\n");
  EXPECT_EQ(StateText(), "読み書き不可");
  EXPECT_EQ(C().Panel13->BackColor(), ui::clr::Red);
  EXPECT_EQ(C().Panel13->FontColor(), ui::clr::White);
  EXPECT_EQ(C().Panel13->Hint(), "権限がないか、またはパス名が無効");
  EXPECT_TRUE(C().Image4->Visible());
  EXPECT_EQ(State().DatNoSave, 1);
  EXPECT_EQ(State().DataLoaded, 1);
  Run("close\n");
  EXPECT_TRUE(fs::is_directory(Dat()));

  RunAsUnprivilegedUser([this](const std::string& folder) {
    programFolder = folder;
    const Bytes good = SavedRecord([](DatRecord& r) { r.SetTotalKeys(31); });
    WriteBytes(Dat(), good);
    ::chmod(Dat().c_str(), 0444);  // readable only: the old record, nothing saved
    Restart();
    Run("start\n");
    EXPECT_EQ(StateText(), "読み込みのみ可能");
    EXPECT_EQ(Record().TotalKeys(), 31u);
    Run("close\n");
    EXPECT_EQ(ReadBytes(Dat()), good);
    ::chmod(Dat().c_str(), 0200);  // not even readable: left alone, not emptied
    Restart();
    Run("start\n");
    EXPECT_EQ(StateText(), "読み書き不可");
    Run("close\n");
    ::chmod(Dat().c_str(), 0600);
    EXPECT_EQ(ReadBytes(Dat()), good);
  });
}

TEST_F(DataFileTest, SwitchedOffDataFileIsNeitherOpenedNorWritten) {
  const Bytes good = SavedRecord([](DatRecord& r) {
    r.SetTotalKeys(31);
    r.SetLastDate({2026, 12, 5});
  });
  WriteBytes(Dat(), good);
  Config("DOJDATNOTRW=1\n");
  Run("start\n");
  EXPECT_EQ(StateText(), "読み書きしない");
  EXPECT_EQ(C().Panel13->BackColor(), ui::clr::White);
  EXPECT_TRUE(C().Image4->Visible());
  EXPECT_EQ(State().DatNoSave, 0);
  EXPECT_FALSE(State().DatHandle.IsOpen());
  EXPECT_TRUE(StartsWithDefaults());
  EXPECT_EQ(Record().LastDate(), kToday);  // the day is taken also without a file
  Record().SetTotalKeys(99);
  Run("close\n");
  EXPECT_EQ(ReadBytes(Dat()), good);
}

TEST_F(DataFileTest, ConfiguredFolderWithOrWithoutTrailingSlashGivesTheSamePath) {
  const std::string sub = Dir() + "/data";
  fs::create_directory(sub);
  Config("DOJDATPATH=" + sub + "\nDOJDATPATHON=1\n");
  Run("start\n");
  EXPECT_EQ(State().DatPath, sub + "/dojokai.dat");
  EXPECT_EQ(C().Panel12->Caption(), sub + "/dojokai.dat");
  EXPECT_EQ(StateText(), "読み書き可能(新規)");
  EXPECT_TRUE(fs::exists(sub + "/dojokai.dat"));
  EXPECT_FALSE(fs::exists(Dat()));

  Config("DOJDATPATH=" + sub + "/\nDOJDATPATHON=1\n");
  Restart();
  Run("start\n");
  EXPECT_EQ(State().DatPath, sub + "/dojokai.dat");
  EXPECT_EQ(StateText(), "読み書き可能");

  // Without DOJDATPATHON the folder is only remembered; an empty folder is the root.
  Config("DOJDATPATH=" + sub + "\n");
  Restart();
  Run("start\n");
  EXPECT_EQ(State().DatPath, Dat());
  Config("DOJDATPATH=\nDOJDATPATHON=1\nDOJDATNOTRW=1\n");
  Restart();
  Run("start\n");
  EXPECT_EQ(State().DatPath, "/dojokai.dat");
}

TEST_F(DataFileTest, PathsOf500BytesOrMoreStopTheLoadWithTheDefaults) {
  const std::string folder = "/" + std::string(499, 'f');
  Config("DOJDATPATH=" + folder + "\nDOJDATPATHON=1\n");
  Run("start\n");
  EXPECT_EQ(State().DatNoSave, 1);
  EXPECT_EQ(State().DataLoaded, 0);
  EXPECT_EQ(StateText(), "");
  EXPECT_EQ(C().Panel12->Caption(), "");

  Config("DOJDATPATH=" + folder.substr(1) + "\nDOJDATPATHON=1\n");  // 499 bytes: goes on
  Restart();
  Run("start\n");
  EXPECT_EQ(State().DataLoaded, 1);
  EXPECT_EQ(StateText(), "読み書き不可");  // no such folder

  // The program's own path: "<folder>/dojokai" of 500 bytes stops, 499 bytes goes on.
  for (size_t length : {500u, 499u}) {
    std::string exeDir = Dir() + "/" + std::string(length - Dir().size() - 9, 'p');
    for (size_t at = Dir().size() + 200; at < exeDir.size() - 1; at += 200) exeDir[at] = '/';
    fs::create_directories(exeDir);
    ASSERT_EQ((exeDir + "/dojokai").size(), length);
    driver.reset();
    driver = std::make_unique<drive::Driver>(exeDir, out, err);
    Run("start\nclose\n");
    EXPECT_EQ(State().DataLoaded, length < 500 ? 1 : 0);
    EXPECT_EQ(fs::exists(exeDir + "/dojokai.dat"), length < 500);
  }
}

TEST_F(DataFileTest, TodaysCountSurvivesARestartOnTheSameDayOnly) {
  Run("now 2026-12-06 10:00:00\nstart\n");
  Record().SetTodayGood(321);
  Run("close\n");
  Restart();
  Run("now 2026-12-06 23:59:59\nstart\n");
  EXPECT_EQ(Record().TodayGood(), 321);
  Run("close\n");
  Restart();
  Run("now 2026-12-07 00:00:00\nstart\n");
  EXPECT_EQ(Record().TodayGood(), 0);
  EXPECT_EQ(Record().LastDate(), (DatRecord::Date{2026, 12, 7}));
  Record().SetTodayGood(5);
  Run("close\n");
  Restart();
  Run("now 2027-12-07 09:00:00\nstart\n");  // the same day a year later
  EXPECT_EQ(Record().TodayGood(), 0);
}

TEST_F(DataFileTest, SwitchesComeFromTheFileUnlessResetIsChecked) {
  WriteBytes(Dat(), SavedRecord([](DatRecord& r) {
               r.SetSwitchBits(0xFF);
               r.SetOptionBits(0x04);
             }));
  Config("RESETSW=1\n");
  Run("start\n");
  const auto& s = State();
  EXPECT_EQ(s.SwitchR + s.SwitchC + s.SwitchS + s.SwitchK + s.CertSwitch + s.SwitchPlus + s.SwitchB + s.SwitchT, 0);
  EXPECT_EQ(s.MaximizeAtStart, 1);  // the option is not a switch
  Run("close\n");
  EXPECT_EQ(ReadBytes(Dat())[3468], 0);

  WriteBytes(Dat(), SavedRecord([](DatRecord& r) { r.SetSwitchBits(0xFF); }));
  Config("RESETSW=0\n");
  Restart();
  Run("start\n");
  EXPECT_EQ(State().SwitchR + State().SwitchC + State().SwitchS + State().SwitchK + State().CertSwitch +
                State().SwitchPlus + State().SwitchB + State().SwitchT,
            8);
  EXPECT_EQ(State().MaximizeAtStart, 0);
  EXPECT_EQ(C().Label8->Caption(), "LICEN +");
}

TEST_F(DataFileTest, EraseButtonsActOnlyOnYes) {
  Run("start\nwait 50\nkey F2\n");
  ASSERT_TRUE(C().Panel11->Visible());
  DatRecord& r = Record();
  r.SetCertGrade(2, 6, 3);
  r.SetCertName({'t', 'a', 'r', 'o', 0, 0, 0, 0, 0, 0});
  r.SetRankEntry(0, 0, MakeRankEntry("champion", 9999, 600, 0));
  r.SetTotalKeys(5);
  r.SetStartDate({2020, 1, 2});
  State().CertSwitch = 1;

  Run("answer no\nclick Button2\n");
  EXPECT_EQ(r.CertGrade(2, 6), 3);
  EXPECT_EQ(State().CertSwitch, 1);
  ASSERT_EQ(Platform().Messages().size(), 1u);
  EXPECT_EQ(Platform().Messages()[0].text, "認定書の記録を消去してもよいですか？");
  EXPECT_EQ(Platform().Messages()[0].caption, "DOJOKAI");
  Run("answer yes\nclick Button2\n");
  for (int i = 0; i < 31; ++i) EXPECT_EQ(r.Bytes()[3437 + i], 0) << i;
  EXPECT_EQ(State().CertSwitch, 0);
  EXPECT_EQ(C().Label8->FontColor(), ui::clr::Silver);

  r.SetCertGrade(0, 0, 8);
  Run("answer no\nclick Button3\n");
  EXPECT_EQ(r.RankEntry(0, 0).Score, 9999);
  EXPECT_EQ(Platform().Messages().back().text, "全得点と名前を初期化してもよいですか？");
  Run("answer yes\nclick Button3\n");
  EXPECT_EQ(r.RankEntry(0, 0), Defaults().RankEntry(0, 0));
  EXPECT_EQ(r.TotalKeys(), 5u);
  EXPECT_EQ(r.StartDate(), (DatRecord::Date{2020, 1, 2}));
  EXPECT_EQ(r.CertGrade(0, 0), 8);
  EXPECT_EQ(Platform().Messages().back().caption, "DOJOKAI");
}

TEST_F(DataFileTest, ASecondCopyRunningAtTheSameTimeOnlyReads) {
  const Bytes original = SavedRecord([](DatRecord& r) { r.SetTotalKeys(99); });
  WriteBytes(Dat(), original);
  Run("start\n");
  EXPECT_EQ(StateText(), "読み書き可能");
  std::ostringstream out2, err2;
  auto second = std::make_unique<drive::Driver>(Dir(), out2, err2);
  ASSERT_EQ(second->Run("start\n"), 0) << err2.str();
  app::TForm2& other = second->GameObject()->Form();
  EXPECT_EQ(other.C.Panel13->Caption(), "読み込みのみ可能");
  EXPECT_EQ(other.C.Panel13->BackColor(), ui::clr::Yellow);
  EXPECT_EQ(other.C.Panel13->FontColor(), ui::clr::Black);
  EXPECT_TRUE(other.C.Image4->Visible());
  EXPECT_EQ(other.State().DatNoSave, 1);
  EXPECT_EQ(other.State().DatRecord.TotalKeys(), 99u);
  other.State().DatRecord.SetTotalKeys(1);
  ASSERT_EQ(second->Run("close\n"), 0) << err2.str();
  EXPECT_EQ(ReadBytes(Dat()), original);
  second.reset();

  Record().SetTotalKeys(100);
  Run("close\n");
  EXPECT_EQ(ReadBytes(Dat())[3366], 100);
}

TEST_F(DataFileTest, AVanishedFolderOrAFolderCopyInTheWayStillGetTheRecord) {
  const std::string sub = Dir() + "/data", moved = Dir() + "/moved";
  fs::create_directory(sub);
  WriteBytes(sub + "/dojokai.dat", SavedRecord([](DatRecord& r) { r.SetTotalKeys(5); }));
  Config("DOJDATPATH=" + sub + "\nDOJDATPATHON=1\n");
  Run("start\n");
  Record().SetTotalKeys(6);
  // The folder goes away under the running game; a plain file takes its name. The file
  // the game holds open takes the record in place.
  fs::rename(sub, moved);
  WriteText(sub, "not a folder");
  Run("close\n");
  EXPECT_EQ(ReadBytes(moved + "/dojokai.dat")[3366], 6);
  EXPECT_EQ(FilesIn(moved), std::vector<std::string>{"dojokai.dat"});
  EXPECT_TRUE(Platform().Messages().empty());

  // A folder named like the first damaged copy: the copy takes a dated name.
  Bytes damaged = SavedRecord();
  damaged[0] ^= 1;
  WriteBytes(Dat(), damaged);
  fs::create_directory(Bad());
  Config("");
  Restart();
  Run("start\nclose\n");
  EXPECT_EQ(ReadBytes(Bad() + "-20261206-100000"), damaged);
  EXPECT_TRUE(SavedRecordIsSound(ReadBytes(Dat())));
}

// When neither a new file nor the old one can be written, the player is told once, in the
// window, which file and why; the settings screen says so from then on, and a later save
// that works puts it right.
TEST_F(DataFileTest, ASaveThatCannotBeMadeIsToldOnceAndShownOnTheSettingsScreen) {
  const Bytes original = SavedRecord([](DatRecord& r) { r.SetTotalKeys(5); });
  WriteBytes(Dat(), original);
  Run("start\nwait 100\n");
  bool broken = true;
  Form().Data().Store().SetFaultInjector([&](records::SaveStep step) {
    if (!broken) return 0;
    return step == records::SaveStep::WriteTemp ? ENOSPC : step == records::SaveStep::WriteInPlace ? EIO : 0;
  });
  testing::internal::CaptureStderr();
  Record().SetRankEntry(0, 0, MakeRankEntry("taro", 9999, 600, 0));
  Run("wait 100\n");
  ASSERT_EQ(Platform().Messages().size(), 1u);
  const auto& box = Platform().Messages()[0];
  EXPECT_EQ(box.kind, "error");
  EXPECT_EQ(box.caption, "DOJOKAI");
  EXPECT_NE(box.text.find(Dat()), std::string::npos) << box.text;
  EXPECT_NE(box.text.find("ディスクの入出力エラーです"), std::string::npos) << box.text;
  EXPECT_EQ(StateText(), "保存できません");
  EXPECT_EQ(C().Panel13->BackColor(), ui::clr::Red);
  EXPECT_TRUE(C().Image4->Visible());
  EXPECT_EQ(ReadBytes(Dat()), original);
  // Further failures, the close's included, are not told again.
  Record().SetRankEntry(0, 1, MakeRankEntry("jiro", 9000, 600, 0));
  Run("wait 61000\n");
  EXPECT_EQ(Platform().Messages().size(), 1u);
  // Standard error says which file and every step that failed, under the records' logging
  // category (shown by default), each time.
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(said.rfind("dojokai.records: " + Dat() + " was not saved (", 0), 0u) << said;
  EXPECT_NE(said.find("Input/output error"), std::string::npos) << said;

  broken = false;
  Run("wait 61000\n");
  EXPECT_EQ(StateText(), "読み書き可能");
  EXPECT_FALSE(C().Image4->Visible());
  EXPECT_EQ(ReadBytes(Dat())[0], 't');
}

// Saved as the game goes: what a player earns reaches the file at once, counters and the
// running time at least once a minute, and nothing is written while keys are judged.
TEST_F(DataFileTest, RecordsAreSavedAsTheGameGoesButNeverDuringADrill) {
  Run("start\nwait 2100\n");
  const Bytes atStart = ReadBytes(Dat());
  EXPECT_TRUE(atStart.empty());  // a new file holds nothing until something changes
  Record().AddTotalKeys();
  Run("wait 1000\n");
  EXPECT_TRUE(ReadBytes(Dat()).empty()) << "counters wait for the minute";
  Run("wait 60000\n");
  ASSERT_EQ(ReadBytes(Dat()).size(), 4095u);
  EXPECT_EQ(ReadBytes(Dat())[3366], 1);

  // An untimed drill: nothing is written however long it runs.
  Run("key SPACE\nkey SPACE\nkey SPACE\nkey SPACE\nkey 1\nexpect visible F1Panel\ntype abcdef\nwait 70000\n");
  const Bytes beforeEnd = ReadBytes(Dat());
  EXPECT_EQ(beforeEnd[3366], 1);
  Run("key ESC\nwait 100\n");  // the drill is over: no waiting for the minute
  EXPECT_GT(Record().TotalKeys(), 1u);
  EXPECT_EQ(ReadBytes(Dat())[3366], Record().TotalKeys()) << "saved once the drill is over";

  // A switch, the erase buttons and the settings screen are saved at once.
  Run("key c\nwait 100\n");
  EXPECT_EQ(ReadBytes(Dat())[3468] & 0x02, 0x02);
  Record().SetRankEntry(3, 0, MakeRankEntry("hanako", 9999, 600, 0));
  Run("wait 100\n");
  EXPECT_EQ(ReadBytes(Dat())[DatRecord::RankEntryOffset(3, 0)], 'h');
  Run("key F2\nanswer yes\nclick Button3\n");
  EXPECT_EQ(ReadBytes(Dat())[DatRecord::RankEntryOffset(3, 0)], Defaults().RankEntry(3, 0).Name[0]);
  Run("check CheckBox3 on\nclick Button1\n");
  EXPECT_EQ(ReadBytes(Dat())[3469] & 0x04, 0x04);
}

// Closing the window (or a signal) on the name entry stores the result with the name
// typed so far, as Enter would; so does a close during the drill-end splash.
TEST_F(DataFileTest, ClosingOnTheNameEntryOrTheSplashKeepsTheResult) {
  const std::string drill = "start\nwait 2100\nkey SPACE\nkey 1\ntype abcdefghijklmnopqrstuvwxyz\nkey ESC\n";
  Run(drill + "wait 1100\nexpect visible F7Panel\ntype ab\nclose\n");
  DatRecord saved;
  Bytes b = ReadBytes(Dat());
  ASSERT_EQ(b.size(), 4095u);
  std::copy(b.begin(), b.end(), saved.Bytes().begin());
  EXPECT_EQ(saved.RankEntry(0, 9), MakeRankEntry("ab", 400, 26, 1));

  // Closed during the splash, before the name entry opened: an empty name, as Enter gives.
  fs::remove(Dat());
  Restart();
  Run(drill + "expect visible F8Panel\nclose\n");
  b = ReadBytes(Dat());
  std::copy(b.begin(), b.end(), saved.Bytes().begin());
  EXPECT_EQ(saved.RankEntry(0, 9), MakeRankEntry("", 400, 26, 1));
}

// The folder of the configuration is used and written back as the bytes it is, also when
// they are neither UTF-8 nor CP932.
TEST_F(DataFileTest, AFolderNameIsUsedAndWrittenBackByteForByte) {
  const std::string folder = Dir() + "/\xA4\xA2\xFF\xFE";
  fs::create_directory(folder);
  Config("DOJDATPATH=" + folder + "\nDOJDATPATHON=1\n");
  Run("start\n");
  EXPECT_EQ(State().DatPath, folder + "/dojokai.dat");
  EXPECT_EQ(StateText(), "読み書き可能(新規)");
  fs::remove(Dir() + "/dojokai.cfg");  // so that only the game's own writing puts it back
  Run("wait 100\nkey F2\nexpect visible Panel11\nclick Button1\nclose\n");
  EXPECT_EQ(ReadBytes(folder + "/dojokai.dat").size(), 4095u);
  const Bytes cfg = ReadBytes(Dir() + "/dojokai.cfg");
  const std::string text(cfg.begin(), cfg.end());
  EXPECT_NE(text.find("DOJDATPATH=" + folder + "\n"), std::string::npos) << text;
  fs::remove_all(folder);  // a name the temporary folder's own clean-up cannot spell
}

// FIFOs in the place of every file the game reads: the window comes up, the data file is
// unusable and stays a FIFO.
TEST_F(DataFileTest, FifosInThePlaceOfTheFilesNeitherHangNorGetReplaced) {
  for (const char* name : {"dojokai.dat", "dojokai.bin", "dojokai.jpg", "dojokai.bmp"})
    ASSERT_EQ(::mkfifo((Dir() + "/" + name).c_str(), 0666), 0);
  Config("BMPJPGLOADON=1\n");
  Run("start\nwait 100\n");
  EXPECT_EQ(StateText(), "読み書き不可");
  Run("close\n");
  EXPECT_TRUE(fs::is_fifo(Dat()));

  fs::remove(Dir() + "/dojokai.cfg");
  ASSERT_EQ(::mkfifo((Dir() + "/dojokai.cfg").c_str(), 0666), 0);
  Restart();
  Run("start\nwait 100\nkey F2\nclick Button1\nclose\n");
  EXPECT_TRUE(fs::is_fifo(Dir() + "/dojokai.cfg"));
  ASSERT_EQ(Platform().Messages().size(), 1u);  // the settings could not be saved
  EXPECT_NE(Platform().Messages()[0].text.find("通常のファイルではありません"), std::string::npos);
}

}  // namespace
