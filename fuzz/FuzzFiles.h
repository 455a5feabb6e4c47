#pragma once
// File helpers of the fuzz targets: a private folder for the run (in memory where the
// system has one, so the many small writes stay cheap) and whole-file writes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fuzz {

// A fresh folder of this process, made on first use and removed at exit.
const std::string& WorkFolder();
// Replaces the file at `path` with exactly these bytes; aborts when it cannot.
void WriteFile(const std::string& path, const uint8_t* data, size_t size);
// The whole file; empty when it is missing.
std::vector<uint8_t> ReadFile(const std::string& path);
// Removes every file of the work folder.
void ClearWorkFolder();

}  // namespace fuzz
