#include "common/float_control.h"

#include <float.h>

void SetFloatControl()
{
    unsigned mask = 0xFFFFF;
#if defined(__x86_64__) || defined(_M_X64)
    // The 64-bit runtime refuses precision control; SSE arithmetic is 53-bit anyway.
    mask &= ~static_cast<unsigned>(_MCW_PC);
#endif
    _controlfp(0x9001F, mask);
}
