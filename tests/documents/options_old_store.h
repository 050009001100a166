// Earlier-version record stores built by hand from the record layouts of the
// earlier versions, for the conversion tests.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// A payload of a fixed size with little-endian fields.
class OldRecordBytes {
public:
    explicit OldRecordBytes(size_t size) : bytes(size, 0) {}
    OldRecordBytes& I16(size_t offset, int value);
    OldRecordBytes& I32(size_t offset, uint32_t value);
    OldRecordBytes& Double(size_t offset, double value);
    OldRecordBytes& Text(size_t offset, const std::string& text);
    std::vector<uint8_t> bytes;
};

// A new store file at `path`, open in a slot, with records added.
class OldStore {
public:
    explicit OldStore(const std::string& path);
    ~OldStore();
    void Put(short group, short id, const std::vector<uint8_t>& payload);
    // The record's size (header included) and payload, or an empty payload when missing.
    DWORD SizeOf(short group, short id);
    std::vector<uint8_t> PayloadOf(short group, short id);
    void Close();
    int slot = -1;

private:
    std::vector<short> groups_;
};
