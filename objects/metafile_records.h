// Windows metafile records as this program reads them: the function numbers
// it handles, the check every metafile passes before any record of it is
// enumerated or played, and playing a record without letting GDI read past it.
#pragma once
#include <windows.h>

#include <cstdint>

enum MetaFunction : uint16_t {
    kMetaEof = 0x0000,
    kMetaSaveDc = 0x001E,
    kMetaRealizePalette = 0x0035,
    kMetaSetPalEntries = 0x0037,
    kMetaCreatePalette = 0x00F7,
    kMetaCreateBrush = 0x00F8,
    kMetaSetTextCharExtra = 0x0108,
    kMetaRestoreDc = 0x0127,
    kMetaInvertRegion = 0x012A,
    kMetaPaintRegion = 0x012B,
    kMetaSelectClipRegion = 0x012C,
    kMetaSelectObject = 0x012D,
    kMetaSetTextAlign = 0x012E,
    kMetaDibCreatePatternBrush = 0x0142,
    kMetaDeleteObject = 0x01F0,
    kMetaCreatePatternBrush = 0x01F9,
    kMetaSetTextColor = 0x0209,
    kMetaSetWindowOrg = 0x020B,
    kMetaSetWindowExt = 0x020C,
    kMetaOffsetWindowOrg = 0x020F,
    kMetaLineTo = 0x0213,
    kMetaMoveTo = 0x0214,
    kMetaOffsetClipRgn = 0x0220,
    kMetaFillRegion = 0x0228,
    kMetaSelectPalette = 0x0234,
    kMetaCreatePenIndirect = 0x02FA,
    kMetaCreateFontIndirect = 0x02FB,
    kMetaCreateBrushIndirect = 0x02FC,
    kMetaCreateBitmapIndirect = 0x02FD,
    kMetaPolygon = 0x0324,
    kMetaPolyline = 0x0325,
    kMetaScaleViewportExt = 0x0412,
    kMetaExcludeClipRect = 0x0415,
    kMetaIntersectClipRect = 0x0416,
    kMetaEllipse = 0x0418,
    kMetaFloodFill = 0x0419,
    kMetaRectangle = 0x041B,
    kMetaSetPixel = 0x041F,
    kMetaFrameRegion = 0x0429,
    kMetaAnimatePalette = 0x0436,
    kMetaTextOut = 0x0521,
    kMetaPolyPolygon = 0x0538,
    kMetaExtFloodFill = 0x0548,
    kMetaRoundRect = 0x061C,
    kMetaPatBlt = 0x061D,
    kMetaEscape = 0x0626,
    kMetaCreateBitmap = 0x06FE,
    kMetaCreateRegion = 0x06FF,
    kMetaArc = 0x0817,
    kMetaPie = 0x081A,
    kMetaChord = 0x0830,
    kMetaBitBlt = 0x0922,
    kMetaDibBitBlt = 0x0940,
    kMetaExtTextOut = 0x0A32,
    kMetaStretchBlt = 0x0B23,
    kMetaDibStretchBlt = 0x0B41,
    kMetaSetDibToDev = 0x0D33,
    kMetaStretchDib = 0x0F43,
};

const DWORD kMetaHeaderBytes = 18;
const DWORD kMetaRecordHeadWords = 3;   // rdSize (2 words) and rdFunction

// What the check found out about a metafile's bits.
struct MetafileShape {
    DWORD bytes;        // the metafile's own length (mtSize in bytes)
    WORD handleCount;   // mtNoObjects
    DWORD records;      // records before the end record
};

// Checks a metafile's header and walks every record: each lies inside the
// metafile and the block, is at least its record head long, holds the
// parameters its function needs (point, character and palette counts, packed
// DIBs) and names handle-table slots that exist. False refuses the metafile.
bool CheckMetafileBits(const uint8_t* bits, DWORD size, MetafileShape* shape);

// A record's parameters: the 16-bit words after its head.
inline DWORD MetaParamCount(const METARECORD* record)
{
    return record->rdSize - kMetaRecordHeadWords;
}
inline const uint8_t* MetaParamBytes(const METARECORD* record)
{
    return reinterpret_cast<const uint8_t*>(record) + 2 * kMetaRecordHeadWords;
}
inline uint16_t MetaParamU(const METARECORD* record, DWORD index)
{
    const uint8_t* p = MetaParamBytes(record) + 2 * index;
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline int16_t MetaParam(const METARECORD* record, DWORD index)
{
    return static_cast<int16_t>(MetaParamU(record, index));
}
inline DWORD MetaParamDword(const METARECORD* record, DWORD index)
{
    return static_cast<DWORD>(MetaParamU(record, index)) | (static_cast<DWORD>(MetaParamU(record, index + 1)) << 16);
}

// True for a stretched-bitmap record that carries a packed DIB (and not a
// device-dependent bitmap or no bitmap at all); its first DIB word is given.
bool MetaRecordDib(const METARECORD* record, DWORD* firstWord, UINT* colorUse);

// Plays one checked record. Creation records whose contents GDI would walk
// without bounds (regions, old-style bitmaps and pattern brushes) are played
// as a null brush so that the handle table keeps its numbering, and a short
// font record is played from a padded copy.
BOOL PlayCheckedRecord(HDC dc, HANDLETABLE* table, const METARECORD* record, UINT handles);
