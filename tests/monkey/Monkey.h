#pragma once
// The monkey: a player who presses random keys, clicks whatever can be clicked, resizes
// the window, lets time pass and answers questions at random, from a fixed seed, against
// the real window on the virtual platform.
//
// Events: every key of the JIS keyboard with and without Shift and the kana lock, Esc,
// Enter, Tab, Space, Backspace, F1 to F12, the ro and kana keys, arrows and the like;
// characters an input method hands over (any byte, or a double-byte pair); in a
// drill or lesson often the key asked for (how often depends on who plays this run); clicks,
// double clicks, mouse downs and ups on shown and enabled controls, the name dialog's while
// it is open; waits of 0 to 3 s, longer while a drill runs and now and then on the title;
// answers queued ahead, or given when a question finds none; resizes, maximise, restore;
// the system clock set forward or back; the window's close box. Each run of the game starts
// on a calendar that goes on from the last (sometimes the next day, or just before midnight),
// with a tick count that may be about to wrap, sometimes with the data file's counters near
// their maxima or a session near the caps of GoodSinceStart and UptimeSeconds. A configured
// data folder is kept inside the sandbox.
//
// Rules checked after every event:
//  - exactly one of the ten screen panels is visible, and no dialog is left open; the screen
//    changes only as the game's screens lead from one to another (one change per character
//    the window gets; a wait may pass the splash between the drill and the name entry);
//  - Score lies in 0..65535 and equals 16 × (Good − Miss) limited to that range;
//  - no error box appears (a handler threw), and no question but the three the game asks;
//  - "Yes" to the quit question closes the window; "No" leaves it open;
//  - after a resize the client area is at least 480 × 300, at most twice as wide as high and
//    one and a half times as high as wide (once the game takes keys);
//  - the name dialog opens only while no name is registered, and its button or Enter
//    registers one;
//  - within one run of the game no counter of the data record goes down (TotalKeys,
//    GoodKeys, MissKeys, TodayGood, ModeUse, OtherModeUse, DrillTotal), nor GoodSinceStart;
//    the erase and initialise buttons touch none of them, and the day check and the zeroed
//    session counters belong to a fresh start only. UptimeSeconds goes down only when the
//    game takes a new reference (StartSeconds), and it may only after the tick count wrapped;
//  - the counters move together: one judged key adds one to TotalKeys and one to GoodKeys
//    or MissKeys; a hit adds one to TodayGood and GoodSinceStart (below their caps);
//    DrillTotal grows at least as much as ModeUse and OtherModeUse together;
//  - PlayTime is a valid time (minutes and seconds below 60, hundredths in steps of 5). It
//    goes down only where the game means it to: at its cap it stands at 65535:59:59.00 (a
//    file may hold 65535:59:59.45), and its first drift check, which has no reference yet,
//    corrects by the tick count less 5 s, a step back of up to 4 s when the tick count was
//    fresh (just booted or just wrapped). Later checks measure real drift, and the virtual
//    clock has none that runs ahead of the tick count;
//  - grades stay within 0..8 and change only 0 → 8, g → g − 1 (one step per character the
//    judgement screen gets), or all to 0 when the records are erased (Yes to the erase
//    question also clears the name and the L switch); a grade is awarded only for the mode
//    and time just played, with fewer than ten misses and the score the grade needs;
//    a registered certificate name stays registered until then;
//  - every top-10 table stands best first; Yes to the initialise question gives the
//    default tables.
// At every close and start:
//  - a run that could save wrote exactly its record, with a valid checksum; one that could
//    not left the file as it was; the file beside the program always passes its checksum;
//  - the next start reads the record back unchanged, but for LastDate (the day of the start)
//    and TodayGood (kept on the same day, 0 on another); GoodSinceStart and UptimeSeconds
//    begin at 0.
// The first broken rule stops the run with the seed, the event number and the last events as
// driver commands; the run of the game that failed is written out as a driver script with
// the files it started from.
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "platform/VirtualPlatform.h"
#include "game/DatRecord.h"

class QDialog;

namespace app {
class Game;
class TForm2;
}  // namespace app

namespace ui {
class Control;
class Panel;
}  // namespace ui

