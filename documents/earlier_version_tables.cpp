// The view, drawing, font and colour records and the object, draw-order
// and link tables of an earlier version widened into the current layouts.
#include "objects/app_options.h"
#include "objects/color_style.h"
#include "documents/earlier_version.h"
#include "documents/earlier_version_records.h"

namespace {

const DWORD kOldObjectSize = 186;
const DWORD kNewObjectSize = 356;
const int32_t kMaxObjects = 16000;
const DWORD kOldFontEntry = 58;
const DWORD kNewFontEntry = 76;
const DWORD kOldLinkRow = 10;
const DWORD kNewLinkRow = 20;
const int32_t kMaxColors = 256;
const DWORD kColorListPayload = 1028;

// Payload of a table of `count` (an i16 at 0) rows of `row` bytes from
// `first`: 0 when the count does not fit the record.
bool CountFits(const OldPayload& old, DWORD first, DWORD row, int32_t* count)
{
    *count = old.I16(0);
    if (!old.Holds(0, 2) || *count < 0)
        return false;
    return old.Holds(first, row * static_cast<DWORD>(*count));
}

void WidenI16s(const OldPayload& old, DWORD from, NewPayload* target, DWORD to, int count)
{
    for (int index = 0; index < count; ++index)
        target->I32(to + 4 * index, old.I16(from + 2 * index));
}

void WidenRect(const OldPayload& old, DWORD from, NewPayload* target, DWORD to) { WidenI16s(old, from, target, to, 4); }

void WidenObject(const OldPayload& old, DWORD from, NewPayload* target, DWORD to)
{
    const int32_t kind = old.I16(from);
    target->I32(to, kind);
    for (int rect = 0; rect < 4; ++rect)
        WidenRect(old, from + 2 + 8 * rect, target, to + 4 + 16 * rect);
    target->I32(to + 68, old.I16(from + 34));
    target->Bytes(to + 72, old.At(from + 36), 40);
    WidenRect(old, from + 76, target, to + 112);
    WidenRect(old, from + 84, target, to + 128);
    target->I32(to + 144, old.I16(from + 92));
    int32_t flags = old.I16(from + 94);
    if (kind == 1 || kind == 2)
        flags |= 0x20;
    target->I32(to + 148, flags);
    WidenI16s(old, from + 96, target, to + 152, 11);
    target->I32(to + 196, old.I32(from + 118));
    target->I32(to + 200, old.I32(from + 122));
    WidenI16s(old, from + 126, target, to + 204, 4);
    for (int index = 0; index < 5; ++index)
        target->I32(to + 220 + 4 * index, old.U16(from + 134 + 2 * index));
    target->I32(to + 240, old.I16(from + 144));
    target->I32(to + 244, old.I16(from + 146));
    for (int slot = 0; slot < 2; ++slot) {
        const DWORD oldSlot = from + 148 + 10 * slot;
        const DWORD newSlot = to + 248 + 20 * slot;
        target->I32(newSlot, old.U16(oldSlot));
        WidenI16s(old, oldSlot + 2, target, newSlot + 4, 4);
    }
    target->I32(to + 288, old.I16(from + 168));
    target->I32(to + 292, old.I16(from + 170));
    const int32_t moreFlags = old.I32(from + 172);
    target->I32(to + 296, moreFlags);
    target->I32(to + 324, (moreFlags & 0x02) ? 1 : 0);
    target->I32(to + 328, (moreFlags & 0x01) ? 1 : 0);
    target->I32(to + 304, old.U16(from + 176));
    target->I32(to + 308, old.I16(from + 178));
    target->I32(to + 312, old.I16(from + 184));
    target->I32(to + 300, 1);
    target->I32(to + 316, 0);
    target->I32(to + 320, -1);
    target->Bytes(to + 332, target->At(to + 20), 16);
}

} // namespace

void WidenViewRecord(const OldPayload& old, NewPayload* target)
{
    target->I32(0, 4);
    WidenI16s(old, 2, target, 4, 3);
    target->I32(16, old.U16(8));
    target->I32(20, old.U16(10));
    target->I32(28, 0);
    WidenI16s(old, 28, target, 56, 6);
    WidenRect(old, 40, target, 80);
    WidenRect(old, 48, target, 96);
    target->I32(112, old.I16(56));
    if (old.Holds(58, 1))
        target->String(116, old.At(58), old.Size() - 58, 262);
    target->I32(394, old.I32(326));
}

