#include "store_test_support.h"

#include <cstring>

#include "support/test_paths.h"

std::vector<uint8_t> ReadWholeFile(const std::string& path)
{
    std::vector<uint8_t> bytes;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    const DWORD size = GetFileSize(file, nullptr);
    bytes.resize(size);
    DWORD got = 0;
    if (size)
        ReadFile(file, bytes.data(), size, &got, nullptr);
    bytes.resize(got);
    CloseHandle(file);
    return bytes;
}

void WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD put = 0;
    if (!bytes.empty())
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr);
    CloseHandle(file);
}

LONG FileSizeOf(const std::string& path) { return static_cast<LONG>(ReadWholeFile(path).size()); }

RecordHeader HeaderOf(HGLOBAL handle)
{
    RecordHeader header = {};
    if (const void* bytes = GlobalLock(handle)) {
        memcpy(&header, bytes, sizeof(header));
        GlobalUnlock(handle);
    }
    return header;
}

std::vector<uint8_t> PayloadOf(RecordHandle handle)
{
    const RecordHeader header = HeaderOf(handle);
    std::vector<uint8_t> bytes;
    if (header.size <= 16)
        return bytes;
    const uint8_t* memory = static_cast<const uint8_t*>(GlobalLock(handle));
    if (!memory)
        return bytes;
    bytes.assign(memory + 16, memory + header.size);
    GlobalUnlock(handle);
    return bytes;
}

std::vector<uint8_t> PatternBytes(size_t count, uint32_t seed)
{
    std::vector<uint8_t> bytes(count);
    uint32_t state = seed * 2654435761u + 12345u;
    for (size_t i = 0; i < count; ++i) {
        state = state * 1103515245u + 12345u;
        bytes[i] = static_cast<uint8_t>(state >> 16);
    }
    return bytes;
}

void FillPayload(RecordHandle handle, uint32_t seed)
{
    const RecordHeader header = HeaderOf(handle);
    if (header.size <= 16)
        return;
    const std::vector<uint8_t> bytes = PatternBytes(header.size - 16, seed);
    uint8_t* memory = static_cast<uint8_t*>(GlobalLock(handle));
    memcpy(memory + 16, bytes.data(), bytes.size());
    GlobalUnlock(handle);
}

MapImage ReadMap(int store)
{
    MapImage image = {};
    uint32_t token = 0;
    if (FetchFreeMap(store, &token))
        return image;
    HGLOBAL block = TokenHandle(token);
    uint8_t* bytes = static_cast<uint8_t*>(GlobalLock(block));
    FreeMapHeader* map = reinterpret_cast<FreeMapHeader*>(bytes);
    image.header = *map;
    image.bySize.assign(BySizeList(map), BySizeList(map) + map->count);
    image.byOffset.assign(ByOffsetList(map), ByOffsetList(map) + map->count);
    GlobalUnlock(block);
    return image;
}

StoreModel ModelOf(int store)
{
    StoreModel model;
    int groups = 0;
    if (CountGroups(store, &groups))
        return model;
    for (int g = 0; g < groups; ++g) {
        short group = 0;
        if (GetGroupIdAt(store, g, &group))
            continue;
        model.groups.insert(group);
        int records = 0;
        if (CountGroupRecords(store, group, &records))
            continue;
        for (int r = 0; r < records; ++r) {
            short id = 0;
            if (GetGroupRecordId(store, group, r, &id))
                continue;
            RecordHandle handle = nullptr;
            if (FindRecord(store, group, id, &handle) == 0)
                model.records[{group, id}] = PayloadOf(handle);
        }
    }
    return model;
}

std::string CompareWithModel(int store, const StoreModel& model)
{
    int groups = 0;
    ErrorCode result = CountGroups(store, &groups);
    if (result)
        return "CountGroups gave " + std::to_string(result.value);
    if (groups != static_cast<int>(model.groups.size()))
        return "group count " + std::to_string(groups) + " instead of " + std::to_string(model.groups.size());
    int position = 0;
    for (short group : model.groups) {
        short found = 0;
        result = GetGroupIdAt(store, position++, &found);
        if (result || found != group)
            return "group " + std::to_string(group) + " missing";
        int records = 0;
        result = CountGroupRecords(store, group, &records);
        if (result)
            return "CountGroupRecords gave " + std::to_string(result.value);
        int expected = 0;
        for (const auto& record : model.records)
            if (record.first.first == group)
                ++expected;
        if (records != expected)
            return "group " + std::to_string(group) + " holds " + std::to_string(records) + " records instead of " +
                   std::to_string(expected);
    }
    for (const auto& record : model.records) {
        RecordHandle handle = nullptr;
        result = FindRecord(store, record.first.first, record.first.second, &handle);
        if (result)
            return "record (" + std::to_string(record.first.first) + "," + std::to_string(record.first.second) +
                   ") lookup gave " + std::to_string(result.value);
        if (PayloadOf(handle) != record.second)
            return "record (" + std::to_string(record.first.first) + "," + std::to_string(record.first.second) +
                   ") holds other bytes (" + std::to_string(PayloadOf(handle).size()) + " instead of " +
                   std::to_string(record.second.size()) + ")";
    }
    return "";
}

void StoreTest::SetUp()
{
    tokensAtStart_ = TokensInUse();
    ASSERT_EQ(0, InitRecordStore(kStoreTableSlots));
}

void StoreTest::TearDown()
{
    SeamDisarm();
    for (int store = 0; store < StoreSlotCount(); ++store)
        if (CheckStoreIndex(store) == 0)
            DiscardError(CloseOrAbandonStore(store), "damaged stores may refuse; the test checked them already");
    TermRecordStore();
    // Every block the store loaded went back when its store closed.
    if (expectNoLeaks_) {
        EXPECT_EQ(tokensAtStart_, TokensInUse());
    }
    // The test's scratch files all start with the name ScratchPath gave them.
    const std::string probe = ScratchPath("");
    const std::string folder = probe.substr(0, probe.find_last_of('\\') + 1);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((probe + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do
        DeleteFileA((folder + found.cFileName).c_str());
    while (FindNextFileA(search, &found));
    FindClose(search);
}

std::string StoreTest::MakeStoreFile(const char* leaf, int shift, int capacity)
{
    const std::string path = ScratchPath(leaf);
    EXPECT_EQ(0, CreateStoreFile(path.c_str(), 0, shift, capacity));
    return path;
}

int StoreTest::OpenNewStore(const char* leaf, int shift, int capacity)
{
    path_ = MakeStoreFile(leaf, shift, capacity);
    return Open(path_);
}

int StoreTest::Open(const std::string& path, bool readOnly)
{
    int store = -1;
    int second = 0;
    EXPECT_EQ(0, OpenStoreByName(path.c_str(), &store, 0, &second, readOnly ? TRUE : FALSE));
    return store;
}

int StoreTest::Reopen(int store)
{
    EXPECT_EQ(0, CloseStore(store));
    return Open(path_);
}

RecordHandle StoreTest::Make(int store, short group, short id, DWORD size, uint32_t seed)
{
    RecordHandle handle = nullptr;
    EXPECT_EQ(0, CreateRecord(store, group, id, size, &handle));
    if (handle) {
        FillPayload(handle, seed);
        EXPECT_EQ(kErrNone, SetRecordDirty(handle));
    }
    return handle;
}
