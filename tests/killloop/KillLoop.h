#pragma once
// The kill loop shared by the test and the long run: dojokai-saver is started on a data
// file and killed with SIGKILL at varied moments; after every kill the file must hold a
// whole record with a right checksum, newer than the one before, and the next start
// must find no leftovers of the killed save.
#include <cstdint>
#include <string>

namespace killloop {

struct Result {
  int kills = 0;
  uint32_t lastRecord = 0;
  std::string failure;  // empty when every kill left the old or a newer whole record
};

// `seed` varies the moments of the kills (0 to 10 ms after the saver's first save).
Result Run(const std::string& saver, const std::string& folder, int kills, uint32_t seed);

}  // namespace killloop
