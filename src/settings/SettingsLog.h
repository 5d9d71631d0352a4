#pragma once

#include <QLoggingCategory>

// Where the settings store says what it did to a file, and why it could not.
Q_DECLARE_LOGGING_CATEGORY(lcSettings)
