// Result codes of the image component: 0 success, negative failures. The
// import stops looking for a reader at kImageCannotOpen.
#pragma once
#include <cstdint>

#include "common/error_codes.h"

enum ImageErrorCode : int32_t {
    kImageOk = 0,
    kImageBadRange = -1,     // a size, depth or argument out of range
    kImageReadFault = -3,    // the file could not be read
    kImageCannotOpen = -4,   // the file could not be opened
    kImageNotFormat = -5,    // not a file of this format
    kImageDamaged = -6,      // a file of this format whose data does not add up
    kImageNoMemory = -7,
    kImageWriteFault = -8,   // the file could not be created or written
    kImageUnsupported = -9,  // a variant of the format this component does not read
};
template <>
struct IsErrorCodeEnum<ImageErrorCode> : std::true_type {};
