// Playing a metafile picture into a rectangle record by record, with the
// program's own transform: the picture's source rectangle scaled onto the
// destination, mirrored by the object's flip flags, turned polygon by polygon
// by its rotation and clamped to 16-bit coordinates, optionally in the
// object's own pens and brushes.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

const int kPlaybackPointLimit = 16000;
const int kPlaybackSaveDepth = 1000;      // entries 1..999 hold saved transforms
const int kPlaybackCoordinateLimit = 32767;
const int kPlaybackAdvanceLimit = 31998;
const int kPlaybackArcSamples = 50;

struct PlaybackTransform {
    double scaleX;
    double scaleY;
    RECT destination;
    RECT source;
};
static_assert(sizeof(PlaybackTransform) == 48, "saved transform");

struct PlaybackState {
    // Filled by the caller.
    HBRUSH lineBrush;      // replaces solid black brushes, or none
    HBRUSH fillBrush;      // replaces other solid brushes, or none
    HPEN pen;              // replaces every pen but null pens, or none
    COLORREF textColor;    // the text colour while a line brush is given
    int32_t selectPalettes;
    uint32_t flipFlags;    // 0x08 mirror left to right, 0x10 top to bottom
    int32_t rotation;      // tenths of a degree
    // Filled by the playback.
    double scaleX;
    double scaleY;
    RECT reference;        // the destination given; the centre of rotations
    RECT destination;
    RECT source;
    int32_t depth;
    int32_t pictureSaves;       // the picture's own SaveDC levels still open
    PlaybackTransform* stack;   // kPlaybackSaveDepth entries
    POINT* points;              // kPlaybackPointLimit points
    std::vector<INT> polygonSizes;
    HDC dc;
};

// Draws the metafile bits in `block` into `destination` (logical units of
// the DC) with `source` as the picture's own rectangle. The block is taken
// over and freed in every case. A picture whose bits are not a sound
// metafile, or whose source has no width or height, draws nothing.
void PlayMetafileTransformed(HDC dc, const RECT* destination, HGLOBAL block, const RECT* source,
                             PlaybackState* state);

// The enumeration procedure; always goes on.
int CALLBACK PlayTransformedRecord(HDC dc, HANDLETABLE* table, METARECORD* record, int handles, LPARAM data);

// A 16-bit length times a scale, and a coordinate into the destination;
// clamped to +-32,767 and truncated toward zero.
int ScaleRecordX(int value, const PlaybackState* state);
int ScaleRecordY(int value, const PlaybackState* state);
int MapRecordX(int value, const PlaybackState* state);
int MapRecordY(int value, const PlaybackState* state);
void MapRecordRect(RECT* rect, const PlaybackState* state);

// 1 while both scales are finite numbers; records that place anything are
// skipped otherwise (an empty window extent gives no usable scale).
int PlaybackScaleUsable(const PlaybackState* state);

// Records that draw (lines, figures, text, bitmaps); 1 when handled, 0 when
// the record is not one of them.
int DrawTransformedRecord(PlaybackState* state, HANDLETABLE* table, const METARECORD* record, UINT handles);
