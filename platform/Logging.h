#pragma once
// The game's logging categories below the records: what the game found out about the
// window system. Warnings show by default; the rest shows with
// QT_LOGGING_RULES="dojokai.*=true" (or dojokai.keyboard.debug=true, ...).
#include <QLoggingCategory>

namespace plat {

// Reading the keymap in use: which source answered, and why none did.
Q_DECLARE_LOGGING_CATEGORY(lcKeyboard)

}  // namespace plat
