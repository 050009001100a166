#include "frame/back_buffer.h"

HDC BackBufferDC = nullptr;
