#include "text/text_paint.h"

#include "common/color_helpers.h"
#include "common/display_flags.h"
#include "common/handle_words.h"
#include "common/mapping.h"
#include "objects/point_transforms.h"
#include "text/character_spacing.h"
#include "text/document_fonts.h"
#include "text/ten_startup.h"
#include "text/text_measure.h"

namespace {

int FormatPointSize(const TextFormat* format, int sizePercent)
{
    int size = format->size + format->size * sizePercent / 100;
    if (format->script != 0)
        size = size * 3 / 4;
    return size < 4 ? 4 : size;
}

int Sign(int value) { return value > 0 ? 1 : (value < 0 ? -1 : 0); }

// The font, colour and measures of the format being drawn.
struct FormatPen {
    HDC target;
    const TextPaintOptions* options;
    HFONT outputFont = nullptr;
    COLORREF color = 0;
    int ascent = 0;
    int height = 0;
    bool underline = false;
    bool highlight = false;
    int hyphenWidth = 0;
    int scriptShift = 0;

    void Take(TextFormat* format, const TextLinesView& view)
    {
        const TextPaintOptions& o = *options;
        COLORREF wanted = o.colorOverride ? *o.colorOverride
                                          : (o.printWithoutColor ? RGB(0, 0, 0) : format->color);
        color = o.colorOverride ? wanted : MapOutputColor(target, wanted, 1);
        SetTextColor(target, color);
        if (!format->font)
            EnsureFormatFont(format, o.fontList, o.fontTable, 0, o.unitsPerInch, 0);
        HFONT cached = WordToHandle<HFONT>(format->font);
        if (RenderingMetafile) {
            if (cached && o.measuringDC)
                SelectObject(o.measuringDC, cached);
            HFONT made = CreateFormatOutputFont(o.measuringDC ? o.measuringDC : target, format, o.fontList,
                                                o.fontTable, 0, o.unitsPerInch);
            if (made) {
                SelectObject(target, made);
                if (outputFont)
                    DeleteObject(outputFont);
                outputFont = made;
            }
        } else if (cached) {
            SelectObject(target, cached);
            if (o.measuringDC && o.measuringDC != target)
                SelectObject(o.measuringDC, cached);
        }
        ApplyCharacterSpacing(target, view.paragraphs, view.paragraphCount, format);
        if (o.measuringDC && o.measuringDC != target)
            ApplyCharacterSpacing(o.measuringDC, view.paragraphs, view.paragraphCount, format);
        ascent = format->ascent;
        height = format->height;
        underline = (format->style & kTextUnderline) != 0;
        highlight = (format->style & kTextHighlight) != 0;
        HDC measure = o.measuringDC ? o.measuringDC : target;
        SIZE extent = {};
        GetTextExtentPoint32A(measure, "-", 1, &extent);
        hyphenWidth = extent.cx;
        scriptShift = format->script > 0 ? -format->height / 2 : (format->script < 0 ? format->height / 4 : 0);
    }
    void Release()
    {
        if (outputFont) {
            SelectObject(target, GetStockObject(SYSTEM_FONT));
            DeleteObject(outputFont);
            outputFont = nullptr;
        }
    }
};

void RotateIfAsked(const TextPaintOptions& o, int angle, POINT* points, int count)
{
    if (o.rotate && o.rotationRect && angle != 0)
        RotatePoints(o.rotationRect, angle, points, count);
}

void ResetJustification(const TextPaintOptions& o, HDC target)
{
    SetRunJustification(target, 0, 0, 0);
    if (o.measuringDC)
        SetTextJustification(o.measuringDC, 0, 0);
    PendingJustification.extra = 0;
    PendingJustification.breaks = 0;
}

void DrawRule(HDC target, int x1, int x2, int y)
{
    if (x1 >= x2)
        return;
    HGDIOBJ old = SelectObject(target, GetStockObject(BLACK_PEN));
    MoveToEx(target, x1, y, nullptr);
    LineTo(target, x2, y);
    SelectObject(target, old);
}

} // namespace

