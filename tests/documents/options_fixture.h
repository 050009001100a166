// Shared set-up of the options tests: the options made from their defaults
// and freed afterwards, and helpers for payload bytes.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "objects/app_options.h"
#include "stream_bytes.h"

class OptionsTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Fresh defaults with nothing read from any file.
    void MakeDefaults();
    void FreeOptions();
    OptionsRecord& options() { return *Options(); }
    // A snapshot of the whole record with its own handle cleared.
    std::vector<uint8_t> Snapshot() const;
    // The styles block: count, current and the styles.
    std::vector<uint8_t> StylesSnapshot() const;
    std::string path_;
};

// Little-endian payload building.
class OptionsPayloadBytes {
public:
    OptionsPayloadBytes& I16(int value);
    OptionsPayloadBytes& U32(uint32_t value);
    OptionsPayloadBytes& Double(double value);
    OptionsPayloadBytes& Text(const std::string& text);  // with its NUL
    OptionsPayloadBytes& Zeros(size_t count);
    std::vector<uint8_t> bytes;
};

// Signature and header words of an options file.
StreamBytes OptionsStart(int generation = 3, int version = 3, const char* signature = "QRVLOPTI");
