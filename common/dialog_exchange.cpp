#include "common/dialog_exchange.h"

DialogExchange Exchange = {};
SamplePainter SampleDrawCallback = nullptr;
