#include "WidgetsLog.h"

Q_LOGGING_CATEGORY(lcWidgets, "tintor.widgets")
