// Fuzz target: the data file dojokai.dat through the code the game saves it with, without a
// window (thousands of inputs a second). The bytes are the file; it is opened and locked as
// at start, read into the record, changed as a game would change it (a top-10 entry, the
// counters, a grade and the certificate name) and saved twice, the second time through the
// file the first save left open. Afterwards the file must hold the last record with a right
// checksum, keep any bytes beyond the record, keep a damaged file aside as dojokai.dat.bad
// and leave no temporary file behind.
#include <dirent.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/FuzzFiles.h"
#include "game/DatRecord.h"
#include "platform/Files.h"
#include "records/RecordStore.h"

namespace {

using game::DatRecord;

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "records fuzz: %s\n", what);
  std::abort();
}

int FilesInWorkFolder() {
  int n = 0;
  if (DIR* dir = ::opendir(fuzz::WorkFolder().c_str())) {
    while (const dirent* e = ::readdir(dir)) n += e->d_name[0] != '.';
    ::closedir(dir);
  }
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> input(data, data + size);
  fuzz::ClearWorkFolder();
  const std::string dat = fuzz::WorkFolder() + "/dojokai.dat";
  fuzz::WriteFile(dat, data, size);

  auto file = plat::SharedFile::Open(dat, plat::SharedFile::Mode::ExclusiveReadWrite);
  if (!file) Fail("the file could not be opened");
  records::RecordStore::RemoveLeftovers(dat);
  DatRecord rec;
  rec.ResetDataRecord({2026, 12, 6});
  const std::vector<uint8_t> read = file->Read(DatRecord::kSize);
  std::copy(read.begin(), read.end(), rec.Bytes().begin());
  const bool damaged = !rec.ChecksumValid();
  if (damaged) rec.ResetDataRecord({2026, 12, 6});

  records::RecordStore store;
  if (damaged && !read.empty()) {
    std::string why;
    if (!store.KeepDamaged(file->Descriptor(), dat, plat::LocalDateTime{}, why)) Fail(why.c_str());
  }
  // What a game changes between two saves.
  const uint8_t seed = size ? data[size - 1] : 0;
  for (int round = 0; round < 2; ++round) {
    game::TRankEntry entry{};
    entry.Name.fill(static_cast<char>('a' + (seed + round) % 26));
    entry.Score = static_cast<uint16_t>(seed * 257 + round);
    rec.SetRankEntry((seed + round) % DatRecord::kRankTables, seed % DatRecord::kRanksPerTable, entry);
    rec.AddTotalKeys();
    rec.SetCertGradeAt(seed % DatRecord::kCertGradeCount, static_cast<int8_t>(round + 1));
    rec.SetChecksum(rec.ComputeChecksum());
    const records::SaveOutcome outcome = store.Save(*file, dat, rec.Bytes().data());
    if (!outcome.saved) Fail(outcome.why.c_str());
  }
  file->Close();

  const std::vector<uint8_t> saved = fuzz::ReadFile(dat);
  if (saved.size() != std::max(size, DatRecord::kSize)) Fail("saved file has the wrong size");
  if (std::memcmp(saved.data(), rec.Bytes().data(), DatRecord::kSize) != 0) Fail("saved record differs");
  if (size > DatRecord::kSize &&
      std::memcmp(saved.data() + DatRecord::kSize, data + DatRecord::kSize, size - DatRecord::kSize) != 0)
    Fail("bytes beyond the record lost");
  const bool keptAside = damaged && size > 0;
  if (keptAside && fuzz::ReadFile(dat + ".bad") != input) Fail("a damaged file was not kept aside");
  if (FilesInWorkFolder() != 1 + (keptAside ? 1 : 0)) Fail("a file too many (a temporary file left?)");
  return 0;
}
