// The metafile records that place something, drawn by the program with the
// playback's transform instead of being played.
#include <algorithm>

#include "objects/arc_polyline.h"
#include "objects/metafile_playback.h"
#include "objects/metafile_records.h"
#include "objects/packed_dib.h"
#include "objects/point_transforms.h"
#include "objects/shape_types.h"

namespace {

void MapPoint(const PlaybackState* s, int x, int y, POINT* point)
{
    point->x = MapRecordX(x, s);
    point->y = MapRecordY(y, s);
}

void Turn(const PlaybackState* s, POINT* points, int count)
{
    if (s->rotation != 0)
        RotatePoints(&s->reference, s->rotation, points, count);
}

RECT RecordRect(const METARECORD* record, DWORD first)
{
    // left, top, right, bottom are stored as bottom, right, top, left.
    RECT rect = {MetaParam(record, first + 3), MetaParam(record, first + 2), MetaParam(record, first + 1),
                 MetaParam(record, first)};
    return rect;
}

RECT Ordered(const RECT& rect)
{
    RECT ordered = {std::min(rect.left, rect.right), std::min(rect.top, rect.bottom), std::max(rect.left, rect.right),
                    std::max(rect.top, rect.bottom)};
    return ordered;
}

void DrawPoint(PlaybackState* s, HDC dc, const METARECORD* record)
{
    // MoveTo and LineTo keep y then x.
    POINT point;
    MapPoint(s, MetaParam(record, 1), MetaParam(record, 0), &point);
    Turn(s, &point, 1);
    if (record->rdFunction == kMetaLineTo)
        LineTo(dc, point.x, point.y);
    else
        MoveToEx(dc, point.x, point.y, nullptr);
}

void DrawPoly(PlaybackState* s, HDC dc, const METARECORD* record)
{
    int count = std::min<int>(MetaParamU(record, 0), kPlaybackPointLimit);
    for (int i = 0; i < count; ++i)
        MapPoint(s, MetaParam(record, 1 + 2 * i), MetaParam(record, 2 + 2 * i), &s->points[i]);
    Turn(s, s->points, count);
    if (record->rdFunction == kMetaPolygon)
        Polygon(dc, s->points, count);
    else
        Polyline(dc, s->points, count);
}

void DrawPolyPolygon(PlaybackState* s, HDC dc, const METARECORD* record)
{
    // The polygons are taken while the point buffer holds them; the one that
    // would run past it is cut to what is left.
    int polygons = MetaParamU(record, 0);
    s->polygonSizes.clear();
    int total = 0;
    DWORD word = 1 + polygons;
    for (int i = 0; i < polygons && total < kPlaybackPointLimit; ++i) {
        int size = MetaParamU(record, 1 + i);
        int taken = std::min(size, kPlaybackPointLimit - total);
        for (int k = 0; k < taken; ++k)
            MapPoint(s, MetaParam(record, word + 2 * k), MetaParam(record, word + 2 * k + 1), &s->points[total + k]);
        word += 2 * size;
        if (taken >= 2) {
            s->polygonSizes.push_back(taken);
            total += taken;
        }
    }
    if (s->polygonSizes.empty())
        return;
    Turn(s, s->points, total);
    PolyPolygon(dc, s->points, s->polygonSizes.data(), static_cast<int>(s->polygonSizes.size()));
}

void DrawFigure(PlaybackState* s, HDC dc, const METARECORD* record)
{
    bool roundRect = record->rdFunction == kMetaRoundRect;
    RECT rect = RecordRect(record, roundRect ? 2 : 0);
    MapRecordRect(&rect, s);
    int cornerWidth = 0, cornerHeight = 0;
    if (roundRect) {
        cornerWidth = ScaleRecordX(MetaParam(record, 1), s);
        cornerHeight = ScaleRecordY(MetaParam(record, 0), s);
    }
    if (s->rotation == 0) {
        switch (record->rdFunction) {
        case kMetaEllipse:
            Ellipse(dc, rect.left, rect.top, rect.right, rect.bottom);
            break;
        case kMetaRectangle:
            Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
            break;
        default:
            RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, cornerWidth, cornerHeight);
            break;
        }
        return;
    }
    RECT box = Ordered(rect);
    int type = kShapeRectangle;
    double parameter = 0.0;
    if (record->rdFunction == kMetaEllipse) {
        type = kShapeOval;
    } else if (roundRect) {
        type = kShapeRoundRect;
        LONG shorter = std::min(box.right - box.left, box.bottom - box.top);
        int corner = cornerWidth < 0 ? -cornerWidth : cornerWidth;
        parameter = shorter > 0 ? corner / (2.0 * shorter) : 0.0;
    }
    int count = 0;
    BuildTransformedShapeOutline(&box, &s->reference, parameter, type, s->rotation, nullptr, s->points, &count, 0);
    Polygon(dc, s->points, count);
}

