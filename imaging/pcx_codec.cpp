// PC Paintbrush files: a 128-byte header, run-length coded planes, and for 256
// colours a palette after the marker byte 12 at the end.
#include <cstring>
#include <new>

#include "common/handle_words.h"
#include "imaging/image_codecs.h"
#include "imaging/image_file_bytes.h"
#include "imaging/image_info.h"

namespace {

const size_t kHeaderBytes = 128;
const uint8_t kManufacturer = 0x0A;
const uint8_t kVersion = 5;
const uint8_t kRunLength = 1;
const uint8_t kRunMark = 0xC0;
const int kMaxRun = 63;
const uint8_t kPaletteMarker = 0x0C;
const size_t kPaletteBytes = 768;
const int kHeaderPaletteAt = 16;
const int kHeaderPaletteEntries = 16;

struct PcxHeader {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    int planes = 0;
    int bytesPerLine = 0;
};

ErrorCode ReadHeader(ByteSpan bytes, PcxHeader* header)
{
    if (bytes.size() < kHeaderBytes || bytes[0] != kManufacturer || bytes[1] > kVersion || bytes[2] != kRunLength)
        return kImageNotFormat;
    const int xMin = ReadLeU16(&bytes[4]), yMin = ReadLeU16(&bytes[6]);
    const int xMax = ReadLeU16(&bytes[8]), yMax = ReadLeU16(&bytes[10]);
    header->width = xMax - xMin + 1;
    header->height = yMax - yMin + 1;
    header->bitsPerPixel = bytes[3];
    header->planes = bytes[65];
    header->bytesPerLine = ReadLeU16(&bytes[66]);
    if (header->width <= 0 || header->height <= 0 || int64_t{header->width} * header->height > kImageMaxPixels)
        return kImageDamaged;
    const bool mono = header->bitsPerPixel == 1 && (header->planes == 1 || header->planes == 4);
    const bool bytesPerSample = header->bitsPerPixel == 8 && (header->planes == 1 || header->planes == 3);
    if (!mono && !bytesPerSample)
        return kImageUnsupported;
    if (header->bytesPerLine < (header->width * header->bitsPerPixel + 7) / 8)
        return kImageDamaged;
    return kImageOk;
}

// The whole run-length stream: runs may cross line ends, so it is unpacked in
// one piece. Data that stops early leaves the rest zero.
ErrorCode Unpack(ByteSpan bytes, size_t end, size_t total, std::vector<uint8_t>* planes)
{
    try {
        planes->assign(total, 0);
    } catch (const std::bad_alloc&) {
        return kImageNoMemory;
    }
    size_t in = kHeaderBytes, out = 0;
    while (out < total && in < end) {
        uint8_t value = bytes[in++];
        size_t count = 1;
        if ((value & kRunMark) == kRunMark) {
            if (in >= end)
                break;
            count = value & kMaxRun;
            value = bytes[in++];
        }
        for (; count > 0 && out < total; --count)
            (*planes)[out++] = value;
    }
    return kImageOk;
}

void PutRgb(DecodedPicture* picture, int x, int y, const uint8_t* rgb)
{
    std::memcpy(&picture->rgb[(static_cast<size_t>(y) * picture->width + x) * 3], rgb, 3);
}

void HeaderPalette(ByteSpan bytes, int entries, uint8_t table[][3])
{
    for (int i = 0; i < entries; ++i)
        std::memcpy(table[i], &bytes[kHeaderPaletteAt + i * 3], 3);
    // An all-black two-colour table is the old default of black and white.
    if (entries == 2 && !std::memcmp(table[0], table[1], 3) && table[0][0] == 0 && table[0][1] == 0 &&
        table[0][2] == 0)
        std::memset(table[1], 0xFF, 3);
}

} // namespace

ErrorCode PcxInfoOf(ByteSpan bytes, ImageFileInfo* info)
{
    PcxHeader header;
    ErrorCode code = ReadHeader(bytes, &header);
    if (code != kImageOk)
        return code;
    info->width = header.width;
    info->height = header.height;
    info->planes = 1;
    const int depth = header.bitsPerPixel * header.planes;
    info->bitsPerPixel = depth == 1 ? 1 : depth <= 8 ? 8 : 24;
    return kImageOk;
}

