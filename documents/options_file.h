// The options record's life: defaults, the options file read at start and
// written at exit.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

ErrorCode CreateDefaultOptions();
void SetDefaultToolbarSlots(unsigned char* options);
// Defaults, then the options file (the /o path or the usual candidates); 0
// whenever the defaults could be made. Builds the recent-file items of the
// File menu from firstRecentId.
ErrorCode LoadOptions(const char* optionsPath, HMENU fileMenu, int firstRecentId);
ErrorCode SaveOptions();
// Writes the options file and frees everything LoadOptions made; a second call
// does nothing.
void SaveAndFreeOptions();
ErrorCode WriteOptionsFile(const char* path);
ErrorCode ReadOptionsFile(const char* path);
