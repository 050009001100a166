#include "objects/picture_chunks.h"

#include <cstring>

#include "common/handle_words.h"
#include "common/io_seam.h"
#include "store/record_store.h"

namespace {

// What one chunk holds, read from a locked record and checked against it.
struct ChunkView {
    const uint8_t* data;   // first picture byte of the chunk
    DWORD bytes;           // picture bytes (the colour list left out)
    int colorCount;        // first chunk only
};

bool ReadChunk(const uint8_t* record, DWORD recordSize, bool first, ChunkView* view)
{
    if (!record || recordSize < static_cast<DWORD>(kChunkData))
        return false;
    DWORD n = ReadLeU16(record + kChunkDataBytes);
    if (n > kChunkReadLimit || kChunkData + n > recordSize)
        return false;
    int colors = 0;
    if (first) {
        colors = ReadLeI16(record + kChunkColorCount);
        if (colors < 0 || colors > kMaxPictureColors || static_cast<DWORD>(colors) * 4 > n)
            return false;
    }
    view->data = record + kChunkData + 4 * colors;
    view->bytes = n - 4 * static_cast<DWORD>(colors);
    view->colorCount = colors;
    return true;
}

// Runs `use` on chunk i while its record is found and locked.
template <typename Use>
ErrorCode WithChunk(int store, int group, int id, bool first, Use use)
{
    RecordHandle record = nullptr;
    ErrorCode code = FindRecord(store, static_cast<short>(group), static_cast<short>(id), &record);
    if (code != kErrNone)
        return code;
    DWORD size = QueryRecordSize(record);
    auto* bytes = static_cast<const uint8_t*>(GlobalLock(record));
    ChunkView view;
    code = ReadChunk(bytes, size, first, &view) ? use(bytes, view) : kErrBadPicture;
    GlobalUnlock(record);
    ReleaseRecord(record);
    return code;
}

} // namespace

ErrorCode LoadPicture(int store, int group, int firstId, int count, HGLOBAL* block, RECT* bounds, int* colorCount,
                      COLORREF* colors, int* scanFlags, DWORD* bytes)
{
    *block = nullptr;
    if (bytes)
        *bytes = 0;
    if (count < 1 || firstId < 0 || firstId > 32767 || count - 1 > 32767 - firstId)
        return kErrBadPicture;

    // First walk: every chunk checked and the joined size summed, so the block
    // is made once at its true size and nothing is copied from a bad chunk.
    DWORD total = 0;
    for (int i = 0; i < count; ++i) {
        auto measure = [&](const uint8_t* record, const ChunkView& view) -> ErrorCode {
            total += view.bytes;
            if (i == 0) {
                if (bounds) {
                    bounds->left = ReadLeI16(record + kChunkBounds);
                    bounds->top = ReadLeI16(record + kChunkBounds + 2);
                    bounds->right = ReadLeI16(record + kChunkBounds + 4);
                    bounds->bottom = ReadLeI16(record + kChunkBounds + 6);
                }
                if (colorCount)
                    *colorCount = view.colorCount;
                if (colors)
                    std::memcpy(colors, record + kChunkData, 4 * static_cast<size_t>(view.colorCount));
                if (scanFlags)
                    *scanFlags = ReadLeU16(record + kChunkScanFlags);
            }
            return kErrNone;
        };
        ErrorCode code = WithChunk(store, group, firstId + i, i == 0, measure);
        if (code != kErrNone)
            return code;
    }
    if (total == 0)
        return kErrBadPicture;

    HGLOBAL joined = SeamGlobalAlloc(GMEM_MOVEABLE, total);
    if (!joined)
        return kErrBadPicture;
    auto* target = static_cast<uint8_t*>(GlobalLock(joined));
    if (!target) {
        GlobalFree(joined);
        return kErrBadPicture;
    }
    DWORD at = 0;
    ErrorCode code = kErrNone;
    for (int i = 0; i < count && code == kErrNone; ++i) {
        auto copy = [&](const uint8_t*, const ChunkView& view) -> ErrorCode {
            // The records are the ones just measured; a size that changed
            // between the walks still never writes past the block.
            if (view.bytes > total - at)
                return kErrBadPicture;
            std::memcpy(target + at, view.data, view.bytes);
            at += view.bytes;
            return kErrNone;
        };
        code = WithChunk(store, group, firstId + i, i == 0, copy);
    }
    GlobalUnlock(joined);
    if (code != kErrNone || at != total) {
        GlobalFree(joined);
        return code != kErrNone ? code : kErrBadPicture;
    }
    *block = joined;
    if (bytes)
        *bytes = total;
    return kErrNone;
}