void EnsureFormatFont(TextFormat* format, HGLOBAL fontList, HGLOBAL fontTable, int sizePercent, int unitsPerInch,
                      int widthFlag)
{
    HFONT font = GetCachedDocumentFont(fontList, fontTable, format->face, FormatPointSize(format, sizePercent),
                                       format->style, widthFlag ? format->averageWidth : 0, format->rotation,
                                       unitsPerInch);
    format->font = HandleToWord(font);
}

HFONT CreateFormatOutputFont(HDC dc, const TextFormat* format, HGLOBAL fontList, HGLOBAL fontTable, int sizePercent,
                             int unitsPerInch)
{
    return CreateTurnedDocumentFont(dc, fontList, fontTable, format->face, FormatPointSize(format, sizePercent),
                                    format->style, format->rotation, format->averageWidth, unitsPerInch);
}

int DrawRunText(HDC target, HDC measuringDC, int x, int y, const char* characters, int count, int targetWidth,
                int doubleByte)
{
    if (count <= 0)
        return 1;
    if (targetWidth == 0)
        return TextOutA(target, x, y, characters, count);
    if (!EnsureCharWidthCapacity(count))
        return -1;
    HDC measure = measuringDC ? measuringDC : target;
    const int total = MeasureCharWidths(measure, characters, count, CharWidths, CharWidthCapacity, 0, doubleByte);
    if (total < 0)
        return -1;
    FitCharWidths(characters, CharWidths, count, total, targetWidth);
    return ExtTextOutA(target, x, y, 0, nullptr, characters, static_cast<UINT>(count),
                       reinterpret_cast<const INT*>(CharWidths));
}

void DrawBullet(HDC dc, COLORREF color, int kind, int x, int baseline, int ascent, int leftIndent,
                const RECT* rotationRect, int angle)
{
    if (kind < 1 || kind > 4)
        return;
    int size = leftIndent;
    if (size > ascent / 2)
        size = ascent / 2;
    if (size < 2)
        size = 2;
    const int r = size / 2 + 1;
    POINT centre = {x + r, baseline - r};
    if (rotationRect && angle != 0)
        RotatePoints(rotationRect, angle, &centre, 1);
    const COLORREF mapped = MapOutputColor(dc, color, 1);
    HPEN pen = CreatePen(PS_INSIDEFRAME, 6, mapped);
    const bool hollow = kind == 1 || kind == 3;
    HBRUSH brush = hollow ? nullptr : CreateSolidBrush(mapped);
    SelectObject(dc, pen ? static_cast<HGDIOBJ>(pen) : GetStockObject(BLACK_PEN));
    SelectObject(dc, brush ? static_cast<HGDIOBJ>(brush) : GetStockObject(HOLLOW_BRUSH));
    if (kind <= 2)
        Ellipse(dc, centre.x - r, centre.y - r, centre.x + r, centre.y + r);
    else
        Rectangle(dc, centre.x - r, centre.y - r, centre.x + r, centre.y + r);
    SelectObject(dc, GetStockObject(BLACK_PEN));
    SelectObject(dc, GetStockObject(HOLLOW_BRUSH));
    if (pen)
        DeleteObject(pen);
    if (brush)
        DeleteObject(brush);
}

