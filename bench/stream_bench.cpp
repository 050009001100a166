// Record-stream throughput: 100,000 records of mixed sizes written to and
// read back from a file and a memory block, in MB/s each way.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "common/file_helpers.h"
#include "documents/record_stream.h"

namespace {

const int kRecords = 100000;

double Seconds()
{
    static LARGE_INTEGER frequency = {};
    if (!frequency.QuadPart)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Mostly small records, some of a few KB, now and then one of 64 KB.
uint32_t LengthOf(int index)
{
    if (index % 500 == 499)
        return 65536;
    if (index % 20 == 19)
        return 4096 + static_cast<uint32_t>(index % 7) * 512;
    return static_cast<uint32_t>((index * 37) % 200);
}

uint16_t TagOf(int index)
{
    return static_cast<uint16_t>(1 + index % 0x3000);
}

// Writes every record; returns the stream's bytes or 0 on failure.
double WriteRecords(HFILE file, const std::vector<unsigned char>& payload)
{
    double bytes = 26;
    if (WriteStreamStart(file, kDrawingStreamSignature, kDrawingStreamHeader) != kErrNone)
        return 0;
    for (int i = 0; i < kRecords; ++i) {
        const uint32_t length = LengthOf(i);
        if (WriteStreamRecord(file, TagOf(i), length, payload.data()) != kErrNone)
            return 0;
        bytes += 6 + length;
    }
    if (WriteStreamEnd(file) != kErrNone)
        return 0;
    return bytes + 2;
}

bool ReadRecords(HFILE file)
{
    if (ReadStreamStart(file, kDrawingStreamSignature, nullptr) != kErrNone)
        return false;
    for (int i = 0; i < kRecords; ++i) {
        uint16_t tag = 0;
        uint32_t length = 0;
        if (ReadStreamRecord(file, &tag, &length) != kErrNone || tag != TagOf(i) || length != LengthOf(i))
            return false;
    }
    uint16_t tag = 0;
    uint32_t length = 0;
    return ReadStreamRecord(file, &tag, &length) == kErrNone && tag == kStreamEndTag;
}

void Report(const char* what, double bytes, double seconds)
{
    std::printf("%-14s %8.1f MB in %7.3f s  %9.1f MB/s\n", what, bytes / 1e6, seconds, bytes / 1e6 / seconds);
}

int BenchFile(const std::vector<unsigned char>& payload)
{
    char folder[MAX_PATH];
    char path[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "SBN", 0, path);
    HFILE file = OpenFileMode(path, nullptr, OF_READWRITE);
    if (file == HFILE_ERROR)
        return 1;
    // Every operation ends, so the file can go whatever failed.
    bool ended = BeginStreamOperation() == kErrNone;
    double start = Seconds();
    const double bytes = ended ? WriteRecords(file, payload) : 0;
    const double written = Seconds() - start;
    ended = EndStreamOperation() == kErrNone && ended;
    SeekFile(file, 0, FILE_BEGIN);
    ended = BeginStreamOperation() == kErrNone && ended;
    start = Seconds();
    const bool read = ended && ReadRecords(file);
    const double readTime = Seconds() - start;
    ended = EndStreamOperation() == kErrNone && ended;
    CloseFile(file);
    DeleteFileA(path);
    if (bytes == 0 || !read || !ended) {
        std::printf("file stream failed\n");
        return 1;
    }
    Report("file write", bytes, written);
    Report("file read", bytes, readTime);
    return 0;
}

int BenchMemory(const std::vector<unsigned char>& payload)
{
    if (BeginStreamOperation() != kErrNone ||
        OpenStreamMemory(NewStreamMemoryBlock(), kStreamBufferInitialSize) != kErrNone) {
        DiscardError(EndStreamOperation(), "nothing was written yet");
        return 1;
    }
    double start = Seconds();
    const double bytes = WriteRecords(HFILE_ERROR, payload);
    HGLOBAL block = nullptr;
    DWORD size = 0;
    bool ended = FinishStreamMemory(&block, &size) == kErrNone;
    const double written = Seconds() - start;
    ended = EndStreamOperation() == kErrNone && ended;

    ended = BeginStreamOperation() == kErrNone && ended;
    DWORD stated = 0;
    bool read = ReadStreamMemoryPrefix(block, &stated) == kErrNone && OpenStreamMemory(block, stated) == kErrNone;
    start = Seconds();
    read = read && ReadRecords(HFILE_ERROR);
    const double readTime = Seconds() - start;
    ended = EndStreamOperation() == kErrNone && ended;
    GlobalFree(block);
    if (bytes == 0 || !read || !ended) {
        std::printf("memory stream failed\n");
        return 1;
    }
    Report("memory write", bytes, written);
    Report("memory read", bytes, readTime);
    return 0;
}

} // namespace

int main()
{
    std::vector<unsigned char> payload(65536);
    for (size_t i = 0; i < payload.size(); ++i)
        payload[i] = static_cast<unsigned char>(i * 13);
    std::printf("record stream: %d records of 0 B to 64 KB\n", kRecords);
    int failed = BenchFile(payload);
    failed |= BenchMemory(payload);
    return failed;
}
