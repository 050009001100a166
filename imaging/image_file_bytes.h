// Whole picture files in and out of memory, through the program's I/O seam.
#pragma once
#include <cstdint>
#include <vector>

#include "common/error_codes.h"
#include "imaging/byte_span.h"

// Files above this size are not pictures this program imports.
const uint32_t kImageMaxFileBytes = 256u << 20;

// kImageCannotOpen, kImageReadFault or kImageNoMemory on failure.
ErrorCode ReadImageFile(const char* path, std::vector<uint8_t>* bytes);
// Creates (or truncates) the file and writes all bytes; kImageWriteFault.
ErrorCode WriteImageFile(const char* path, ByteSpan bytes);

struct ImageFileInfo;
struct DecodedPicture;
struct RasterImage;
using InfoReader = ErrorCode (*)(ByteSpan bytes, ImageFileInfo* info);
using PictureDecoder = ErrorCode (*)(ByteSpan bytes, DecodedPicture* picture);

// A file's information by one format's reader.
ErrorCode InfoOfFile(const char* path, InfoReader reader, ImageFileInfo* info);
// A file decoded by one format's reader into an image of its size.
ErrorCode LoadIntoImage(const char* path, PictureDecoder decoder, RasterImage* image);
