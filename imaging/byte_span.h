// A read-only view of bytes a reader decodes: a file read into memory, or in
// tests bytes that end right before a guard page.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

class ByteSpan {
public:
    ByteSpan(const std::vector<uint8_t>& bytes) : data_(bytes.data()), size_(bytes.size()) {}
    ByteSpan(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    const uint8_t* data() const { return data_; }
    size_t size() const { return size_; }
    const uint8_t& operator[](size_t index) const { return data_[index]; }

private:
    const uint8_t* data_;
    size_t size_;
};
