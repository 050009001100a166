// Building record-stream bytes by hand, from the format's own tables, and
// reading them back through the stream layer from memory or a file.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/error_codes.h"

class StreamBytes {
public:
    StreamBytes& Raw(const std::string& text);
    StreamBytes& U16(uint16_t value);
    StreamBytes& U32(uint32_t value);
    // A record with a length and payload (plain records and openers).
    StreamBytes& Record(uint16_t tag, const std::vector<uint8_t>& payload);
    // A two-byte record (closers).
    StreamBytes& Tag(uint16_t tag);
    // Signature and header record with the given six words.
    StreamBytes& Start(const char* signature, const int16_t (&words)[6]);
    StreamBytes& DrawingStart();

    const std::vector<uint8_t>& bytes() const { return bytes_; }
    size_t size() const { return bytes_.size(); }

private:
    std::vector<uint8_t> bytes_;
};

// A movable block in memory form: u32 `statedSize` then `bytes` (the block
// may be larger than what the prefix states).
HGLOBAL MakeMemoryStream(const std::vector<uint8_t>& bytes, size_t statedSize);
void WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadWholeFile(const std::string& path);
// The bytes of a finished memory stream (prefix included).
std::vector<uint8_t> BlockBytes(HGLOBAL block);
std::vector<uint8_t> Payload(size_t count, uint8_t seed);
