#include "records/HistoryCsv.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "game/Modes.h"
#include "platform/Cp932.h"

namespace records {

namespace {

// The columns named as the game names them; spreadsheets read UTF-8 for the byte-order mark.
constexpr int kColumns = 16;
constexpr const char* kHeader[kColumns] = {
    "番号", "日時",      "モード番号",   "モード",  "時間番号",     "時間", "スコア",       "GOOD",
    "MISS", "正確さ(%)", "所要時間(ms)", "打鍵/秒", "ベスト10順位", "検定", "苦手キー練習", "終わり方"};
// The same columns as the first exports named them.
constexpr const char* kOldHeader[kColumns] = {
    "id",   "started",          "mode",        "mode_name",    "time_setting", "time_name",     "score",    "good",
    "miss", "accuracy_percent", "duration_ms", "keys_per_sec", "top10_place",  "certification", "practice", "ended_by"};
constexpr char kBom[] = "\xEF\xBB\xBF";

std::string Quoted(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

std::string Fixed(double v, int decimals) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
  return buf;
}

// One CSV record into its fields; `at` moves past it. False at a broken quote.
bool IsHeader(const std::vector<std::string>& fields, const char* const (&names)[kColumns]) {
  return std::equal(fields.begin(), fields.end(), std::begin(names), std::end(names));
}

bool ReadRecord(const std::string& text, size_t& at, std::vector<std::string>& fields) {
  fields.assign(1, "");
  bool quoted = false;
  while (at < text.size()) {
    const char c = text[at++];
    if (quoted) {
      if (c == '"') {
        if (at < text.size() && text[at] == '"') {
          fields.back() += '"';
          ++at;
        } else {
          quoted = false;
        }
      } else {
        fields.back() += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      fields.emplace_back();
    } else if (c == '\n') {
      return true;
    } else if (c != '\r') {
      fields.back() += c;
    }
  }
  return !quoted;
}

}  // namespace

std::string DrillsCsv(const std::vector<DrillEntry>& drills) {
  std::string out = kBom;
  for (int i = 0; i < kColumns; ++i) out += (i ? "," : "") + Quoted(kHeader[i]);
  out += "\r\n";
  for (const DrillEntry& d : drills) {
    const bool drillMode = d.mode >= 0 && d.mode < game::kTimedModes;
    const std::string modeName = drillMode ? plat::cp932::ToUtf8(game::kModeNames[static_cast<size_t>(d.mode)]) : "";
    const std::string timeName = d.timeSetting >= 0 && d.timeSetting <= game::kUntimed
                                     ? std::string(game::kDurationLabels[static_cast<size_t>(d.timeSetting)])
                                     : std::string();
    const int keys = d.good + d.miss;
    const double accuracy = keys > 0 ? 100.0 * d.good / keys : 0;
    const std::string fields[kColumns] = {
        std::to_string(d.id),          d.started,
        std::to_string(d.mode),        modeName,
        std::to_string(d.timeSetting), timeName.substr(std::min(timeName.size(), timeName.find_first_not_of(' '))),
        std::to_string(d.score),       std::to_string(d.good),
        std::to_string(d.miss),        Fixed(accuracy, 1),
        std::to_string(d.durationMs),  Fixed(d.keysPerSecond, 3),
        std::to_string(d.place),       d.certification,
        d.practice ? "1" : "0",        d.endedBy};
    for (int i = 0; i < kColumns; ++i) out += (i ? "," : "") + Quoted(fields[i]);
    out += "\r\n";
  }
  return out;
}

std::optional<std::vector<DrillEntry>> ParseDrillsCsv(const std::string& text) {
  size_t at = text.starts_with(kBom) ? sizeof kBom - 1 : 0;
  std::vector<std::string> f;
  if (!ReadRecord(text, at, f) || !(IsHeader(f, kHeader) || IsHeader(f, kOldHeader))) return std::nullopt;
  std::vector<DrillEntry> rows;
  try {
    while (at < text.size()) {
      if (!ReadRecord(text, at, f)) return std::nullopt;
      if (f.size() == 1 && f[0].empty()) continue;
      if (f.size() != kColumns) return std::nullopt;
      DrillEntry d;
      d.id = std::stoll(f[0]);
      d.started = f[1];
      d.mode = std::stoi(f[2]);
      d.timeSetting = std::stoi(f[4]);
      d.score = std::stoi(f[6]);
      d.good = std::stoi(f[7]);
      d.miss = std::stoi(f[8]);
      d.durationMs = std::stoll(f[10]);
      d.keysPerSecond = std::stod(f[11]);
      d.place = std::stoi(f[12]);
      d.certification = f[13];
      d.practice = f[14] == "1";
      d.endedBy = f[15];
      rows.push_back(std::move(d));
    }
  } catch (const std::exception&) {
    return std::nullopt;
  }
  return rows;
}

std::string RomajiDrillsCsv(const std::vector<RomajiDrillEntry>& drills) {
  static constexpr const char* kRomajiHeader[] = {
      "番号",       "日時",       "リスト",       "種類",         "時間番号", "時間",    "スコア",
      "GOOD",       "MISS",       "正確さ(%)",    "所要時間(ms)", "打鍵/秒",  "かな/分", "完了語数",
      "完了かな数", "最少打鍵数", "ベスト10順位", "苦手かな練習", "終わり方"};
  static constexpr const char* kKinds[] = {"ことば", "文"};
  std::string out = kBom;
  for (size_t i = 0; i < std::size(kRomajiHeader); ++i) out += (i ? "," : "") + Quoted(kRomajiHeader[i]);
  out += "\r\n";
  for (const RomajiDrillEntry& d : drills) {
    const std::string timeName = d.timeSetting >= 0 && d.timeSetting <= game::kUntimed
                                     ? std::string(game::kDurationLabels[static_cast<size_t>(d.timeSetting)])
                                     : std::string();
    const int keys = d.good + d.miss;
    const std::string fields[] = {std::to_string(d.id),
                                  d.started,
                                  d.list,
                                  d.kind == 0 || d.kind == 1 ? kKinds[d.kind] : std::to_string(d.kind),
                                  std::to_string(d.timeSetting),
                                  timeName.substr(std::min(timeName.size(), timeName.find_first_not_of(' '))),
                                  std::to_string(d.score),
                                  std::to_string(d.good),
                                  std::to_string(d.miss),
                                  Fixed(keys > 0 ? 100.0 * d.good / keys : 0, 1),
                                  std::to_string(d.durationMs),
                                  Fixed(d.keysPerSecond, 3),
                                  Fixed(d.kanaPerMinute, 1),
                                  std::to_string(d.entries),
                                  std::to_string(d.kana),
                                  std::to_string(d.fewestKeys),
                                  std::to_string(d.place),
                                  d.practice ? "1" : "0",
                                  d.endedBy};
    static_assert(std::size(fields) == std::size(kRomajiHeader));
    for (size_t i = 0; i < std::size(fields); ++i) out += (i ? "," : "") + Quoted(fields[i]);
    out += "\r\n";
  }
  return out;
}

std::string RomajiCsvPath(const std::string& path) {
  const bool csv = path.size() > 4 && path.compare(path.size() - 4, 4, ".csv") == 0;
  return (csv ? path.substr(0, path.size() - 4) : path) + "-ローマ字.csv";
}

bool ExportDrillsCsv(History& history, const std::string& path) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) return false;
  file << DrillsCsv(history.Drills());
  file.flush();
  if (!file) return false;
  const std::vector<RomajiDrillEntry> romaji = history.RomajiDrills();
  if (romaji.empty()) return true;  // no second file while there are no romaji drills
  std::ofstream second(RomajiCsvPath(path), std::ios::binary | std::ios::trunc);
  second << RomajiDrillsCsv(romaji);
  second.flush();
  return static_cast<bool>(second);
}

}  // namespace records
