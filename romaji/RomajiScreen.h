#pragma once
// The romaji drills' screen (8 ことば, 9 文 on the mode select, and the 苦手かな練習 of the
// statistics window): an entry of a list with its reading and the romaji guide, the keys
// judged by game::romaji::Judge, GOOD/MISS/SCORE and the clock, the keyboard marking the
// next key; then the results. Keys arrive as the character they produce.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "game/Options.h"
#include "game/PlayState.h"
#include "game/RomajiJudge.h"
#include "game/KeySounds.h"
#include "game/RomajiList.h"
#include "game/RomajiRun.h"
#include "game/Screens.h"
#include "drill/RankTables.h"
#include "platform/Platform.h"
#include "platform/Random.h"
#include "romaji/RomajiKeyboard.h"
#include "romaji/RomajiLists.h"
#include "romaji/RomajiResults.h"
#include "ui/MainControls.h"

namespace romaji {

class RomajiScreen {
 public:
  RomajiScreen(game::PlayState& state, game::Screens& screens, ui::MainControls& c, plat::Platform& platform,
               const game::Options& options, drill::RankTables& rankTables);

  // Where lists are found: the shipped lists' folder and the player's romaji/ folder.
  void SetFolders(std::string shipped, std::string own) { lists_.SetFolders(std::move(shipped), std::move(own)); }
  // A list for both drills (--words, the driver's `words`); on the screen's ready state it
  // is taken at once.
  void SetWordsFile(const std::string& path);
  void SetHistory(std::function<records::History*()> history) { results_.SetHistory(std::move(history)); }

  // From the mode select: the drill of `kind` with the time setting 0..3, ready for its
  // first key; the screen replaces `from`.
  void Open(Kind kind, int timeSetting, game::Screen from = game::Screen::ModeSelect);
  // 苦手かな練習: an untimed drill of these entries, marked practice, ranked nowhere; it
  // replaces whatever screen is up (normally the title).
  void StartPractice(std::vector<game::romaji::Entry> entries);
  // What 苦手かな練習 picks from: the entries of the lists 8 and 9 open with.
  std::vector<game::romaji::Entry> PracticePool() const;
  // Settings changed: the guide's style and the final n take effect at once.
  void ApplyOptions();

  // The window's three key events while the screen is up.
  void Key(uint8_t ch);
  void KeyDown(uint16_t vk);
  void KeyUp(uint16_t vk);
  // The [ESC] button and the results' PRESS SPACE KEY.
  void EscClick() { platform_.InjectKey(27); }
  void LeaveResults();
  // Every tick of the title timer: the clock, the end of a timed drill, the flash of a wrong key.
  void Tick();
  // A drill runs: its clock has started and it has not ended.
  bool Running() const { return phase_ == Phase::Running; }

  // What the driver's snapshot shows of the screen.
  struct View {
    std::string list, text, reading, typed, guide;
    int done = 0, good = 0, miss = 0, kanaDone = 0;
  };
  View Snapshot() const;

 private:
  enum class Phase { Ready, Running, Results };
  void Choose(int step);
  void UseList(const RomajiLists::Loaded& loaded);
  void NextEntry();
  void Accepted(const game::romaji::KeyResult& r, int before, uint32_t tick);
  void Missed(char expected, char typed, int kana);
  // The key or miss sound, as the player's switches say.
  void PlaySoundOf(game::KeyOutcome outcome);
  void End(const char* endedBy);
  void Leave(game::Screen to);
  void Refresh();
  void ShowClockLine();
  std::string Stamp();

  game::PlayState& s_;
  game::Screens& screens_;
  ui::MainControls& C;
  plat::Platform& platform_;
  const game::Options& options_;
  RomajiLists lists_;
  RomajiKeyboard keyboard_;
  RomajiResults results_;
  game::romaji::Judge judge_;
  game::romaji::Run run_;
  game::romaji::Tally tally_;
  plat::GameRandom random_;

  Phase phase_ = Phase::Ready;
  Kind kind_ = Kind::Words;
  bool practice_ = false;
  game::Screen from_ = game::Screen::ModeSelect;
  std::vector<std::string> choices_;
  size_t choice_ = 0;
  game::romaji::List list_;
  int entry_ = -1;
  std::string message_;
  int entries_ = 0, kana_ = 0, keys_ = 0, fewest_ = 0;  // over the entries completed
  std::string startedAt_;
  uint32_t flashUntil_ = 0;
  bool flashing_ = false;
};

}  // namespace romaji
