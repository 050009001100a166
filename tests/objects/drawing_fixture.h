// A drawing in a working store, shown by a view window that carries a view
// record, the way a document window holds it.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/error_codes.h"
#include "objects/drawing_layout.h"

class DrawingFixture : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The drawing record and tables as they are now (re-read after every
    // operation: an undo swap or a resize moves them).
    DrawingRecord* Drawing();
    void* Objects();
    void* Order();
    void* Links();
    void* Groups();
    DrawingObject* Object(int index);
    int Count();
    std::vector<int> DrawOrder();
    DWORD RecordSize(int table);
    void* ViewRecord();

    // A rectangle (or another shape type) with the view's undo step.
    ErrorCode Create(RECT frame, int type = 2, int select = 1, int insideStep = 0, int report = 0);
    // Creates n shapes of 600 x 300 in a row inside the caller's step.
    void CreateRow(int n);
    void SelectOnly(std::initializer_list<int> indices);
    // Grows a table to hold `count` entries and sets its count.
    void SetTableCount(int table, int count);

    int store_ = -1;
    HWND view_ = nullptr;
    HGLOBAL viewRecord_ = nullptr;
    std::string path_;
    std::vector<unsigned char> options_;
    HGLOBAL styles_ = nullptr;
};