DWORD FontTableSize(const OldPayload& old)
{
    int32_t count = 0;
    return CountFits(old, 2, 2, &count) ? 4 + 4 * static_cast<DWORD>(count) : 0;
}

void WidenFontTable(const OldPayload& old, NewPayload* target)
{
    const int32_t count = old.I16(0);
    target->I32(0, count);
    WidenI16s(old, 2, target, 4, count);
}

DWORD FontListSize(const OldPayload& old)
{
    int32_t count = 0;
    return CountFits(old, 4, kOldFontEntry, &count) ? 8 + kNewFontEntry * static_cast<DWORD>(count) : 0;
}

void WidenFontList(const OldPayload& old, NewPayload* target)
{
    const int32_t count = old.I16(0);
    target->I32(0, count);
    target->I32(4, old.I16(2));
    for (int32_t entry = 0; entry < count; ++entry) {
        const DWORD from = 4 + kOldFontEntry * entry;
        const DWORD to = 8 + kNewFontEntry * entry;
        target->String(to + 28, old.At(from + 18), 32, 32);
        target->Bytes(to + 23, old.At(from + 13), 1);
        WidenI16s(old, from + 50, target, to + 60, 4);
    }
}

DWORD ColorListSize(const OldPayload& old)
{
    int32_t count = 0;
    return CountFits(old, 2, 4, &count) && count <= kMaxColors ? kColorListPayload : 0;
}

void WidenColorList(const OldPayload& old, NewPayload* target)
{
    const int32_t count = old.I16(0);
    target->I32(0, count);
    target->Bytes(4, old.At(2), 4 * static_cast<DWORD>(count));
}

DWORD DrawingRecordSize(const OldPayload& old) { return old.Holds(0, 148) ? 280 : 0; }

void WidenDrawingRecord(const OldPayload& old, NewPayload* target)
{
    WidenI16s(old, 4, target, 8, 2);
    target->I32(16, old.U16(8));
    WidenI16s(old, 16, target, 32, 2);
    target->I32(40, old.U16(20));
    target->I32(44, old.U16(22));
    WidenI16s(old, 24, target, 48, 2);
    ColorStyle style;
    WidenColorStyle(&style, old.At(28));
    target->Bytes(56, &style, sizeof(style));
    WidenI16s(old, 96, target, 132, 6);
    target->String(184, old.At(108), 32, 32);
    *target->At(179) = 0;
    target->I32(216, old.I16(140));
    target->I32(220, old.I32(142));
    target->I32(224, old.I16(146));
    target->I32(240, 1);
    RulerScale rulers = {1, 1, 100.0, 12, 1.0, 1};
    if (AppOptions)
        rulers.divisions = Options()->rulerDefaults.divisions;
    target->Bytes(248, &rulers, sizeof(rulers));
}

DWORD ObjectTableSize(const OldPayload& old)
{
    int32_t count = 0;
    if (!CountFits(old, 2, kOldObjectSize, &count) || count > kMaxObjects)
        return 0;
    return 4 + kNewObjectSize * (static_cast<DWORD>(count) + 1);
}

void WidenObjectTable(const OldPayload& old, NewPayload* target)
{
    const int32_t count = old.I16(0);
    target->I32(0, count);
    for (int32_t index = 0; index < count; ++index)
        WidenObject(old, 2 + kOldObjectSize * index, target, 4 + kNewObjectSize * index);
}

DWORD DrawOrderSize(const OldPayload& old) { return FontTableSize(old); }

void WidenDrawOrder(const OldPayload& old, NewPayload* target) { WidenFontTable(old, target); }

DWORD LinkTableSize(const OldPayload& old)
{
    int32_t count = 0;
    return CountFits(old, 2, kOldLinkRow, &count) ? 4 + kNewLinkRow * static_cast<DWORD>(count) : 0;
}

void WidenLinkTable(const OldPayload& old, NewPayload* target)
{
    const int32_t count = old.I16(0);
    target->I32(0, count);
    for (int32_t row = 0; row < count; ++row) {
        const DWORD from = 2 + kOldLinkRow * row;
        const DWORD to = 4 + kNewLinkRow * row;
        target->I32(to, old.U16(from));
        target->I32(to + 4, old.I16(from + 2));
        target->I32(to + 8, old.U16(from + 4));
        target->I32(to + 12, old.I16(from + 6));
        target->I32(to + 16, old.U16(from + 8));
    }
}
