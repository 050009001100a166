#include "objects/picture_save.h"

#include <cstring>

#include "common/handle_words.h"
#include "objects/picture_chunks.h"
#include "store/record_store.h"

namespace {

int16_t ClampToI16(LONG value)
{
    if (value > 32767)
        return 32767;
    if (value < -32768)
        return -32768;
    return static_cast<int16_t>(value);
}

} // namespace

ErrorCode SavePicture(int store, int group, HGLOBAL picture, DWORD bytes, const RECT* bounds, int* firstId, int* count,
                      int colorCount, const COLORREF* colors, int scanFlags)
{
    *firstId = -1;
    *count = 0;
    if (!picture || colorCount < 0 || colorCount > kMaxPictureColors || (colorCount > 0 && !colors))
        return kErrBadPicture;
    // Never copy more than the caller's block holds.
    SIZE_T available = GlobalSize(picture);
    if (bytes > available)
        bytes = static_cast<DWORD>(available);
    const DWORD listBytes = 4 * static_cast<DWORD>(colorCount);
    const DWORD total = bytes + listBytes;
    if (total == 0)
        return kErrBadPicture;
    const DWORD chunks = (total + kChunkWriteLimit - 1) / kChunkWriteLimit;
    if (chunks > 32767)
        return kErrBadPicture;

    short first = 0;
    ErrorCode code = FindFreeIdRun(store, static_cast<short>(group), static_cast<int>(chunks), &first);
    if (code != kErrNone)
        return code;
    *firstId = first;
    *count = static_cast<int>(chunks);

    auto* source = static_cast<const uint8_t*>(GlobalLock(picture));
    if (!source)
        return kErrNoMemory;
    DWORD written = 0;   // picture bytes written so far
    for (DWORD i = 0; i < chunks && code == kErrNone; ++i) {
        const DWORD list = i == 0 ? listBytes : 0;
        DWORD n = total - written - (i == 0 ? 0 : listBytes);
        if (n > kChunkWriteLimit)
            n = kChunkWriteLimit;
        RecordHandle record = nullptr;
        code = CreateRecord(store, static_cast<short>(group), static_cast<short>(first + i), kChunkData + n, &record);
        if (code != kErrNone)
            break;
        auto* target = static_cast<uint8_t*>(GlobalLock(record));
        if (target) {
            WriteLeU16(target + kChunkDataBytes, static_cast<uint16_t>(n));
            WriteLeU16(target + kChunkFirstFlag, i == 0 ? 1 : 0);
            WriteLeI16(target + kChunkBounds, ClampToI16(bounds ? bounds->left : 0));
            WriteLeI16(target + kChunkBounds + 2, ClampToI16(bounds ? bounds->top : 0));
            WriteLeI16(target + kChunkBounds + 4, ClampToI16(bounds ? bounds->right : 0));
            WriteLeI16(target + kChunkBounds + 6, ClampToI16(bounds ? bounds->bottom : 0));
            WriteLeI16(target + kChunkConnectCount, 0);
            WriteLeU16(target + kChunkScanFlags, static_cast<uint16_t>(scanFlags));
            WriteLeI16(target + kChunkColorCount, static_cast<int16_t>(i == 0 ? colorCount : 0));
            std::memset(target + kChunkReserved, 0, kChunkData - kChunkReserved);
            for (int c = 0; i == 0 && c < colorCount; ++c)
                WriteLeU32(target + kChunkData + 4 * c, colors[c]);
            std::memcpy(target + kChunkData + list, source + written, n - list);
            written += n - list;
            GlobalUnlock(record);
            code = SetRecordDirty(record);
        } else {
            code = kErrNoMemory;
        }
        ReleaseRecord(record);
    }
    GlobalUnlock(picture);
    return code;
}
