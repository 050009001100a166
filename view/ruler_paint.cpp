#include "view/ruler_paint.h"

#include <cstdio>

#include "common/mapping.h"
#include "view/ruler_fonts.h"
#include "documents/view_children.h"
#include "objects/view_record_word.h"
#include "documents/view_settings.h"
#include "view/view_zoom.h"

namespace {

const int kLeastMinorGap = 5;

struct RulerPens {
    HPEN shadow;
    HPEN text;
    HPEN highlight;
};

RulerPens MakePens()
{
    return RulerPens{CreatePen(PS_SOLID, 0, GetSysColor(COLOR_BTNSHADOW)),
                     CreatePen(PS_SOLID, 0, GetSysColor(COLOR_BTNTEXT)),
                     CreatePen(PS_SOLID, 0, GetSysColor(COLOR_BTNHIGHLIGHT))};
}

void DeletePens(HDC dc, const RulerPens& pens)
{
    SelectObject(dc, GetStockObject(WHITE_PEN));
    DeleteObject(pens.shadow);
    DeleteObject(pens.text);
    DeleteObject(pens.highlight);
}

// A line across the ruler at `along`, from `from` to `to` across it.
void Across(HDC dc, bool vertical, HPEN pen, int along, int from, int to)
{
    SelectObject(dc, pen);
    if (vertical) {
        MoveToEx(dc, from, along, nullptr);
        LineTo(dc, to, along);
    } else {
        MoveToEx(dc, along, from, nullptr);
        LineTo(dc, along, to);
    }
}

// A line along the ruler at `across`, from `from` to `to`.
void Along(HDC dc, bool vertical, HPEN pen, int across, int from, int to)
{
    SelectObject(dc, pen);
    if (vertical) {
        MoveToEx(dc, across, from, nullptr);
        LineTo(dc, across, to);
    } else {
        MoveToEx(dc, from, across, nullptr);
        LineTo(dc, to, across);
    }
}

RulerScaleValues DrawRuler(HWND ruler, HDC dc, const RECT* rect, const RulerScaleValues* given, bool vertical)
{
    RulerScaleValues scale = given && IsRulerScaleSound(*given) ? *given : DefaultRulerScale();
    int z = 0;
    if (ruler) {
        HWND view = RulerViewOf(ruler);
        scale = ViewRulerScale(view);
        z = GetViewZoom(view, nullptr);
    } else {
        SetWindowOrgEx(dc, vertical ? 0 : -kRulerThicknessUnits, vertical ? -kRulerThicknessUnits : 0, nullptr);
    }
    const double f = z >= 75 ? z / 1000.0 : 1.0;
    const int k = vertical ? VerticalLabelStep(scale, z) : HorizontalLabelStep(scale, z);
    RulerScaleValues painted = scale;
    painted.spacing *= k;

    const int acrossStart = vertical ? rect->left : rect->top;
    if (acrossStart >= kRulerThicknessUnits)
        return scale;
    const int start = vertical ? rect->top : rect->left;
    const int end = vertical ? rect->bottom : rect->right;
    const double unit = RulerSpacingHundredths(painted) * f;
    const int first = static_cast<int>(start / unit);
    const int last = static_cast<int>(end / unit) + 1;

    const RulerPens pens = MakePens();
    HGDIOBJ oldFont = nullptr;
    HFONT font = vertical ? RulerFontRotated : RulerFont;
    if (font) {
        oldFont = SelectObject(dc, font);
        SetTextAlign(dc, TA_LEFT | TA_TOP);
    }
    const bool minor = RulerPosition(painted, 0, 2, z) - RulerPosition(painted, 0, 0, z) >= kLeastMinorGap;
    for (int i = first; i <= last; ++i) {
        const int p = RulerPosition(painted, i, 0, z);
        if (i > 0) {
            Across(dc, vertical, pens.shadow, p - 1, 0, 25);
            Across(dc, vertical, pens.text, p, 0, 26);
            Across(dc, vertical, pens.highlight, p + 1, 0, 25);
            if (font) {
                char label[32];
                FormatRulerLabel(scale.labelStep, k, i, label, sizeof(label));
                if (vertical)
                    TextOutA(dc, 1, p - 2, label, lstrlenA(label));
                else
                    TextOutA(dc, p + 3, 1, label, lstrlenA(label));
            }
        }
        if (!minor)
            continue;
        for (int j = 1; j < painted.subdivisions; ++j) {
            const int q = RulerPosition(painted, i, j, z);
            const int s = j == painted.subdivisions / 2 ? 10 : 15;
            Across(dc, vertical, pens.shadow, q - 1, s + 1, 25);
            Across(dc, vertical, pens.text, q, s, 26);
            Across(dc, vertical, pens.highlight, q + 1, s + 1, 25);
        }
    }
    if (ruler) {
        Along(dc, vertical, pens.shadow, 23, start, end);
    } else {
        Along(dc, vertical, pens.shadow, 25, start, end);
        Along(dc, vertical, pens.text, 26, start - 26, end);
    }
    Along(dc, vertical, pens.highlight, 0, start, end);
    if (oldFont)
        SelectObject(dc, oldFont);
    DeletePens(dc, pens);
    return scale;
}

} // namespace

