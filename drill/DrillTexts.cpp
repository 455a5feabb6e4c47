#include "drill/DrillTexts.h"

namespace drill {

void DrillTexts::PrepareRandomTexts() {
  random_.Seed(static_cast<uint32_t>(platform_.CalendarSeconds()));
  auto& rnd = s_.RndText.bytes;
  for (size_t n = 0; n < 1021;) {
    const int c = random_.Below(256);
    if ((c >= 'a' && c <= 'y') || (c >= '0' && c <= '8') || c == ' ') rnd[n++] = static_cast<uint8_t>(c);
  }
  rnd[1021] = 0;
  auto& erai = s_.EraiText.bytes;
  constexpr size_t kKanaCount = sizeof game::kKanaText - 1;
  for (size_t n = 0; n < 1022; ++n)
    erai[n] = static_cast<uint8_t>(game::kKanaText[random_.Below(static_cast<int>(kKanaCount))]);
  erai[1022] = 0;
}

}  // namespace drill