namespace monkey {

struct Options {
  uint64_t seed = 1;
  int64_t events = 50000;
  // The monkey's own folder: the program folder and the data-file folders lie inside it.
  std::string sandbox;
  // Where a failing run leaves its reproduction ("" = nowhere).
  std::string reportDir;
  // A progress line every so many events (0 = none).
  std::ostream* progress = nullptr;
  int64_t progressEvery = 0;
  // Every event from this number on is echoed as it starts (to find where a crash was).
  std::ostream* trace = nullptr;
  int64_t traceFrom = 0;
};

// What the run went through, to show that it reached the corners of the game.
struct Coverage {
  int64_t events = 0, lives = 0, quits = 0, windowCloses = 0;
  std::array<int64_t, 11> eventsOnScreen{};  // by the order of TForm2::Screens()
  int64_t drillStarts = 0, judgedKeys = 0, rankEntries = 0, gradesAwarded = 0, erasures = 0, tableResets = 0,
          dialogs = 0, dialogNames = 0, questions = 0, resizes = 0, saves = 0, reloads = 0, nearMaxStarts = 0,
          tickWraps = 0, newDays = 0, simulatedMs = 0;
  int maxLesson = 0;
  std::set<std::pair<std::string, std::string>> transitions;  // screen changes seen, by panel name
};

class Monkey {
 public:
  explicit Monkey(Options options);
  ~Monkey();
  Monkey(const Monkey&) = delete;
  Monkey& operator=(const Monkey&) = delete;

  // Runs the events; true when every rule held.
  bool Run();
  const std::string& Failure() const { return failure_; }
  const Coverage& Stats() const { return stats_; }
  std::string Summary() const;

 private:
  // The values of the previous event that the rules compare with.
  struct Ledger {
    game::DatRecord record;
    int goodSinceStart = 0, uptime = 0, startSeconds = 0, playTimeBaseTick = 0;
    int64_t judged = 0;  // Good + Miss of the drill
    const ui::Panel* screen = nullptr;
    uint32_t tick = 0;
  };

  // Lives: one start of the game up to its close.
  void StartLife();
  void EndLife(bool quit);
  void PrepareFiles();
  std::string ActiveDatPath() const;
  void CheckReload();
  void CheckSaved();

  // Events.
  void Step(bool inDialog);
  void KeyEvent(bool inDialog);
  void ClickEvent(bool inDialog);
  void WaitEvent(bool inDialog);
  void AnswerEvent();
  void AnswerNow(const std::string& question);
  void ResizeEvent();
  void ClockEvent();
  void CharEvent();
  void PressKey(uint16_t vk, bool shift);
  bool TypeByte(uint8_t ch);
  uint8_t WantedChar();
  void ModalLoop(QDialog& dialog);
  // Every event is logged before it runs and checked after it.
  void Log(const std::string& line);
  void AfterEvent();

  // Rules.
  void CheckState();
  void CheckMessages();
  void CheckCounters(const game::DatRecord& now);
  void CheckTables(const game::DatRecord& now);
  void Fail(const std::string& why);
  std::string WriteReport(const std::string& why);

  uint64_t Below(uint64_t n) { return rng_() % n; }
  bool Chance(int percent) { return Below(1000) < static_cast<uint64_t>(percent * 10); }
  app::TForm2& Form();

  Options options_;
  std::mt19937_64 rng_;
  std::string programDir_, altDir_;
  std::unique_ptr<plat::VirtualPlatform> platform_;
  std::unique_ptr<app::Game> game_;
  int64_t events_ = 0;
  int life_ = 0;
  bool failed_ = false;
  std::string failure_;
  Coverage stats_;

  // Calendar carried from life to life (milliseconds since 1970, local).
  int64_t calendarMs_ = 0;
  // Per life: how keen the player is to type what the drill asks, in percent.
  int accuracy_ = 0;
  bool keen_ = false;
  int pendingAnswers_ = 0;
  size_t messagesSeen_ = 0;
  int modalDepth_ = 0;
  int charsThisEvent_ = 1;  // a double-byte character reaches the window as two
  bool quitting_ = false;
  bool tablesReset_ = false;  // Yes to the initialise question in this event
  bool wrapPending_ = false;  // the tick count wrapped and the uptime has not caught it yet
  Ledger ledger_;
  // The data file of this life, and whether the life can write it.
  std::string datPath_;
  bool couldSave_ = false;
  // What each data file holds as far as the monkey knows, by path.
  std::map<std::string, std::array<uint8_t, game::DatRecord::kSize>> saved_;

  // The current life as a driver script, and its start files, for the report.
  std::vector<std::string> script_;
  std::map<std::string, std::string> startFiles_;
  std::deque<std::string> recent_;
};

}  // namespace monkey
