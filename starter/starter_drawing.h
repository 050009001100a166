// A drawing nobody sees, in which the starter symbols and templates are drawn
// with the program's own shapes and lines, then rendered or saved.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

class StarterDrawing {
public:
    StarterDrawing();
    ~StarterDrawing();
    StarterDrawing(const StarterDrawing&) = delete;
    StarterDrawing& operator=(const StarterDrawing&) = delete;

    // A new empty drawing in the starter style; first of all.
    ErrorCode Begin();
    // A shape of one of the program's shape types in a frame of drawing units.
    ErrorCode Shape(int type, RECT frame);
    // A straight line between two points of drawing units.
    ErrorCode Line(POINT from, POINT to);
    // The drawing as a picture (a METAFILEPICT) and as a record stream, as a
    // new library symbol is stored; the caller owns both blocks.
    ErrorCode SymbolParts(HGLOBAL* metafilePict, HGLOBAL* stream, DWORD* streamSize);
    // Saves the drawing, with its preview, as a template file.
    ErrorCode WriteTemplate(const char* path);

private:
    HWND document_ = nullptr;
    HWND view_ = nullptr;
};

// The program's object kinds and record stores, started once.
ErrorCode StartStarterModel();
