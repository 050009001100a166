// Handing out object ids.
#pragma once
#include <cstdint>

#include "objects/drawing_layout.h"

// Object ids stay within 1..32767: records keyed by an object id (its
// attachment) have 16-bit signed keys.
const int32_t kMaxObjectId = 32767;

// The next object id, or 0 when every id is in use. Once the counter reaches
// the top, the lowest id no object holds is handed out again.
int32_t NewObjectId(DrawingRecord* drawing);
