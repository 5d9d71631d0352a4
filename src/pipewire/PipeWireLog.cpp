#include "PipeWireLog.h"

Q_LOGGING_CATEGORY(lcPipeWire, "tintor.pipewire", QtInfoMsg)
