// Creating an object in the drawing of a view.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

// Makes a new object of `kind` in `frame` (nothing when both sides are below
// 24 units) with the drawing's defaults, initialised by its kind (message 11
// with a, b, c) and placed on top. `report`: mark edited and report errors;
// `insideStep`: the caller's undo step is open; `select`: it becomes the
// selection.
ErrorCode CreateObject(HWND view, int kind, const RECT* frame, int shapeType, INT_PTR a, INT_PTR b, int report,
                       int insideStep, INT_PTR c, int select);
