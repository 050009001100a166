// Bytes copied to the very end of committed memory whose next page is
// inaccessible: a reader that reads one byte too far faults at once.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

class GuardedBytes {
public:
    explicit GuardedBytes(const std::vector<uint8_t>& bytes);
    ~GuardedBytes();
    GuardedBytes(const GuardedBytes&) = delete;
    GuardedBytes& operator=(const GuardedBytes&) = delete;
    const uint8_t* data() const { return start_; }
    size_t size() const { return size_; }

private:
    uint8_t* base_ = nullptr;
    uint8_t* start_ = nullptr;
    size_t size_ = 0;
};

// Damages a copy of `bytes` the way the mutation loops do: a few bytes set,
// flipped or run to 0xFF, or the bytes cut short.
std::vector<uint8_t> Mutated(const std::vector<uint8_t>& bytes, unsigned (*next)(void* random), void* random);
