#include "options_old_store.h"

#include <algorithm>
#include <cstring>

#include <gtest/gtest.h>

#include "common/handle_words.h"
#include "store/record_store.h"

OldRecordBytes& OldRecordBytes::I16(size_t offset, int value)
{
    WriteLeU16(&bytes.at(offset + 1) - 1, static_cast<uint16_t>(value));
    return *this;
}

OldRecordBytes& OldRecordBytes::I32(size_t offset, uint32_t value)
{
    WriteLeU32(&bytes.at(offset + 3) - 3, value);
    return *this;
}

OldRecordBytes& OldRecordBytes::Double(size_t offset, double value)
{
    std::memcpy(&bytes.at(offset + 7) - 7, &value, 8);
    return *this;
}

OldRecordBytes& OldRecordBytes::Text(size_t offset, const std::string& text)
{
    std::memcpy(&bytes.at(offset + text.size()) - text.size(), text.c_str(), text.size() + 1);
    return *this;
}

OldStore::OldStore(const std::string& path)
{
    DeleteFileA(path.c_str());
    EXPECT_EQ(kErrNone, CreateStoreFile(path.c_str(), 0, kStoreShift, kDocumentMapCapacity));
    int secondWord = 0;
    EXPECT_EQ(kErrNone, OpenStoreByName(path.c_str(), &slot, 0, &secondWord, FALSE));
}

OldStore::~OldStore() { Close(); }

void OldStore::Close()
{
    if (slot >= 0)
        DiscardError(CloseOrAbandonStore(slot), "a test that needs a clean close checks it itself");
    slot = -1;
}

void OldStore::Put(short group, short id, const std::vector<uint8_t>& payload)
{
    if (std::find(groups_.begin(), groups_.end(), group) == groups_.end()) {
        ASSERT_EQ(kErrNone, CreateGroup(slot, group));
        groups_.push_back(group);
    }
    RecordHandle record = nullptr;
    ASSERT_EQ(kErrNone, CreateRecord(slot, group, id, static_cast<DWORD>(16 + payload.size()), &record));
    if (!payload.empty())
        std::memcpy(static_cast<uint8_t*>(GlobalLock(record)) + 16, payload.data(), payload.size());
    GlobalUnlock(record);
    ASSERT_EQ(kErrNone, SetRecordDirty(record));
    ReleaseRecord(record);
}

DWORD OldStore::SizeOf(short group, short id)
{
    RecordHandle record = nullptr;
    if (FindRecord(slot, group, id, &record) != kErrNone)
        return 0;
    const DWORD size = QueryRecordSize(record);
    ReleaseRecord(record);
    return size;
}

std::vector<uint8_t> OldStore::PayloadOf(short group, short id)
{
    RecordHandle record = nullptr;
    if (FindRecord(slot, group, id, &record) != kErrNone)
        return {};
    const DWORD size = QueryRecordSize(record);
    const auto* bytes = static_cast<const uint8_t*>(GlobalLock(record));
    std::vector<uint8_t> payload(bytes + 16, bytes + size);
    GlobalUnlock(record);
    ReleaseRecord(record);
    return payload;
}
