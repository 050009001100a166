// Reading picture files into images and writing images as picture files. A
// loader fills an image made beforehand (allocDIB) with the size the
// information function reported; every writer makes its file itself.
#pragma once
#include <cstdint>
#include <vector>

#include "common/error_codes.h"
#include "imaging/byte_span.h"
#include "imaging/decoded_picture.h"
#include "imaging/raster_image.h"

ErrorCode loadbmp(const char* path, RasterImage* image);
ErrorCode loadtif(const char* path, RasterImage* image);
ErrorCode loadpcx(const char* path, RasterImage* image);
ErrorCode loadgif(const char* path, RasterImage* image);
ErrorCode loadjpg(const char* path, RasterImage* image);

// PCX of a 1- or 8-bit image.
ErrorCode savepcx(const char* path, const RasterImage* image);
// TIFF; compression 2 packs the rows (PackBits), anything else stores them.
ErrorCode savetif(const char* path, const RasterImage* image, int compression);
// GIF of an 8-bit image; mode bit 1 interlaces, bit 2 marks `transparent`.
ErrorCode savegifex(const char* path, const RasterImage* image, int mode, int transparent);
// JPEG at quality 1 to 100.
ErrorCode savejpg(const char* path, const RasterImage* image, int quality);

const int kGifInterlaced = 1;
const int kGifTransparent = 2;
const int kTiffPackBits = 2;

// The decoders and encoders over memory, for the file functions and tests.
ErrorCode DecodeBmp(ByteSpan bytes, DecodedPicture* picture);
ErrorCode DecodeTiff(ByteSpan bytes, DecodedPicture* picture);
ErrorCode DecodePcx(ByteSpan bytes, DecodedPicture* picture);
ErrorCode DecodeGif(ByteSpan bytes, DecodedPicture* picture);
ErrorCode DecodeJpeg(ByteSpan bytes, DecodedPicture* picture);

ErrorCode EncodePcx(const RasterImage& image, std::vector<uint8_t>* bytes);
ErrorCode EncodeTiff(const RasterImage& image, int compression, std::vector<uint8_t>* bytes);
ErrorCode EncodeGif(const RasterImage& image, int mode, int transparent, std::vector<uint8_t>* bytes);
ErrorCode EncodeJpeg(const RasterImage& image, int quality, std::vector<uint8_t>* bytes);

// Colour reduction: an 8-bit `target` (made by allocimage with the source's
// size) gets at most `colours` entries; exact when the source has no more.
ErrorCode convertrgbtopal(int colours, const RasterImage* source, RasterImage* target);
// A 1-bit image widened into an 8-bit target of the same size.
ErrorCode convert1bitto8bit(const RasterImage* source, RasterImage* target);
