// The Libraries menu and opening a library file from outside the program.
#pragma once

// Opens a symbol library in a library window, making a blank drawing first
// when no document window is active.
void OpenLibraryFile(const char* path);
