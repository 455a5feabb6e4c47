// Kept apart from the other sources (no unity batch, no shared header): Xlib's macros
// (None, Bool, Status) clash with the toolkit's names.
#include "app/XSession.h"

#include <X11/Xlib.h>

namespace app {
namespace {

XIOErrorHandler toolkitHandler = nullptr;
void (*saveRecords)() = nullptr;

int OnConnectionBroken(Display* display) {
  if (saveRecords) saveRecords();
  return toolkitHandler ? toolkitHandler(display) : 0;
}

}  // namespace

void SaveWhenXConnectionBreaks(void (*save)()) {
  saveRecords = save;
  toolkitHandler = XSetIOErrorHandler(OnConnectionBroken);
}

}  // namespace app
