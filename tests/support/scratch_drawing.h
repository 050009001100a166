// A document of the test process made the way a document window makes one:
// to write the drawings a program test opens and to read back what the
// program saved.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/error_codes.h"
#include "objects/drawing_layout.h"

// Starts the object kinds and the store table once for the test program.
void StartDrawingModel();

class ScratchDrawing {
public:
    ScratchDrawing();
    ~ScratchDrawing();
    ScratchDrawing(const ScratchDrawing&) = delete;
    ScratchDrawing& operator=(const ScratchDrawing&) = delete;

    // A new drawing (white paper, yellow shapes, rulers in inches, snapping
    // as asked, the drawing flags `setFlags` added) that `fill` may add
    // objects to through the view; written to `file`.
    ErrorCode Write(const std::string& file, bool snap, const std::function<void(HWND view)>& fill = nullptr,
                    int32_t setFlags = 0);
    // The objects a saved file holds; empty after an error (which fails the
    // test).
    std::vector<DrawingObject> ReadObjects(const std::string& file);
    std::vector<RECT> ReadFrames(const std::string& file);
    // Reads a saved file and hands its drawing to `inspect` while it is held.
    ErrorCode Inspect(const std::string& file, const std::function<void(DrawingRecord* drawing)>& inspect);

private:
    HWND document_ = nullptr;
    HWND view_ = nullptr;
};
