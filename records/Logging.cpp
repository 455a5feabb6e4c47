#include "records/Logging.h"

namespace records {

Q_LOGGING_CATEGORY(lcRecords, "dojokai.records", QtWarningMsg)
Q_LOGGING_CATEGORY(lcHistory, "dojokai.history", QtWarningMsg)

}  // namespace records
