// Shared helpers of the store tests: a fixture with the store table, scratch
// store files, payload patterns and a plain model of what a store must hold.
#pragma once
#include <windows.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "common/io_seam.h"
#include "store/record_store.h"
#include "store/store_internal.h"

using namespace store_impl;

std::vector<uint8_t> ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes);
LONG FileSizeOf(const std::string& path);

// Payload bytes of a record (after its 16-byte header).
std::vector<uint8_t> PayloadOf(RecordHandle handle);
// Fills the payload with a pattern made from the seed.
void FillPayload(RecordHandle handle, uint32_t seed);
std::vector<uint8_t> PatternBytes(size_t count, uint32_t seed);
RecordHeader HeaderOf(HGLOBAL handle);
// The free map of an open store (a copy of its fixed part and lists).
struct MapImage {
    FreeMapHeader header;
    std::vector<FreeExtent> bySize;
    std::vector<FreeExtent> byOffset;
};
MapImage ReadMap(int store);

// What a store must hold: groups and the payload of each record.
struct StoreModel {
    std::set<short> groups;
    std::map<std::pair<short, short>, std::vector<uint8_t>> records;
};
// Compares the store with the model through the public calls; a non-empty
// result says what differs.
std::string CompareWithModel(int store, const StoreModel& model);
// Reads the whole store into a model.
StoreModel ModelOf(int store);

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // A new store file (shift 6, capacity 200 unless said) and its path.
    std::string MakeStoreFile(const char* leaf, int shift = kStoreShift, int capacity = kDocumentMapCapacity);
    // Makes and opens a store; its path is kept in path_.
    int OpenNewStore(const char* leaf = "store.tst", int shift = kStoreShift, int capacity = kDocumentMapCapacity);
    int Open(const std::string& path, bool readOnly = false);
    // Closes (flushing) and opens the same file again.
public:
    int Reopen(int store);

protected:
    // Makes a record with a patterned payload; returns its handle.
    RecordHandle Make(int store, short group, short id, DWORD size, uint32_t seed);

    std::string path_;
    // Tests that drop stores unwritten (ForgetStore) leave their blocks behind.
    bool expectNoLeaks_ = true;
    size_t tokensAtStart_ = 0;
};
