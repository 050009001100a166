// A drawing in a working store shown by a test-made view window whose private
// device context carries the zoom mapping (6 drawing units per pixel), the way
// a document's drawing view holds it, and the mouse driven through the view's
// button handlers.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/error_codes.h"
#include "objects/drawing_layout.h"

class EditFixture : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    DrawingRecord* Drawing();
    HGLOBAL DrawingHandle();
    void* Objects();
    void* Groups();
    DrawingObject* Object(int index);
    int Count();
    void* ViewRecord();

    // A shape in drawing units, as its own Add Object step (or inside the
    // caller's step).
    ErrorCode Create(RECT frame, int type = 2, int select = 0, int insideStep = 0);
    // Makes the listed objects one group.
    void Group(std::initializer_list<int> indices);

    // The mouse at device points of the view.
    void Press(int x, int y, WPARAM keys = 0);
    void Drag(int x, int y, WPARAM keys = MK_LBUTTON);
    void Release(int x, int y, WPARAM keys = 0);
    // Press, one move per step to the end point, release.
    void DragFromTo(POINT from, POINT to, WPARAM keys = 0, int steps = 4);
    // A device point of a drawing point.
    static POINT Pixel(int x, int y) { return POINT{x / 6, y / 6}; }

    int UndoKind();
    int UndoTextId();

    int store_ = -1;
    HWND view_ = nullptr;
    HGLOBAL viewRecord_ = nullptr;
    std::string path_;
    std::vector<unsigned char> options_;
    HGLOBAL styles_ = nullptr;
};
