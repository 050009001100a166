// Writing TIFF: little-endian, one directory; 1 and 8 bits as palette images,
// 24 bits as RGB; rows stored or PackBits-coded in strips of about 8 KB.
#include <algorithm>
#include <cstring>
#include <new>

#include "common/handle_words.h"
#include "imaging/image_codecs.h"
#include "imaging/image_file_bytes.h"
#include "imaging/tiff_tags.h"

namespace {

const size_t kStripTarget = 8192;
const int kMaxLiteral = 128;
const int kMaxRepeat = 128;
const uint32_t kDotsPerInch = 96;
const uint32_t kResolutionInch = 2;

struct Entry {
    uint32_t tag;
    uint32_t type;
    uint32_t count;
    uint32_t value;  // the value itself when it fits, else its offset
};

void Append16(std::vector<uint8_t>* out, uint32_t value)
{
    out->push_back(static_cast<uint8_t>(value));
    out->push_back(static_cast<uint8_t>(value >> 8));
}

void Append32(std::vector<uint8_t>* out, uint32_t value)
{
    Append16(out, value & 0xFFFF);
    Append16(out, value >> 16);
}

void AlignWord(std::vector<uint8_t>* out)
{
    if (out->size() % 2)
        out->push_back(0);
}

void PackRow(const uint8_t* row, int count, std::vector<uint8_t>* out)
{
    int i = 0;
    while (i < count) {
        int run = 1;
        while (i + run < count && run < kMaxRepeat && row[i + run] == row[i])
            ++run;
        if (run > 1) {
            out->push_back(static_cast<uint8_t>(1 - run));
            out->push_back(row[i]);
            i += run;
            continue;
        }
        int literal = 1;
        while (i + literal < count && literal < kMaxLiteral &&
               !(i + literal + 1 < count && row[i + literal] == row[i + literal + 1]))
            ++literal;
        out->push_back(static_cast<uint8_t>(literal - 1));
        out->insert(out->end(), row + i, row + i + literal);
        i += literal;
    }
}

// One row in the file's sample order: RGB rather than the image's BGR.
void FileRow(const RasterImage& image, int y, size_t rowBytes, std::vector<uint8_t>* row)
{
    const uint8_t* bits = ImageRow(&image, y);
    if (image.bitCount != 24) {
        std::memcpy(row->data(), bits, rowBytes);
        return;
    }
    for (int x = 0; x < image.width; ++x) {
        (*row)[x * 3] = bits[x * 3 + 2];
        (*row)[x * 3 + 1] = bits[x * 3 + 1];
        (*row)[x * 3 + 2] = bits[x * 3];
    }
}

// Strips after the header; their offsets and byte counts.
void WriteStrips(const RasterImage& image, bool packed, uint32_t rowsPerStrip, std::vector<uint8_t>* out,
                 std::vector<uint32_t>* offsets, std::vector<uint32_t>* counts)
{
    const size_t rowBytes = (size_t{static_cast<uint32_t>(image.width)} * image.bitCount + 7) / 8;
    std::vector<uint8_t> row(rowBytes);
    for (int y = 0; y < image.height; ++y) {
        if (y % rowsPerStrip == 0) {
            AlignWord(out);
            offsets->push_back(static_cast<uint32_t>(out->size()));
            counts->push_back(0);
        }
        const size_t before = out->size();
        FileRow(image, y, rowBytes, &row);
        if (packed)
            PackRow(row.data(), static_cast<int>(rowBytes), out);
        else
            out->insert(out->end(), row.begin(), row.end());
        counts->back() += static_cast<uint32_t>(out->size() - before);
    }
}

// A list of longs: in the entry when there is one, else written out.
uint32_t LongList(const std::vector<uint32_t>& values, std::vector<uint8_t>* out)
{
    if (values.size() == 1)
        return values[0];
    AlignWord(out);
    const auto at = static_cast<uint32_t>(out->size());
    for (uint32_t value : values)
        Append32(out, value);
    return at;
}

uint32_t ColorMap(const RasterImage& image, std::vector<uint8_t>* out)
{
    AlignWord(out);
    const auto at = static_cast<uint32_t>(out->size());
    const int kChannelScale = 257;  // 8-bit levels to 16-bit ones
    for (int channel = 0; channel < 3; ++channel)
        for (int i = 0; i < image.colorCount; ++i) {
            const RGBQUAD& q = image.palette[i];
            const uint8_t level = channel == 0 ? q.rgbRed : channel == 1 ? q.rgbGreen : q.rgbBlue;
            Append16(out, level * kChannelScale);
        }
    return at;
}

void WriteDirectory(std::vector<Entry> entries, std::vector<uint8_t>* out)
{
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.tag < b.tag; });
    AlignWord(out);
    WriteLeU32(out->data() + 4, static_cast<uint32_t>(out->size()));
    Append16(out, static_cast<uint32_t>(entries.size()));
    for (const Entry& entry : entries) {
        Append16(out, entry.tag);
        Append16(out, entry.type);
        Append32(out, entry.count);
        if (entry.type == kTiffShort && entry.count == 1) {
            Append16(out, entry.value);
            Append16(out, 0);
        } else {
            Append32(out, entry.value);
        }
    }
    Append32(out, 0);  // no further directory
}

} // namespace

