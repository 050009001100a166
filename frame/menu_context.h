// The state of the active document that the menu rules look at.
#pragma once
#include "frame/menu_rules.h"

// withAttributes: also the common attributes of the selected shapes and
// texts, which only the Shapes and Text menus need.
MenuContext GatherMenuContext(bool withAttributes);
