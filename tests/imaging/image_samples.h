// Sample images for the codec tests and what a decoded file is compared with.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "imaging/decoded_picture.h"
#include "imaging/raster_image.h"

// An image owned by a test and freed with it.
struct OwnedImage {
    RasterImage image;
    OwnedImage() = default;
    OwnedImage(const OwnedImage&) = delete;
    OwnedImage& operator=(const OwnedImage&) = delete;
    ~OwnedImage() { freeimage(&image); }
};

// Runs of colours and noise: `colours` table entries (up to 256) for 8 and 1
// bits, a smooth gradient with a few edges for 24 bits.
void MakeSampleImage(int width, int height, int bitCount, int colours, unsigned seed, RasterImage* image);

// The image's pixels as RGB rows from the top.
DecodedPicture PixelsOf(const RasterImage& image);

// Peak signal-to-noise ratio of two pictures of one size, in dB.
double Psnr(const DecodedPicture& a, const DecodedPicture& b);

// Bytes to a file and back.
void SaveBytes(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> LoadBytes(const std::string& path);
