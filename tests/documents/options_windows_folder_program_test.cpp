// The candidate options files of the Windows folder. The program started by
// other tests reads and writes the same files, so these tests hold the
// desktop lock with them.
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/handle_words.h"
#include "objects/app_options.h"
#include "documents/options_file.h"
#include "store/record_store.h"

namespace {

const char* const kNames[4] = {"TESSRY3.OPT", "TESSRY95.OPT", "TESSR200.OPT", "TESSARY.OPT"};

std::vector<uint8_t> ReadBytes(const std::string& path)
{
    std::vector<uint8_t> bytes;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    bytes.resize(GetFileSize(file, nullptr));
    DWORD got = 0;
    if (!bytes.empty())
        ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(file);
    return bytes;
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    if (!bytes.empty())
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

// An options stream: header words 0 and 3, optionally a general record with
// the flag word, and the end record.
std::vector<uint8_t> OptionsStream(int generation, int version, int flags)
{
    std::vector<uint8_t> bytes(8 + 18, 0);
    std::memcpy(bytes.data(), "QRVLOPTI", 8);
    WriteLeU16(&bytes[8], 0x8001);
    WriteLeU32(&bytes[10], 12);
    const int16_t words[6] = {static_cast<int16_t>(generation), 300, 2, static_cast<int16_t>(version), 100, 600};
    for (int index = 0; index < 6; ++index)
        WriteLeI16(&bytes[14 + 2 * index], words[index]);
    if (flags >= 0) {
        std::vector<uint8_t> general(6 + 40, 0);
        WriteLeU16(&general[0], 0x0800);
        WriteLeU32(&general[2], 40);
        WriteLeU16(&general[6 + 2], static_cast<uint16_t>(flags));
        bytes.insert(bytes.end(), general.begin(), general.end());
    }
    bytes.push_back(0x01);
    bytes.push_back(0x40);
    return bytes;
}

// An earlier-version options store whose options record holds `flags` and
// an inch ruler.
void WriteOldStore(const std::string& path, int flags)
{
    DeleteFileA(path.c_str());
    ASSERT_EQ(kErrNone, CreateStoreFile(path.c_str(), 0, kStoreShift, kDocumentMapCapacity));
    int store = -1, secondWord = 0;
    ASSERT_EQ(kErrNone, OpenStoreByName(path.c_str(), &store, 0, &secondWord, FALSE));
    ASSERT_EQ(kErrNone, CreateGroup(store, 51));
    RecordHandle record = nullptr;
    ASSERT_EQ(kErrNone, CreateRecord(store, 51, 100, 16 + 4122, &record));
    auto* payload = static_cast<uint8_t*>(GlobalLock(record)) + 16;
    const double major = 100.0;
    std::memcpy(payload + 8, &major, 8);
    WriteLeU16(payload + 20, static_cast<uint16_t>(flags));
    GlobalUnlock(record);
    ASSERT_EQ(kErrNone, SetRecordDirty(record));
    ReleaseRecord(record);
    ASSERT_EQ(kErrNone, CloseStore(store));
}

class WindowsFolderOptions : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(kErrNone, InitRecordStore(kStoreTableSlots));
        char folder[MAX_PATH];
        GetWindowsDirectoryA(folder, MAX_PATH);
        windows_ = std::string(folder) + "\\";
        for (const char* name : kNames)
            saved_.push_back(ReadBytes(windows_ + name));
        RemoveCandidates();
    }
    void TearDown() override
    {
        FreeOptions();
        RemoveCandidates();
        // Whatever the program had is put back.
        for (size_t index = 0; index < saved_.size(); ++index) {
            if (!saved_[index].empty())
                WriteBytes(windows_ + kNames[index], saved_[index]);
        }
        TermRecordStore();
    }
    void RemoveCandidates()
    {
        for (const char* name : kNames)
            DeleteFileA((windows_ + name).c_str());
    }
    void FreeOptions()
    {
        if (OptionsPathAtom)
            GlobalDeleteAtom(OptionsPathAtom);
        OptionsPathAtom = 0;
        SaveAndFreeOptions();
    }
    int Flags() const { return Options()->flags; }
    std::string windows_;
    std::vector<std::vector<uint8_t>> saved_;
};

TEST_F(WindowsFolderOptions, RefusedCurrentFileFallsBackToThePreviousOne)
{
    WriteBytes(windows_ + "TESSRY3.OPT", OptionsStream(3, 4, 0x0001));
    WriteBytes(windows_ + "TESSRY95.OPT", OptionsStream(2, 3, 0x0011));
    ASSERT_EQ(kErrNone, LoadOptions(nullptr, nullptr, 120));
    EXPECT_EQ(0x0211, Flags());
    char path[MAX_PATH] = {};
    GlobalGetAtomNameA(OptionsPathAtom, path, MAX_PATH);
    EXPECT_EQ(windows_ + "TESSRY3.OPT", path);
}

TEST_F(WindowsFolderOptions, NoFilesGiveDefaultsAndExitWritesTheCurrentFile)
{
    ASSERT_EQ(kErrNone, LoadOptions(nullptr, nullptr, 120));
    EXPECT_EQ(0x4336, Flags());
    SaveAndFreeOptions();
    const std::vector<uint8_t> written = ReadBytes(windows_ + "TESSRY3.OPT");
    ASSERT_GE(written.size(), 8u);
    EXPECT_EQ("QRVLOPTI", std::string(written.begin(), written.begin() + 8));
}

TEST_F(WindowsFolderOptions, EarlierStoresAreTriedInTurn)
{
    struct Case {
        const char* name;
        const char* file;
        bool current;
        int flags;
    };
    const Case cases[] = {
        {"first earlier file", "TESSR200.OPT", false, 0x0205},
        {"second earlier file", "TESSARY.OPT", false, 0x0205},
        {"a readable current file wins", "TESSR200.OPT", true, 0x4336},
    };
    for (const Case& test : cases) {
        RemoveCandidates();
        WriteOldStore(windows_ + test.file, 0x0005);
        if (test.current)
            WriteBytes(windows_ + "TESSRY3.OPT", OptionsStream(3, 3, -1));
        ASSERT_EQ(kErrNone, LoadOptions(nullptr, nullptr, 120)) << test.name;
        EXPECT_EQ(test.flags, Flags()) << test.name;
        FreeOptions();
    }
}

} // namespace
