#include "support/guarded_bytes.h"

#include <cstring>

GuardedBytes::GuardedBytes(const std::vector<uint8_t>& bytes)
{
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    const SIZE_T page = system.dwPageSize;
    const SIZE_T pages = (bytes.size() + page - 1) / page + 1;
    base_ = static_cast<uint8_t*>(VirtualAlloc(nullptr, (pages + 1) * page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    DWORD old = 0;
    VirtualProtect(base_ + pages * page, page, PAGE_NOACCESS, &old);
    start_ = base_ + pages * page - bytes.size();
    if (!bytes.empty())
        std::memcpy(start_, bytes.data(), bytes.size());
    size_ = bytes.size();
}

GuardedBytes::~GuardedBytes()
{
    VirtualFree(base_, 0, MEM_RELEASE);
}

std::vector<uint8_t> Mutated(const std::vector<uint8_t>& source, unsigned (*next)(void* random), void* random)
{
    std::vector<uint8_t> bytes = source;
    const int edits = 1 + static_cast<int>(next(random) % 6);
    for (int e = 0; e < edits && !bytes.empty(); ++e) {
        const size_t at = next(random) % bytes.size();
        switch (next(random) % 4) {
        case 0:
            bytes[at] = static_cast<uint8_t>(next(random));
            break;
        case 1:
            bytes[at] ^= static_cast<uint8_t>(1u << (next(random) % 8));
            break;
        case 2:
            for (size_t i = at; i < bytes.size() && i < at + 4; ++i)
                bytes[i] = 0xFF;
            break;
        default:
            bytes.resize(at);
            break;
        }
    }
    return bytes;
}
