// Metafiles without the placeable header: plain Windows metafiles and
// enhanced metafiles, turned into a placeable metafile so the one import step
// takes them. Both are walked record by record against their bytes first.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "common/error_codes.h"

// kErrNotDone when the bytes are neither kind; kErrBadMetafile when they
// claim to be one but do not add up; 10004 without memory.
ErrorCode PlaceableFromForeignMetafile(const uint8_t* bytes, size_t size, std::vector<uint8_t>* placeable);

// Whether the records of a plain metafile (from its header on) lie within
// `size` bytes and end with the end record.
bool PlainMetafileHolds(const uint8_t* bytes, size_t size);
// The same for an enhanced metafile.
bool EnhancedMetafileHolds(const uint8_t* bytes, size_t size);
