#pragma once

#include <QProcessEnvironment>
#include <QStringList>

// The environment the end-to-end tests start the program in: this process's own, without
// the locale and toolkit-platform choices of whoever runs the tests, plus `extra`
// ("NAME=value" each, applied in order).
QProcessEnvironment ProgramEnvironment(const QStringList& extra = {});
