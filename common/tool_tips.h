// Tool tips shown over palette and library buttons.
#pragma once

void HideToolTip();