void DrawArcRecord(PlaybackState* s, HDC dc, const METARECORD* record)
{
    RECT rect = RecordRect(record, 4);
    MapRecordRect(&rect, s);
    POINT start, end;
    MapPoint(s, MetaParam(record, 3), MetaParam(record, 2), &start);
    MapPoint(s, MetaParam(record, 1), MetaParam(record, 0), &end);
    // Each mirror turns the arc's direction round.
    if (s->flipFlags & 0x08)
        std::swap(start, end);
    if (s->flipFlags & 0x10)
        std::swap(start, end);
    if (s->rotation != 0) {
        int kind = record->rdFunction == kMetaArc ? kArcOpen : (record->rdFunction == kMetaPie ? kArcPie : kArcChord);
        int count = 0;
        ArcToPolyline(&rect, start.x, start.y, end.x, end.y, kind, kPlaybackArcSamples, s->points, &count);
        Turn(s, s->points, count);
        if (kind == kArcOpen)
            Polyline(dc, s->points, count);
        else
            Polygon(dc, s->points, count);
        return;
    }
    switch (record->rdFunction) {
    case kMetaArc:
        Arc(dc, rect.left, rect.top, rect.right, rect.bottom, start.x, start.y, end.x, end.y);
        break;
    case kMetaPie:
        Pie(dc, rect.left, rect.top, rect.right, rect.bottom, start.x, start.y, end.x, end.y);
        break;
    default:
        Chord(dc, rect.left, rect.top, rect.right, rect.bottom, start.x, start.y, end.x, end.y);
        break;
    }
}

void DrawPixelRecord(PlaybackState* s, HDC dc, const METARECORD* record)
{
    bool extended = record->rdFunction == kMetaExtFloodFill;
    DWORD first = extended ? 1 : 0;
    COLORREF color = MetaParamDword(record, first);
    POINT point;
    MapPoint(s, MetaParam(record, first + 3), MetaParam(record, first + 2), &point);
    Turn(s, &point, 1);
    switch (record->rdFunction) {
    case kMetaFloodFill:
        FloodFill(dc, point.x, point.y, color);
        break;
    case kMetaSetPixel:
        SetPixel(dc, point.x, point.y, color);
        break;
    default:
        ExtFloodFill(dc, point.x, point.y, color, MetaParamU(record, 0));
        break;
    }
}

void DrawTextOut(PlaybackState* s, HDC dc, const METARECORD* record)
{
    int length = MetaParamU(record, 0);
    DWORD after = 1 + (length + 1) / 2;
    POINT point;
    MapPoint(s, MetaParam(record, after + 1), MetaParam(record, after), &point);
    Turn(s, &point, 1);
    TextOutA(dc, point.x, point.y, reinterpret_cast<const char*>(MetaParamBytes(record) + 2), length);
}

void DrawExtTextOut(PlaybackState* s, HDC dc, const METARECORD* record)
{
    int y = MetaParam(record, 0);
    int x = MetaParam(record, 1);
    int length = MetaParamU(record, 2);
    UINT options = MetaParamU(record, 3);
    bool hasRect = (options & (ETO_OPAQUE | ETO_CLIPPED)) != 0;
    DWORD textWord = hasRect ? 8 : 4;

    POINT point;
    point.y = MapRecordY(y, s);
    if (s->flipFlags & 0x10) {
        UINT vertical = GetTextAlign(dc) & (TA_BASELINE | TA_BOTTOM);
        if (vertical == TA_BOTTOM || vertical == TA_BASELINE) {
            TEXTMETRICA metric;
            if (GetTextMetricsA(dc, &metric))
                point.y += metric.tmAscent - metric.tmDescent;
        }
    }
    point.x = MapRecordX(x, s);
    RECT rect = {0, 0, 0, 0};
    if (hasRect) {
        // This record keeps its rectangle as left, top, right, bottom.
        rect = {MetaParam(record, 4), MetaParam(record, 5), MetaParam(record, 6), MetaParam(record, 7)};
        MapRecordRect(&rect, s);
        rect = Ordered(rect);
    }
    if (s->rotation != 0) {
        Turn(s, &point, 1);
        options = 0;
        rect = {-kPlaybackCoordinateLimit, -kPlaybackCoordinateLimit, kPlaybackCoordinateLimit,
                kPlaybackCoordinateLimit};
    }
    INT* advances = nullptr;
    DWORD needed = textWord + (length + 1) / 2 + length;
    if (MetaParamCount(record) >= needed) {
        // The advances share the point buffer, which holds 31,998 of them.
        length = std::min(length, kPlaybackAdvanceLimit);
        advances = reinterpret_cast<INT*>(s->points);
        DWORD first = textWord + (MetaParamU(record, 2) + 1) / 2;
        for (int i = 0; i < length; ++i) {
            int advance = ScaleRecordX(MetaParam(record, first + i), s);
            advances[i] = advance < 0 ? -advance : advance;
        }
    }
    ExtTextOutA(dc, point.x, point.y, options, &rect,
                reinterpret_cast<const char*>(MetaParamBytes(record) + 2 * textWord), length, advances);
}

void DrawPatBlt(PlaybackState* s, HDC dc, const METARECORD* record)
{
    DWORD rop = MetaParamDword(record, 0);
    int height = MetaParam(record, 2);
    int width = MetaParam(record, 3);
    int y = MetaParam(record, 4);
    int x = MetaParam(record, 5);
    RECT rect = {x, y, x + width, y + height};
    MapRecordRect(&rect, s);
    PatBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, rop);
}

