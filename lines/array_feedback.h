// XOR feedback of arrays while one is drawn, moved or reshaped by a handle.
#pragma once
#include "lines/array_record.h"

void DrawArrayCreateFeedback(HDC dc, int a, POINT point, const RECT* rect);
void DrawArrayMoveFeedback(HDC dc, DrawingRecord* drawing, void* table, int index, const RECT* rect);
void DrawArrayHandleFeedback(HDC dc, DrawingRecord* drawing, void* table, int index, const RECT* rect);
