#include "objects/metafile_playback.h"

#include <cmath>
#include <cstring>

#include "common/display_flags.h"
#include "common/handle_words.h"
#include "common/io_seam.h"
#include "objects/geometry_math.h"
#include "objects/metafile_records.h"

namespace {

int ClampCoordinate(double value)
{
    if (!(value == value))
        return 0;
    if (value > kPlaybackCoordinateLimit)
        return kPlaybackCoordinateLimit;
    if (value < -kPlaybackCoordinateLimit)
        return -kPlaybackCoordinateLimit;
    return static_cast<int>(value);
}

int16_t ClampToI16(double value)
{
    return static_cast<int16_t>(ClampCoordinate(value));
}

bool IsPaletteIndex(DWORD color)
{
    return (color & 0x01000000) != 0;
}

// A record rebuilt with changed parameters, played in place of the picture's.
class RebuiltRecord {
public:
    RebuiltRecord(uint16_t function, DWORD params)
    {
        std::memset(bytes_, 0, sizeof(bytes_));
        if (params > kMaxParams)
            params = kMaxParams;
        WriteLeU32(bytes_, kMetaRecordHeadWords + params);
        WriteLeU16(bytes_ + 4, function);
    }
    // Copies up to `count` parameter words of the picture's record.
    void CopyFrom(const METARECORD* record, DWORD count)
    {
        DWORD have = MetaParamCount(record);
        if (count > have)
            count = have;
        if (count > kMaxParams)
            count = kMaxParams;
        std::memcpy(bytes_ + 6, MetaParamBytes(record), 2 * count);
    }
    void Set(DWORD index, int value) { WriteLeU16(bytes_ + 6 + 2 * index, static_cast<uint16_t>(value)); }
    void SetDword(DWORD index, DWORD value) { WriteLeU32(bytes_ + 6 + 2 * index, value); }
    const METARECORD* Get() const { return reinterpret_cast<const METARECORD*>(bytes_); }

private:
    static const DWORD kMaxParams = 25;
    alignas(4) uint8_t bytes_[2 * (kMetaRecordHeadWords + kMaxParams)];
};

void SaveTransform(PlaybackState* s, PlaybackTransform* entry)
{
    entry->scaleX = s->scaleX;
    entry->scaleY = s->scaleY;
    entry->destination = s->destination;
    entry->source = s->source;
}

void LoadTransform(PlaybackState* s, const PlaybackTransform* entry)
{
    s->scaleX = entry->scaleX;
    s->scaleY = entry->scaleY;
    s->destination = entry->destination;
    s->source = entry->source;
}

// The picture's object is read; a substitute of the state takes its slot while
// the selection is played, and the slot gets the picture's own object back.
void SelectWithSubstitute(HDC dc, PlaybackState* s, HANDLETABLE* table, const METARECORD* record, UINT handles)
{
    UINT index = MetaParamU(record, 0);
    if (index >= handles)
        return;
    HGDIOBJ own = table->objectHandle[index];
    HGDIOBJ substitute = nullptr;
    switch (GetObjectType(own)) {
    case OBJ_BRUSH: {
        LOGBRUSH brush;
        if (GetObjectA(own, sizeof(brush), &brush) && brush.lbStyle == BS_SOLID)
            substitute = (brush.lbColor & 0x00FFFFFF) == 0 ? s->lineBrush : s->fillBrush;
        break;
    }
    case OBJ_PEN: {
        LOGPEN pen;
        if (GetObjectA(own, sizeof(pen), &pen) && pen.lopnStyle != PS_NULL)
            substitute = s->pen;
        break;
    }
    default:
        break;
    }
    if (!substitute) {
        PlayCheckedRecord(dc, table, record, handles);
        return;
    }
    table->objectHandle[index] = substitute;
    PlayCheckedRecord(dc, table, record, handles);
    table->objectHandle[index] = own;
}

void PlayTextAlign(HDC dc, const PlaybackState* s, HANDLETABLE* table, const METARECORD* record, UINT handles)
{
    UINT align = MetaParamU(record, 0);
    if (s->flipFlags & 0x08) {
        UINT horizontal = align & (TA_CENTER | TA_RIGHT);
        if (horizontal == TA_LEFT)
            align = (align & ~TA_CENTER) | TA_RIGHT;
        else if (horizontal == TA_RIGHT)
            align = align & ~TA_CENTER;
    }
    if (s->flipFlags & 0x10) {
        UINT vertical = align & (TA_BASELINE | TA_BOTTOM);
        if (vertical == TA_TOP)
            align |= TA_BOTTOM;
        else if (vertical == TA_BOTTOM)
            align &= ~TA_BOTTOM;
    }
    RebuiltRecord copy(kMetaSetTextAlign, 1);
    copy.Set(0, static_cast<int>(align));
    PlayCheckedRecord(dc, table, copy.Get(), handles);
}

void PlayTextColor(HDC dc, const PlaybackState* s, HANDLETABLE* table, const METARECORD* record, UINT handles)
{
    DWORD color = MetaParamDword(record, 0);
    if (s->lineBrush)
        color = s->textColor;
    else if (!IsPaletteIndex(color))
        color |= 0x02000000;
    RebuiltRecord copy(kMetaSetTextColor, 2);
    copy.SetDword(0, color);
    PlayCheckedRecord(dc, table, copy.Get(), handles);
}

void PlayPen(HDC dc, const PlaybackState* s, HANDLETABLE* table, const METARECORD* record, UINT handles)
{
    RebuiltRecord copy(kMetaCreatePenIndirect, 5);
    copy.CopyFrom(record, 5);
    // A mirrored picture has a negative scale; a pen is as wide either way.
    int width = ScaleRecordX(MetaParam(record, 1), s);
    int height = ScaleRecordY(MetaParam(record, 2), s);
    copy.Set(1, width < 0 ? -width : width);
    copy.Set(2, height < 0 ? -height : height);
    DWORD color = MetaParamDword(record, 3);
    if (!IsPaletteIndex(color))
        copy.SetDword(3, color | 0x02000000);
    PlayCheckedRecord(dc, table, copy.Get(), handles);
}

void PlayFont(HDC dc, const PlaybackState* s, HANDLETABLE* table, const METARECORD* record, UINT handles)
{
    RebuiltRecord copy(kMetaCreateFontIndirect, 25);
    copy.CopyFrom(record, 25);
    int height = MetaParam(record, 0);
    int width = MetaParam(record, 1);
    int16_t newHeight = ClampToI16(height * s->scaleY);
    int16_t newWidth = ClampToI16(width * s->scaleX);
    if ((height != 0 || width != 0) && newHeight == 0 && newWidth == 0)
        newHeight = -1;
    copy.Set(0, newHeight);
    copy.Set(1, newWidth);
    if (s->rotation != 0)
        copy.Set(2, (MetaParam(record, 2) + s->rotation) % 3600);
    PlayCheckedRecord(dc, table, copy.Get(), handles);
}

void PlayBrush(HDC dc, HANDLETABLE* table, const METARECORD* record, UINT handles)
{
    RebuiltRecord copy(kMetaCreateBrushIndirect, 4);
    copy.CopyFrom(record, 4);
    DWORD color = MetaParamDword(record, 1);
    if (!IsPaletteIndex(color))
        copy.SetDword(1, color | 0x02000000);
    PlayCheckedRecord(dc, table, copy.Get(), handles);
}

void ClipRect(HDC dc, const PlaybackState* s, const METARECORD* record, bool intersect)
{
    if (s->rotation != 0 || !PlaybackScaleUsable(s))
        return;
    RECT rect = {MetaParam(record, 3), MetaParam(record, 2), MetaParam(record, 1), MetaParam(record, 0)};
    MapRecordRect(&rect, s);
    RECT ordered;
    ordered.left = rect.left < rect.right ? rect.left : rect.right;
    ordered.right = rect.left < rect.right ? rect.right : rect.left;
    ordered.top = rect.top < rect.bottom ? rect.top : rect.bottom;
    ordered.bottom = rect.top < rect.bottom ? rect.bottom : rect.top;
    if (intersect)
        IntersectClipRect(dc, ordered.left, ordered.top, ordered.right, ordered.bottom);
    else
        ExcludeClipRect(dc, ordered.left, ordered.top, ordered.right, ordered.bottom);
}

void ScaleViewport(PlaybackState* s, const METARECORD* record)
{
    int yDenom = MetaParam(record, 0);
    int yNum = MetaParam(record, 1);
    int xDenom = MetaParam(record, 2);
    int xNum = MetaParam(record, 3);
    if (xDenom == 0 || yDenom == 0)
        return;
    double width = static_cast<double>(s->destination.right) - s->destination.left;
    double height = static_cast<double>(s->destination.bottom) - s->destination.top;
    s->destination.right = s->destination.left + TruncToInt(xNum * width / xDenom);
    s->destination.bottom = s->destination.top + TruncToInt(yNum * height / yDenom);
}

} // namespace

