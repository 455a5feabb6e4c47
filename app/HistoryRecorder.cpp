#include "app/HistoryRecorder.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "app/TForm2.h"
#include "game/Modes.h"
#include "platform/Files.h"
#include "stats/RomajiPage.h"
#include "stats/StatsWindow.h"
#include "stats/WeakKeyText.h"

namespace app {

namespace {

constexpr size_t kPracticeLength = 1000;
constexpr char kDbName[] = "dojokai.db";

std::string Format(const plat::LocalDateTime& t, bool compact) {
  char buf[32];
  if (compact)
    std::snprintf(buf, sizeof buf, "%04d%02d%02d-%02d%02d%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
  else
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
  return buf;
}

}  // namespace

std::string HistoryRecorder::PathBeside(const std::string& datPath) {
  const size_t slash = datPath.rfind('/');
  return (slash == std::string::npos ? std::string() : datPath.substr(0, slash + 1)) + kDbName;
}

HistoryRecorder::HistoryRecorder(TForm2& form) : f_(form) {
  std::string datPath = f_.State().DatPath;
  if (datPath.empty()) datPath = f_.Platform().ProgramPath();
  history_ = std::make_unique<records::History>(PathBeside(datPath), [this] { return Stamp(); });
  // An existing file is looked at now, so that a damaged or newer one is told at the start;
  // a new one is made with the first drill, not by merely starting the game.
  if (plat::FileExists(history_->Path())) {
    history_->Open();
    TellNotices();
  }
  Wire();
}

HistoryRecorder::~HistoryRecorder() {
  FinishJudgement();
  window_.reset();
  f_.Drill().SetKeyLog(nullptr);
}

std::string HistoryRecorder::Stamp() const { return Format(f_.Platform().Now(), true); }

std::string HistoryRecorder::Today() const { return Format(f_.Platform().Now(), false).substr(0, 10); }

void HistoryRecorder::TellNotices() {
  for (const std::string& notice : history_->TakeNotices()) f_.Platform().Error(notice, "成績");
}

void HistoryRecorder::Wire() {
  f_.Drill().SetKeyLog(&log_);
  f_.Drill().Ended.Listen([this] { DrillEnded(); });
  // The placement follows the one-second splash; the judgement follows the results.
  f_.Ranks().Placed.Listen([this](int rank) { AfterPlacement(rank); });
  f_.Certification().Opened.Listen([this](lessons::Certification::Message m) { AfterJudgement(m); });
  // Once the practice's results are left, the player's mode and time come back.
  f_.Ranks().PracticeOver.Listen([this] {
    game::PlayState& s = f_.State();
    s.Mode = savedMode_;
    s.DurationIndex = savedDuration_;
  });
  f_.Lessons().LessonResult.Listen([this](int lesson, int misses, bool passed) {
    history_->AddLesson({Format(f_.Platform().Now(), false), lesson, misses, passed});
    TellNotices();
  });
}

void HistoryRecorder::DrillEnded() {
  const bool practice = std::exchange(practice_, false);
  if (log_.Empty()) return;
  FinishJudgement();
  game::PlayState& s = f_.State();
  const uint32_t endTick = f_.Platform().TickCount();
  const uint32_t durationMs = endTick - log_.firstTick;
  records::DrillEntry d;
  const plat::LocalDateTime now = f_.Platform().Now();
  d.started = Format(plat::FromEpochMs(plat::EpochMs(now) - durationMs), false);
  d.mode = s.Mode;
  d.timeSetting = s.DurationIndex;
  // The figures the results screen and the tables show, the Esc that ended the drill
  // counted as the miss it is; an untimed drill, whose figures the rules discard, keeps
  // the keys that were typed.
  const bool discarded = s.DurationIndex >= game::kUntimed && !practice;
  d.good = discarded ? static_cast<int>(log_.good) : s.Good;
  d.miss = discarded ? static_cast<int>(log_.miss) : s.Miss;
  d.score = discarded ? static_cast<int>(std::clamp<int64_t>(16 * (int64_t{d.good} - d.miss), 0, 65535)) : s.Score;
  d.durationMs = durationMs;
  // The keys typed (the Esc is none) over the time they took.
  d.keysPerSecond = durationMs > 0 ? (log_.good + log_.miss) * 1000.0 / durationMs : 0;
  d.practice = practice;
  if (s.TimeLeft == 1)
    d.endedBy = "time";
  else if (s.SwitchPlus && log_.miss >= 9)
    d.endedBy = "misses";
  else
    d.endedBy = "esc";
  history_->AddDrill(d, log_);
  log_.Reset();
  const bool timed =
      s.DurationIndex >= 0 && s.DurationIndex < game::kUntimed && s.Mode >= 0 && s.Mode < game::kTimedModes;
  awaitingPlace_ = timed && s.Good > 0;
  awaitingJudge_ = awaitingPlace_;
  TellNotices();
}

void HistoryRecorder::AfterPlacement(int r) {
  if (!awaitingPlace_) return;
  awaitingPlace_ = false;
  if (r >= 0 && r < 10) {
    history_->SetLastPlace(r + 1);
    TellNotices();
  }
}

// The judgement opens on leaving the results; a pass climbs one grade per key after it, so
// the grade reached is read when the judgement is written: at the next drill, when the
// statistics window opens, or when the game closes.
void HistoryRecorder::AfterJudgement(lessons::Certification::Message message) {
  if (!awaitingJudge_) return;
  awaitingJudge_ = false;
  game::PlayState& s = f_.State();
  pendingCert_ = records::CertEntry{};
  pendingCert_.at = Format(f_.Platform().Now(), false);
  pendingCert_.mode = s.Mode;
  pendingCert_.timeSetting = s.DurationIndex;
  pendingCert_.score = s.Score;
  switch (message) {
    case lessons::Certification::Message::GradeOneHeld: pendingCert_.result = "1級保持"; break;
    case lessons::Certification::Message::TooManyMisses: pendingCert_.result = "不合格 (MISS)"; break;
    case lessons::Certification::Message::ScoreShort: pendingCert_.result = "不合格"; break;
    case lessons::Certification::Message::None: break;  // a pass, written with the grade reached
  }
  certPending_ = true;
}

void HistoryRecorder::FinishJudgement(bool tell) {
  if (!certPending_) return;
  certPending_ = false;
  pendingCert_.grade = f_.Certification().GetCertGrade(pendingCert_.mode, pendingCert_.timeSetting);
  if (pendingCert_.result.empty()) pendingCert_.result = "合格 " + std::to_string(pendingCert_.grade) + "級";
  history_->AddCertification(pendingCert_);
  if (tell) TellNotices();
}

void HistoryRecorder::SaveNow(bool tell) {
  FinishJudgement(tell);
  history_->Flush();
  if (tell)
    TellNotices();
  else
    history_->TakeNotices();
}

void HistoryRecorder::CloseStatistics() {
  if (window_) window_->close();
}

void HistoryRecorder::OpenStatistics() {
  if (!window_) {
    window_ = std::make_unique<stats::StatsWindow>(*history_, [this] { return Today(); });
    window_->OnPractice = [this](stats::Layer layer) { return StartPractice(layer); };
    window_->AfterReading = [this] { TellNotices(); };
    window_->Romaji().RomajiEntries = [this] { return f_.Romaji().PracticePool(); };
    window_->Romaji().StartKanaPractice = [this](std::vector<game::romaji::Entry> entries) {
      return StartKanaPractice(std::move(entries));
    };
  }
  // As large as the game's window, but never too small to read, and beside it on the screen.
  if (!window_->isVisible()) window_->FitBeside(f_, f_.Platform().ArrangesWindows());
  FinishJudgement();
  history_->Flush();
  // Shown first: the charts lay out their axes for the size they are drawn at.
  window_->show();
  window_->Reload();
  TellNotices();
  f_.Platform().Raise(*window_);
}

std::string HistoryRecorder::StartPractice(stats::Layer layer) {
  game::PlayState& s = f_.State();
  if (f_.Drill().Practice()) return "練習中です";
  practiceText_ =
      stats::PracticeText(*history_, layer, static_cast<uint32_t>(f_.Platform().CalendarSeconds()), kPracticeLength);
  if (practiceText_.empty()) return "苦手キーを選べるだけの記録がまだありません";
  if (!f_.Title().LeaveForPractice()) return "ドリルの途中では始められません。タイトル画面に戻ってから押してください";
  savedMode_ = s.Mode;
  savedDuration_ = s.DurationIndex;
  practice_ = true;
  f_.Drill().SetPractice(true);
  // Played like an untimed drill of the layer's random mode, on the player's text.
  s.Mode = layer == stats::Layer::Latin ? 2 : 6;
  s.DurationIndex = game::kUntimed;
  s.TimeLeft = game::kDurationSeconds[game::kUntimed] * 10;
  s.Score = s.Good = s.Miss = 0;
  f_.F1T1.SetEnabled(false);
  s.DrillText = {reinterpret_cast<const uint8_t*>(practiceText_.data()), practiceText_.size()};
  f_.Drill().StartDrill();
  s.DatRecord.AddDrillTotal();
  f_.Screens().Show(game::Screen::Drill);
  f_.Screens().Hide(game::Screen::Title);
  f_.Platform().Raise(f_);
  return "";
}

std::string HistoryRecorder::StartKanaPractice(std::vector<game::romaji::Entry> entries) {
  if (f_.Drill().Practice()) return "練習中です";
  if (!f_.Title().LeaveForPractice()) return "ドリルの途中では始められません。タイトル画面に戻ってから押してください";
  f_.Romaji().StartPractice(std::move(entries));
  f_.Platform().Raise(f_);
  return "";
}

}  // namespace app
