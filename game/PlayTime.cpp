#include "game/PlayTime.h"

namespace game {

void AdvancePlayTime(TitleState& s, DatRecord& record, uint32_t tick) {
  DatRecord::PlayTimeValue t = record.PlayTime();
  int hours = t.Hours, minutes = t.Minutes, seconds = t.Seconds, hundredths = t.Hundredths;

  s.PlayTimeNominalMs += 50;
  if (s.PlayTimeNominalMs >= 5000) {
    // Before the first reference (0) d is the whole uptime less 5 s; the wrapping difference
    // would make that a small negative number just before the tick count wraps.
    int64_t d = s.PlayTimeBaseTick == 0 ? int64_t{tick} - s.PlayTimeNominalMs
                                        : static_cast<int32_t>(tick - static_cast<uint32_t>(s.PlayTimeBaseTick) -
                                                               static_cast<uint32_t>(s.PlayTimeNominalMs));
    if (d > 19999 || d < -19999)
      d = 0;
    else
      seconds += static_cast<int>(d / 1000);
    s.PlayTimeBaseTick = static_cast<int32_t>(tick - static_cast<uint32_t>(d % 1000));
    s.PlayTimeNominalMs -= 5000;
  }

  const bool atCap = hours == 65535 && minutes == 59 && seconds >= 59;
  if (atCap) {
    record.SetPlayTime({65535, 59, 59, 0});
    return;
  }
  hundredths += 5;
  if (hundredths >= 100) {
    hundredths = 0;
    seconds += 1;
  }
  // A backward correction borrows from the minutes and hours, never below zero.
  while (seconds < 0) {
    if (minutes == 0 && hours == 0) {
      seconds = 0;
      hundredths = 0;
      break;
    }
    seconds += 60;
    if (--minutes < 0) {
      minutes = 59;
      --hours;
    }
  }
  if (seconds >= 60) {
    seconds -= 60;
    minutes += 1;
  }
  if (minutes >= 60) {
    if (hours >= 65535) {
      minutes = 59;
      seconds = 59;
      hundredths = 0;
    } else {
      minutes = 0;
      hours += 1;
    }
  }
  record.SetPlayTime({static_cast<uint16_t>(hours), static_cast<uint8_t>(minutes), static_cast<uint8_t>(seconds),
                      static_cast<uint8_t>(hundredths)});
}

CertStars CertStarsOf(const DatRecord& record) {
  int n = 0;
  for (int i = 0; i < DatRecord::kCertGradeCount; ++i) n += record.CertGradeAt(i) == 1;
  CertStars stars;
  if (n > 20) {
    stars.text += "★☆★";
    stars.level = CertStars::Level::All;
    n = 0;
  }
  if (n >= 20) {
    stars.text += "★★";
    stars.level = CertStars::Level::Twenty;
    n -= 20;
  }
  if (n >= 10) {
    stars.text += "★";
    n -= 10;
  }
  if (n >= 5) {
    stars.text += "☆";
    n -= 5;
  }
  stars.text.append(static_cast<size_t>(n), '+');
  return stars;
}

}  // namespace game
