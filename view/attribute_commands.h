// The attribute lists of the menus (widths, dashes, patterns, shape types,
// line shapes, array styles and colours) as kind messages for the selection.
#pragma once
#include <windows.h>

#include <cstdint>

// What one attribute command sends to every selected object: the kind
// message, its flag (argument a) and the value its pointer (c) carries.
struct StyleCommandValue {
    int message;        // 0: the attribute code is none of the lists
    int flag;
    int32_t words[2];   // an index travels in the second word
    COLORREF color;     // for the colour codes
    bool isColor;
};

// The message, flag and value of an attribute code and list index.
StyleCommandValue StyleValueFor(int attribute, int index);
