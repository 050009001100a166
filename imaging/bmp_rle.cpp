#include "imaging/bmp_rle.h"

#include <new>
#include <vector>

#include <windows.h>

#include "common/handle_words.h"
#include "imaging/image_errors.h"

namespace {

const size_t kFileHeaderBytes = 14;
const size_t kInfoHeaderBytes = 40;
const size_t kBitsOffsetAt = 10;
const size_t kWidthAt = kFileHeaderBytes + 4;
const size_t kHeightAt = kFileHeaderBytes + 8;
const size_t kBitCountAt = kFileHeaderBytes + 14;
const size_t kCompressionAt = kFileHeaderBytes + 16;
const size_t kColoursUsedAt = kFileHeaderBytes + 32;
const size_t kQuadBytes = 4;

// The escapes that follow a zero count.
const uint8_t kEndOfLine = 0;
const uint8_t kEndOfPicture = 1;
const uint8_t kDelta = 2;

struct RunLengthFile {
    explicit RunLengthFile(ByteSpan data) : bytes(data) {}
    ByteSpan bytes;
    bool fourBits = false;
    int width = 0;
    int height = 0;
    std::vector<uint32_t> colours;  // 0x00RRGGBB
};

ErrorCode ReadHeader(ByteSpan bytes, RunLengthFile* file)
{
    const uint8_t* data = bytes.data();
    const uint32_t headerBytes = ReadLeU32(data + kFileHeaderBytes);
    const uint32_t compression = ReadLeU32(data + kCompressionAt);
    const uint32_t bitCount = ReadLeU16(data + kBitCountAt);
    file->fourBits = compression == BI_RLE4;
    // Run-length pictures are always stored from the bottom up.
    file->width = ReadLeI32(data + kWidthAt);
    file->height = ReadLeI32(data + kHeightAt);
    if (bitCount != (file->fourBits ? 4u : 8u) || file->height <= 0)
        return kImageDamaged;
    const uint32_t used = ReadLeU32(data + kColoursUsedAt);
    const uint64_t entries = used ? used : 1u << bitCount;
    const uint64_t table = kFileHeaderBytes + uint64_t{headerBytes};
    if (entries > (1u << bitCount) || table + entries * kQuadBytes > ReadLeU32(data + kBitsOffsetAt) ||
        ReadLeU32(data + kBitsOffsetAt) > bytes.size())
        return kImageDamaged;
    try {
        file->colours.resize(static_cast<size_t>(entries));
    } catch (const std::bad_alloc&) {
        return kImageNoMemory;
    }
    for (size_t i = 0; i < file->colours.size(); ++i)
        file->colours[i] = ReadLeU32(data + table + i * kQuadBytes) & 0x00FFFFFF;
    return kImageOk;
}

// Where the runs land: pixels outside the picture are dropped, an index
// outside the table marks the file damaged.
class PixelSink {
public:
    PixelSink(const RunLengthFile& file, DecodedPicture* picture) : file_(file), picture_(picture) {}
    void Put(int64_t x, int64_t y, uint32_t index)
    {
        if (index >= file_.colours.size()) {
            damaged_ = true;
            return;
        }
        if (x >= file_.width || y >= file_.height)
            return;
        const uint32_t rgb = file_.colours[index];
        uint8_t* out = picture_->rgb.data() + ((file_.height - 1 - y) * int64_t{file_.width} + x) * 3;
        out[0] = static_cast<uint8_t>(rgb >> 16);
        out[1] = static_cast<uint8_t>(rgb >> 8);
        out[2] = static_cast<uint8_t>(rgb);
    }
    bool damaged() const { return damaged_; }

private:
    const RunLengthFile& file_;
    DecodedPicture* picture_;
    bool damaged_ = false;
};

uint32_t IndexInByte(const RunLengthFile& file, uint8_t value, size_t k)
{
    if (!file.fourBits)
        return value;
    return k % 2 == 0 ? value >> 4 : value & 0x0F;
}

// Pixels given one by one, padded to a whole 16-bit word.
bool TakeLiteral(const RunLengthFile& file, size_t count, size_t* at, int64_t* x, int64_t y, PixelSink* sink)
{
    const ByteSpan& bytes = file.bytes;
    const size_t dataBytes = file.fourBits ? (count + 1) / 2 : count;
    if (dataBytes > bytes.size() - *at)
        return false;
    for (size_t k = 0; k < count; ++k) {
        const uint8_t value = bytes[*at + (file.fourBits ? k / 2 : k)];
        sink->Put(*x + static_cast<int64_t>(k), y, IndexInByte(file, value, k));
    }
    *x += static_cast<int64_t>(count);
    *at += dataBytes + dataBytes % 2;
    return true;
}

ErrorCode WalkRuns(const RunLengthFile& file, PixelSink* sink)
{
    const ByteSpan& bytes = file.bytes;
    size_t at = ReadLeU32(bytes.data() + kBitsOffsetAt);
    int64_t x = 0, y = 0;
    for (;;) {
        if (bytes.size() - at < 2)
            return kImageDamaged;
        const uint8_t count = bytes[at];
        const uint8_t value = bytes[at + 1];
        at += 2;
        if (count > 0) {
            for (size_t k = 0; k < count; ++k)
                sink->Put(x + static_cast<int64_t>(k), y, IndexInByte(file, value, k));
            x += count;
        } else if (value == kEndOfLine) {
            x = 0;
            ++y;
        } else if (value == kEndOfPicture) {
            return kImageOk;
        } else if (value == kDelta) {
            if (bytes.size() - at < 2)
                return kImageDamaged;
            x += bytes[at];
            y += bytes[at + 1];
            at += 2;
        } else if (!TakeLiteral(file, value, &at, &x, y, sink)) {
            return kImageDamaged;
        }
        if (at > bytes.size())
            at = bytes.size();
    }
}

} // namespace

bool IsRunLengthBmp(ByteSpan bytes)
{
    if (bytes.size() < kFileHeaderBytes + kInfoHeaderBytes || ReadLeU32(bytes.data() + kFileHeaderBytes) < kInfoHeaderBytes)
        return false;
    const uint32_t compression = ReadLeU32(bytes.data() + kCompressionAt);
    return compression == BI_RLE8 || compression == BI_RLE4;
}

ErrorCode DecodeRunLengthBmp(ByteSpan bytes, DecodedPicture* picture)
{
    RunLengthFile file(bytes);
    ErrorCode code = ReadHeader(bytes, &file);
    if (code == kImageOk)
        code = PrepareDecoded(picture, file.width, file.height);
    if (code != kImageOk)
        return code;
    PixelSink sink(file, picture);
    const uint32_t background = file.colours.empty() ? 0 : file.colours[0];
    for (size_t i = 0; i < picture->rgb.size(); i += 3) {
        picture->rgb[i] = static_cast<uint8_t>(background >> 16);
        picture->rgb[i + 1] = static_cast<uint8_t>(background >> 8);
        picture->rgb[i + 2] = static_cast<uint8_t>(background);
    }
    code = WalkRuns(file, &sink);
    return code == kImageOk && sink.damaged() ? kImageDamaged : code;
}
