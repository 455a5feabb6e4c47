#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>

#include "platform/ShippedFiles.h"

namespace {

namespace fs = std::filesystem;

void Touch(const fs::path& p) {
  fs::create_directories(p.parent_path());
  std::ofstream(p) << "x";
}

TEST(ShippedFilesTest, BesideTheProgramFirstThenTheInstallsShareFolder) {
  QTemporaryDir dir;
  const fs::path root = dir.path().toStdString();
  const std::string program = (root / "usr/bin/dojokai").string();
  Touch(program);
  // Nothing anywhere: the installed program names what is missing, in the share folder.
  EXPECT_EQ(plat::MissingShippedFiles(program),
            (std::vector<std::string>{(root / "usr/share/dojokai/dojokai.bin").string(),
                                      (root / "usr/share/dojokai/dojokai.hlp").string()}));
  EXPECT_EQ(plat::ShippedFilePath(program, ".bin"), (root / "usr/bin/dojokai.bin").string());
  Touch(root / "usr/share/dojokai/dojokai.bin");
  EXPECT_EQ(plat::ShippedFilePath(program, ".bin"), (root / "usr/share/dojokai/dojokai.bin").string());
  EXPECT_EQ(plat::MissingShippedFiles(program),
            std::vector<std::string>{(root / "usr/share/dojokai/dojokai.hlp").string()});
  // A file beside the program wins (a build folder, a personal install).
  Touch(root / "usr/bin/dojokai.bin");
  EXPECT_EQ(plat::ShippedFilePath(program, ".bin"), (root / "usr/bin/dojokai.bin").string());
  // A program outside a bin folder is a build folder: no complaint, missing files are optional.
  const std::string built = (root / "build/dojokai").string();
  Touch(built);
  EXPECT_TRUE(plat::MissingShippedFiles(built).empty());
  EXPECT_EQ(plat::ShippedFilePath(built, ".hlp"), (root / "build/dojokai.hlp").string());
}

}  // namespace

namespace {

TEST(ShippedFilesTest, SoundsLieInASoundsFolderBesideTheProgramOrInTheShareFolder) {
  QTemporaryDir dir;
  const fs::path root = dir.path().toStdString();
  const std::string program = (root / "usr/bin/dojokai").string();
  Touch(program);
  EXPECT_EQ(plat::ShippedSoundPath(program, "key.wav"), (root / "usr/bin/sounds/key.wav").string());
  Touch(root / "usr/share/dojokai/sounds/key.wav");
  EXPECT_EQ(plat::ShippedSoundPath(program, "key.wav"), (root / "usr/share/dojokai/sounds/key.wav").string());
  EXPECT_EQ(plat::ShippedSoundPath(program, "miss.wav"), (root / "usr/bin/sounds/miss.wav").string());
  Touch(root / "usr/bin/sounds/key.wav");
  EXPECT_EQ(plat::ShippedSoundPath(program, "key.wav"), (root / "usr/bin/sounds/key.wav").string());
  // A missing sound is no missing file of the install: it is only silent.
  Touch(root / "usr/share/dojokai/dojokai.bin");
  Touch(root / "usr/share/dojokai/dojokai.hlp");
  EXPECT_TRUE(plat::MissingShippedFiles(program).empty());
}

}  // namespace