ErrorCode DecodePcx(ByteSpan bytes, DecodedPicture* picture)
{
    PcxHeader header;
    ErrorCode code = ReadHeader(bytes, &header);
    if (code == kImageOk)
        code = PrepareDecoded(picture, header.width, header.height);
    if (code != kImageOk)
        return code;
    const bool trailer = header.bitsPerPixel == 8 && header.planes == 1 &&
                         bytes.size() >= kHeaderBytes + kPaletteBytes + 1 &&
                         bytes[bytes.size() - kPaletteBytes - 1] == kPaletteMarker;
    const size_t end = trailer ? bytes.size() - kPaletteBytes - 1 : bytes.size();
    const size_t line = static_cast<size_t>(header.bytesPerLine) * header.planes;
    std::vector<uint8_t> planes;
    code = Unpack(bytes, end, line * header.height, &planes);
    if (code != kImageOk)
        return code;
    uint8_t table[256][3] = {};
    if (trailer)
        std::memcpy(table, &bytes[end + 1], kPaletteBytes);
    else if (header.bitsPerPixel == 8)
        for (int i = 0; i < 256; ++i)
            table[i][0] = table[i][1] = table[i][2] = static_cast<uint8_t>(i);
    else
        HeaderPalette(bytes, header.planes == 1 ? 2 : kHeaderPaletteEntries, table);
    for (int y = 0; y < header.height; ++y) {
        const uint8_t* row = &planes[line * y];
        for (int x = 0; x < header.width; ++x) {
            if (header.bitsPerPixel == 8 && header.planes == 3) {
                const uint8_t rgb[3] = {row[x], row[header.bytesPerLine + x], row[2 * header.bytesPerLine + x]};
                PutRgb(picture, x, y, rgb);
                continue;
            }
            int index = 0;
            if (header.bitsPerPixel == 8)
                index = row[x];
            else
                for (int p = 0; p < header.planes; ++p)
                    index |= ((row[p * header.bytesPerLine + x / 8] >> (7 - x % 8)) & 1) << p;
            PutRgb(picture, x, y, table[index]);
        }
    }
    return kImageOk;
}

namespace {

void PackLine(const uint8_t* line, int count, std::vector<uint8_t>* out)
{
    int i = 0;
    while (i < count) {
        int run = 1;
        while (i + run < count && run < kMaxRun && line[i + run] == line[i])
            ++run;
        if (run > 1 || (line[i] & kRunMark) == kRunMark)
            out->push_back(static_cast<uint8_t>(kRunMark | run));
        out->push_back(line[i]);
        i += run;
    }
}

void WriteHeader(const RasterImage& image, int bitsPerPixel, int planes, int bytesPerLine, uint8_t* header)
{
    const uint16_t kDotsPerInch = 96;
    header[0] = kManufacturer;
    header[1] = kVersion;
    header[2] = kRunLength;
    header[3] = static_cast<uint8_t>(bitsPerPixel);
    WriteLeU16(header + 8, static_cast<uint16_t>(image.width - 1));
    WriteLeU16(header + 10, static_cast<uint16_t>(image.height - 1));
    WriteLeU16(header + 12, kDotsPerInch);
    WriteLeU16(header + 14, kDotsPerInch);
    header[65] = static_cast<uint8_t>(planes);
    WriteLeU16(header + 66, static_cast<uint16_t>(bytesPerLine));
    WriteLeU16(header + 68, 1);  // colour, not grey
}

} // namespace

ErrorCode EncodePcx(const RasterImage& image, std::vector<uint8_t>* bytes)
{
    // Readers differ over the colours of one-bit PCX files (ImageMagick
    // inverts black and white ones), so they go out as 256-colour pictures.
    if (image.bits && image.bitCount == 1) {
        RasterImage wide;
        ErrorCode code = allocimage(&wide, image.width, image.height, 8);
        if (code == kImageOk)
            code = convert1bitto8bit(&image, &wide);
        if (code == kImageOk)
            code = EncodePcx(wide, bytes);
        freeimage(&wide);
        return code;
    }
    const int maxPcxSide = 65535;
    if (!image.bits || image.width > maxPcxSide || image.height > maxPcxSide)
        return kImageBadRange;
    const int planes = image.bitCount == 24 ? 3 : 1;
    const int bitsPerPixel = 8;
    const int samples = image.width;
    const int bytesPerLine = samples + samples % 2;
    try {
        bytes->assign(kHeaderBytes, 0);
        WriteHeader(image, bitsPerPixel, planes, bytesPerLine, bytes->data());
        std::vector<uint8_t> line(static_cast<size_t>(bytesPerLine) * planes, 0);
        for (int y = 0; y < image.height; ++y) {
            const uint8_t* row = ImageRow(&image, y);
            if (planes == 3) {
                for (int x = 0; x < image.width; ++x)
                    for (int p = 0; p < 3; ++p)
                        line[static_cast<size_t>(p) * bytesPerLine + x] = row[x * 3 + 2 - p];
            } else {
                std::memcpy(line.data(), row, static_cast<size_t>(samples));
            }
            PackLine(line.data(), static_cast<int>(line.size()), bytes);
        }
        if (image.bitCount == 8) {
            bytes->push_back(kPaletteMarker);
            for (int i = 0; i < 256; ++i) {
                bytes->push_back(image.palette[i].rgbRed);
                bytes->push_back(image.palette[i].rgbGreen);
                bytes->push_back(image.palette[i].rgbBlue);
            }
        }
    } catch (const std::bad_alloc&) {
        return kImageNoMemory;
    }
    return kImageOk;
}

ErrorCode pcxinfo(const char* path, ImageFileInfo* info)
{
    return InfoOfFile(path, PcxInfoOf, info);
}

ErrorCode loadpcx(const char* path, RasterImage* image)
{
    return LoadIntoImage(path, DecodePcx, image);
}

ErrorCode savepcx(const char* path, const RasterImage* image)
{
    std::vector<uint8_t> bytes;
    ErrorCode code = EncodePcx(*image, &bytes);
    return code != kImageOk ? code : WriteImageFile(path, bytes);
}
