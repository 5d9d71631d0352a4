#pragma once

// Opens /dev/null on any of descriptors 0, 1 and 2 that is closed, and keeps a pipe that
// nobody reads any more from ending the program: a write to it then merely fails.
void ensureStandardStreams();
