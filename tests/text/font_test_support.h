// Font lists made by hand for the font tests.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "text/font_list.h"

struct FaceRow {
    const char* face;
    int charSet;
    int pitchAndFamily;
    int kind;
};

LOGFONTA LogFontOf(const FaceRow& row);
// A new list holding the faces in order; default index 0.
HGLOBAL MakeFontList(const std::vector<FaceRow>& faces);
// A new table of the given slot values.
HGLOBAL MakeFontTable(const std::vector<int>& slots);
std::vector<int> TableSlots(HGLOBAL table);
std::string FaceAt(HGLOBAL list, int index);
