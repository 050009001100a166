// Record store figures: for many small records and for fewer large ones, the
// time of each kind of operation and the file's size against its payload.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "store/record_store.h"

namespace {

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

LONG FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return static_cast<LONG>(data.nFileSizeLow);
}

void Fill(RecordHandle handle, DWORD size, uint32_t seed)
{
    uint8_t* bytes = static_cast<uint8_t*>(GlobalLock(handle));
    for (DWORD i = 16; i < size; ++i)
        bytes[i] = static_cast<uint8_t>(seed * 31 + i);
    GlobalUnlock(handle);
}

bool Check(ErrorCode result, const char* what)
{
    if (result)
        std::printf("  %s failed: %d\n", what, result.value);
    return result == 0;
}

void Line(const char* what, double ms, int count)
{
    std::printf("  %-34s %9.1f ms  %8.2f us each\n", what, ms, ms * 1000.0 / count);
}

void Run(const char* title, int count, DWORD size)
{
    std::printf("%s: %d records of %lu bytes\n", title, count, static_cast<unsigned long>(size));
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "tessary_store_bench.tst";
    DeleteFileA(path.c_str());
    if (!Check(CreateStoreFile(path.c_str(), 0, kStoreShift, kDocumentMapCapacity), "create file"))
        return;
    int store = -1;
    int second = 0;
    if (!Check(OpenStoreByName(path.c_str(), &store, 0, &second, FALSE), "open"))
        return;
    const short group = 110;
    Check(CreateGroup(store, group), "create group");
    std::mt19937 random(7);
    std::vector<short> order(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        order[static_cast<size_t>(i)] = static_cast<short>(i);

    double start = Now();
    for (int i = 0; i < count; ++i) {
        RecordHandle handle = nullptr;
        if (!Check(CreateRecord(store, group, static_cast<short>(i), size, &handle), "create"))
            return;
        Fill(handle, size, static_cast<uint32_t>(i));
        if (!Check(SetRecordDirty(handle), "mark"))
            return;
    }
    Line("create", Now() - start, count);

    start = Now();
    Check(FlushStore(store, TRUE), "flush");
    Line("flush with release (all new)", Now() - start, count);

    std::shuffle(order.begin(), order.end(), random);
    start = Now();
    for (short id : order) {
        RecordHandle handle = nullptr;
        if (!Check(FindRecord(store, group, id, &handle), "find"))
            return;
    }
    Line("find, random order, from the file", Now() - start, count);
    start = Now();
    for (short id : order) {
        RecordHandle handle = nullptr;
        if (!Check(FindRecord(store, group, id, &handle), "find"))
            return;
    }
    Line("find, random order, loaded", Now() - start, count);

    start = Now();
    for (short id : order) {
        RecordHandle handle = nullptr;
        if (!Check(FindRecord(store, group, id, &handle), "find"))
            return;
        if (!Check(ResizeRecord(&handle, size + 100), "resize"))
            return;
    }
    Line("resize by 100 bytes", Now() - start, count);

    start = Now();
    Check(FlushStore(store, FALSE), "flush");
    Line("flush (all resized)", Now() - start, count);

    const int changed = std::min(1000, count);
    start = Now();
    Check(BeginCheckpoint(store), "begin");
    for (int i = 0; i < changed; ++i) {
        RecordHandle handle = nullptr;
        if (!Check(FindRecord(store, group, order[static_cast<size_t>(i)], &handle), "find"))
            return;
        if (!Check(MarkRecordChanged(handle), "mark"))
            return;
        Fill(handle, size + 100, 99);
    }
    Line("checkpoint: 1000 records changed", Now() - start, changed);
    start = Now();
    Check(SwapCheckpoint(store, TRUE), "undo");
    Line("checkpoint: undo", Now() - start, changed);
    start = Now();
    Check(SwapCheckpoint(store, TRUE), "redo");
    Line("checkpoint: redo", Now() - start, changed);
    start = Now();
    Check(CommitCheckpoint(store), "commit");
    Line("checkpoint: commit", Now() - start, changed);

    start = Now();
    Check(FlushStore(store, FALSE), "flush");
    Line("flush (after the step)", Now() - start, changed);

    start = Now();
    int deleted = 0;
    for (int i = 0; i < count; i += 2) {
        RecordHandle handle = nullptr;
        if (!Check(FindRecord(store, group, static_cast<short>(i), &handle), "find"))
            return;
        if (!Check(DeleteRecordByHandle(handle), "delete"))
            return;
        GlobalFree(handle);
        ++deleted;
    }
    Line("delete every other record", Now() - start, deleted);
    Check(FlushStore(store, FALSE), "flush");

    const LONG before = FileSize(path);
    start = Now();
    Check(CompactStore(store), "compact");
    Line("compact", Now() - start, count - deleted);
    start = Now();
    Check(VerifyStore(store), "verify");
    Line("verify", Now() - start, count - deleted);
    Check(CloseStore(store), "close");
    const LONG after = FileSize(path);
    const double payload = static_cast<double>(count - deleted) * (size + 100 - 16);
    std::printf("  file before compaction %ld bytes, after %ld bytes; payload %.0f bytes (%.1f%% overhead)\n\n",
                static_cast<long>(before), static_cast<long>(after), payload,
                (static_cast<double>(after) - payload) * 100.0 / payload);
    DeleteFileA(path.c_str());
}

} // namespace

int main()
{
    if (InitRecordStore(kStoreTableSlots)) {
        std::printf("no store table\n");
        return 1;
    }
    Run("Small records", 16000, 356);
    Run("Large records", 2000, 20 * 1024);
    TermRecordStore();
    return 0;
}
