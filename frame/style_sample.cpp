// The sample of the colour-style dialogs, painted with the drawing's own
// object painting so that it shows what the style will do to the drawing.
#include <cstdlib>
#include <cstring>
#include <utility>

#include "common/color_helpers.h"
#include "common/dialog_exchange.h"
#include "common/mapping.h"
#include "common/sample_window.h"
#include "frame/style_dialogs.h"
#include "lines/line_rects.h"
#include "objects/drawing_layout.h"
#include "objects/line_direction.h"
#include "objects/paint_drawing.h"
#include "objects/shape_types.h"
#include "resources/resource_ids.h"

namespace {

const int kInsetAcross = 150;
const int kInsetDown = 100;
const int kShapeShift = 50;
const int kLineLength = 150;
const int kSampleLineWidth = 12;
const int kSolidLine = 1;
const int kSolidFill = 1;
const int kTextHeight = 83;   // 10 points at 600 units per inch
const int kTextSize = 64;
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kNoColor = static_cast<COLORREF>(-1);

DrawingObject SampleShape(const ColorStyle& style, const RECT& box)
{
    DrawingObject shape;
    std::memset(&shape, 0, sizeof(shape));
    shape.kind = kKindShape;
    shape.frame = shape.bounds = shape.inner = shape.textFrame = box;
    shape.width = box.right - box.left;
    shape.height = box.bottom - box.top;
    shape.shapeType = kShapeRectangle;
    shape.lineWidth = kSampleLineWidth;
    shape.lineStyle = kSolidLine;
    shape.fillMode = style.fillColor != kNoColor ? kSolidFill : 0;
    shape.fillColor = style.fillColor;
    shape.lineColor = style.borderColor;
    shape.textRecordId = -1;
    shape.dataGroup = -1;
    shape.dataFirstId = -1;
    shape.groupIndex = -1;
    shape.labelPartnerId = kNoObjectId;
    shape.arrowSize = 1;
    return shape;
}

DrawingObject SampleLine(const DrawingObject& shape, const ColorStyle& style)
{
    DrawingObject line = shape;
    line.kind = kKindLine;
    const int middle = (shape.frame.top + shape.frame.bottom) / 2;
    line.frame = {shape.frame.left - kLineLength, middle, shape.frame.left, middle};
    line.shapeType = kLineHorizontal;
    line.kindCoordinate = middle;
    line.lineColor = style.lineColor;
    line.fillMode = 0;
    RecalcLineRects(nullptr, &line);
    return line;
}

struct SampleText {
    HDC dc;
    int x;
    int y;
    const char* text;
    int length;
};

void TextAt(const SampleText& t, int pixelsX, int pixelsY, COLORREF color)
{
    SIZE offset = {pixelsX, pixelsY};
    DeviceToLogicalSize(t.dc, &offset);
    SetTextColor(t.dc, MapOutputColor(t.dc, color, 0));
    TextOutA(t.dc, t.x + offset.cx, t.y + offset.cy, t.text, t.length);
}

int Sign(int value)
{
    return value < 0 ? -1 : 1;
}

void DrawTextShadow(const SampleText& t, const ColorStyle& style)
{
    const int kind = (style.flags & kStyleShadowOnText) ? style.shadowKind : 0;
    SIZE pixels = {std::abs(style.shadowDx), std::abs(style.shadowDy)};
    LogicalToDeviceSize(t.dc, &pixels);
    int n = pixels.cx > pixels.cy ? pixels.cx : pixels.cy;
    if (n < 1)
        n = 1;
    if (kind == 1 || kind == 2) {
        COLORREF a = kind == 1 ? style.shadowColor : style.highlightColor;
        COLORREF b = kind == 1 ? style.highlightColor : style.shadowColor;
        if (style.flags & kStyleReverseTextShadow)
            std::swap(a, b);
        for (int i = 1; i <= n; ++i)
            TextAt(t, i, i, a);
        for (int i = 1; i <= n; ++i)
            TextAt(t, -i, -i, b);
    } else if (kind == 3) {
        for (int i = 1; i <= n; ++i)
            TextAt(t, i * Sign(style.shadowDx), i * Sign(style.shadowDy), style.shadowColor);
    } else if (kind == 4 || kind == 5) {
        SetTextColor(t.dc, MapOutputColor(t.dc, style.shadowColor, 0));
        TextOutA(t.dc, t.x + style.shadowDx, t.y + style.shadowDy, t.text, t.length);
    }
    TextAt(t, 0, 0, style.textColor);
}

void DrawSampleText(HDC dc, const ColorStyle& style, const RECT& box, const LOGFONTA& face)
{
    LOGFONTA font = face;
    font.lfHeight = -kTextHeight;
    font.lfWidth = 0;
    font.lfEscapement = font.lfOrientation = 0;
    HFONT made = CreateFontIndirectA(&font);
    HGDIOBJ old = made ? SelectObject(dc, made) : nullptr;
    char text[kTextSize] = "";
    LoadStringA(GetModuleHandleA(nullptr), IDS_TEXT_SAMPLE, text, sizeof(text));
    const int length = lstrlenA(text);
    SIZE extent = {0, 0};
    GetTextExtentPoint32A(dc, text, length, &extent);
    SetTextAlign(dc, TA_CENTER | TA_TOP);
    const SampleText sample = {dc, (box.left + box.right) / 2, (box.top + box.bottom) / 2 - extent.cy / 2, text,
                               length};
    DrawTextShadow(sample, style);
    if (old)
        SelectObject(dc, old);
    if (made)
        DeleteObject(made);
}

// The drawing paints with the edited style while the sample is drawn.
bool SwapDrawingStyle(const ColorStyle& style, ColorStyle* kept, LOGFONTA* face)
{
    auto* drawing = SampleDrawing ? static_cast<DrawingRecord*>(GlobalLock(SampleDrawing)) : nullptr;
    if (!drawing)
        return false;
    *kept = drawing->style;
    drawing->style = style;
    *face = drawing->textFont;
    GlobalUnlock(SampleDrawing);
    return true;
}

void PutDrawingStyleBack(const ColorStyle& kept)
{
    if (auto* drawing = static_cast<DrawingRecord*>(GlobalLock(SampleDrawing))) {
        drawing->style = kept;
        GlobalUnlock(SampleDrawing);
    }
}

} // namespace

int DrawStyleSample(HDC dc, RECT* client)
{
    const ColorStyle style = WorkStyle();
    const int saved = SaveDC(dc);
    if (SamplePalette) {
        SelectPalette(dc, SamplePalette, FALSE);
        RealizePalette(dc);
    }
    const COLORREF background = style.backgroundColor == kNoColor ? kWhite : style.backgroundColor;
    HBRUSH brush = CreateSolidBrush(MapOutputColor(dc, background, 0));
    const RECT area = BeginSamplePaint(dc, client, kDrawingUnitsPerInch, brush);
    RECT box = area;
    InflateRect(&box, -kInsetAcross, -kInsetDown);
    OffsetRect(&box, kShapeShift, 0);
    DrawingObject records[2] = {SampleShape(style, box), {}};
    records[1] = SampleLine(records[0], style);
    ColorStyle kept;
    LOGFONTA face;
    if (SwapDrawingStyle(style, &kept, &face)) {
        DrawSampleObjects(dc, SampleDrawing, records, 2);
        DrawSampleText(dc, style, box, face);
        PutDrawingStyleBack(kept);
    }
    RestoreDC(dc, saved);
    DeleteObject(brush);
    return 0;
}
