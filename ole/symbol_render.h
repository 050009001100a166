// The parts a new library symbol is stored from, made from drawing objects.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

// The sizing hint when the objects gave no frame.
const int kNoSymbolFrame = -1;

// fromClipboard 1: the objects of the clipboard scratch store; 0 (objects
// dragged out of a view) has no source here and gives 1. `picture` is a
// METAFILEPICT of the objects; `stream` their record stream of `streamSize`
// bytes (none for one picture object). `frame` is written when the objects
// are one object or exactly one group, and `hint` is then its sizing
// constraint, else -1 (0 for one picture object). On failure both handles
// are none.
ErrorCode RenderSelectionForSymbol(HGLOBAL* picture, HGLOBAL* stream, DWORD* streamSize, int fromClipboard,
                                   RECT* frame, int* hint);
