#pragma once

// Opens /dev/null on any of descriptors 0, 1 and 2 that is closed.
void ensureStandardStreams();
