// Run-length encoded BMP files (4 and 8 bits), which stb does not read.
#pragma once
#include "common/error_codes.h"
#include "imaging/byte_span.h"
#include "imaging/decoded_picture.h"

// True for a file whose header names one of the two run-length codings.
bool IsRunLengthBmp(ByteSpan bytes);
// Decodes such a file. Pixels the runs skip take the first table colour;
// data that ends before the end-of-picture mark is damage.
ErrorCode DecodeRunLengthBmp(ByteSpan bytes, DecodedPicture* picture);
