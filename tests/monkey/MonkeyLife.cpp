// The runs of the game one after another: the files and the clock each starts from, the
// start and the close.
#include <QDialog>
#include <fstream>
#include <iterator>

#include "app/Game.h"
#include "platform/Files.h"
#include "platform/Ini.h"
#include "tests/monkey/Monkey.h"
#include "tests/monkey/MonkeyUtil.h"

namespace monkey {
namespace {

// The virtual platform, with the player's answer chosen when a question comes up without
// one waiting.
class MonkeyPlatform : public plat::VirtualPlatform {
 public:
  std::function<void(const std::string&)> BeforeQuestion;
  bool Question(const std::string& text, const std::string& caption) override {
    if (BeforeQuestion) BeforeQuestion(text);
    return VirtualPlatform::Question(text, caption);
  }
};

}  // namespace

void Monkey::StartLife() {
  ++life_;
  ++stats_.lives;
  script_.clear();
  quitting_ = false;

  // The calendar goes on from the last run: minutes later, the next day, or just before
  // midnight so that the run crosses it.
  const int64_t day = 86400000;
  const int64_t before = calendarMs_ / day;
  const uint64_t pick = Below(100);
  if (pick < 60) {
    calendarMs_ += static_cast<int64_t>(Below(600)) * 1000;
  } else if (pick < 80) {
    calendarMs_ += day + static_cast<int64_t>(Below(3600)) * 1000;
  } else if (pick < 90) {
    calendarMs_ = (calendarMs_ / day + 1) * day - static_cast<int64_t>(1 + Below(120)) * 1000;
  } else {
    calendarMs_ += static_cast<int64_t>(Below(3 * 86400)) * 1000;
  }
  calendarMs_ -= calendarMs_ % 1000;
  if (calendarMs_ / day != before) ++stats_.newDays;

  // The tick count at start: an ordinary hour of uptime, a machine just booted, or the
  // count about to pass its sign bit or to wrap.
  uint32_t uptime = 3600000;
  switch (Below(10)) {
    case 0: uptime = static_cast<uint32_t>(Below(20000)); break;
    case 1: uptime = 0x80000000u - static_cast<uint32_t>(Below(60000)); break;
    case 2: uptime = static_cast<uint32_t>(0x100000000ull - Below(60000) - 1); break;
    default: break;
  }

  PrepareFiles();

  auto platform = std::make_unique<MonkeyPlatform>();
  platform->BeforeQuestion = [this](const std::string& text) { AnswerNow(text); };
  platform_ = std::move(platform);
  platform_->SetProgramDir(programDir_);
  platform_->SetNow(FromMs(calendarMs_));
  platform_->SetUptime(uptime);
  platform_->SetModalLoop([this](QDialog& dialog) { ModalLoop(dialog); });
  messagesSeen_ = 0;
  pendingAnswers_ = 0;
  Log("# life " + std::to_string(life_) + " of seed " + std::to_string(options_.seed));
  Log(NowLine(FromMs(calendarMs_)));
  Log("uptime " + std::to_string(uptime));
  Log("start");
  game_ = std::make_unique<app::Game>(*platform_);
  Form().SetSimulatedFocus(true);

  // Who plays this time: someone hitting keys at random, a beginner, or a keen typist.
  static constexpr int kAccuracy[] = {0, 30, 70, 90, 98, 99};
  accuracy_ = kAccuracy[Below(std::size(kAccuracy))];
  keen_ = accuracy_ >= 98;

  game::PlayState& s = Form().State();
  datPath_ = s.DatPath;
  couldSave_ = s.DataLoaded && !s.DatNoSave && s.DatHandle.IsOpen();
  CheckReload();
  if (failed_) return;

  // Now and then the game has been running for days: the session counters near their caps.
  if (Chance(5)) {
    s.GoodSinceStart = 65535 - static_cast<int>(Below(40));
    s.StartSeconds -= 921658 - static_cast<int>(Below(30));
    Log("# a long session: GoodSinceStart " + std::to_string(s.GoodSinceStart) + ", StartSeconds " +
        std::to_string(s.StartSeconds) + " (set directly)");
  }
  ledger_.record = s.DatRecord;
  ledger_.goodSinceStart = s.GoodSinceStart;
  ledger_.uptime = s.UptimeSeconds;
  ledger_.startSeconds = s.StartSeconds;
  ledger_.playTimeBaseTick = s.PlayTimeBaseTick;
  ledger_.tick = platform_->TickCount();
  ledger_.judged = 0;
  ledger_.screen = nullptr;
  wrapPending_ = false;
  CheckState();
}

void Monkey::EndLife(bool quit) {
  if (quit)
    ++stats_.quits;
  else
    ++stats_.windowCloses;
  CheckSaved();
  calendarMs_ = ToMs(platform_->Now());
  game_.reset();
  platform_.reset();
}

// The configuration may name a folder for the data file; it is kept inside the sandbox, in
// a folder that exists or one that does not. Now and then the data file starts with its
// counters close to their maxima.
void Monkey::PrepareFiles() {
  const std::string cfg = programDir_ + "/dojokai.cfg";
  if (plat::FileExists(cfg)) {
    plat::IniFile ini(cfg);
    // Half the time a data file switched off is switched on again, as by hand in the file.
    if (ini.ReadInteger("DOJOKAI", "DOJDATNOTRW", 0) == 1 && Chance(50)) ini.WriteString("DOJOKAI", "DOJDATNOTRW", "0");
    if (ini.ReadInteger("DOJOKAI", "DOJDATPATHON", 0) == 1) {
      const uint64_t pick = Below(10);
      const std::string folder = pick < 5 ? altDir_ : pick < 8 ? altDir_ + "/" : options_.sandbox + "/missing";
      ini.WriteString("DOJOKAI", "DOJDATPATH", folder);
    }
  }
  const std::string path = ActiveDatPath();
  if (!path.empty() && life_ > 1 && Chance(10)) {
    game::DatRecord r;
    const plat::LocalDateTime today = FromMs(calendarMs_);
    const game::DatRecord::Date date{static_cast<uint16_t>(today.year), static_cast<uint8_t>(today.month),
                                     static_cast<uint8_t>(today.day)};
    r.ResetDataRecord(date);
    if (auto bytes = ReadWhole(path); bytes && bytes->size() >= game::DatRecord::kSize)
      std::copy_n(bytes->begin(), game::DatRecord::kSize, r.Bytes().begin());
    const auto near32 = [this] { return static_cast<uint32_t>(0xFFFFFFFFu - Below(200)); };
    const auto near16 = [this] { return static_cast<uint16_t>(0xFFFF - Below(200)); };
    r.SetTotalKeys(near32());
    r.SetGoodKeys(near32());
    r.SetMissKeys(near32());
    r.SetDrillTotal(near32());
    r.SetTodayGood(near16());
    r.SetOtherModeUse(near16());
    for (int d = 0; d < 3; ++d)
      for (int m = 0; m < 7; ++m) r.SetModeUse(d, m, near16());
    r.SetPlayTime({65535, 59, static_cast<uint8_t>(40 + Below(20)), static_cast<uint8_t>(5 * Below(20))});
    r.SetLastDate(date);
    r.SetChecksum(r.ComputeChecksum());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(r.Bytes().data()), game::DatRecord::kSize);
    out.close();
    if (out) {
      saved_[path] = r.Bytes();
      ++stats_.nearMaxStarts;
    }
  }
  startFiles_.clear();
  for (const std::string& name : {programDir_ + "/dojokai.dat", programDir_ + "/dojokai.cfg", altDir_ + "/dojokai.dat"})
    if (auto bytes = ReadWhole(name)) startFiles_[name] = *bytes;
}

// The data file the next start opens, "" when the settings switch it off.
std::string Monkey::ActiveDatPath() const {
  const plat::IniFile ini(programDir_ + "/dojokai.cfg");
  if (ini.ReadInteger("DOJOKAI", "DOJDATNOTRW", 0) == 1) return "";
  if (ini.ReadInteger("DOJOKAI", "DOJDATPATHON", 0) != 1) return programDir_ + "/dojokai.dat";
  std::string folder = ini.ReadString("DOJOKAI", "DOJDATPATH", "");
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder + "dojokai.dat";
}

}  // namespace monkey
