#include "SettingsLog.h"

Q_LOGGING_CATEGORY(lcSettings, "tintor.settings")
