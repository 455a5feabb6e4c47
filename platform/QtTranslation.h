#pragma once
// The toolkit's own Japanese translation, so that its standard dialogs (the buttons of the
// message boxes: はい, いいえ, OK) read as a Japanese desktop shows them, whatever the locale.
#include <memory>
#include <string>

class QTranslator;

namespace plat {

// Loads qtbase_ja from `folder` (empty: the toolkit's translations folder) and installs it
// in the application. Null when the file is missing or unreadable: the buttons stay English.
std::unique_ptr<QTranslator> InstallJapaneseDialogs(const std::string& folder = "");

}  // namespace plat
