// The LZW variant of TIFF strips.
#pragma once
#include <cstddef>
#include <cstdint>

#include "common/error_codes.h"

// Decodes one strip into `out` up to `room` bytes; a strip that stops early
// leaves the rest as it was. kImageDamaged for a code the table cannot hold.
ErrorCode UnpackLzwStrip(const uint8_t* in, size_t count, uint8_t* out, size_t room);
