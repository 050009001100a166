#include "objects/metafile_records.h"

#include <cstring>

#include "common/handle_words.h"
#include "objects/packed_dib.h"

namespace {

struct RecordView {
    const uint8_t* params;
    DWORD count;      // parameter words
    DWORD Word(DWORD i) const { return ReadLeU16(params + 2 * i); }
};

// Parameter words a fixed-size record needs before GDI or this program reads
// it; 0 for records without parameters or with their own rules below.
DWORD FixedParams(uint16_t function)
{
    switch (function) {
    case 0x0102: case 0x0103: case 0x0104: case 0x0105: case 0x0106: case 0x0107: case 0x0108:
    case kMetaRestoreDc: case kMetaInvertRegion: case kMetaPaintRegion: case kMetaSelectClipRegion:
    case kMetaSelectObject: case kMetaSetTextAlign: case 0x0139: case kMetaDeleteObject: case kMetaSelectPalette:
        return 1;
    case 0x0149: case 0x0201: case kMetaSetTextColor: case 0x020A: case kMetaSetWindowOrg: case kMetaSetWindowExt:
    case 0x020D: case 0x020E: case kMetaOffsetWindowOrg: case 0x0211: case kMetaLineTo: case kMetaMoveTo:
    case kMetaOffsetClipRgn: case kMetaFillRegion: case 0x0231:
        return 2;
    case kMetaCreateBrushIndirect: case 0x0410: case kMetaScaleViewportExt: case kMetaExcludeClipRect:
    case kMetaIntersectClipRect: case kMetaEllipse: case kMetaFloodFill: case kMetaRectangle: case kMetaSetPixel:
    case kMetaFrameRegion:
        return 4;
    case kMetaCreatePenIndirect: case kMetaExtFloodFill:
        return 5;
    case kMetaRoundRect: case kMetaPatBlt:
        return 6;
    case kMetaArc: case kMetaPie: case kMetaChord: case kMetaBitBlt: case kMetaDibBitBlt:
        return 8;
    case kMetaCreateFontIndirect: case kMetaSetDibToDev:
        return 9;
    case kMetaStretchBlt: case kMetaDibStretchBlt:
        return 10;
    case kMetaStretchDib:
        return 11;
    default:
        return 0;
    }
}

bool CheckDibAt(const RecordView& r, DWORD firstWord, UINT colorUse, DWORD scanLines)
{
    if (firstWord > r.count)
        return false;
    return CheckPackedDib(r.params + 2 * firstWord, 2 * (r.count - firstWord), colorUse, scanLines, nullptr);
}

// Counted parameters: palette entries, points, characters, escape data.
bool CheckCounts(uint16_t function, const RecordView& r)
{
    switch (function) {
    case kMetaSetPalEntries:
    case kMetaCreatePalette:
    case kMetaAnimatePalette:
        return r.count >= 2 && 2 + 2 * static_cast<uint64_t>(r.Word(1)) <= r.count;
    case kMetaEscape:
        return r.count >= 2 && 2 + (static_cast<uint64_t>(r.Word(1)) + 1) / 2 <= r.count;
    case kMetaPolygon:
    case kMetaPolyline:
        return r.count >= 1 && 1 + 2 * static_cast<uint64_t>(r.Word(0)) <= r.count;
    case kMetaPolyPolygon: {
        if (r.count < 1)
            return false;
        uint64_t polygons = r.Word(0);
        if (1 + polygons > r.count)
            return false;
        uint64_t points = 0;
        for (DWORD i = 0; i < polygons; ++i)
            points += r.Word(1 + i);
        return 1 + polygons + 2 * points <= r.count;
    }
    case kMetaTextOut:
        return r.count >= 1 && 1 + (static_cast<uint64_t>(r.Word(0)) + 1) / 2 + 2 <= r.count;
    case kMetaExtTextOut: {
        if (r.count < 4)
            return false;
        uint64_t rect = (r.Word(3) & (ETO_OPAQUE | ETO_CLIPPED)) ? 4 : 0;
        return 4 + rect + (static_cast<uint64_t>(r.Word(2)) + 1) / 2 <= r.count;
    }
    default:
        return true;
    }
}

bool CheckHandles(uint16_t function, const RecordView& r, WORD handles)
{
    switch (function) {
    case kMetaSelectObject:
    case kMetaDeleteObject:
    case kMetaSelectPalette:
    case kMetaSelectClipRegion:
    case kMetaInvertRegion:
    case kMetaPaintRegion:
        return r.Word(0) < handles;
    case kMetaFillRegion:
    case kMetaFrameRegion:
        return r.Word(0) < handles && r.Word(1) < handles;
    default:
        return true;
    }
}

bool CheckRecord(uint16_t function, const RecordView& r, WORD handles)
{
    if (r.count < FixedParams(function))
        return false;
    if (!CheckCounts(function, r) || !CheckHandles(function, r, handles))
        return false;
    switch (function) {
    case kMetaDibCreatePatternBrush:
        return r.count >= 2 && CheckDibAt(r, 2, r.Word(1) == DIB_PAL_COLORS ? DIB_PAL_COLORS : DIB_RGB_COLORS, 0);
    case kMetaSetDibToDev:
        return CheckDibAt(r, 9, r.Word(0) == DIB_PAL_COLORS ? DIB_PAL_COLORS : DIB_RGB_COLORS, r.Word(1));
    case kMetaStretchDib:
        return CheckDibAt(r, 11, r.Word(2) == DIB_PAL_COLORS ? DIB_PAL_COLORS : DIB_RGB_COLORS, 0);
    case kMetaDibStretchBlt:
        // Eleven words and nothing more is the form without a source bitmap.
        return r.count == 11 || CheckDibAt(r, 10, DIB_RGB_COLORS, 0);
    case kMetaDibBitBlt:
        return r.count == 9 || CheckDibAt(r, 8, DIB_RGB_COLORS, 0);
    default:
        return true;
    }
}

// A null brush: what stands in for a creation record that is not played.
alignas(4) const uint8_t kNullBrushRecord[14] = {7, 0, 0, 0, 0xFC, 0x02, BS_NULL, 0, 0, 0, 0, 0, 0, 0};

const DWORD kLogFont16Words = 25;   // LOGFONT16 with its 32-byte face name

} // namespace

