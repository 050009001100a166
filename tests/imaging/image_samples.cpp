#include "image_samples.h"

#include <windows.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <random>

#include <gtest/gtest.h>

void MakeSampleImage(int width, int height, int bitCount, int colours, unsigned seed, RasterImage* image)
{
    ASSERT_EQ(kImageOk, allocDIB(image, width, height, bitCount));
    std::mt19937 random(seed);
    for (int i = 0; i < image->colorCount; ++i)
        image->palette[i] = {static_cast<BYTE>(i * 37), static_cast<BYTE>(255 - i), static_cast<BYTE>(i * 11), 0};
    for (int y = 0; y < height; ++y) {
        uint8_t* row = ImageRow(image, y);
        for (int x = 0; x < width; ++x) {
            const bool noisy = (y / 8) % 2 == 1;
            if (bitCount == 24) {
                row[x * 3] = static_cast<uint8_t>(x * 255 / width);
                row[x * 3 + 1] = static_cast<uint8_t>(y * 255 / height);
                row[x * 3 + 2] = static_cast<uint8_t>(x < width / 2 ? 40 : 200);
            } else if (bitCount == 8) {
                row[x] = static_cast<uint8_t>((noisy ? random() : x / 5 + y) % static_cast<unsigned>(colours));
            } else if ((noisy ? random() % 2 : (x / 3) % 2) != 0) {
                row[x / 8] = static_cast<uint8_t>(row[x / 8] | (0x80 >> (x % 8)));
            }
        }
    }
}

DecodedPicture PixelsOf(const RasterImage& image)
{
    DecodedPicture picture;
    EXPECT_EQ(kImageOk, ImageToDecoded(image, &picture));
    return picture;
}

double Psnr(const DecodedPicture& a, const DecodedPicture& b)
{
    if (a.rgb.size() != b.rgb.size() || a.rgb.empty())
        return 0;
    double sum = 0;
    for (size_t i = 0; i < a.rgb.size(); ++i) {
        const double d = static_cast<double>(a.rgb[i]) - b.rgb[i];
        sum += d * d;
    }
    const double mse = sum / static_cast<double>(a.rgb.size());
    return mse == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 / mse);
}

void SaveBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> LoadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
