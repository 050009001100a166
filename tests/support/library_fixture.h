// Library files written by the tests through the store, record by record as
// the program lays them out.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "libraries/library_records.h"

struct LibraryFixture {
    int symbols = 0;
    int16_t version = kLibraryVersionNew;
    DWORD headerSize = kLibraryHeaderSize;
    bool viewBlock = true;
    DWORD viewSize = kLibraryViewSize;
    uint16_t viewFlags = kLibraryPointsNormalized;
    int16_t buttonSize = 50;
    bool names = true;
    // Changes the header's payload before it is written.
    void (*editHeader)(LibraryHeader* header) = nullptr;
};

// Writes the library; symbol i is a square of its own colour named
// "Symbol i;key<i>". Returns the path, empty on failure.
std::string WriteLibraryFixture(const std::string& path, const LibraryFixture& fixture);
// The header payload of a library file as stored.
bool ReadLibraryHeader(const std::string& path, LibraryHeader* header);