void DrawStretchedDib(PlaybackState* s, HDC dc, const METARECORD* record)
{
    DWORD first = 0;
    UINT usage = DIB_RGB_COLORS;
    if (!MetaRecordDib(record, &first, &usage))
        return;
    DWORD at = record->rdFunction == kMetaStretchDib ? 3 : 2;   // srcHeight, then the rest in order
    DWORD rop = MetaParamDword(record, 0);
    int srcHeight = MetaParam(record, at);
    int srcWidth = MetaParam(record, at + 1);
    int ySrc = MetaParam(record, at + 2);
    int xSrc = MetaParam(record, at + 3);
    int destHeight = MetaParam(record, at + 4);
    int destWidth = MetaParam(record, at + 5);
    int yDest = MetaParam(record, at + 6);
    int xDest = MetaParam(record, at + 7);
    RECT rect = {xDest, yDest, xDest + destWidth, yDest + destHeight};
    MapRecordRect(&rect, s);
    const uint8_t* dib = MetaParamBytes(record) + 2 * first;
    DibLayout layout;
    if (!CheckPackedDib(dib, 2 * (MetaParamCount(record) - first), usage, 0, &layout))
        return;
    StretchDIBits(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, xSrc, ySrc, srcWidth,
                  srcHeight, dib + layout.headerBytes + layout.tableBytes, reinterpret_cast<const BITMAPINFO*>(dib),
                  usage, rop);
}

void DrawDibToDevice(PlaybackState* s, HDC dc, const METARECORD* record)
{
    UINT usage = MetaParamU(record, 0) == DIB_PAL_COLORS ? DIB_PAL_COLORS : DIB_RGB_COLORS;
    UINT scans = MetaParamU(record, 1);
    UINT startScan = MetaParamU(record, 2);
    int yDib = MetaParam(record, 3);
    int xDib = MetaParam(record, 4);
    int height = MetaParam(record, 5);
    int width = MetaParam(record, 6);
    int yDest = MapRecordY(MetaParam(record, 7), s);
    int xDest = MapRecordX(MetaParam(record, 8), s);
    const uint8_t* dib = MetaParamBytes(record) + 2 * 9;
    DibLayout layout;
    if (!CheckPackedDib(dib, 2 * (MetaParamCount(record) - 9), usage, scans, &layout))
        return;
    SetDIBitsToDevice(dc, xDest, yDest, width, height, xDib, yDib, startScan, scans,
                      dib + layout.headerBytes + layout.tableBytes, reinterpret_cast<const BITMAPINFO*>(dib), usage);
}

} // namespace

int DrawTransformedRecord(PlaybackState* s, HANDLETABLE*, const METARECORD* record, UINT)
{
    switch (record->rdFunction) {
    case kMetaLineTo: case kMetaMoveTo: case kMetaPolygon: case kMetaPolyline: case kMetaPolyPolygon:
    case kMetaEllipse: case kMetaRectangle: case kMetaRoundRect: case kMetaArc: case kMetaPie: case kMetaChord:
    case kMetaFloodFill: case kMetaSetPixel: case kMetaExtFloodFill: case kMetaTextOut: case kMetaExtTextOut:
    case kMetaPatBlt: case kMetaStretchBlt: case kMetaDibStretchBlt: case kMetaStretchDib: case kMetaSetDibToDev:
    case kMetaBitBlt: case kMetaDibBitBlt:
        break;
    default:
        return 0;
    }
    // Without a usable scale nothing can be placed; the record is passed over.
    if (!PlaybackScaleUsable(s))
        return 1;
    HDC dc = s->dc;
    switch (record->rdFunction) {
    case kMetaLineTo:
    case kMetaMoveTo:
        DrawPoint(s, dc, record);
        break;
    case kMetaPolygon:
    case kMetaPolyline:
        DrawPoly(s, dc, record);
        break;
    case kMetaPolyPolygon:
        DrawPolyPolygon(s, dc, record);
        break;
    case kMetaEllipse:
    case kMetaRectangle:
    case kMetaRoundRect:
        DrawFigure(s, dc, record);
        break;
    case kMetaArc:
    case kMetaPie:
    case kMetaChord:
        DrawArcRecord(s, dc, record);
        break;
    case kMetaFloodFill:
    case kMetaSetPixel:
    case kMetaExtFloodFill:
        DrawPixelRecord(s, dc, record);
        break;
    case kMetaTextOut:
        DrawTextOut(s, dc, record);
        break;
    case kMetaExtTextOut:
        DrawExtTextOut(s, dc, record);
        break;
    case kMetaPatBlt:
        DrawPatBlt(s, dc, record);
        break;
    case kMetaStretchBlt:
    case kMetaDibStretchBlt:
    case kMetaStretchDib:
        DrawStretchedDib(s, dc, record);
        break;
    case kMetaSetDibToDev:
        DrawDibToDevice(s, dc, record);
        break;
    default:
        // Unstretched bitmaps are not placed (the scan refuses them).
        break;
    }
    return 1;
}
