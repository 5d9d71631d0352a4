#include "PortalLog.h"

Q_LOGGING_CATEGORY(lcPortal, "tintor.portal", QtInfoMsg)