int PlaybackScaleUsable(const PlaybackState* state)
{
    return std::isfinite(state->scaleX) && std::isfinite(state->scaleY) ? 1 : 0;
}

int ScaleRecordX(int value, const PlaybackState* state)
{
    return ClampCoordinate(value * state->scaleX);
}

int ScaleRecordY(int value, const PlaybackState* state)
{
    return ClampCoordinate(value * state->scaleY);
}

int MapRecordX(int value, const PlaybackState* state)
{
    double d = (static_cast<double>(value) - state->source.left) * state->scaleX;
    return ClampCoordinate((state->flipFlags & 0x08) ? state->destination.right - d : state->destination.left + d);
}

int MapRecordY(int value, const PlaybackState* state)
{
    double d = (static_cast<double>(value) - state->source.top) * state->scaleY;
    return ClampCoordinate((state->flipFlags & 0x10) ? state->destination.bottom - d : state->destination.top + d);
}

void MapRecordRect(RECT* rect, const PlaybackState* state)
{
    rect->left = MapRecordX(rect->left, state);
    rect->right = MapRecordX(rect->right, state);
    rect->top = MapRecordY(rect->top, state);
    rect->bottom = MapRecordY(rect->bottom, state);
}

int CALLBACK PlayTransformedRecord(HDC dc, HANDLETABLE* table, METARECORD* record, int handles, LPARAM data)
{
    auto* s = reinterpret_cast<PlaybackState*>(data);
    const UINT slots = handles > 0 ? static_cast<UINT>(handles) : 0;
    switch (record->rdFunction) {
    case kMetaSetTextCharExtra:
        SetTextCharacterExtra(dc, ScaleRecordX(MetaParam(record, 0), s));
        return 1;
    case kMetaSaveDc:
        if (s->depth >= 0 && s->depth <= kPlaybackSaveDepth - 2) {
            ++s->depth;
            SaveTransform(s, &s->stack[s->depth]);
        } else {
            ++s->depth;
        }
        if (SaveDC(dc))
            ++s->pictureSaves;
        return 1;
    case kMetaRestoreDc:
        if (s->depth >= 0 && s->depth <= kPlaybackSaveDepth - 1)
            LoadTransform(s, &s->stack[s->depth]);
        --s->depth;
        // Each restore undoes one of the picture's own saves, never one of
        // the painter's below them.
        if (s->pictureSaves > 0) {
            RestoreDC(dc, -1);
            --s->pictureSaves;
        }
        return 1;
    case kMetaSelectObject:
        SelectWithSubstitute(dc, s, table, record, slots);
        return 1;
    case kMetaSetTextAlign:
        PlayTextAlign(dc, s, table, record, slots);
        return 1;
    case kMetaSetTextColor:
        PlayTextColor(dc, s, table, record, slots);
        return 1;
    case kMetaSetWindowOrg:
        OffsetRect(&s->source, MetaParam(record, 1) - s->source.left, MetaParam(record, 0) - s->source.top);
        return 1;
    case kMetaSetWindowExt:
        s->scaleX = (static_cast<double>(s->destination.right) - s->destination.left) / MetaParam(record, 1);
        s->scaleY = (static_cast<double>(s->destination.bottom) - s->destination.top) / MetaParam(record, 0);
        return 1;
    case kMetaOffsetWindowOrg:
        OffsetRect(&s->source, MetaParam(record, 1), MetaParam(record, 0));
        return 1;
    case kMetaOffsetClipRgn:
        OffsetClipRgn(dc, ScaleRecordX(MetaParam(record, 1), s), ScaleRecordY(MetaParam(record, 0), s));
        return 1;
    case kMetaSelectPalette:
        if (s->selectPalettes)
            PlayCheckedRecord(dc, table, record, slots);
        return 1;
    case kMetaCreatePenIndirect:
        PlayPen(dc, s, table, record, slots);
        return 1;
    case kMetaCreateFontIndirect:
        PlayFont(dc, s, table, record, slots);
        return 1;
    case kMetaCreateBrushIndirect:
        PlayBrush(dc, table, record, slots);
        return 1;
    case kMetaScaleViewportExt:
        ScaleViewport(s, record);
        return 1;
    case kMetaExcludeClipRect:
        ClipRect(dc, s, record, false);
        return 1;
    case kMetaIntersectClipRect:
        ClipRect(dc, s, record, true);
        return 1;
    default:
        break;
    }
    if (!DrawTransformedRecord(s, table, record, slots))
        PlayCheckedRecord(dc, table, record, slots);
    return 1;
}