ErrorCode EncodeTiff(const RasterImage& image, int compression, std::vector<uint8_t>* bytes)
{
    if (!image.bits)
        return kImageBadRange;
    const bool packed = compression == kTiffPackBits;
    const bool rgb = image.bitCount == 24;
    const size_t rowBytes = (size_t{static_cast<uint32_t>(image.width)} * image.bitCount + 7) / 8;
    const auto rowsPerStrip = static_cast<uint32_t>(std::max<size_t>(1, kStripTarget / rowBytes));
    try {
        bytes->assign({'I', 'I', static_cast<uint8_t>(kTiffMagic), 0, 0, 0, 0, 0});
        std::vector<uint32_t> offsets, counts;
        WriteStrips(image, packed, rowsPerStrip, bytes, &offsets, &counts);
        uint32_t bitsAt = static_cast<uint32_t>(image.bitCount);
        if (rgb) {
            AlignWord(bytes);
            bitsAt = static_cast<uint32_t>(bytes->size());
            for (int i = 0; i < 3; ++i)
                Append16(bytes, 8);
        }
        AlignWord(bytes);
        const auto resolutionAt = static_cast<uint32_t>(bytes->size());
        Append32(bytes, kDotsPerInch);
        Append32(bytes, 1);
        std::vector<Entry> entries = {
            {kTagWidth, kTiffLong, 1, static_cast<uint32_t>(image.width)},
            {kTagHeight, kTiffLong, 1, static_cast<uint32_t>(image.height)},
            {kTagBitsPerSample, kTiffShort, rgb ? 3u : 1u, bitsAt},
            {kTagCompression, kTiffShort, 1, packed ? kTiffPackBitsCode : kTiffStored},
            {kTagPhotometric, kTiffShort, 1, rgb ? kPhotometricRgb : kPhotometricPalette},
            {kTagStripOffsets, kTiffLong, static_cast<uint32_t>(offsets.size()), LongList(offsets, bytes)},
            {kTagSamplesPerPixel, kTiffShort, 1, rgb ? 3u : 1u},
            {kTagRowsPerStrip, kTiffLong, 1, rowsPerStrip},
            {kTagStripByteCounts, kTiffLong, static_cast<uint32_t>(counts.size()), LongList(counts, bytes)},
            {kTagXResolution, kTiffRational, 1, resolutionAt},
            {kTagYResolution, kTiffRational, 1, resolutionAt},
            {kTagPlanarConfiguration, kTiffShort, 1, 1},
            {kTagResolutionUnit, kTiffShort, 1, kResolutionInch},
        };
        if (!rgb)
            entries.push_back({kTagColorMap, kTiffShort, 3u * static_cast<uint32_t>(image.colorCount),
                               ColorMap(image, bytes)});
        WriteDirectory(entries, bytes);
    } catch (const std::bad_alloc&) {
        return kImageNoMemory;
    }
    return kImageOk;
}

ErrorCode savetif(const char* path, const RasterImage* image, int compression)
{
    std::vector<uint8_t> bytes;
    ErrorCode code = EncodeTiff(*image, compression, &bytes);
    return code != kImageOk ? code : WriteImageFile(path, bytes);
}
