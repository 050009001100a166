// What a picture file says about itself before it is read: each information
// function answers 0 for a file of its format, kImageCannotOpen when the file
// cannot be opened, another negative code otherwise.
#pragma once
#include <cstdint>
#include <vector>

#include "common/error_codes.h"
#include "imaging/byte_span.h"

struct ImageFileInfo {
    int width = 0;
    int height = 0;
    int planes = 1;
    int bitsPerPixel = 0;
};

ErrorCode bmpinfo(const char* path, ImageFileInfo* info);
ErrorCode tiffinfo(const char* path, ImageFileInfo* info);
ErrorCode pcxinfo(const char* path, ImageFileInfo* info);
ErrorCode gifinfo(const char* path, ImageFileInfo* info);
ErrorCode jpeginfo(const char* path, ImageFileInfo* info);

// The same over bytes in memory.
ErrorCode BmpInfoOf(ByteSpan bytes, ImageFileInfo* info);
ErrorCode TiffInfoOf(ByteSpan bytes, ImageFileInfo* info);
ErrorCode PcxInfoOf(ByteSpan bytes, ImageFileInfo* info);
ErrorCode GifInfoOf(ByteSpan bytes, ImageFileInfo* info);
ErrorCode JpegInfoOf(ByteSpan bytes, ImageFileInfo* info);
