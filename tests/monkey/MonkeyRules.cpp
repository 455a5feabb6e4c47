// The rules the monkey checks after every event, at every start and at every close.
#include <QDir>
#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string_view>
#include <utility>

#include "app/Game.h"
#include "tests/monkey/Monkey.h"
#include "tests/monkey/MonkeyUtil.h"

namespace monkey {
namespace {

using game::DatRecord;

// The screen changes the game has, by panel name; a wait may pass the one-second splash
// between the drill and the name entry. The romaji screen opens from the mode select, and a
// top-10 place of its own asks for a name too.
constexpr std::pair<std::string_view, std::string_view> kTransitions[] = {
    {"Panel1", "F6Panel"},  {"Panel1", "F5Panel"},  {"Panel1", "Panel11"},  {"Panel1", "F4Panel"},
    {"F4Panel", "Panel1"},  {"F5Panel", "Panel1"},  {"Panel11", "Panel1"},  {"F6Panel", "Panel1"},
    {"F6Panel", "F1Panel"}, {"F6Panel", "FLPanel"}, {"FLPanel", "Panel1"},  {"F1Panel", "F8Panel"},
    {"F1Panel", "F4Panel"}, {"F1Panel", "Panel1"},  {"F8Panel", "F7Panel"}, {"F8Panel", "F4Panel"},
    {"F7Panel", "F4Panel"}, {"F4Panel", "LmPanel"}, {"LmPanel", "Panel1"},  {"F1Panel", "F7Panel"},
    {"F6Panel", "RjPanel"}, {"RjPanel", "F6Panel"}, {"RjPanel", "Panel1"},  {"RjPanel", "F7Panel"},
    {"F7Panel", "RjPanel"}};

// Whether `steps` screen changes at most lead from one screen to the other.
bool Leads(std::string_view from, std::string_view to, int steps) {
  for (const auto& [a, b] : kTransitions) {
    if (a != from) continue;
    if (b == to || (steps > 1 && Leads(b, to, steps - 1))) return true;
  }
  return false;
}

constexpr char kQuitQuestion[] = "終了しますか？";
constexpr char kEraseQuestion[] = "認定書の記録を消去してもよいですか？";
constexpr char kInitQuestion[] = "全得点と名前を初期化してもよいですか？";

// PlayTime as one number of hundredths, for comparing.
int64_t Hundredths(const DatRecord::PlayTimeValue& t) {
  return ((int64_t{t.Hours} * 60 + t.Minutes) * 60 + t.Seconds) * 100 + t.Hundredths;
}

std::string PlayTimeText(const DatRecord::PlayTimeValue& t) {
  std::ostringstream out;
  out << t.Hours << ":" << int{t.Minutes} << ":" << int{t.Seconds} << "." << int{t.Hundredths};
  return out.str();
}

bool Erased(const DatRecord& r) {
  for (int i = 0; i < DatRecord::kCertGradeCount; ++i)
    if (r.CertGradeAt(i) != 0) return false;
  const auto name = r.CertName();
  return std::all_of(name.begin(), name.end(), [](uint8_t b) { return b == 0; });
}

// The first offset at which the record differs from `bytes`, skipping [skipFrom, skipTo).
std::optional<size_t> FirstDifference(const DatRecord& r, const std::string& bytes, size_t skipFrom = 0,
                                      size_t skipTo = 0) {
  for (size_t i = 0; i < DatRecord::kSize; ++i) {
    if (i >= skipFrom && i < skipTo) continue;
    if (static_cast<uint8_t>(bytes[i]) != r.Bytes()[i]) return i;
  }
  return std::nullopt;
}

}  // namespace

void Monkey::CheckMessages() {
  const auto& messages = platform_->Messages();
  for (; messagesSeen_ < messages.size() && !failed_; ++messagesSeen_) {
    const plat::RecordedMessage& m = messages[messagesSeen_];
    if (m.kind == "error") {
      Fail("an error box: \"" + m.text + "\"");
      return;
    }
    ++stats_.questions;
    if (pendingAnswers_ > 0) --pendingAnswers_;
    const bool yes = m.answer == "yes";
    const game::PlayState& s = Form().State();
    if (m.text == kQuitQuestion) {
      if (yes != Form().Closed())
        Fail(yes ? "Yes to the quit question left the window open" : "No to the quit question closed the window");
      quitting_ = yes;
    } else if (m.text == kEraseQuestion) {
      if (!yes) continue;
      ++stats_.erasures;
      if (!Erased(s.DatRecord) || s.CertSwitch) Fail("Yes to the erase question left grades, name or the L switch");
    } else if (m.text == kInitQuestion) {
      if (!yes) continue;
      ++stats_.tableResets;
      tablesReset_ = true;
      DatRecord defaults;
      defaults.ResetRankTables();
      for (int t = 0; t < DatRecord::kRankTables; ++t)
        for (int r = 0; r < DatRecord::kRanksPerTable; ++r)
          if (s.DatRecord.RankEntry(t, r) != defaults.RankEntry(t, r))
            Fail("Yes to the initialise question left table " + std::to_string(t) + " rank " + std::to_string(r) +
                 " off its default");
    } else {
      Fail("an unexpected question: \"" + m.text + "\"");
    }
  }
}

void Monkey::CheckState() {
  app::TForm2& form = Form();
  const game::PlayState& s = form.State();
  int visible = 0;
  std::string names;
  const ui::Panel* screen = nullptr;
  for (const ui::Panel* p : form.ScreenPanels()) {
    if (!p->Visible()) continue;
    ++visible;
    names += " " + p->Name();
    screen = p;
  }
  if (visible != 1) return Fail(std::to_string(visible) + " screens visible:" + names);
  if (ledger_.screen && screen != ledger_.screen) {
    if (!Leads(ledger_.screen->Name(), screen->Name(), charsThisEvent_))
      return Fail("the screen changed from " + ledger_.screen->Name() + " to " + screen->Name());
    stats_.transitions.insert({ledger_.screen->Name(), screen->Name()});
    if (ledger_.screen == form.C.F6Panel && (screen == form.C.F1Panel || screen == form.C.FLPanel))
      ++stats_.drillStarts;
  }
  ledger_.screen = screen;
  if (modalDepth_ == 0 && game_->NameDialog().isVisible()) return Fail("the name dialog is still open");

  const int64_t score = std::clamp<int64_t>(16 * (int64_t{s.Good} - s.Miss), 0, 65535);
  if (s.Good < 0 || s.Miss < 0 || s.Score != score)
    return Fail("Score " + std::to_string(s.Score) + " with Good " + std::to_string(s.Good) + " and Miss " +
                std::to_string(s.Miss));
  if (s.GoodSinceStart < 0 || s.GoodSinceStart > 65535)
    return Fail("GoodSinceStart out of range: " + std::to_string(s.GoodSinceStart));
  if (s.UptimeSeconds < 0 || s.UptimeSeconds > 921658)
    return Fail("UptimeSeconds out of range: " + std::to_string(s.UptimeSeconds));
  if (s.GoodSinceStart < ledger_.goodSinceStart)
    return Fail("GoodSinceStart went down from " + std::to_string(ledger_.goodSinceStart) + " to " +
                std::to_string(s.GoodSinceStart));

  // The uptime takes a new reference only when the tick count has wrapped since the last one.
  const uint32_t tick = platform_->TickCount();
  if (tick < ledger_.tick) {
    ++stats_.tickWraps;
    wrapPending_ = true;
  }
  if (s.StartSeconds != ledger_.startSeconds) {
    if (!wrapPending_) return Fail("StartSeconds taken again without a wrap of the tick count");
    wrapPending_ = false;
  } else if (s.UptimeSeconds < ledger_.uptime) {
    return Fail("UptimeSeconds went down from " + std::to_string(ledger_.uptime) + " to " +
                std::to_string(s.UptimeSeconds));
  }

  CheckCounters(s.DatRecord);
  if (!failed_) CheckTables(s.DatRecord);
  if (failed_) return;
  const int64_t judged = int64_t{s.Good} + s.Miss;
  if (judged > ledger_.judged) stats_.judgedKeys += judged - ledger_.judged;
  ledger_.judged = judged;
  ledger_.record = s.DatRecord;
  ledger_.goodSinceStart = s.GoodSinceStart;
  ledger_.uptime = s.UptimeSeconds;
  ledger_.startSeconds = s.StartSeconds;
  ledger_.playTimeBaseTick = s.PlayTimeBaseTick;
  ledger_.tick = tick;
  tablesReset_ = false;
  if (form.C.FLPanel->Visible()) stats_.maxLesson = std::max(stats_.maxLesson, s.LessonNo);
}

void Monkey::CheckCounters(const DatRecord& now) {
  const DatRecord& was = ledger_.record;
  const game::PlayState& s = Form().State();
  const auto down = [this](const std::string& name, int64_t before, int64_t after) {
    if (after < before) Fail(name + " went down from " + std::to_string(before) + " to " + std::to_string(after));
    return after - before;
  };
  const int64_t total = down("TotalKeys", was.TotalKeys(), now.TotalKeys());
  const int64_t good = down("GoodKeys", was.GoodKeys(), now.GoodKeys());
  const int64_t miss = down("MissKeys", was.MissKeys(), now.MissKeys());
  const int64_t today = down("TodayGood", was.TodayGood(), now.TodayGood());
  const int64_t drills = down("DrillTotal", was.DrillTotal(), now.DrillTotal());
  int64_t starts = down("OtherModeUse", was.OtherModeUse(), now.OtherModeUse());
  for (int d = 0; d < DatRecord::kTimedDurations; ++d)
    for (int m = 0; m < DatRecord::kModes; ++m)
      starts +=
          down("ModeUse[" + std::to_string(d) + "][" + std::to_string(m) + "]", was.ModeUse(d, m), now.ModeUse(d, m));
  if (failed_) return;
  const auto time = now.PlayTime();
  if (time.Minutes > 59 || time.Seconds > 59 || time.Hundredths > 95 || time.Hundredths % 5 != 0)
    return Fail("PlayTime is no time: " + PlayTimeText(time));
  // At its cap the time stands at 65535:59:59 with the hundredths at 0, whatever they were.
  const bool capped =
      time == DatRecord::PlayTimeValue{65535, 59, 59, 0} && Hundredths(was.PlayTime()) >= Hundredths(time);
  // The first drift check has no reference yet and corrects by the tick count less 5 s:
  // less than 5 s into a fresh tick count (just booted or just wrapped) that is a step back.
  const bool firstCheck =
      ledger_.playTimeBaseTick == 0 && s.PlayTimeBaseTick != 0 && Hundredths(was.PlayTime()) - Hundredths(time) < 500;
  if (!capped && !firstCheck && Hundredths(time) < Hundredths(was.PlayTime()))
    return Fail("PlayTime went down from " + PlayTimeText(was.PlayTime()) + " to " + PlayTimeText(time));

  constexpr uint32_t kMax32 = 0xFFFFFFFF;
  if (now.TotalKeys() < kMax32 && now.GoodKeys() < kMax32 && now.MissKeys() < kMax32 && total != good + miss)
    return Fail("TotalKeys grew by " + std::to_string(total) + ", GoodKeys by " + std::to_string(good) +
                " and MissKeys by " + std::to_string(miss));
  if (now.GoodKeys() < kMax32 && now.TodayGood() < 0xFFFF && today != good)
    return Fail("TodayGood grew by " + std::to_string(today) + ", GoodKeys by " + std::to_string(good));
  if (now.GoodKeys() < kMax32 && s.GoodSinceStart < 0xFFFF && s.GoodSinceStart - ledger_.goodSinceStart != good)
    return Fail("GoodSinceStart grew by " + std::to_string(s.GoodSinceStart - ledger_.goodSinceStart) +
                ", GoodKeys by " + std::to_string(good));
  if (now.DrillTotal() < kMax32 && drills < starts)
    return Fail("DrillTotal grew by " + std::to_string(drills) + ", the usage counters by " + std::to_string(starts));

  // Grades: 0 → 8, one better at a time, or all erased together with the name.
  const bool erased = Erased(now);
  for (int i = 0; i < DatRecord::kCertGradeCount; ++i) {
    const int before = was.CertGradeAt(i), after = now.CertGradeAt(i);
    if (after < 0 || after > 8) return Fail("grade " + std::to_string(i) + " out of range: " + std::to_string(after));
    if (after == before) continue;
    // One step per character the screen got: 0 → 8, then one better each.
    const int steps = after == 0 ? 0 : before == 0 ? 9 - after : before - after;
    if (!((steps >= 1 && steps <= charsThisEvent_) || (after == 0 && erased)))
      return Fail("grade " + std::to_string(i) + " went from " + std::to_string(before) + " to " +
                  std::to_string(after));
    if (after == 0) continue;
    // Awarded for the drill just played, with fewer than ten misses and the score it needs.
    static constexpr int kMultiplier[] = {1, 2, 4};
    const bool played =
        s.DurationIndex >= 0 && s.DurationIndex <= 2 && s.Mode >= 0 && s.Mode <= 6 && i == s.DurationIndex * 7 + s.Mode;
    if (!played || s.Miss >= 10 ||
        s.Score < game::PlayState::CertStep[static_cast<size_t>(s.Mode)] * (8 - after) +
                      kMultiplier[s.DurationIndex] * game::PlayState::CertBase[static_cast<size_t>(s.Mode)])
      return Fail("grade " + std::to_string(after) + " awarded at " + std::to_string(i) + " after Mode " +
                  std::to_string(s.Mode) + ", DurationIndex " + std::to_string(s.DurationIndex) + ", Score " +
                  std::to_string(s.Score) + ", Miss " + std::to_string(s.Miss));
    ++stats_.gradesAwarded;
  }
  const auto nameBefore = was.CertName(), nameAfter = now.CertName();
  if (nameBefore[0] != 0 && nameAfter != nameBefore && !erased) return Fail("the registered certificate name changed");
  if (nameBefore[0] == 0 && nameAfter[0] != 0) ++stats_.dialogNames;
}

// Tables stand best first. Besides a reset, only a confirmed name changes one: the table of
// the drill just played gets the drill's figures at the place its score earns (an equal
// score ranks below), and the entries below move down one place.
void Monkey::CheckTables(const DatRecord& now) {
  const DatRecord& was = ledger_.record;
  if (std::memcmp(now.Bytes().data(), was.Bytes().data(), DatRecord::kStartDateOffset) == 0) return;
  const game::PlayState& s = Form().State();
  for (int t = 0; t < DatRecord::kRankTables; ++t) {
    bool changed = false;
    for (int r = 0; r < DatRecord::kRanksPerTable; ++r) {
      const game::TRankEntry e = now.RankEntry(t, r);
      changed = changed || e != was.RankEntry(t, r);
      if (r > 0 && e.Score > now.RankEntry(t, r - 1).Score)
        return Fail("table " + std::to_string(t) + " is out of order at rank " + std::to_string(r));
    }
    if (!changed || tablesReset_) continue;
    ++stats_.rankEntries;
    const std::string where = "table " + std::to_string(t) + " changed";
    const int place = s.PendingRank;
    if (s.DurationIndex < 0 || s.DurationIndex > 2 || t != game::TableIndex(s.Mode, s.DurationIndex) || place < 0 ||
        place > 9)
      return Fail(where + " after Mode " + std::to_string(s.Mode) + ", DurationIndex " +
                  std::to_string(s.DurationIndex) + ", PendingRank " + std::to_string(place));
    game::TRankEntry entry{};
    const std::string name = s.EntryName.View();
    entry.Name.fill(' ');
    std::copy_n(name.begin(), std::min<size_t>(name.size(), 10), entry.Name.begin());
    entry.Score = static_cast<uint16_t>(s.Score);
    entry.Good = static_cast<uint16_t>(std::min(s.Good, 65535));
    entry.Miss = static_cast<uint16_t>(std::min(s.Miss, 65535));
    if (now.RankEntry(t, place) != entry) return Fail(where + ": the new entry is not the drill's");
    if (was.RankEntry(t, place).Score >= s.Score || (place > 0 && was.RankEntry(t, place - 1).Score < s.Score))
      return Fail(where + ": score " + std::to_string(s.Score) + " placed at rank " + std::to_string(place));
    for (int r = 0; r < DatRecord::kRanksPerTable; ++r) {
      if (r == place) continue;
      if (now.RankEntry(t, r) != was.RankEntry(t, r < place ? r : r - 1))
        return Fail(where + ": rank " + std::to_string(r) + " did not move down one place");
    }
  }
}

// A fresh start: the session counters begin at zero, and the record is the one saved, but
// for the date of this start and the count of the day.
void Monkey::CheckReload() {
  const game::PlayState& s = Form().State();
  if (s.GoodSinceStart != 0 || s.UptimeSeconds != 0) return Fail("a fresh start does not begin its session at zero");
  // The switches come from the record unless the settings start them off.
  const uint8_t bits = Form().C.CheckBox2->Checked() ? 0 : s.DatRecord.SwitchBits();
  const uint8_t switches[] = {s.SwitchR,    s.SwitchC,    s.SwitchS, s.SwitchK,
                              s.CertSwitch, s.SwitchPlus, s.SwitchB, s.SwitchT};
  for (unsigned bit = 0; bit < 8; ++bit)
    if (s.DataLoaded && switches[bit] != ((bits >> bit) & 1))
      return Fail("switch " + std::to_string(bit) + " does not start as the record says");
  if (!couldSave_) return;
  const auto it = saved_.find(s.DatPath);
  if (it == saved_.end()) return;
  const std::string want(it->second.begin(), it->second.end());
  if (auto at = FirstDifference(s.DatRecord, want, DatRecord::kLastDateOffset, DatRecord::kCertGradesOffset))
    return Fail("the record read at start differs from the one saved at offset " + std::to_string(*at));
  DatRecord saved;
  std::copy(it->second.begin(), it->second.end(), saved.Bytes().begin());
  const plat::LocalDateTime now = platform_->Now();
  const DatRecord::Date today{static_cast<uint16_t>(now.year), static_cast<uint8_t>(now.month),
                              static_cast<uint8_t>(now.day)};
  if (s.DatRecord.LastDate() != today) return Fail("LastDate is not the date of the start");
  const uint16_t todayGood = saved.LastDate() == today ? saved.TodayGood() : 0;
  if (s.DatRecord.TodayGood() != todayGood)
    return Fail("TodayGood after the start is " + std::to_string(s.DatRecord.TodayGood()) + ", not " +
                std::to_string(todayGood));
  ++stats_.reloads;
}

// A close: a run that could save wrote exactly its record; one that could not left the
// file as it was.
void Monkey::CheckSaved() {
  if (auto beside = ReadWhole(programDir_ + "/dojokai.dat"); beside && beside->size() >= DatRecord::kSize) {
    DatRecord file;
    std::copy_n(beside->begin(), DatRecord::kSize, file.Bytes().begin());
    if (!file.ChecksumValid()) return Fail("the data file beside the program fails its checksum after the close");
  }
  const DatRecord& record = Form().State().DatRecord;
  const auto bytes = ReadWhole(datPath_);
  if (couldSave_) {
    if (!bytes || bytes->size() < DatRecord::kSize) return Fail("the data file was not written at the close");
    DatRecord file;
    std::copy_n(bytes->begin(), DatRecord::kSize, file.Bytes().begin());
    if (!file.ChecksumValid()) return Fail("the data file written at the close fails its checksum");
    if (auto at = FirstDifference(record, *bytes))
      return Fail("the data file differs from the record at offset " + std::to_string(*at));
    saved_[datPath_] = file.Bytes();
    ++stats_.saves;
    return;
  }
  const auto it = saved_.find(datPath_);
  if (it == saved_.end()) return;
  if (!bytes || bytes->size() < DatRecord::kSize) return Fail("a run that could not save removed " + datPath_);
  DatRecord before;
  std::copy(it->second.begin(), it->second.end(), before.Bytes().begin());
  if (auto at = FirstDifference(before, *bytes))
    Fail("a run that could not save changed " + datPath_ + " at offset " + std::to_string(*at));
}

void Monkey::Fail(const std::string& why) {
  if (failed_) return;
  failed_ = true;
  std::ostringstream out;
  out << "monkey: " << why << "\n  seed " << options_.seed << ", event " << events_ << " of " << options_.events
      << ", life " << life_ << "\n";
  if (game_) {
    const game::PlayState& s = Form().State();
    const ui::Panel* screen = Form().VisibleScreen();
    out << "  screen " << (screen ? screen->Name() : "none") << ", Mode " << s.Mode << ", DurationIndex "
        << s.DurationIndex << ", Score " << s.Score << ", Good " << s.Good << ", Miss " << s.Miss << ", TotalKeys "
        << s.DatRecord.TotalKeys() << "\n";
  }
  out << "  the last events, as driver commands:\n";
  for (const std::string& line : recent_) out << "    " << line << "\n";
  out << "  again: dojokai-monkey " << events_ << " " << options_.seed << "\n";
  const std::string report = WriteReport(why);
  if (!report.empty())
    out << "  this run of the game as a driver script, with the files it started from: " << report << "\n";
  failure_ = out.str();
}

// The life that failed as a driver script beside the files it started from, and a shell
// script that replays it with dojokai-drive in a folder of its own.
std::string Monkey::WriteReport(const std::string& why) {
  if (options_.reportDir.empty()) return "";
  const std::string dir =
      options_.reportDir + "/monkey-" + std::to_string(options_.seed) + "-" + std::to_string(events_);
  if (!QDir().mkpath(QString::fromStdString(dir + "/start"))) return "";
  std::ofstream script(dir + "/life.dojo", std::ios::binary);
  script << "# Replay: sh replay.sh path/to/dojokai-drive [FOLDER]\n"
         << "# The last command broke the rule: " << why << "\n";
  for (const std::string& line : script_) script << line << "\n";
  for (const auto& [path, bytes] : startFiles_) {
    const bool alt = path.rfind(altDir_, 0) == 0;
    const std::string name = path.substr(path.rfind('/') + 1);
    std::ofstream(dir + "/start/" + (alt ? "alt-" : "") + name, std::ios::binary) << bytes;
  }
  // A data folder named in the configuration moves along with the program folder.
  std::ofstream(dir + "/replay.sh", std::ios::binary)
      << "#!/bin/sh\n# Replays life.dojo in FOLDER (default: a new temporary folder) with the files it started from.\n"
      << "set -e\nhere=$(cd \"$(dirname \"$0\")\" && pwd)\ndir=${2:-$(mktemp -d)}\nmkdir -p \"$dir/alt\"\n"
      << "for f in dojokai.dat dojokai.cfg; do [ ! -f \"$here/start/$f\" ] || cp \"$here/start/$f\" \"$dir/\"; done\n"
      << "[ ! -f \"$here/start/alt-dojokai.dat\" ] || cp \"$here/start/alt-dojokai.dat\" \"$dir/alt/dojokai.dat\"\n"
      << "[ ! -f \"$dir/dojokai.cfg\" ] || sed -i \"s#^DOJDATPATH=" << options_.sandbox
      << "#DOJDATPATH=$dir#\" \"$dir/dojokai.cfg\"\n"
      << "exec \"$1\" --exe-dir \"$dir\" \"$here/life.dojo\"\n";
  return dir;
}

std::string Monkey::Summary() const {
  static constexpr const char* kScreens[] = {"F7Panel", "F4Panel", "F8Panel", "LmPanel", "F1Panel", "F6Panel",
                                             "Panel11", "F5Panel", "FLPanel", "Panel1",  "RjPanel"};
  std::ostringstream out;
  out << "seed " << options_.seed << ": " << stats_.events << " events in " << stats_.lives << " runs of the game ("
      << stats_.quits << " quit by Esc and Yes, " << stats_.windowCloses << " closed by the window)\n  events on";
  for (size_t i = 0; i < stats_.eventsOnScreen.size(); ++i)
    out << " " << kScreens[i] << " " << stats_.eventsOnScreen[i];
  out << "\n  drill and lesson starts " << stats_.drillStarts << ", judged keys " << stats_.judgedKeys
      << ", changed top-10 tables " << stats_.rankEntries << ", grades awarded " << stats_.gradesAwarded
      << ", highest lesson " << stats_.maxLesson << "\n  name dialogs " << stats_.dialogs << " (names registered "
      << stats_.dialogNames << "), questions " << stats_.questions << ", erasures " << stats_.erasures
      << ", table resets " << stats_.tableResets << ", resizes " << stats_.resizes << "\n  screen changes seen "
      << stats_.transitions.size() << ":";
  for (const auto& [from, to] : stats_.transitions) out << " " << from << ">" << to;
  out << "\n  saves checked " << stats_.saves << ", reloads checked " << stats_.reloads
      << ", starts near the counter maxima " << stats_.nearMaxStarts << ", tick wraps " << stats_.tickWraps
      << ", starts on a new day " << stats_.newDays << "\n  simulated time " << stats_.simulatedMs / 1000 << " s\n";
  return out.str();
}

}  // namespace monkey
