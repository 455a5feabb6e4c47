#include "platform/Files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "Unprivileged.h"

namespace {

using plat::SharedFile;
using Mode = plat::SharedFile::Mode;

std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

class FilesTest : public ::testing::Test {
 protected:
  std::string PathOf(const char* name) const { return dir_.filePath(name).toStdString(); }
  QTemporaryDir dir_;
};

TEST_F(FilesTest, ExclusiveOpenRefusesASecondWhileSharedReadStillWorks) {
  const std::string path = PathOf("dojokai.dat");
  ASSERT_TRUE(SharedFile::Create(path));
  auto first = SharedFile::Open(path, Mode::ExclusiveReadWrite);
  ASSERT_TRUE(first.has_value());
  ASSERT_TRUE(first->Write(reinterpret_cast<const uint8_t*>("record"), 6));

  EXPECT_FALSE(SharedFile::Open(path, Mode::ExclusiveReadWrite).has_value());
  // Another copy of the game must not empty a file that is in use.
  EXPECT_FALSE(SharedFile::Create(path));

  auto reader = SharedFile::Open(path, Mode::SharedRead);
  ASSERT_TRUE(reader.has_value());
  EXPECT_EQ(reader->Read(4095), Bytes("record"));
  EXPECT_FALSE(reader->Write(reinterpret_cast<const uint8_t*>("x"), 1));

  // Moving the open file keeps the lock; closing it frees the file.
  SharedFile moved = std::move(*first);
  EXPECT_FALSE(first->IsOpen());
  EXPECT_FALSE(SharedFile::Open(path, Mode::ExclusiveReadWrite).has_value());
  moved.Close();
  EXPECT_TRUE(SharedFile::Open(path, Mode::ExclusiveReadWrite).has_value());
}

TEST_F(FilesTest, ReadSeekAndWriteWorkOnTheOpenFile) {
  const std::string path = PathOf("dojokai.dat");
  ASSERT_TRUE(SharedFile::Create(path));
  auto f = SharedFile::Open(path, Mode::ExclusiveReadWrite);
  ASSERT_TRUE(f.has_value());
  EXPECT_TRUE(f->Read(4095).empty());  // a freshly created file is empty

  std::vector<uint8_t> big(100000);
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<uint8_t>(i * 7);
  ASSERT_TRUE(f->Write(big.data(), big.size()));
  ASSERT_TRUE(f->Seek(0));
  EXPECT_EQ(f->Read(4095), std::vector<uint8_t>(big.begin(), big.begin() + 4095));
  ASSERT_TRUE(f->Seek(99990));
  EXPECT_EQ(f->Read(4095).size(), 10u);

  // Writing at the start does not shorten a longer file.
  ASSERT_TRUE(f->Seek(0));
  ASSERT_TRUE(f->Write(reinterpret_cast<const uint8_t*>("ab"), 2));
  f->Close();
  auto whole = plat::ReadWholeFile(path);
  ASSERT_TRUE(whole.has_value());
  EXPECT_EQ(whole->size(), big.size());
  EXPECT_EQ((*whole)[0], 'a');

  // Create empties an existing file.
  ASSERT_TRUE(SharedFile::Create(path));
  EXPECT_EQ(plat::ReadWholeFile(path), std::vector<uint8_t>{});
}

TEST_F(FilesTest, MissingFilesAndFoldersAreNotFiles) {
  const std::string missing = PathOf("missing.dat");
  EXPECT_FALSE(plat::FileExists(missing));
  EXPECT_FALSE(plat::IsReadOnly(missing));
  EXPECT_FALSE(plat::ReadWholeFile(missing).has_value());
  EXPECT_FALSE(SharedFile::Open(missing, Mode::ExclusiveReadWrite).has_value());
  EXPECT_FALSE(SharedFile::Open(missing, Mode::SharedRead).has_value());
  EXPECT_FALSE(SharedFile::Create(PathOf("no/such/folder/dojokai.dat")));

  const std::string folder = dir_.path().toStdString();
  EXPECT_FALSE(plat::FileExists(folder));
  EXPECT_FALSE(plat::ReadWholeFile(folder).has_value());
  EXPECT_FALSE(SharedFile::Open(folder, Mode::SharedRead).has_value());
}

TEST_F(FilesTest, ReadOnlyMeansNoWriteBitAtAll) {
  const std::string path = PathOf("dojokai.cfg");
  ASSERT_TRUE(SharedFile::Create(path));
  EXPECT_TRUE(plat::FileExists(path));
  const std::pair<mode_t, bool> cases[] = {{0644, false}, {0444, true},  {0400, true},
                                           {0464, false}, {0446, false}, {0000, true}};
  for (auto [mode, readOnly] : cases) {
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
    EXPECT_EQ(plat::IsReadOnly(path), readOnly) << std::oct << mode;
  }
  // Such a file is only read.
  RunAsUnprivilegedUser([](const std::string& folder) {
    const std::string path = folder + "/dojokai.cfg";
    ASSERT_TRUE(SharedFile::Create(path));
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    EXPECT_FALSE(SharedFile::Open(path, Mode::ExclusiveReadWrite).has_value());
    EXPECT_TRUE(SharedFile::Open(path, Mode::SharedRead).has_value());
  });
}

TEST(Files, ChangeExtensionReplacesOnlyTheLastComponentsExtension) {
  using plat::ChangeExtension;
  EXPECT_EQ(ChangeExtension("/a/dojokai", ".bin"), "/a/dojokai.bin");
  EXPECT_EQ(ChangeExtension("/a/dojokai.exe", ".bin"), "/a/dojokai.bin");
  EXPECT_EQ(ChangeExtension("/x/y.d/dojokai", ".bin"), "/x/y.d/dojokai.bin");
  EXPECT_EQ(ChangeExtension("/x/y.d/dojokai.tar.gz", ".cfg"), "/x/y.d/dojokai.tar.cfg");
  EXPECT_EQ(ChangeExtension("dojokai", ".dat"), "dojokai.dat");
  EXPECT_EQ(ChangeExtension("/a/.dojokai", ".cfg"), "/a/.dojokai.cfg");
  EXPECT_EQ(ChangeExtension("/a/dojokai.", ".jpg"), "/a/dojokai.jpg");
}

}  // namespace
