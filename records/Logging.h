#pragma once
// The logging categories of the game's files. Warnings show by default; the rest shows with
// QT_LOGGING_RULES="dojokai.*=true" (or dojokai.records.info=true, ...). What the player must
// know is told in the window, never only here.
#include <QLoggingCategory>

namespace records {

// The data file dojokai.dat and the settings file dojokai.cfg: opening, saving, folders.
Q_DECLARE_LOGGING_CATEGORY(lcRecords)
// The history database dojokai.db: SQLite's answers behind every notice and silent retry.
Q_DECLARE_LOGGING_CATEGORY(lcHistory)

}  // namespace records
