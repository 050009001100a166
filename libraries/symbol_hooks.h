// The picture and record stream of objects, made by the picture code above
// this folder; the frame fills the hook at start-up.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

typedef ErrorCode (*RenderSymbolHook)(HGLOBAL* picture, HGLOBAL* stream, DWORD* streamSize, int fromClipboard,
                                      RECT* frame, int* hint);
extern RenderSymbolHook RenderSelectionForSymbolCall;
