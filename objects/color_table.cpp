#include "objects/color_table.h"

#include <cstring>

#include "objects/app_options.h"

COLORREF* ColorTable = nullptr;

const COLORREF kDefaultColorTable[kColorTableSize] = {
    RGB(160, 0, 0),     RGB(192, 96, 0),    RGB(128, 128, 0),   RGB(0, 128, 0),
    RGB(0, 128, 128),   RGB(0, 0, 128),     RGB(128, 0, 128),   RGB(0, 0, 0),
    RGB(192, 0, 0),     RGB(255, 96, 0),    RGB(192, 192, 0),   RGB(0, 192, 0),
    RGB(0, 192, 192),   RGB(0, 0, 192),     RGB(192, 0, 192),   RGB(128, 128, 128),
    RGB(255, 0, 0),     RGB(255, 128, 0),   RGB(255, 255, 0),   RGB(0, 255, 0),
    RGB(0, 255, 255),   RGB(0, 0, 255),     RGB(255, 0, 255),   RGB(160, 160, 164),
    RGB(255, 128, 128), RGB(255, 160, 64),  RGB(255, 255, 160), RGB(160, 255, 160),
    RGB(160, 224, 255), RGB(160, 160, 255), RGB(255, 160, 255), RGB(192, 192, 192),
    RGB(255, 160, 160), RGB(255, 192, 128), RGB(244, 255, 192), RGB(192, 255, 224),
    RGB(192, 224, 255), RGB(224, 192, 255), RGB(255, 192, 224), RGB(224, 224, 224),
    RGB(255, 224, 224), RGB(255, 224, 192), RGB(255, 255, 224), RGB(224, 255, 224),
    RGB(224, 255, 255), RGB(224, 224, 255), RGB(255, 224, 255), RGB(255, 255, 255),
};

const COLORREF* StandardColors()
{
    return ColorTable ? ColorTable : kDefaultColorTable;
}

int GetQuickPreviewOption()
{
    if (!AppOptions)
        return 0;
    int32_t value;
    std::memcpy(&value, AppOptions + kOptionsQuickPreview, sizeof(value));
    return value;
}
