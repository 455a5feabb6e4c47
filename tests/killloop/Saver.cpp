// dojokai-saver FILE: saves records into FILE without end, as fast as it can, through the
// game's own save code; record n holds n in its keystroke counter and in every rank score.
// The kill loops kill it at varied moments and check what the file holds.
#include <cstdio>
#include <string>

#include "game/DatRecord.h"
#include "platform/Files.h"
#include "records/RecordStore.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: dojokai-saver FILE\n");
    return 1;
  }
  const std::string path = argv[1];
  if (!plat::FileExists(path)) plat::SharedFile::Create(path);
  auto file = plat::SharedFile::Open(path, plat::SharedFile::Mode::ExclusiveReadWrite);
  if (!file) {
    std::fprintf(stderr, "dojokai-saver: cannot lock %s\n", path.c_str());
    return 1;
  }
  records::RecordStore::RemoveLeftovers(path);
  game::DatRecord rec;
  rec.ResetDataRecord({2026, 12, 6});
  const auto old = file->Read(game::DatRecord::kSize);
  std::copy(old.begin(), old.end(), rec.Bytes().begin());
  records::RecordStore store;
  for (uint32_t n = rec.TotalKeys() + 1;; ++n) {
    rec.SetTotalKeys(n);
    for (int t = 0; t < game::DatRecord::kRankTables; ++t) {
      game::TRankEntry e = rec.RankEntry(t, 0);
      e.Score = static_cast<uint16_t>(n);
      rec.SetRankEntry(t, 0, e);
    }
    rec.SetChecksum(rec.ComputeChecksum());
    if (!store.Save(*file, path, rec.Bytes().data()).saved) return 2;
  }
}
