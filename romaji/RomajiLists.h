#pragma once
// The word and phrase lists of the romaji drills: the shipped ことば and 文 lists, the
// player's own lists (every *.txt in romaji/ of the player's data folder), and a list named
// on the command line or by the driver. A list that cannot be read is told about and the
// shipped list takes its place; without even that, a few built-in entries keep the drill going.
#include <string>
#include <vector>

#include "game/RomajiList.h"

namespace romaji {

// The two drills: 8 ことば, 9 文.
enum class Kind { Words = 0, Phrases = 1 };

class RomajiLists {
 public:
  // The folder of the shipped lists and the player's own folder (each may not exist).
  void SetFolders(std::string shipped, std::string own);
  // A list chosen for both drills (--words, the driver's `words`); "" for none.
  void SetWordsFile(std::string path) { wordsFile_ = std::move(path); }
  const std::string& WordsFile() const { return wordsFile_; }

  // The lists to choose from for a drill, first the one it opens with: the words file when
  // one is set, the shipped list, then the player's own by name.
  std::vector<std::string> Choices(Kind kind) const;
  std::string ShippedPath(Kind kind) const;

  // Reads the list at `path`; one that cannot be used gives way to the shipped list (and that
  // to the built-in entries). Every problem is a Japanese line in `messages`.
  struct Loaded {
    game::romaji::List list;
    std::vector<std::string> messages;
  };
  Loaded Load(const std::string& path, Kind kind) const;

 private:
  std::string shipped_, own_, wordsFile_;
};

}  // namespace romaji
