// The floating-point control word the painters expect.
#pragma once

// All exceptions masked, nearest rounding, 53-bit precision.
void SetFloatControl();
