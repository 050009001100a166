// The answers the three line kinds give alike: the stroke's colour, width and
// dash, the attribute collection, shadow flags, hook markers and the cleared
// word. A kind that answers one of these its own way catches it first.
#pragma once
#include <windows.h>

#include <cstdint>

#include "objects/drawing_layout.h"

// The answer to `message`, 0 for a message no line kind answers.
int32_t AnswerCommonLineMessage(HDC dc, DrawingRecord* drawing, void* table, int index, int message, INT_PTR a, INT_PTR b,
                                INT_PTR c);