void PlayMetafileTransformed(HDC dc, const RECT* destination, HGLOBAL block, const RECT* source,
                             PlaybackState* state)
{
    if (!block)
        return;
    HMETAFILE metafile = nullptr;
    SIZE_T size = GlobalSize(block);
    if (auto* bits = static_cast<const uint8_t*>(GlobalLock(block))) {
        MetafileShape shape;
        if (size <= 0xFFFFFFFFu && CheckMetafileBits(bits, static_cast<DWORD>(size), &shape))
            metafile = SetMetaFileBitsEx(shape.bytes, bits);
        GlobalUnlock(block);
    }
    GlobalFree(block);
    if (!metafile)
        return;

    state->scaleX = (static_cast<double>(destination->right) - destination->left) /
                    (static_cast<double>(source->right) - source->left);
    state->scaleY = (static_cast<double>(destination->bottom) - destination->top) /
                    (static_cast<double>(source->bottom) - source->top);
    if (!PlaybackScaleUsable(state)) {
        DeleteMetaFile(metafile);
        return;
    }
    // Not zero-filled: every point and every saved transform is written before
    // it is read, and clearing 176,000 bytes per picture cost two thirds of
    // the playback of a small symbol.
    HGLOBAL pointBlock = SeamGlobalAlloc(GMEM_MOVEABLE, sizeof(POINT) * kPlaybackPointLimit);
    HGLOBAL stackBlock = SeamGlobalAlloc(GMEM_MOVEABLE, sizeof(PlaybackTransform) * kPlaybackSaveDepth);
    state->points = pointBlock ? static_cast<POINT*>(GlobalLock(pointBlock)) : nullptr;
    state->stack = stackBlock ? static_cast<PlaybackTransform*>(GlobalLock(stackBlock)) : nullptr;
    if (state->points && state->stack) {
        state->reference = *destination;
        state->destination = *destination;
        state->source = *source;
        state->depth = 0;
        state->pictureSaves = 0;
        state->dc = dc;
        SaveTransform(state, &state->stack[0]);
        int saved = SaveDC(dc);
        SetTextAlign(dc, 0);
        EnumMetaFile(dc, metafile, PlayTransformedRecord, reinterpret_cast<LPARAM>(state));
        RestoreDC(dc, RenderingMetafile ? -1 : saved);
    }
    if (pointBlock) {
        GlobalUnlock(pointBlock);
        GlobalFree(pointBlock);
    }
    if (stackBlock) {
        GlobalUnlock(stackBlock);
        GlobalFree(stackBlock);
    }
    state->points = nullptr;
    state->stack = nullptr;
    state->dc = nullptr;
    DeleteMetaFile(metafile);
}