void FormatRulerLabel(double labelStep, int k, int index, char* text, int size)
{
    const double value = labelStep * k * index;
    if (labelStep < 0.1)
        std::snprintf(text, static_cast<size_t>(size), "%0.2f", value);
    else if (labelStep >= 1.0)
        std::snprintf(text, static_cast<size_t>(size), "%ld", static_cast<long>(value));
    else
        std::snprintf(text, static_cast<size_t>(size), "%0.1f", value);
}

RulerScaleValues DrawHorizontalRuler(HWND ruler, HDC dc, const RECT* rect, const RulerScaleValues* scale)
{
    return DrawRuler(ruler, dc, rect, scale, false);
}

RulerScaleValues DrawVerticalRuler(HWND ruler, HDC dc, const RECT* rect, const RulerScaleValues* scale)
{
    return DrawRuler(ruler, dc, rect, scale, true);
}

void DrawRulerCorner(HWND corner, HDC dc, const RECT*)
{
    const RulerPens pens = MakePens();
    RECT box = {0, 0, kRulerThicknessUnits, kRulerThicknessUnits};
    if (corner)
        GetClientRect(corner, &box);
    const int edge = corner ? 23 : 25;
    SelectObject(dc, pens.shadow);
    MoveToEx(dc, edge, 0, nullptr);
    LineTo(dc, edge, box.bottom);
    MoveToEx(dc, 0, edge, nullptr);
    LineTo(dc, box.right, edge);
    MoveToEx(dc, 3, 20, nullptr);
    LineTo(dc, 3, 3);
    LineTo(dc, 21, 3);
    SelectObject(dc, pens.highlight);
    MoveToEx(dc, 0, 0, nullptr);
    LineTo(dc, box.right, 0);
    MoveToEx(dc, 0, 0, nullptr);
    LineTo(dc, 0, box.bottom);
    MoveToEx(dc, 22, 3, nullptr);
    LineTo(dc, 22, 20);
    LineTo(dc, 3, 20);
    DeletePens(dc, pens);
    SelectObject(dc, GetStockObject(BLACK_PEN));
}

void ShowPointerPosition(HWND view, const POINT* given)
{
    HWND corner = CornerBoxOf(view);
    if (!corner || !IsWindowVisible(corner) || GetParent(corner) != GetParent(view))
        return;
    const RulerScaleValues scale = ViewRulerScale(view);
    const double u = RulerSpacingHundredths(scale);
    POINT point;
    if (given) {
        point = *given;
    } else {
        GetCursorPos(&point);
        ScreenToClient(view, &point);
    }
    if (point.x < 0)
        point.x = 0;
    if (point.y < 0)
        point.y = 0;
    HDC viewDc = GetDC(view);
    DPtoLP(viewDc, &point, 1);
    ReleaseDC(view, viewDc);
    const double values[2] = {point.x / u / 6.0, point.y / u / 6.0};
    HDC dc = GetDC(corner);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    HGDIOBJ oldFont = RulerFontSmall ? SelectObject(dc, RulerFontSmall) : nullptr;
    const RECT clips[2] = {{4, 4, 22, 12}, {4, 12, 22, 20}};
    const int tops[2] = {3, 11};
    for (int i = 0; i < 2; ++i) {
        char text[32];
        std::snprintf(text, sizeof(text), values[i] >= 10.0 ? "%0.1f" : "%0.2f", values[i] * scale.labelStep);
        ExtTextOutA(dc, 4, tops[i], ETO_OPAQUE | ETO_CLIPPED, &clips[i], text, static_cast<UINT>(lstrlenA(text)),
                    nullptr);
    }
    if (oldFont)
        SelectObject(dc, oldFont);
    ReleaseDC(corner, dc);
}

HGLOBAL GetRulerViewRecord(HWND ruler) { return GetViewRecordHandle(RulerViewOf(ruler)); }
