#include "ole/native_block.h"

#include <cstring>

#include "common/io_seam.h"

namespace {

const char kDrawingSignature[] = "QUORVELX";
const DWORD kSignatureBytes = 8;
// An earlier version's store starts with a 16-bit 2, a 16-bit -1 and a 32-bit 0.
const int16_t kStoreImageFirst = 2;
const int16_t kStoreImageSecond = -1;
const DWORD kStoreImageHead = 8;
const DWORD kStoreImageMinimumBlock = 15;

uint32_t ReadU32(const unsigned char* bytes)
{
    uint32_t value = 0;
    std::memcpy(&value, bytes, sizeof(value));
    return value;
}

bool IsDrawingSignature(const unsigned char* payload, DWORD bytes)
{
    if (bytes < kSignatureBytes)
        return false;
    for (DWORD i = 0; i < kSignatureBytes; ++i) {
        char c = static_cast<char>(payload[i]);
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c != kDrawingSignature[i])
            return false;
    }
    return true;
}

bool IsStoreImage(const unsigned char* payload, DWORD bytes, DWORD blockSize)
{
    if (blockSize < kStoreImageMinimumBlock || bytes < kStoreImageHead)
        return false;
    int16_t first = 0;
    int16_t second = 0;
    std::memcpy(&first, payload, sizeof(first));
    std::memcpy(&second, payload + sizeof(first), sizeof(second));
    return first == kStoreImageFirst && second == kStoreImageSecond && ReadU32(payload + 2 * sizeof(int16_t)) == 0;
}

// What the stream holds after its current position.
bool BytesLeft(IStream* stream, ULONGLONG* left)
{
    STATSTG stat = {};
    if (FAILED(stream->Stat(&stat, STATFLAG_NONAME)))
        return false;
    LARGE_INTEGER zero = {};
    ULARGE_INTEGER position = {};
    if (FAILED(stream->Seek(zero, STREAM_SEEK_CUR, &position)) || position.QuadPart > stat.cbSize.QuadPart)
        return false;
    *left = stat.cbSize.QuadPart - position.QuadPart;
    return true;
}

bool ReadExactly(IStream* stream, void* buffer, ULONG bytes)
{
    ULONG read = 0;
    return SUCCEEDED(stream->Read(buffer, bytes, &read)) && read == bytes;
}

} // namespace

NativePayload NativePayloadKind(const unsigned char* block, DWORD size)
{
    if (!block || size < kNativeMinimumSize || ReadU32(block) != size)
        return kPayloadNone;
    const unsigned char* payload = block + kNativeSizeBytes;
    const DWORD bytes = size - kNativeSizeBytes;
    if (IsDrawingSignature(payload, bytes))
        return kPayloadDrawingStream;
    if (IsStoreImage(payload, bytes, size))
        return kPayloadStoreImage;
    return kPayloadNone;
}

ErrorCode ReadNativeStream(IStream* stream, bool ole1, HGLOBAL* block)
{
    *block = nullptr;
    unsigned char head[kOle1HeaderBytes];
    if (!stream || (ole1 && !ReadExactly(stream, head, kOle1HeaderBytes)))
        return kErrNotDone;
    uint32_t size = 0;
    if (!ReadExactly(stream, &size, sizeof(size)) || size < kNativeMinimumSize || size > kNativeMaximumSize)
        return kErrNotDone;
    ULONGLONG left = 0;
    if (!BytesLeft(stream, &left) || left < size - kNativeSizeBytes)
        return kErrNotDone;
    HGLOBAL made = SeamGlobalAlloc(GMEM_MOVEABLE, size);
    auto* bytes = made ? static_cast<unsigned char*>(GlobalLock(made)) : nullptr;
    if (!bytes) {
        if (made)
            GlobalFree(made);
        return kErrNoMemory;
    }
    std::memcpy(bytes, &size, sizeof(size));
    const bool read = ReadExactly(stream, bytes + kNativeSizeBytes, size - kNativeSizeBytes);
    GlobalUnlock(made);
    if (!read) {
        GlobalFree(made);
        return kErrNotDone;
    }
    *block = made;
    return kErrNone;
}

ErrorCode WriteNativeStream(IStream* stream, HGLOBAL block)
{
    const auto* bytes = block ? static_cast<const unsigned char*>(GlobalLock(block)) : nullptr;
    if (!bytes)
        return kErrNotDone;
    const uint32_t size = ReadU32(bytes);
    ULONG written = 0;
    const bool whole = size >= kNativeMinimumSize && size <= GlobalSize(block) &&
                       SUCCEEDED(stream->Write(bytes, size, &written)) && written == size;
    GlobalUnlock(block);
    return whole ? kErrNone : kErrNotDone;
}
