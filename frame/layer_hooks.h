// The calls lower folders make upward go through hook tables they declare;
// the frame fills them all here, before anything else starts.
#pragma once

// Fills every hook table; the program calls it first thing, and test
// programs through the start-up steps they share with the program.
void ConnectLayers();