void DrawTextLines(HDC target, const TextLinesView& view, int firstLine, int endLine, const TextPaintOptions& o)
{
    if (endLine > view.lineCount)
        endLine = view.lineCount;
    if (firstLine < 0)
        firstLine = 0;
    if (firstLine >= endLine || view.formatCount <= 0)
        return;
    const int units = o.unitsPerInch > 0 ? o.unitsPerInch : 600;
    const int angle = view.formats[0].rotation;
    FormatPen pen;
    pen.target = target;
    pen.options = &o;
    int format = view.lines[firstLine].firstFormat;
    if (format < 0 || format >= view.formatCount)
        format = 0;
    pen.Take(&view.formats[format], view);
    ResetJustification(o, target);

    for (int li = firstLine; li < endLine; ++li) {
        const TextLine& line = view.lines[li];
        while (format + 1 < view.formatCount && view.formats[format + 1].start <= line.firstPosition &&
               view.formats[format + 1].start < view.textLength) {
            ++format;
            pen.Take(&view.formats[format], view);
        }
        const TextParagraph& paragraph =
            GetTextParagraph(view.paragraphs, view.paragraphCount, view.formats[format].paragraphIndex);
        const bool justified = paragraph.alignment == 32 && !(line.flags & kLineEndsParagraph);
        const bool paragraphFirst = li == 0 || (view.lines[li - 1].flags & kLineEndsParagraph);
        const int bullet = paragraphFirst ? paragraph.bullet : 0;
        bool bulletDone = false;
        int position = line.firstPosition;
        const int lineEnd = line.firstPosition + line.length;
        const int lastRun = line.firstRun + line.runCount;
        for (int ri = line.firstRun; ri < lastRun && ri < view.runCount; ++ri) {
            const TextRun& run = view.runs[ri];
            while (format + 1 < view.formatCount && view.formats[format + 1].start <= position &&
                   view.formats[format + 1].start < view.textLength) {
                ++format;
                pen.Take(&view.formats[format], view);
            }
            const TextFormat& current = view.formats[format];
            int drawn = run.drawnCount;
            const int formatLeft = (format == view.formatCount - 1 ? view.textLength : current.start + current.length) -
                                   position;
            if (drawn > lineEnd - position)
                drawn = lineEnd - position;
            if (drawn > formatLeft)
                drawn = formatLeft;
            if (drawn < 0)
                drawn = 0;
            // Justification always goes into the widths of the spaces: Wine
            // ignores SetTextJustification under the zoom mapping.
            const bool spread = justified && run.spaceCount > 0 && run.justifyExtra > 0;
            if (justified)
                SetRunJustification(target, spread ? run.justifyExtra : 0, spread ? run.spaceCount : 0, 1);
            if (bullet && !bulletDone && drawn > 0) {
                DrawBullet(target, pen.color, bullet, line.left + o.xOffset - paragraph.leftIndent,
                           line.top + line.ascent + o.yOffset, pen.ascent, paragraph.leftIndent,
                           o.rotate ? o.rotationRect : nullptr, angle);
            }
            if (!bulletDone && drawn > 0)
                bulletDone = true;
            const int x = line.left + o.xOffset + run.x;
            const int baseline = line.top + line.ascent + o.yOffset;
            const int y = baseline + pen.scriptShift;
            if ((pen.highlight || pen.underline) && drawn > 0) {
                const int cellRight = line.left + o.xOffset +
                                      (ri + 1 < lastRun ? view.runs[ri + 1].x : line.wordWidth);
                if (pen.highlight) {
                    RECT cell = {x, line.top + o.yOffset, cellRight, line.top + line.height + o.yOffset};
                    FillRect(target, &cell, static_cast<HBRUSH>(GetStockObject(o.editor ? LTGRAY_BRUSH : BLACK_BRUSH)));
                    if (!o.editor)
                        SetTextColor(target, RGB(255, 255, 255));
                }
                if (pen.underline && current.script >= 0) {
                    POINT ends[2] = {{x, baseline + 1}, {cellRight, baseline + 1}};
                    RotateIfAsked(o, angle, ends, 2);
                    HPEN linePen = (pen.highlight && !o.editor)
                                       ? static_cast<HPEN>(GetStockObject(WHITE_PEN))
                                       : CreatePen(PS_SOLID, 6, pen.color);
                    HGDIOBJ old = SelectObject(target, linePen);
                    MoveToEx(target, ends[0].x, ends[0].y, nullptr);
                    LineTo(target, ends[1].x, ends[1].y);
                    SelectObject(target, old);
                    if (!(pen.highlight && !o.editor))
                        DeleteObject(linePen);
                }
            }
            if (drawn > 0) {
                POINT at = {x, y};
                RotateIfAsked(o, angle, &at, 1);
                DrawRunText(target, o.measuringDC, at.x, at.y, view.text + position, drawn,
                            (o.fit || spread) ? run.width : 0, DbcsEnabled);
            }
            if (pen.highlight && !o.editor)
                SetTextColor(target, o.colorOverride ? pen.color : RGB(0, 0, 0));
            position += run.length;
        }
        if (justified)
            SetRunJustification(target, 0, 0, 1);
        if (line.flags & kLineEndsAtSoftHyphen) {
            int hx = justified ? (line.justifiedWidth - pen.hyphenWidth + line.left - units * 3 / 100) - 1
                               : (line.wordWidth + line.left - pen.hyphenWidth) - 1;
            POINT at = {hx + o.xOffset, line.top + line.ascent + o.yOffset};
            RotateIfAsked(o, angle, &at, 1);
            TextOutA(target, at.x, at.y, "-", 1);
        }
        const bool spansCharacter = line.length > 0 || lineEnd < view.textLength;
        if ((line.flags & kLineEndsParagraph) && spansCharacter) {
            const uint32_t ruleFlags = view.formats[format].flags;
            const int y = line.top + line.height + o.yOffset + units * 2 / 100;
            if (ruleFlags & kFormatRuleBelow2)
                DrawRule(target, paragraph.leftIndent + o.xOffset + units * 10 / 100,
                         line.availableWidth - paragraph.rightIndent - units * 10 / 100 + o.xOffset, y);
            else if (ruleFlags & kFormatRuleBelow1)
                DrawRule(target, o.xOffset, line.availableWidth + paragraph.leftIndent + o.xOffset, y);
        }
    }
    ResetJustification(o, target);
    pen.Release();
}

