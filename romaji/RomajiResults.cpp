#include "romaji/RomajiResults.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "platform/Cp932.h"

namespace romaji {
namespace {

constexpr std::array<const char*, 4> kTimeNames = {"30s", "60s", "120s", "無制限"};
constexpr std::array<const char*, 2> kKindNames = {"ことば", "文"};

std::string Printf(const char* format, auto... args) {
  char buf[160];
  std::snprintf(buf, sizeof buf, format, args...);
  return buf;
}

// The name entry's bytes (CP932, padded with blanks) as the table keeps them: UTF-8, trimmed.
std::string NameText(const std::string& bytes) {
  std::string name = plat::cp932::ToUtf8(bytes);
  while (!name.empty() && name.back() == ' ') name.pop_back();
  return name;
}

}  // namespace

const char* KindName(int kind) { return kKindNames[static_cast<size_t>(std::clamp(kind, 0, 1))]; }
const char* TimeName(int timeSetting) { return kTimeNames[static_cast<size_t>(std::clamp(timeSetting, 0, 3))]; }

RomajiResults::RomajiResults(game::Screens& screens, ui::MainControls& c, plat::Platform& platform,
                             drill::RankTables& rankTables)
    : screens_(screens), C(c), platform_(platform), rankTables_(rankTables) {}

std::string RomajiResults::FiguresText(const Summary& s) {
  const game::romaji::RunFigures f = game::romaji::FiguresOf(s.good, s.miss, s.kana, s.ms);
  std::string text = Printf("SCORE %05d   GOOD %d   MISS %d   %.1f 秒\n", s.score, s.good, s.miss, s.ms / 1000.0);
  text += Printf("キー/秒   %6.2f\n", f.keysPerSecond);
  text += Printf("かな/分   %6.1f\n", f.kanaPerMinute);
  text += Printf("正確さ    %6.1f %%\n", f.accuracy);
  text += Printf("打ち終えた %d 語の打鍵数 %d (最少 %d)   かな %d", s.entries, s.keys, s.fewest, s.kana);
  return text;
}

void RomajiResults::Show(const Summary& summary, const game::romaji::Tally& tally) {
  last_ = summary;
  C.RjL20->SetCaption(std::string("結果  ") + (summary.practice ? "苦手かな練習" : KindName(summary.kind)) + " (" +
                      TimeName(summary.timeSetting) + ")  " + summary.list);
  C.RjL21->SetCaption(FiguresText(summary));
  C.RjP2->Show();
  records::History* history = history_ ? history_() : nullptr;
  // A timed drill takes a place (also one cut short by Esc, as in the drills); a practice
  // and an untimed drill never do.
  const bool ranked = history && !summary.practice && summary.timeSetting < 3;
  const int place =
      ranked && summary.score > 0 ? history->RomajiPlace(summary.list, summary.timeSetting, summary.score) : 0;
  Write(summary, tally, place);
  if (place < 1 || place > 10) {
    ShowTable(0);
    return;
  }
  rankTables_.AskName(place, [this, place](const std::string& nameBytes) {
    if (records::History* h = history_ ? history_() : nullptr) {
      h->AddRomajiRank(last_.list, last_.timeSetting,
                       {NameText(nameBytes), last_.score, last_.good, last_.miss, Stamp()});
    }
    ShowTable(place);
    screens_.Show(game::Screen::Romaji);
  });
  screens_.Hide(game::Screen::Romaji);
}

void RomajiResults::Hide() { C.RjP2->Hide(); }

std::string RomajiResults::Stamp() {
  const plat::LocalDateTime t = platform_.Now();
  return Printf("%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
}

void RomajiResults::Write(const Summary& s, const game::romaji::Tally& tally, int place) {
  records::History* history = history_ ? history_() : nullptr;
  if (!history || (s.good == 0 && s.miss == 0)) return;
  const game::romaji::RunFigures f = game::romaji::FiguresOf(s.good, s.miss, s.kana, s.ms);
  records::RomajiDrillEntry entry;
  entry.started = s.started;
  entry.list = s.list;
  entry.kind = s.kind;
  entry.timeSetting = s.timeSetting;
  entry.score = s.score;
  entry.good = s.good;
  entry.miss = s.miss;
  entry.durationMs = s.ms;
  entry.entries = s.entries;
  entry.kana = s.kana;
  entry.fewestKeys = s.fewest;
  entry.keysPerSecond = f.keysPerSecond;
  entry.kanaPerMinute = f.kanaPerMinute;
  entry.accuracy = f.accuracy;
  entry.place = place;
  entry.practice = s.practice;
  entry.endedBy = s.endedBy;
  std::vector<records::KanaFigures> kana;
  for (const auto& [k, v] : tally.KanaFigures()) kana.push_back({k, v.targeted, v.missed, v.msSum, v.timed});
  std::vector<records::RomajiConfusion> confusions;
  for (const auto& [keys, count] : tally.Confusions()) confusions.push_back({keys.first, keys.second, count});
  history->AddRomajiDrill(entry, kana, confusions);
  for (const std::string& notice : history->TakeNotices()) platform_.Error(notice, "成績");
}

void RomajiResults::ShowTable(int highlight) {
  records::History* history = history_ ? history_() : nullptr;
  if (last_.practice || last_.timeSetting >= 3 || !history) {
    C.RjL22->SetCaption(last_.practice ? "練習は順位に入りません" : "時間無制限の記録は順位に入りません");
    return;
  }
  std::string text = Printf("TOP 10  %s (%s)\n rank  NAME        SCORE   GOOD   MISS  日時", last_.list.c_str(),
                            TimeName(last_.timeSetting));
  const std::vector<records::RomajiRank> top = history->RomajiTop10(last_.list, last_.timeSetting);
  for (size_t i = 0; i < 10; ++i) {
    text += '\n';
    const char mark = static_cast<int>(i) + 1 == highlight ? '>' : ' ';
    if (i < top.size()) {
      const records::RomajiRank& r = top[i];
      // The name in ten columns: its CP932 bytes count the width of the fixed-pitch font.
      std::string name = r.name;
      const size_t width = plat::cp932::FromUtf8(name).value_or(name).size();
      if (width < 10) name.append(10 - width, ' ');
      text += Printf("%c%3zu   %s  %05d  %5d  %5d  %s", mark, i + 1, name.c_str(), r.score, r.good, r.miss,
                     r.at.substr(0, 10).c_str());
    } else {
      text += Printf("%c%3zu   ----------", mark, i + 1);
    }
  }
  C.RjL22->SetCaption(text);
}

}  // namespace romaji
