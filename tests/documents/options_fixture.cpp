#include "options_fixture.h"

#include <cstring>

#include "documents/options_file.h"
#include "support/test_paths.h"

void OptionsTest::SetUp()
{
    path_ = ScratchPath("options.opt");
    DeleteFileA(path_.c_str());
    MakeDefaults();
}

void OptionsTest::TearDown()
{
    FreeOptions();
    DeleteFileA(path_.c_str());
}

void OptionsTest::MakeDefaults()
{
    FreeOptions();
    ASSERT_EQ(kErrNone, CreateDefaultOptions());
}

void OptionsTest::FreeOptions()
{
    // Nothing is written: no options path is named.
    if (OptionsPathAtom) {
        GlobalDeleteAtom(OptionsPathAtom);
        OptionsPathAtom = 0;
    }
    SaveAndFreeOptions();
}

std::vector<uint8_t> OptionsTest::Snapshot() const
{
    std::vector<uint8_t> bytes(AppOptions, AppOptions + sizeof(OptionsRecord));
    std::memset(bytes.data(), 0, 4);
    return bytes;
}

std::vector<uint8_t> OptionsTest::StylesSnapshot() const
{
    const auto* list = static_cast<const uint8_t*>(GlobalLock(ColorStyles));
    int32_t count = 0;
    std::memcpy(&count, list, 4);
    std::vector<uint8_t> bytes(list, list + kColorStyleListHead + 76 * count);
    GlobalUnlock(ColorStyles);
    return bytes;
}

OptionsPayloadBytes& OptionsPayloadBytes::I16(int value)
{
    bytes.push_back(static_cast<uint8_t>(value));
    bytes.push_back(static_cast<uint8_t>(value >> 8));
    return *this;
}

OptionsPayloadBytes& OptionsPayloadBytes::U32(uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<uint8_t>(value >> shift));
    return *this;
}

OptionsPayloadBytes& OptionsPayloadBytes::Double(double value)
{
    uint8_t raw[8];
    std::memcpy(raw, &value, 8);
    bytes.insert(bytes.end(), raw, raw + 8);
    return *this;
}

OptionsPayloadBytes& OptionsPayloadBytes::Text(const std::string& text)
{
    bytes.insert(bytes.end(), text.begin(), text.end());
    bytes.push_back(0);
    return *this;
}

OptionsPayloadBytes& OptionsPayloadBytes::Zeros(size_t count)
{
    bytes.insert(bytes.end(), count, 0);
    return *this;
}

StreamBytes OptionsStart(int generation, int version, const char* signature)
{
    StreamBytes stream;
    const int16_t words[6] = {static_cast<int16_t>(generation), 300, 2, static_cast<int16_t>(version), 100, 600};
    stream.Start(signature, words);
    return stream;
}
