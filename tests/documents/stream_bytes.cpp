#include "stream_bytes.h"

#include <cstring>

#include <gtest/gtest.h>

#include "common/handle_words.h"

StreamBytes& StreamBytes::Raw(const std::string& text)
{
    bytes_.insert(bytes_.end(), text.begin(), text.end());
    return *this;
}

StreamBytes& StreamBytes::U16(uint16_t value)
{
    bytes_.push_back(static_cast<uint8_t>(value));
    bytes_.push_back(static_cast<uint8_t>(value >> 8));
    return *this;
}

StreamBytes& StreamBytes::U32(uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes_.push_back(static_cast<uint8_t>(value >> (8 * i)));
    return *this;
}

StreamBytes& StreamBytes::Record(uint16_t tag, const std::vector<uint8_t>& payload)
{
    U16(tag);
    U32(static_cast<uint32_t>(payload.size()));
    bytes_.insert(bytes_.end(), payload.begin(), payload.end());
    return *this;
}

StreamBytes& StreamBytes::Tag(uint16_t tag) { return U16(tag); }

StreamBytes& StreamBytes::Start(const char* signature, const int16_t (&words)[6])
{
    Raw(signature);
    U16(0x8001);
    U32(12);
    for (int16_t word : words)
        U16(static_cast<uint16_t>(word));
    return *this;
}

StreamBytes& StreamBytes::DrawingStart()
{
    const int16_t words[6] = {2, 300, 1, 2, 100, 600};
    return Start("QUORVELX", words);
}

HGLOBAL MakeMemoryStream(const std::vector<uint8_t>& bytes, size_t statedSize)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.size() + 4);
    auto* base = static_cast<uint8_t*>(GlobalLock(block));
    WriteLeU32(base, static_cast<uint32_t>(statedSize));
    if (!bytes.empty())
        std::memcpy(base + 4, bytes.data(), bytes.size());
    GlobalUnlock(block);
    return block;
}

void WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    if (!bytes.empty())
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::vector<uint8_t> ReadWholeFile(const std::string& path)
{
    std::vector<uint8_t> bytes;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    DWORD size = GetFileSize(file, nullptr);
    bytes.resize(size);
    DWORD got = 0;
    if (size)
        ReadFile(file, bytes.data(), size, &got, nullptr);
    CloseHandle(file);
    bytes.resize(got);
    return bytes;
}

std::vector<uint8_t> BlockBytes(HGLOBAL block)
{
    std::vector<uint8_t> bytes(GlobalSize(block));
    const void* base = GlobalLock(block);
    if (base && !bytes.empty())
        std::memcpy(bytes.data(), base, bytes.size());
    GlobalUnlock(block);
    return bytes;
}

std::vector<uint8_t> Payload(size_t count, uint8_t seed)
{
    std::vector<uint8_t> bytes(count);
    for (size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<uint8_t>(seed + i * 7);
    return bytes;
}
