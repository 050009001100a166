#include "common/tool_tips.h"

// No tip window exists yet, so there is nothing to hide.
void HideToolTip() {}
