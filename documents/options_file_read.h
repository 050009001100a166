// The options file reader's shared state and its block readers.
#pragma once
#include <windows.h>

#include <cstdint>

#include "common/error_codes.h"

// Set while a file of the previous version (header word 0 = 2) is read.
extern bool OptionsFileIsPrevious;

ErrorCode ReadLibraryWindowBlock(HFILE file);
ErrorCode ReadToolbarBlock(HFILE file);
ErrorCode ReadSymbolFontBlock(HFILE file, int count);
ErrorCode ReadStyleBlock(HFILE file, int count, int currentStyle);

// Little helpers over the payload of the record read last.
class OptionsPayload {
public:
    OptionsPayload(const uint8_t* bytes, uint32_t length) : bytes_(bytes), length_(length) {}
    bool Holds(uint32_t offset, uint32_t count) const { return offset <= length_ && count <= length_ - offset; }
    // The value widened into *target when the payload holds it.
    void I16(uint32_t offset, int32_t* target) const;
    void U16(uint32_t offset, int32_t* target) const;
    void U16(uint32_t offset, uint16_t* target) const;
    void U32(uint32_t offset, uint32_t* target) const;
    void Double(uint32_t offset, double* target) const;
    // The string from `offset` into a field of `size` bytes.
    void String(uint32_t offset, char* target, size_t size) const;
    const uint8_t* Bytes() const { return bytes_; }
    uint32_t Length() const { return length_; }

private:
    const uint8_t* bytes_;
    uint32_t length_;
};
