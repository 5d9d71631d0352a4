#pragma once

#include <string>

// Keeps a pipe that nobody reads any more from ending the program: a write to it then
// merely fails, and the failure can be reported.
void ignoreBrokenPipes();

// Opens /dev/null on any of descriptors 0, 1 and 2 that is closed.
void ensureStandardStreams();

// Whether descriptor 1 is open, said on the log when it is not; call it before
// ensureStandardStreams(), which would give it /dev/null.
bool standardOutputIsOpen();

// Writes `text` on standard output at once; false, said on the log, when it cannot be
// written (a full disk, a closed stream).
bool writeStandardOutput(const std::string& text);
