#include "platform/Logging.h"

namespace plat {

Q_LOGGING_CATEGORY(lcKeyboard, "dojokai.keyboard", QtWarningMsg)

}  // namespace plat
