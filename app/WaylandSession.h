#pragma once
// The end of a Wayland session (logout, a crashed compositor) as the game sees it: the
// toolkit's Wayland plugin reports the broken connection as a warning and ends the process
// at once with _exit(), without the window's close and without the exit handlers.
#include <string_view>

namespace app {

// Runs `save` when the toolkit reports its Wayland connection broken, before it ends the
// process. The report may come from one of the toolkit's own threads; the save then runs on
// the main thread all the same (the game's state is never touched from two threads), and
// the reporting thread waits for it at most kWaylandSaveWaitMs, so that the process still
// ends at once should the main thread be stuck. Call after the application object exists.
void SaveWhenWaylandConnectionBreaks(void (*save)());
constexpr int kWaylandSaveWaitMs = 800;

// Whether a warning of the toolkit is its last word on a broken Wayland connection.
bool IsWaylandConnectionLoss(std::string_view warning);

}  // namespace app
