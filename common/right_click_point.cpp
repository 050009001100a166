#include "common/right_click_point.h"

POINT RightClickPoint = {-1, -1};
