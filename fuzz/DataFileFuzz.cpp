// Fuzz target: the data file dojokai.dat as the real window loads it at start and saves it
// at close. The bytes are the file beside the program (a fresh folder each run); the window
// runs the title for a moment, then closes. Afterwards the saved file must hold a whole
// record with a right checksum, keep any bytes beyond the record, keep the rank tables of a
// file whose checksum was right, and keep a damaged file aside as dojokai.dat.bad.
#include <QApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/Game.h"
#include "fuzz/FuzzFiles.h"
#include "platform/Fonts.h"
#include "platform/VirtualPlatform.h"
#include "game/DatRecord.h"
#include "tools/drive/Offscreen.h"

namespace {

using game::DatRecord;

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "data-file fuzz: %s\n", what);
  std::abort();
}

bool ChecksumRight(const std::vector<uint8_t>& bytes) {
  if (bytes.size() < DatRecord::kChecksumOffset + 2) return false;
  uint16_t sum = 0;
  for (size_t i = 0; i < DatRecord::kChecksumSpan; i += 2) sum ^= static_cast<uint16_t>(bytes[i] | bytes[i + 1] << 8);
  return sum == (bytes[DatRecord::kChecksumOffset] | bytes[DatRecord::kChecksumOffset + 1] << 8);
}

bool SameRange(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, size_t from, size_t to) {
  return a.size() >= to && b.size() >= to && std::memcmp(a.data() + from, b.data() + from, to - from) == 0;
}

}  // namespace

// The font library keeps caches for the life of the process; they are not the game's leaks.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  drive::UseOffscreenScreen();
  static QApplication application(*argc, *argv);
  plat::RegisterFontSubstitutions();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> input(data, data + size);
  fuzz::ClearWorkFolder();
  const std::string dat = fuzz::WorkFolder() + "/dojokai.dat";
  fuzz::WriteFile(dat, data, size);

  {
    plat::VirtualPlatform platform;
    platform.SetProgramDir(fuzz::WorkFolder());
    app::Game game(platform);
    platform.Advance(150);
    game.Form().close();
    for (const auto& message : platform.Messages())
      if (message.kind == "error") Fail(("error box: " + message.text).c_str());
  }
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

  const std::vector<uint8_t> saved = fuzz::ReadFile(dat);
  if (saved.size() != std::max(size, DatRecord::kSize)) Fail("saved file has the wrong size");
  if (!ChecksumRight(saved)) Fail("saved record has a wrong checksum");
  if (size > DatRecord::kSize && !SameRange(saved, input, DatRecord::kSize, size)) Fail("bytes beyond the record lost");

  // Only a whole first block decides the checksum; a shorter file is completed by defaults.
  if (size >= DatRecord::kSecondRankBlockOffset) {
    const std::vector<uint8_t> aside = fuzz::ReadFile(dat + ".bad");
    if (ChecksumRight(input)) {
      if (!aside.empty()) Fail("a sound file was put aside");
      if (!SameRange(saved, input, 0, DatRecord::kChecksumSpan)) Fail("first rank block changed");
      if (size >= DatRecord::kStartDateOffset &&
          !SameRange(saved, input, DatRecord::kSecondRankBlockOffset, DatRecord::kStartDateOffset))
        Fail("second rank block changed");
    } else if (aside != input) {
      Fail("a damaged file was not kept aside");
    }
  }
  return 0;
}
