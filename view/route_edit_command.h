// Sending an edit or format command to the focused text editor or to the
// selection.
#pragma once

// The EditCommandCode; 0 when nothing took it.
int RouteEditCommand(int command);
