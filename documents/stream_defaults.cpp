#include <cstring>

#include "documents/drawing_image.h"
#include "documents/record_stream.h"
#include "text/font_list.h"

int TemplatePrinterReset = 0;
int OlderGeneration = 0;

namespace {

const int32_t kDefaultPenStyle = 1;
const int32_t kDefaultFillMode = 1;
const int32_t kParagraphReservedWord = 120;
const int32_t kParagraphTabInterval = 150;

int DefaultFaceIndex(const DrawingRecord& drawing, HGLOBAL* fontList)
{
    LOGFONTA logFont = drawing.textFont;
    logFont.lfFaceName[LF_FACESIZE - 1] = '\0';
    int index = FindOrAddFaceCharset(fontList, logFont.lfFaceName, logFont.lfCharSet, &logFont);
    if (index < 0)
        index = FindOrAddFace(fontList, logFont.lfFaceName, &logFont);
    if (index < 0)
        index = GetDefaultFontIndex(*fontList);
    return index;
}

} // namespace

void InitStreamDefaults(const DrawingRecord& drawing, HGLOBAL* fontList, HGLOBAL* fontTable,
                        StreamDefaults* defaults)
{
    std::memset(defaults, 0, sizeof(*defaults));
    defaults->fillMode = kDefaultFillMode;
    defaults->fillColor = drawing.style.fillColor;
    defaults->shapePenWidth = drawing.outlineWidth;
    defaults->shapePenStyle = kDefaultPenStyle;
    defaults->shapePenColor = drawing.style.borderColor;
    defaults->linePenWidth = drawing.lineWidth;
    defaults->linePenStyle = kDefaultPenStyle;
    defaults->linePenColor = drawing.style.lineColor;

    const int index = DefaultFaceIndex(drawing, fontList);
    int slot = FindOrAddFontIndex(fontTable, index);
    defaults->format.face = slot < 0 ? 0 : slot;
    defaults->format.size = drawing.textSize;
    defaults->format.requestedSize = drawing.textSize;
    defaults->format.style = static_cast<int32_t>(drawing.textStyle);
    defaults->format.color = drawing.style.textColor;

    defaults->paragraph.reserved = kParagraphReservedWord;
    defaults->paragraph.tabInterval = kParagraphTabInterval;
    defaults->paragraph.hyphenate = 1;
}

int32_t ConvertStreamValue(int32_t value)
{
    return ScaleToDrawingUnits(value, StreamUnitsPerInch, kStreamUnitsPerInch);
}

int32_t ConvertStreamWidth(int32_t value)
{
    int32_t converted = ConvertStreamValue(value);
    return value != 0 && converted == 0 ? 1 : converted;
}

uint32_t NormaliseArrowWord(uint32_t word)
{
    const uint32_t kind = word & 0xFF;
    if (kind == 0)
        return 0;
    if (kind > 23)
        return (word & ~0xFFu) | 1;
    return word;
}
