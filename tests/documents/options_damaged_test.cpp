// Damaged options files answer an error code, never crash, and leave the
// program with usable options.
#include <cstring>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "documents/options_file.h"
#include "documents/recent_files.h"
#include "documents/stream_errors.h"
#include "options_fixture.h"
#include "support/crash_guard.h"
#include "support/mutation.h"

namespace {

class OptionsDamaged : public OptionsTest {
protected:
    std::vector<uint8_t> GoodFile()
    {
        AddRecentFile("C:\\DRAW\\PLAN.TYR");
        EXPECT_EQ(kErrNone, WriteOptionsFile(path_.c_str()));
        return ReadWholeFile(path_);
    }
    // The options stay usable: the style list, symbol fonts and recent
    // files are consistent with their counts.
    void ExpectConsistent(const std::string& name)
    {
        const auto* list = static_cast<const uint8_t*>(GlobalLock(ColorStyles));
        ASSERT_NE(nullptr, list) << name;
        int32_t count = 0, current = 0;
        std::memcpy(&count, list, 4);
        std::memcpy(&current, list + 4, 4);
        EXPECT_LE(kColorStyleListHead + 76 * static_cast<SIZE_T>(count), GlobalSize(ColorStyles)) << name;
        EXPECT_TRUE(count == 0 || (current >= 0 && current < count)) << name;
        GlobalUnlock(ColorStyles);
        EXPECT_GE(SymbolFontCount, 1) << name;
        EXPECT_LE(SymbolFontCount, 30) << name;
        EXPECT_LE(static_cast<SIZE_T>(SymbolFontCount) * sizeof(LOGFONTA), GlobalSize(SymbolFonts)) << name;
        EXPECT_GE(RecentFiles->count, 0) << name;
        EXPECT_LE(RecentFiles->count, 4) << name;
        EXPECT_LT(std::strlen(options().drawingsFolder), 262u) << name;
    }
};

std::vector<uint8_t> Replace(std::vector<uint8_t> bytes, size_t at, std::vector<uint8_t> with)
{
    for (size_t index = 0; index < with.size() && at + index < bytes.size(); ++index)
        bytes[at + index] = with[index];
    return bytes;
}

TEST_F(OptionsDamaged, DamagedInputs)
{
    const std::vector<uint8_t> good = GoodFile();
    // Offsets of the good file: signature 0..7, header record 8..25, general record from 26.
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        ErrorCode expected;
    };
    std::vector<uint8_t> endless = OptionsStart().bytes();
    for (int level = 0; level < 100; ++level)
        endless.insert(endless.end(), {0x99, 0x89, 0, 0, 0, 0});
    const Case cases[] = {
        {"cut after the signature", std::vector<uint8_t>(good.begin(), good.begin() + 8), kErrStreamRead},
        {"cut inside the header", std::vector<uint8_t>(good.begin(), good.begin() + 20), kErrStreamRead},
        {"cut in the middle", std::vector<uint8_t>(good.begin(), good.begin() + good.size() / 2), kErrStreamRead},
        {"cut before the end record", std::vector<uint8_t>(good.begin(), good.end() - 2), kErrStreamRead},
        {"header length 2", Replace(good, 10, {2, 0, 0, 0}), kErrStreamSignature},
        {"general length beyond the file", Replace(good, 28, {0xFF, 0xFF, 0xFF, 0x7F}), kErrStreamRead},
        {"zeroed signature", Replace(good, 0, {0, 0, 0, 0}), kErrStreamSignature},
        {"version 9", Replace(good, 20, {9, 0}), kErrStreamOptions},
        {"openers nested without end", endless, kErrStreamRead},
    };
    for (const Case& test : cases) {
        MakeDefaults();
        WriteWholeFile(path_, test.bytes);
        EXPECT_EQ(test.expected, ReadOptionsFile(path_.c_str())) << test.name;
        ExpectConsistent(test.name);
    }
}

TEST_F(OptionsDamaged, SeededMutationsAnswerACode)
{
    const std::vector<uint8_t> good = GoodFile();
    std::mt19937 random(20261210);
    CrashGuard guard("options-file");
    for (int round = 0; round < 300; ++round) {
        std::vector<uint8_t> bytes = good;
        const int changes = 1 + static_cast<int>(random() % 8);
        for (int change = 0; change < changes; ++change) {
            const size_t at = 8 + random() % (bytes.size() - 8);
            switch (random() % 3) {
            case 0:
                bytes[at] = static_cast<uint8_t>(random());
                break;
            case 1:
                bytes[at] ^= static_cast<uint8_t>(1u << (random() % 8));
                break;
            default:
                bytes.resize(at);
                break;
            }
            if (bytes.size() <= 8)
                break;
        }
        MakeDefaults();
        WriteWholeFile(path_, bytes);
        guard.Reading("round " + std::to_string(round), bytes);
        const ErrorCode code = ReadOptionsFile(path_.c_str());
        EXPECT_TRUE(IsProgramErrorCode(code)) << "round " << round << " answered " << code;
        ExpectConsistent("round " + std::to_string(round));
    }
}

TEST_F(OptionsDamaged, LoadOptionsFallsBackToDefaults)
{
    FreeOptions();
    std::vector<uint8_t> bytes = OptionsStart().bytes();
    bytes.insert(bytes.end(), {0x00, 0x08, 0xFF, 0xFF, 0xFF, 0xFF});
    WriteWholeFile(path_, bytes);
    ASSERT_EQ(kErrNone, LoadOptions(path_.c_str(), nullptr, 120));
    EXPECT_EQ(0x4336, options().flags);
    ExpectConsistent("load");
}

} // namespace
