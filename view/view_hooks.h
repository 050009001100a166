// The view serves the folders below it through their hook tables: the
// document window's layout, zoom, rulers and text editing, and the zoom that
// the shape painter's picture placeholders depend on.
#pragma once

// Fills those tables; the frame's start-up calls it.
void RegisterViewHooks();
