// The options record's life: defaults, the options file read at start and
// written at exit.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

// The record, the symbol fonts, the recent-file list and the standard
// styles; 10004 when a block cannot be had, 1 without the STDSTYLE resource.
ErrorCode CreateDefaultOptions();
void SetDefaultToolbarSlots(unsigned char* options);
// Defaults, then the options file (the /o path or the usual candidates); 0
// whenever the defaults could be made. Recent-file items get ids from
// firstRecentId; fileMenu (may be none) gives FileMenuBaseCount.
ErrorCode LoadOptions(const char* optionsPath, HMENU fileMenu, int firstRecentId);
// Writes the file named by OptionsPathAtom; 0 and nothing written without it.
ErrorCode SaveOptions();
// Writes the options file and frees everything LoadOptions made; a second call
// does nothing.
void SaveAndFreeOptions();
// Any write that falls short is an error, the signature's included.
// The file is written under a neighbouring name and then takes the place of
// the earlier one, which a failure leaves untouched.
ErrorCode WriteOptionsFile(const char* path);
// Deletes the neighbouring file of a write that a killed run left behind.
void RemoveStaleOptionsReplacement(const char* path);
// An empty file reads as success; one cut inside its signature gives 1001.
ErrorCode ReadOptionsFile(const char* path);
