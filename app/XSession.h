#pragma once
// The end of the X session (logout, a crashed desktop, a dropped ssh -X) as the game sees
// it: Xlib reports the broken connection and ends the process at once, without the
// window's close and, in some builds, without the exit handlers.
namespace app {

// Runs `save` when Xlib reports the connection to the X server broken, before the
// toolkit's own handling ends the process. Call after the application object exists.
void SaveWhenXConnectionBreaks(void (*save)());

}  // namespace app
