// Fuzz target: the logo pictures dojokai.jpg (libjpeg) and dojokai.bmp (Qt's reader). The
// bytes are written as both files and loaded as at start. A picture either fails to load or
// stays within the sizes the game takes (4096 × 4096 pixels, 64 MiB decoded): a header
// that claims more must not cost the memory it claims.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/Logo.h"
#include "fuzz/FuzzFiles.h"

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "logo fuzz: %s\n", what);
  std::abort();
}

void Check(const QImage& picture) {
  if (picture.isNull()) return;
  if (static_cast<uint64_t>(picture.width()) * static_cast<uint64_t>(picture.height()) > app::kMaxLogoPixels)
    Fail("a picture beyond the size limit was taken");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::ClearWorkFolder();
  for (const char* name : {"/dojokai.jpg", "/dojokai.bmp"}) {
    const std::string path = fuzz::WorkFolder() + name;
    fuzz::WriteFile(path, data, size);
    Check(app::LoadPicture(path));
  }
  return 0;
}