bool CheckMetafileBits(const uint8_t* bits, DWORD size, MetafileShape* shape)
{
    if (!bits || size < kMetaHeaderBytes)
        return false;
    WORD type = ReadLeU16(bits);
    WORD headerWords = ReadLeU16(bits + 2);
    DWORD words = ReadLeU32(bits + 6);
    WORD handles = ReadLeU16(bits + 10);
    if ((type != 1 && type != 2) || headerWords != kMetaHeaderBytes / 2)
        return false;
    if (words < kMetaHeaderBytes / 2 || words > size / 2)
        return false;
    const DWORD total = 2 * words;
    DWORD offset = kMetaHeaderBytes;
    DWORD records = 0;
    while (offset < total) {
        if (total - offset < 2 * kMetaRecordHeadWords)
            return false;
        DWORD recordWords = ReadLeU32(bits + offset);
        uint16_t function = ReadLeU16(bits + offset + 4);
        if (recordWords < kMetaRecordHeadWords || recordWords > (total - offset) / 2)
            return false;
        if (function == kMetaEof)
            break;
        RecordView view = {bits + offset + 2 * kMetaRecordHeadWords, recordWords - kMetaRecordHeadWords};
        if (!CheckRecord(function, view, handles))
            return false;
        ++records;
        offset += 2 * recordWords;
    }
    if (shape) {
        shape->bytes = total;
        shape->handleCount = handles;
        shape->records = records;
    }
    return true;
}

bool MetaRecordDib(const METARECORD* record, DWORD* firstWord, UINT* colorUse)
{
    DWORD count = MetaParamCount(record);
    DWORD first = 0;
    UINT use = DIB_RGB_COLORS;
    switch (record->rdFunction) {
    case kMetaStretchDib:
        first = 11;
        use = MetaParamU(record, 2) == DIB_PAL_COLORS ? DIB_PAL_COLORS : DIB_RGB_COLORS;
        break;
    case kMetaDibStretchBlt:
    case kMetaStretchBlt:
        if (count == 11)
            return false;
        first = 10;
        break;
    default:
        return false;
    }
    if (count < first)
        return false;
    // A device-dependent bitmap in a stretch record fails here and is skipped.
    if (!CheckPackedDib(MetaParamBytes(record) + 2 * first, 2 * (count - first), use, 0, nullptr))
        return false;
    *firstWord = first;
    *colorUse = use;
    return true;
}

BOOL PlayCheckedRecord(HDC dc, HANDLETABLE* table, const METARECORD* record, UINT handles)
{
    switch (record->rdFunction) {
    case kMetaCreateRegion:
    case kMetaCreatePatternBrush:
    case kMetaCreateBitmap:
    case kMetaCreateBitmapIndirect:
    case kMetaCreateBrush:
        return PlayMetaFileRecord(dc, table, reinterpret_cast<METARECORD*>(const_cast<uint8_t*>(kNullBrushRecord)),
                                  handles);
    case kMetaCreateFontIndirect: {
        alignas(4) uint8_t padded[2 * (kMetaRecordHeadWords + kLogFont16Words)] = {};
        DWORD words = MetaParamCount(record);
        if (words > kLogFont16Words)
            words = kLogFont16Words;
        WriteLeU32(padded, kMetaRecordHeadWords + kLogFont16Words);
        WriteLeU16(padded + 4, kMetaCreateFontIndirect);
        std::memcpy(padded + 2 * kMetaRecordHeadWords, MetaParamBytes(record), 2 * words);
        padded[sizeof(padded) - 1] = 0;   // the face name always ends
        return PlayMetaFileRecord(dc, table, reinterpret_cast<METARECORD*>(padded), handles);
    }
    default:
        return PlayMetaFileRecord(dc, table, const_cast<METARECORD*>(record), handles);
    }
}
