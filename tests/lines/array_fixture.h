// A drawing with arrays in it, and the helpers the array tests share.
#pragma once
#include <vector>

#include "lines/array_record.h"
#include "objects/drawing_fixture.h"

class ArrayDrawing : public DrawingFixture {
protected:
    // A new array drawn in `frame` (corner code of the drag).
    int MakeArray(RECT frame, int corner = 1);
    // A 300-high rectangle of the width at (x, y), unselected.
    int MakeBox(int x, int y, int width, int height = 300);
    int32_t Send(int index, int message, INT_PTR a = 0, INT_PTR b = 0, INT_PTR c = 0);
    // Chooses a style by its menu id (1612 .. 1683).
    void Style(int index, int menuId);
    // Hangs the object on the array before branch `ordinal`, then lets the
    // links follow.
    void Hang(int object, int array, int ordinal);
    void Detach(int object, int array);
    // The branch list as it is now (empty when unreadable).
    std::vector<unsigned char> ListBytes(int index);
    ArrayBranchHead Head(int index);
    ArrayBranchEntry Entry(int index, int entry);
    // Rewrites the record's bytes (for damaged-record tests).
    void WriteList(int index, const std::vector<unsigned char>& bytes);
};
