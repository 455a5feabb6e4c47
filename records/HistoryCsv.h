#pragma once
// The history as CSV (UTF-8, one row per drill, a header row first), and back.
#include <optional>
#include <string>
#include <vector>

#include "records/History.h"

namespace records {

std::string DrillsCsv(const std::vector<DrillEntry>& drills);
// Rows of a CSV made by DrillsCsv; nullopt when the text is not one.
std::optional<std::vector<DrillEntry>> ParseDrillsCsv(const std::string& text);
// Writes the whole history to `path`; false when the file cannot be written.
bool ExportDrillsCsv(History& history, const std::string& path);

}  // namespace records
