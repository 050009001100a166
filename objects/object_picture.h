// Drawing the picture an object keeps in its data records.
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "objects/metafile_playback.h"

// Loads the picture (group 112 a DIB, 113 or 201 a metafile) and draws it into
// `rect`; a metafile is played with the state's substitutes, mirroring and
// rotation onto its stored source bounds. Returns the error of LoadPicture.
ErrorCode DrawObjectPicture(HDC dc, int store, int group, int firstId, int count, const RECT* rect,
                            PlaybackState* state);
