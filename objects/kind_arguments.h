// Reading the message values of an object-kind procedure: an address, or a
// point packed as two signed 16-bit halves (x in the low half).
#pragma once
#include <windows.h>

#include <cstdint>

template <typename T>
inline T* KindPointer(INT_PTR value)
{
    return reinterpret_cast<T*>(value);
}

inline POINT UnpackKindPoint(INT_PTR value)
{
    uint32_t packed = static_cast<uint32_t>(value);
    return {static_cast<int16_t>(packed & 0xFFFF), static_cast<int16_t>((packed >> 16) & 0xFFFF)};
}
