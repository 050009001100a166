// The TIFF tags, types and codes this component reads and writes.
#pragma once
#include <cstdint>

const size_t kTiffHeaderBytes = 8;
const uint32_t kTiffMagic = 42;

enum TiffType : uint32_t { kTiffByte = 1, kTiffShort = 3, kTiffLong = 4, kTiffRational = 5 };

enum TiffTag : uint32_t {
    kTagWidth = 256,
    kTagHeight = 257,
    kTagBitsPerSample = 258,
    kTagCompression = 259,
    kTagPhotometric = 262,
    kTagStripOffsets = 273,
    kTagSamplesPerPixel = 277,
    kTagRowsPerStrip = 278,
    kTagStripByteCounts = 279,
    kTagXResolution = 282,
    kTagYResolution = 283,
    kTagPlanarConfiguration = 284,
    kTagResolutionUnit = 296,
    kTagPredictor = 317,
    kTagColorMap = 320,
};

const uint32_t kTiffStored = 1;
const uint32_t kTiffLzwCode = 5;
const uint32_t kTiffPackBitsCode = 32773;

const uint32_t kPredictorNone = 1;
const uint32_t kPredictorDifferences = 2;

enum TiffPhotometric : uint32_t {
    kPhotometricWhiteIsZero = 0,
    kPhotometricBlackIsZero = 1,
    kPhotometricRgb = 2,
    kPhotometricPalette = 3,
};
