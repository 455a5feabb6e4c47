#pragma once
// The history as CSV (UTF-8 with a byte-order mark, a row of Japanese column names, then one
// row per drill), and back.
#include <optional>
#include <string>
#include <vector>

#include "records/History.h"

namespace records {

std::string DrillsCsv(const std::vector<DrillEntry>& drills);
// Rows of a CSV made by DrillsCsv, or by the first exports (English column names, no
// byte-order mark); nullopt when the text is not one.
std::optional<std::vector<DrillEntry>> ParseDrillsCsv(const std::string& text);
// The romaji drills the same way, with their own columns.
std::string RomajiDrillsCsv(const std::vector<RomajiDrillEntry>& drills);
// Where the romaji drills of an export to `path` go: beside it, "NAME-ローマ字.csv".
std::string RomajiCsvPath(const std::string& path);
// Writes the whole history to `path`, and the romaji drills (when there are any) to
// RomajiCsvPath(path); false when a file cannot be written.
bool ExportDrillsCsv(History& history, const std::string& path);

}  // namespace records
