#pragma once

namespace drive {
// Headless runs: the offscreen platform with one 1920 × 1200 screen (so a script can make
// the window as large as a desktop allows), and a private runtime folder. Call before the
// application object exists.
void UseOffscreenScreen();
}  // namespace drive
