#include "imaging/decoded_picture.h"

#include <new>
#include <unordered_map>

namespace {

const int kCubeLevels = 6;
const int kCubeStep = 51;  // 255 / (kCubeLevels - 1)
const int kRgbBytes = 3;

uint32_t RgbAt(const DecodedPicture& picture, int64_t pixel)
{
    const uint8_t* p = picture.rgb.data() + pixel * kRgbBytes;
    return (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
}

RGBQUAD Quad(uint32_t rgb)
{
    return {static_cast<BYTE>(rgb), static_cast<BYTE>(rgb >> 8), static_cast<BYTE>(rgb >> 16), 0};
}

void PutIndex(RasterImage* image, int x, int y, int index)
{
    uint8_t* row = ImageRow(image, y);
    if (image->bitCount == 8) {
        row[x] = static_cast<uint8_t>(index);
        return;
    }
    const uint8_t mask = static_cast<uint8_t>(0x80 >> (x % 8));
    row[x / 8] = static_cast<uint8_t>(index ? row[x / 8] | mask : row[x / 8] & ~mask);
}

// The colours in the order they first appear; false when there are more than
// `limit`.
bool ExactPalette(const DecodedPicture& picture, int limit, std::unordered_map<uint32_t, int>* indexes)
{
    const int64_t pixels = int64_t{picture.width} * picture.height;
    for (int64_t i = 0; i < pixels; ++i) {
        const uint32_t rgb = RgbAt(picture, i);
        if (indexes->count(rgb))
            continue;
        if (static_cast<int>(indexes->size()) == limit)
            return false;
        const int next = static_cast<int>(indexes->size());
        (*indexes)[rgb] = next;
    }
    return true;
}

int Luminance(uint32_t rgb)
{
    return (299 * static_cast<int>((rgb >> 16) & 0xFF) + 587 * static_cast<int>((rgb >> 8) & 0xFF) +
            114 * static_cast<int>(rgb & 0xFF)) / 1000;
}

// Too many colours: a colour cube for 8 bits, black and white for 1 bit.
int NearestFixed(uint32_t rgb, int bitCount)
{
    if (bitCount == 1)
        return Luminance(rgb) >= 128 ? 1 : 0;
    const int r = (static_cast<int>((rgb >> 16) & 0xFF) + kCubeStep / 2) / kCubeStep;
    const int g = (static_cast<int>((rgb >> 8) & 0xFF) + kCubeStep / 2) / kCubeStep;
    const int b = (static_cast<int>(rgb & 0xFF) + kCubeStep / 2) / kCubeStep;
    return (r * kCubeLevels + g) * kCubeLevels + b;
}

void FixedPalette(RasterImage* image)
{
    for (int i = 0; i < image->colorCount; ++i)
        image->palette[i] = RGBQUAD{};
    if (image->bitCount == 1) {
        image->palette[1] = Quad(0xFFFFFF);
        return;
    }
    for (int r = 0; r < kCubeLevels; ++r)
        for (int g = 0; g < kCubeLevels; ++g)
            for (int b = 0; b < kCubeLevels; ++b) {
                const uint32_t rgb = (uint32_t(r * kCubeStep) << 16) | (uint32_t(g * kCubeStep) << 8) |
                                     uint32_t(b * kCubeStep);
                image->palette[(r * kCubeLevels + g) * kCubeLevels + b] = Quad(rgb);
            }
}

void StoreIndexed(const DecodedPicture& picture, RasterImage* image)
{
    std::unordered_map<uint32_t, int> indexes;
    const bool exact = ExactPalette(picture, image->colorCount, &indexes);
    if (exact) {
        for (int i = 0; i < image->colorCount; ++i)
            image->palette[i] = RGBQUAD{};
        for (const auto& entry : indexes)
            image->palette[entry.second] = Quad(entry.first);
    } else {
        FixedPalette(image);
    }
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const uint32_t rgb = RgbAt(picture, int64_t{y} * picture.width + x);
            PutIndex(image, x, y, exact ? indexes[rgb] : NearestFixed(rgb, image->bitCount));
        }
}

} // namespace

ErrorCode PrepareDecoded(DecodedPicture* picture, int width, int height)
{
    if (width <= 0 || height <= 0 || width > kImageMaxSide || height > kImageMaxSide ||
        int64_t{width} * height > kImageMaxPixels)
        return kImageBadRange;
    picture->width = width;
    picture->height = height;
    try {
        picture->rgb.assign(static_cast<size_t>(width) * static_cast<size_t>(height) * kRgbBytes, 0);
    } catch (const std::bad_alloc&) {
        return kImageNoMemory;
    }
    return kImageOk;
}

ErrorCode StoreDecoded(const DecodedPicture& picture, RasterImage* image)
{
    if (!image->bits || image->width != picture.width || image->height != picture.height)
        return kImageBadRange;
    try {
        if (image->bitCount != 24) {
            StoreIndexed(picture, image);
            return kImageOk;
        }
    } catch (const std::bad_alloc&) {
        return kImageNoMemory;
    }
    for (int y = 0; y < picture.height; ++y) {
        const uint8_t* in = picture.rgb.data() + int64_t{y} * picture.width * kRgbBytes;
        uint8_t* out = ImageRow(image, y);
        for (int x = 0; x < picture.width; ++x) {
            out[x * 3] = in[x * 3 + 2];
            out[x * 3 + 1] = in[x * 3 + 1];
            out[x * 3 + 2] = in[x * 3];
        }
    }
    return kImageOk;
}

ErrorCode ImageToDecoded(const RasterImage& image, DecodedPicture* picture)
{
    ErrorCode code = PrepareDecoded(picture, image.width, image.height);
    if (code != kImageOk)
        return code;
    uint8_t* out = picture->rgb.data();
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const uint32_t rgb = ImagePixel(&image, x, y);
            *out++ = static_cast<uint8_t>(rgb >> 16);
            *out++ = static_cast<uint8_t>(rgb >> 8);
            *out++ = static_cast<uint8_t>(rgb);
        }
    return kImageOk;
}
