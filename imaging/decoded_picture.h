// What the readers decode into before the pixels go into an image: plain
// top-down RGB, so every format meets the image the same way.
#pragma once
#include <cstdint>
#include <vector>

#include "common/error_codes.h"
#include "imaging/raster_image.h"

struct DecodedPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;  // width x height x 3, rows from the top
};

// Checks a size against the component's limits and makes room for it.
ErrorCode PrepareDecoded(DecodedPicture* picture, int width, int height);

// Fills an image of the same size with the picture: 24 bits as they are, 8 and
// 1 bits through an exact palette when the colours fit, else the nearest of a
// fixed one.
ErrorCode StoreDecoded(const DecodedPicture& picture, RasterImage* image);

// The image's pixels as a decoded picture.
ErrorCode ImageToDecoded(const RasterImage& image, DecodedPicture* picture);
