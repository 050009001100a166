// Helpers for data that must look the same in 32 and 64 bits: little-endian
// integers in byte buffers, handles kept in 32-bit words, and a compile-time
// check of a stored field's offset.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

inline uint16_t ReadLeU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline int16_t ReadLeI16(const uint8_t* p) { return static_cast<int16_t>(ReadLeU16(p)); }
inline uint32_t ReadLeU32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}
inline int32_t ReadLeI32(const uint8_t* p) { return static_cast<int32_t>(ReadLeU32(p)); }

inline void WriteLeU16(uint8_t* p, uint16_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
inline void WriteLeI16(uint8_t* p, int16_t v) { WriteLeU16(p, static_cast<uint16_t>(v)); }
inline void WriteLeU32(uint8_t* p, uint32_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
}
inline void WriteLeI32(uint8_t* p, int32_t v) { WriteLeU32(p, static_cast<uint32_t>(v)); }

// A handle in a 32-bit word and back. Kernel, window and GDI handles fit in
// 32 bits; global memory handles are addresses in 64 bits and do not.
inline int32_t HandleToWord(const void* handle) { return HandleToLong(handle); }
template <typename Handle>
inline Handle WordToHandle(int32_t word)
{
    return static_cast<Handle>(LongToHandle(word));
}

// Fails the build when a stored field moves.
#define CHECK_FIELD_OFFSET(type, field, offset) \
    static_assert(offsetof(type, field) == (offset), #type "." #field " must lie at " #offset)
