#include "records/RecordStore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "game/DatRecord.h"
#include "killloop/KillLoop.h"
#include "platform/Files.h"

namespace {

namespace fs = std::filesystem;
using game::DatRecord;
using records::RecordStore;
using records::SaveStep;
using Bytes = std::vector<uint8_t>;
using Mode = plat::SharedFile::Mode;

void WriteBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes ReadBytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

Bytes Record(uint32_t totalKeys) {
  DatRecord r;
  r.ResetDataRecord({2026, 12, 6});
  r.SetTotalKeys(totalKeys);
  r.SetChecksum(r.ComputeChecksum());
  return Bytes(r.Bytes().begin(), r.Bytes().end());
}

std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

struct RecordStoreTest : ::testing::Test {
  QTemporaryDir dir;
  std::string Dir() const { return dir.path().toStdString(); }
  std::string Dat() const { return Dir() + "/dojokai.dat"; }
};

// Each way a save can fail falls back to the next: a new file, then the bytes in place
// through the open file, then a failure that names its cause; the file on disk is always
// the old or the new record, and no temporary file stays.
TEST_F(RecordStoreTest, EachSavePathFailsOverToTheNextAndLeavesAWholeRecord) {
  struct Case {
    const char* name;
    std::map<SaveStep, int> faults;
    bool saved, inPlace;
    int error;
  };
  const Case cases[] = {
      {"nothing fails", {}, true, false, 0},
      {"rename fails", {{SaveStep::Rename, EXDEV}}, true, true, 0},
      {"temporary file fails", {{SaveStep::CreateTemp, EACCES}}, true, true, 0},
      {"disk full", {{SaveStep::WriteTemp, ENOSPC}}, true, true, 0},
      {"flush of the new file fails", {{SaveStep::SyncTemp, EIO}}, true, true, 0},
      {"both fail", {{SaveStep::CreateTemp, EACCES}, {SaveStep::WriteInPlace, ENOSPC}}, false, false, ENOSPC},
      {"flush in place fails", {{SaveStep::Rename, EPERM}, {SaveStep::SyncInPlace, EIO}}, false, false, EIO},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(Dat(), Record(1));
    auto file = plat::SharedFile::Open(Dat(), Mode::ExclusiveReadWrite);
    ASSERT_TRUE(file);
    RecordStore store;
    store.SetFaultInjector([&](SaveStep step) { return c.faults.count(step) ? c.faults.at(step) : 0; });
    const Bytes fresh = Record(2);
    const records::SaveOutcome out = store.Save(*file, Dat(), fresh.data());
    EXPECT_EQ(out.saved, c.saved) << out.why;
    EXPECT_EQ(out.inPlace, c.inPlace);
    EXPECT_EQ(out.error, c.error);
    if (c.saved) {
      EXPECT_EQ(ReadBytes(Dat()), fresh);
    } else {
      EXPECT_FALSE(out.why.empty());
    }
    if (c.faults.count(SaveStep::WriteInPlace)) {
      EXPECT_EQ(ReadBytes(Dat()), Record(1));
    }
    EXPECT_EQ(Names(Dir()), std::vector<std::string>{"dojokai.dat"});
    // The file stays locked against a second copy whichever way it was written.
    EXPECT_FALSE(plat::SharedFile::Open(Dat(), Mode::ExclusiveReadWrite));
  }
}

TEST_F(RecordStoreTest, ALongFileIsUpdatedInPlaceAndKeepsItsTail) {
  Bytes longFile = Record(1);
  longFile.resize(200000, 0x5A);
  WriteBytes(Dat(), longFile);
  auto file = plat::SharedFile::Open(Dat(), Mode::ExclusiveReadWrite);
  ASSERT_TRUE(file);
  const struct stat before = [&] {
    struct stat st {};
    ::stat(Dat().c_str(), &st);
    return st;
  }();
  RecordStore store;
  const Bytes fresh = Record(7);
  const records::SaveOutcome out = store.Save(*file, Dat(), fresh.data());
  ASSERT_TRUE(out.saved);
  EXPECT_TRUE(out.inPlace);
  Bytes expected = fresh;
  expected.insert(expected.end(), longFile.begin() + DatRecord::kSize, longFile.end());
  EXPECT_EQ(ReadBytes(Dat()), expected);
  struct stat after {};
  ::stat(Dat().c_str(), &after);
  EXPECT_EQ(after.st_ino, before.st_ino);
}

// A second copy that saves replaces the file between our open and our lock: the lock must
// end up on the file the name leads to, so that the other copy's lock keeps us out.
TEST_F(RecordStoreTest, TheLockIsTakenOnTheFileTheNameLeadsTo) {
  WriteBytes(Dat(), Record(1));
  int replaced = 0;
  plat::SharedFile::SetBeforeLockHook([&](const std::string& path) {
    if (replaced++) return;
    WriteBytes(path + ".new", Record(2));
    fs::rename(path + ".new", path);
  });
  auto file = plat::SharedFile::Open(Dat(), Mode::ExclusiveReadWrite);
  plat::SharedFile::SetBeforeLockHook({});
  ASSERT_TRUE(file);
  EXPECT_EQ(replaced, 2);
  struct stat locked {
  }, named{};
  ::fstat(file->Descriptor(), &locked);
  ::stat(Dat().c_str(), &named);
  EXPECT_EQ(locked.st_ino, named.st_ino);
  EXPECT_EQ(file->Read(DatRecord::kSize), Record(2));
  EXPECT_FALSE(plat::SharedFile::Open(Dat(), Mode::ExclusiveReadWrite));
}

// A FIFO or a device in a file's place is neither read (which would block) nor replaced.
TEST_F(RecordStoreTest, FifosAndDevicesAreRefusedWithoutBlocking) {
  const std::string fifo = Dir() + "/fifo", device = Dir() + "/device";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
  fs::create_symlink("/dev/zero", device);
  for (const std::string& path : {fifo, device}) {
    SCOPED_TRACE(path);
    EXPECT_FALSE(plat::SharedFile::Open(path, Mode::ExclusiveReadWrite));
    EXPECT_FALSE(plat::SharedFile::Open(path, Mode::SharedRead));
    EXPECT_FALSE(plat::ReadWholeFile(path));
    EXPECT_FALSE(plat::IsRegularFile(path));
    EXPECT_FALSE(plat::SharedFile::Create(path));
  }
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_TRUE(fs::is_symlink(device));
  // A link to a regular file is the file.
  WriteBytes(Dat(), Record(3));
  fs::create_symlink(Dat(), Dir() + "/link");
  EXPECT_TRUE(plat::SharedFile::Open(Dir() + "/link", Mode::SharedRead));
}

TEST_F(RecordStoreTest, LeftoversOfKilledSavesGoAndNothingElse) {
  for (const char* name : {"dojokai.dat", "dojokai.dat.Ab3dE9", "dojokai.dat.0q9Zz1", "dojokai.dat.bad.x1Y2z3",
                           "dojokai.dat.bad-20261206-100000.k8J2mQ", "dojokai.dat.bad", "dojokai.dat.old",
                           "dojokai.dat.abcxyz", "dojokai.dat.backup1", "dojokai.dat.1234567", "other.Ab3dE9"})
    WriteBytes(Dir() + "/" + name, {1});
  RecordStore::RemoveLeftovers(Dat());
  EXPECT_EQ(Names(Dir()), (std::vector<std::string>{"dojokai.dat", "dojokai.dat.1234567", "dojokai.dat.backup1",
                                                    "dojokai.dat.bad", "dojokai.dat.old", "other.Ab3dE9"}));
}

TEST_F(RecordStoreTest, DamagedFilesAreKeptInGenerationsNeverReplacedAtMostTen) {
  RecordStore store;
  for (int n = 0; n < 12; ++n) {
    WriteBytes(Dat(), {static_cast<uint8_t>(n), 0xEE});
    auto file = plat::SharedFile::Open(Dat(), Mode::ExclusiveReadWrite);
    ASSERT_TRUE(file);
    plat::LocalDateTime now;
    now.year = 2026;
    now.month = 12;
    now.day = 6;
    now.hour = 10;
    now.minute = n / 2;  // two damaged files within one second
    std::string why;
    ASSERT_TRUE(store.KeepDamaged(file->Descriptor(), Dat(), now, why)) << why;
    if (n == 1) {
      EXPECT_EQ(ReadBytes(Dat() + ".bad"), (Bytes{0, 0xEE})) << "the first generation was replaced";
    }
  }
  const std::vector<std::string> kept = RecordStore::DamagedGenerations(Dat());
  ASSERT_EQ(kept.size(), 10u);
  std::set<Bytes> contents;
  for (const std::string& path : kept) contents.insert(ReadBytes(path));
  EXPECT_EQ(contents.size(), 10u);
  EXPECT_TRUE(contents.count(Bytes{11, 0xEE}));  // the newest stays, the two oldest went
  EXPECT_FALSE(contents.count(Bytes{0, 0xEE}));
  EXPECT_FALSE(contents.count(Bytes{1, 0xEE}));
}

// About fifty kills at varied moments of saving: each leaves a whole record, never an
// older one, and the temporary files do not pile up. (dojokai-killloop runs longer loops.)
TEST(RecordStoreKillTest, KilledSavesLeaveTheOldOrTheNewRecord) {
  const fs::path saver = fs::read_symlink("/proc/self/exe").parent_path() / "dojokai-saver";
  if (!fs::exists(saver)) GTEST_SKIP() << "no dojokai-saver beside the tests";
  QTemporaryDir folder;
  const killloop::Result r = killloop::Run(saver.string(), folder.path().toStdString(), 50, 12);
  EXPECT_EQ(r.failure, "");
  EXPECT_EQ(r.kills, 50);
  EXPECT_GT(r.lastRecord, 0u);
}

}  // namespace
