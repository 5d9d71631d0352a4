#pragma once

#include "Result.h"
#include "StreamFrames.h"

#include <optional>

#include <spa/buffer/buffer.h>

// The picture in a buffer's first plane, for frames of `size` laid out in `order`, checked
// against the buffer's own memory so that nothing outside it is ever read.  Nothing for a
// buffer that carries no picture (only the pointer's place, or a frame marked corrupted); a
// failure for one whose geometry does not fit: a negative stride, rows shorter than the
// picture, a chunk or a picture larger than the buffer.
Result<std::optional<StreamFrames::View>> pictureIn(const spa_buffer& buffer, QSize size,
                                                    StreamFrames::Order order);
