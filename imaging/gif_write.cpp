// Writing GIF89a: one 8-bit image with its 256-entry table, LZW-coded,
// optionally interlaced and with a transparent index.
#include <cstring>
#include <new>
#include <unordered_map>

#include "imaging/image_codecs.h"
#include "imaging/image_file_bytes.h"

namespace {

const int kMinCodeSize = 8;
const int kMaxCodeSize = 12;
const int kMaxCode = (1 << kMaxCodeSize) - 1;
const size_t kSubBlockBytes = 255;
const uint8_t kGlobalTable = 0x80;
const uint8_t kColourResolution = 0x70;
const uint8_t kTableSize256 = 0x07;
const uint8_t kExtension = 0x21;
const uint8_t kGraphicControl = 0xF9;
const uint8_t kImageSeparator = 0x2C;
const uint8_t kInterlaceFlag = 0x40;
const uint8_t kTrailer = 0x3B;

void Append16(std::vector<uint8_t>* out, int value)
{
    out->push_back(static_cast<uint8_t>(value));
    out->push_back(static_cast<uint8_t>(value >> 8));
}

// Codes packed least significant bit first into 255-byte sub-blocks.
class CodeWriter {
public:
    explicit CodeWriter(std::vector<uint8_t>* out) : out_(out) {}
    void Put(int code, int size)
    {
        bits_ |= static_cast<uint32_t>(code) << count_;
        count_ += size;
        while (count_ >= 8) {
            Byte(static_cast<uint8_t>(bits_));
            bits_ >>= 8;
            count_ -= 8;
        }
    }
    void Finish()
    {
        if (count_ > 0)
            Byte(static_cast<uint8_t>(bits_));
        Flush();
        out_->push_back(0);
    }

private:
    void Byte(uint8_t value)
    {
        block_[used_++] = value;
        if (used_ == kSubBlockBytes)
            Flush();
    }
    void Flush()
    {
        if (used_ == 0)
            return;
        out_->push_back(static_cast<uint8_t>(used_));
        out_->insert(out_->end(), block_, block_ + used_);
        used_ = 0;
    }
    std::vector<uint8_t>* out_;
    uint32_t bits_ = 0;
    int count_ = 0;
    uint8_t block_[kSubBlockBytes] = {};
    size_t used_ = 0;
};

// The rows in the order they are stored: four passes when interlaced.
std::vector<int> RowOrder(int height, bool interlaced)
{
    std::vector<int> rows;
    if (!interlaced) {
        for (int y = 0; y < height; ++y)
            rows.push_back(y);
        return rows;
    }
    const int starts[] = {0, 4, 2, 1};
    const int steps[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int y = starts[pass]; y < height; y += steps[pass])
            rows.push_back(y);
    return rows;
}

void Compress(const RasterImage& image, bool interlaced, std::vector<uint8_t>* out)
{
    const int clear = 1 << kMinCodeSize;
    const int end = clear + 1;
    out->push_back(kMinCodeSize);
    CodeWriter writer(out);
    std::unordered_map<uint32_t, int> table;
    int codeSize = kMinCodeSize + 1;
    int next = end + 1;
    writer.Put(clear, codeSize);
    int prefix = -1;
    for (int y : RowOrder(image.height, interlaced)) {
        const uint8_t* row = ImageRow(&image, y);
        for (int x = 0; x < image.width; ++x) {
            const int pixel = row[x];
            if (prefix < 0) {
                prefix = pixel;
                continue;
            }
            const uint32_t key = (static_cast<uint32_t>(prefix) << 8) | static_cast<uint32_t>(pixel);
            const auto found = table.find(key);
            if (found != table.end()) {
                prefix = found->second;
                continue;
            }
            writer.Put(prefix, codeSize);
            prefix = pixel;
            // The decoder widens its codes one code later than it adds
            // entries, so the width follows the code just assigned.
            table[key] = next;
            if (next >= (1 << codeSize) && codeSize < kMaxCodeSize)
                ++codeSize;
            if (++next > kMaxCode) {
                writer.Put(clear, codeSize);
                table.clear();
                codeSize = kMinCodeSize + 1;
                next = end + 1;
            }
        }
    }
    writer.Put(prefix, codeSize);
    writer.Put(end, codeSize);
    writer.Finish();
}

void Header(const RasterImage& image, std::vector<uint8_t>* out)
{
    for (const char* c = "GIF89a"; *c; ++c)
        out->push_back(static_cast<uint8_t>(*c));
    Append16(out, image.width);
    Append16(out, image.height);
    out->push_back(kGlobalTable | kColourResolution | kTableSize256);
    out->push_back(0);  // background index
    out->push_back(0);  // no aspect ratio
    for (int i = 0; i < image.colorCount; ++i) {
        out->push_back(image.palette[i].rgbRed);
        out->push_back(image.palette[i].rgbGreen);
        out->push_back(image.palette[i].rgbBlue);
    }
}

void TransparentIndex(int index, std::vector<uint8_t>* out)
{
    const uint8_t kBlockBytes = 4;
    const uint8_t kHasTransparent = 0x01;
    const uint8_t block[] = {kExtension, kGraphicControl, kBlockBytes, kHasTransparent, 0, 0,
                             static_cast<uint8_t>(index), 0};
    out->insert(out->end(), block, block + sizeof(block));
}

} // namespace

ErrorCode EncodeGif(const RasterImage& image, int mode, int transparent, std::vector<uint8_t>* bytes)
{
    const int kMaxGifSide = 65535;
    if (!image.bits || image.bitCount != 8 || image.width > kMaxGifSide || image.height > kMaxGifSide)
        return kImageBadRange;
    const bool interlaced = (mode & kGifInterlaced) != 0;
    const bool marked = (mode & kGifTransparent) != 0 && transparent >= 0 && transparent < image.colorCount;
    try {
        bytes->clear();
        Header(image, bytes);
        if (marked)
            TransparentIndex(transparent, bytes);
        bytes->push_back(kImageSeparator);
        Append16(bytes, 0);
        Append16(bytes, 0);
        Append16(bytes, image.width);
        Append16(bytes, image.height);
        bytes->push_back(interlaced ? kInterlaceFlag : 0);
        Compress(image, interlaced, bytes);
        bytes->push_back(kTrailer);
    } catch (const std::bad_alloc&) {
        return kImageNoMemory;
    }
    return kImageOk;
}

ErrorCode savegifex(const char* path, const RasterImage* image, int mode, int transparent)
{
    std::vector<uint8_t> bytes;
    ErrorCode code = EncodeGif(*image, mode, transparent, &bytes);
    return code != kImageOk ? code : WriteImageFile(path, bytes);
}
