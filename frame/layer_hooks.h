// The calls lower folders make upward go through hook tables they declare;
// the frame fills them here and registers the object kinds.
#pragma once

#include "common/error_codes.h"

// Fills every hook table; the program calls it first thing at start-up.
void ConnectLayers();
// Puts the shape, line, connector and array kinds and the text editor's
// background painter into the kind table, their hooks connected first. Test
// programs start the drawing model through this, as the program does.
ErrorCode InitObjectKinds();