void DrawTextLinesWithEffect(HDC target, const TextLinesView& view, int firstLine, int endLine,
                             const TextPaintOptions& options, const TextEffect& effect)
{
    HDC measure = options.measuringDC ? options.measuringDC : target;
    SIZE offset = {effect.shadowDx < 0 ? -effect.shadowDx : effect.shadowDx,
                   effect.shadowDy < 0 ? -effect.shadowDy : effect.shadowDy};
    LogicalToDeviceSize(measure, &offset);
    int n = offset.cx > offset.cy ? offset.cx : offset.cy;
    if (n < 0)
        n = -n;
    if (n < 1)
        n = 1;
    const COLORREF c1 = MapOutputColor(measure, effect.shadowColor, 1);
    const COLORREF c2 = MapOutputColor(measure, effect.secondColor, 0);
    auto pass = [&](int dx, int dy, COLORREF color) {
        TextPaintOptions shifted = options;
        shifted.colorOverride = &color;
        OffsetWindowOrgEx(target, -dx, -dy, nullptr);
        DrawTextLines(target, view, firstLine, endLine, shifted);
        OffsetWindowOrgEx(target, dx, dy, nullptr);
    };
    auto deviceStep = [&](int i, int sx, int sy) {
        SIZE step = {i * sx, i * sy};
        DeviceToLogicalExtent(target, &step);
        return step;
    };
    switch (effect.kind) {
    case 1:
    case 2: {
        const COLORREF first = effect.kind == 1 ? c1 : MapOutputColor(measure, effect.secondColor, 0);
        const COLORREF second = effect.kind == 1 ? c2 : MapOutputColor(measure, effect.shadowColor, 1);
        for (int i = 1; i <= n; ++i) {
            const SIZE s = deviceStep(i, 1, 1);
            pass(s.cx, s.cy, first);
        }
        for (int i = 1; i <= n; ++i) {
            const SIZE s = deviceStep(i, -1, -1);
            pass(s.cx, s.cy, second);
        }
        break;
    }
    case 3:
        for (int i = 1; i <= n; ++i) {
            const SIZE s = deviceStep(i, Sign(effect.shadowDx), Sign(effect.shadowDy));
            pass(s.cx, s.cy, effect.shadowColor);
        }
        break;
    case 4:
    case 5:
        pass(effect.shadowDx, effect.shadowDy, c1);
        break;
    default:
        break;
    }
    DrawTextLines(target, view, firstLine, endLine, options);
}
