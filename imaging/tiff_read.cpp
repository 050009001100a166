// Reading baseline TIFF: one image of strips, stored, PackBits or LZW (with
// or without horizontal differences), in grey, palette or RGB, either byte
// order.
#include <cstring>
#include <new>

#include "imaging/image_codecs.h"
#include "imaging/image_file_bytes.h"
#include "imaging/image_info.h"
#include "imaging/tiff_lzw.h"
#include "imaging/tiff_tags.h"

namespace {

struct TiffReader {
    ByteSpan bytes;
    bool bigEndian;

    bool Has(size_t offset, size_t count) const { return offset <= bytes.size() && count <= bytes.size() - offset; }
    uint32_t U16(size_t at) const
    {
        return bigEndian ? (uint32_t{bytes[at]} << 8) | bytes[at + 1] : (uint32_t{bytes[at + 1]} << 8) | bytes[at];
    }
    uint32_t U32(size_t at) const
    {
        return bigEndian ? (U16(at) << 16) | U16(at + 2) : (U16(at + 2) << 16) | U16(at);
    }
};

struct TiffImage {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint32_t> bitsPerSample;
    uint32_t compression = kTiffStored;
    uint32_t photometric = 1;
    uint32_t samples = 1;
    uint32_t rowsPerStrip = 0xFFFFFFFF;
    uint32_t planar = 1;
    uint32_t predictor = kPredictorNone;
    std::vector<uint32_t> stripOffsets;
    std::vector<uint32_t> stripCounts;
    std::vector<uint32_t> colorMap;
};

const size_t kEntryBytes = 12;
const uint32_t kMaxValues = 1u << 20;

size_t TypeBytes(uint32_t type)
{
    switch (type) {
    case kTiffByte:
        return 1;
    case kTiffShort:
        return 2;
    case kTiffLong:
        return 4;
    default:
        return 0;
    }
}

// The values of one directory entry, checked against the file.
bool EntryValues(const TiffReader& reader, size_t entry, std::vector<uint32_t>* values)
{
    const uint32_t type = reader.U16(entry + 2);
    const uint32_t count = reader.U32(entry + 4);
    const size_t size = TypeBytes(type);
    if (size == 0 || count == 0 || count > kMaxValues)
        return false;
    size_t at = entry + 8;
    if (size * count > 4) {
        at = reader.U32(entry + 8);
        if (!reader.Has(at, size * count))
            return false;
    }
    values->resize(count);
    for (uint32_t i = 0; i < count; ++i) {
        const size_t where = at + i * size;
        (*values)[i] = size == 1 ? reader.bytes[where] : size == 2 ? reader.U16(where) : reader.U32(where);
    }
    return true;
}

void TakeEntry(uint32_t tag, std::vector<uint32_t>& values, TiffImage* image)
{
    switch (tag) {
    case kTagWidth: image->width = values[0]; break;
    case kTagHeight: image->height = values[0]; break;
    case kTagBitsPerSample: image->bitsPerSample = values; break;
    case kTagCompression: image->compression = values[0]; break;
    case kTagPhotometric: image->photometric = values[0]; break;
    case kTagStripOffsets: image->stripOffsets = values; break;
    case kTagSamplesPerPixel: image->samples = values[0]; break;
    case kTagRowsPerStrip: image->rowsPerStrip = values[0]; break;
    case kTagStripByteCounts: image->stripCounts = values; break;
    case kTagPlanarConfiguration: image->planar = values[0]; break;
    case kTagColorMap: image->colorMap = values; break;
    case kTagPredictor: image->predictor = values[0]; break;
    default: break;
    }
}

ErrorCode ReadDirectory(ByteSpan bytes, TiffImage* image)
{
    if (bytes.size() < kTiffHeaderBytes)
        return kImageNotFormat;
    const bool little = bytes[0] == 'I' && bytes[1] == 'I';
    const bool big = bytes[0] == 'M' && bytes[1] == 'M';
    TiffReader reader{bytes, big};
    if ((!little && !big) || reader.U16(2) != kTiffMagic)
        return kImageNotFormat;
    const size_t directory = reader.U32(4);
    if (!reader.Has(directory, 2))
        return kImageDamaged;
    const uint32_t entries = reader.U16(directory);
    if (!reader.Has(directory + 2, entries * kEntryBytes))
        return kImageDamaged;
    try {
        std::vector<uint32_t> values;
        for (uint32_t i = 0; i < entries; ++i) {
            const size_t entry = directory + 2 + i * kEntryBytes;
            if (EntryValues(reader, entry, &values))
                TakeEntry(reader.U16(entry), values, image);
        }
    } catch (const std::bad_alloc&) {
        return kImageNoMemory;
    }
    if (image->bitsPerSample.empty())
        image->bitsPerSample.assign(1, 1);
    return kImageOk;
}

ErrorCode CheckImage(const TiffImage& image)
{
    if (image.width == 0 || image.height == 0 || image.width > static_cast<uint32_t>(kImageMaxSide) ||
        image.height > static_cast<uint32_t>(kImageMaxSide) || image.stripOffsets.empty() ||
        image.stripOffsets.size() != image.stripCounts.size())
        return kImageDamaged;
    const uint32_t bits = image.bitsPerSample[0];
    const bool knownCompression = image.compression == kTiffStored || image.compression == kTiffPackBitsCode ||
                                  image.compression == kTiffLzwCode;
    const bool knownPredictor =
        image.predictor == kPredictorNone || (image.predictor == kPredictorDifferences && bits == 8);
    if (image.planar != 1 || !knownCompression || !knownPredictor)
        return kImageUnsupported;
    switch (image.photometric) {
    case kPhotometricWhiteIsZero:
    case kPhotometricBlackIsZero:
        return (bits == 1 || bits == 4 || bits == 8) && image.samples == 1 ? kImageOk : kImageUnsupported;
    case kPhotometricRgb:
        return bits == 8 && image.samples >= 3 && image.samples <= 4 ? kImageOk : kImageUnsupported;
    case kPhotometricPalette:
        if ((bits != 1 && bits != 4 && bits != 8) || image.samples != 1)
            return kImageUnsupported;
        return image.colorMap.size() >= 3u << bits ? kImageOk : kImageDamaged;
    default:
        return kImageUnsupported;
    }
}

// PackBits into `out` up to its end; data that stops early leaves zeros.
void Unpack(const uint8_t* in, size_t count, uint8_t* out, size_t room)
{
    size_t i = 0, o = 0;
    while (i < count && o < room) {
        const int n = static_cast<int8_t>(in[i++]);
        if (n >= 0) {
            for (int k = 0; k <= n && i < count && o < room; ++k)
                out[o++] = in[i++];
        } else if (n != -128 && i < count) {
            const uint8_t value = in[i++];
            for (int k = 0; k <= -n && o < room; ++k)
                out[o++] = value;
        }
    }
}

ErrorCode UnpackStrip(uint32_t compression, const uint8_t* in, size_t count, uint8_t* out, size_t room)
{
    if (compression == kTiffLzwCode)
        return UnpackLzwStrip(in, count, out, room);
    if (compression == kTiffPackBitsCode)
        Unpack(in, count, out, room);
    else
        std::memcpy(out, in, count < room ? count : room);
    return kImageOk;
}

ErrorCode GatherStrips(ByteSpan bytes, const TiffImage& image, size_t rowBytes,
                       std::vector<uint8_t>* rows)
{
    try {
        rows->assign(rowBytes * image.height, 0);
    } catch (const std::bad_alloc&) {
        return kImageNoMemory;
    }
    const uint32_t perStrip = image.rowsPerStrip == 0 ? image.height : image.rowsPerStrip;
    TiffReader reader{bytes, false};
    for (size_t s = 0; s < image.stripOffsets.size(); ++s) {
        const uint64_t firstRow = uint64_t{perStrip} * s;
        if (firstRow >= image.height)
            break;
        const size_t offset = image.stripOffsets[s];
        size_t count = image.stripCounts[s];
        if (!reader.Has(offset, 0))
            return kImageDamaged;
        if (count > bytes.size() - offset)
            count = bytes.size() - offset;
        uint8_t* out = rows->data() + firstRow * rowBytes;
        const size_t room = rows->size() - firstRow * rowBytes;
        const ErrorCode code = UnpackStrip(image.compression, &bytes[offset], count, out, room);
        if (code != kImageOk)
            return code;
    }
    return kImageOk;
}

// Each sample was stored as the difference from the one to its left.
void AddDifferences(const TiffImage& image, size_t rowBytes, std::vector<uint8_t>* rows)
{
    if (image.predictor != kPredictorDifferences)
        return;
    for (size_t start = 0; start < rows->size(); start += rowBytes)
        for (size_t i = image.samples; i < rowBytes; ++i)
            (*rows)[start + i] = static_cast<uint8_t>((*rows)[start + i] + (*rows)[start + i - image.samples]);
}

uint8_t Sample(const uint8_t* row, uint32_t x, uint32_t bits)
{
    if (bits == 8)
        return row[x];
    if (bits == 4)
        return static_cast<uint8_t>((row[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F);
    return static_cast<uint8_t>((row[x / 8] >> (7 - x % 8)) & 1);
}

void Convert(const TiffImage& image, const std::vector<uint8_t>& rows, size_t rowBytes, DecodedPicture* picture)
{
    const uint32_t bits = image.bitsPerSample[0];
    const uint32_t levels = (1u << bits) - 1;
    const uint32_t entries = 1u << bits;
    uint8_t* out = picture->rgb.data();
    for (uint32_t y = 0; y < image.height; ++y) {
        const uint8_t* row = rows.data() + y * rowBytes;
        for (uint32_t x = 0; x < image.width; ++x, out += 3) {
            if (image.photometric == kPhotometricRgb) {
                std::memcpy(out, row + x * image.samples, 3);
                continue;
            }
            const uint32_t value = Sample(row, x, bits);
            if (image.photometric == kPhotometricPalette) {
                for (int c = 0; c < 3; ++c)
                    out[c] = static_cast<uint8_t>(image.colorMap[c * entries + value] >> 8);
                continue;
            }
            const uint32_t grey = value * 255 / levels;
            out[0] = out[1] = out[2] =
                static_cast<uint8_t>(image.photometric == kPhotometricWhiteIsZero ? 255 - grey : grey);
        }
    }
}

ErrorCode ReadChecked(ByteSpan bytes, TiffImage* image)
{
    ErrorCode code = ReadDirectory(bytes, image);
    return code != kImageOk ? code : CheckImage(*image);
}

} // namespace

ErrorCode TiffInfoOf(ByteSpan bytes, ImageFileInfo* info)
{
    TiffImage image;
    ErrorCode code = ReadChecked(bytes, &image);
    if (code != kImageOk)
        return code;
    info->width = static_cast<int>(image.width);
    info->height = static_cast<int>(image.height);
    info->planes = 1;
    info->bitsPerPixel = static_cast<int>(image.bitsPerSample[0] * image.samples);
    return kImageOk;
}

ErrorCode DecodeTiff(ByteSpan bytes, DecodedPicture* picture)
{
    TiffImage image;
    ErrorCode code = ReadChecked(bytes, &image);
    if (code == kImageOk)
        code = PrepareDecoded(picture, static_cast<int>(image.width), static_cast<int>(image.height));
    if (code != kImageOk)
        return code;
    const size_t rowBytes = (size_t{image.width} * image.samples * image.bitsPerSample[0] + 7) / 8;
    std::vector<uint8_t> rows;
    code = GatherStrips(bytes, image, rowBytes, &rows);
    if (code != kImageOk)
        return code;
    AddDifferences(image, rowBytes, &rows);
    Convert(image, rows, rowBytes, picture);
    return code;
}

ErrorCode tiffinfo(const char* path, ImageFileInfo* info)
{
    return InfoOfFile(path, TiffInfoOf, info);
}

ErrorCode loadtif(const char* path, RasterImage* image)
{
    return LoadIntoImage(path, DecodeTiff, image);
}
