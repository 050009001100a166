// Setting and clearing bits of the flag words kept in records and windows.
#pragma once
#include <cstdint>
#include <type_traits>

// On a 32-bit flag word: ORs the mask in when `set` is nonzero, else clears
// the mask's bits. Any 4-byte integer word (uint32_t, DWORD, LONG, int32_t).
template <typename Word>
inline void SetFlagBits(Word* word, uint32_t mask, int set)
{
    static_assert(std::is_integral<Word>::value && sizeof(Word) == 4, "SetFlagBits takes a 32-bit word");
    const uint32_t bits = static_cast<uint32_t>(*word);
    *word = static_cast<Word>(set ? (bits | mask) : (bits & ~mask));
}

// The same on a 16-bit word; callers pass single-bit masks.
template <typename Word>
inline void SetFlagBits16(Word* word, uint16_t mask, int set)
{
    static_assert(std::is_integral<Word>::value && sizeof(Word) == 2, "SetFlagBits16 takes a 16-bit word");
    const uint16_t bits = static_cast<uint16_t>(*word);
    *word = static_cast<Word>(set ? (bits | mask) : (bits & static_cast<uint16_t>(~mask)));
}
