// The rollback journal of stores the user keeps (opened by name for writing):
// before a byte the store file held at the last commit is overwritten, its old
// value goes to "<store>-journal" and the journal is flushed. A flush of the
// store flushes the file and deletes the journal: that delete is the commit.
// Opening a store whose journal is still there (the writer died or gave up)
// writes the old bytes back first, so the file is the last committed one.
// Stores in a file handed over (a drawing's working store) keep no journal.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "common/file_helpers.h"
#include "common/io_seam.h"
#include "store/store_internal.h"

using namespace store_impl;

namespace {

const char kJournalSuffix[] = "-journal";
const uint32_t kJournalMagic = 0x4C4E4A54; // "TJNL"
const uint32_t kJournalPiece = 32768;      // old bytes one entry holds at most
const uint32_t kChecksumSeed = 2166136261u;
const uint32_t kChecksumPrime = 16777619u;

#pragma pack(push, 1)
struct JournalHeader {
    uint32_t magic;
    int32_t originalLength; // the file's length at the last commit
    uint32_t check;         // originalLength's bits inverted: a torn header shows
};
struct JournalEntryHead {
    int32_t position; // from the start of the file
    uint32_t count;
};
#pragma pack(pop)
static_assert(sizeof(JournalHeader) == 12, "JournalHeader is 12 bytes");
static_assert(sizeof(JournalEntryHead) == 8, "JournalEntryHead is 8 bytes");

// An entry: its head, the old bytes and a checksum of both.
uint8_t entryScratch[sizeof(JournalEntryHead) + kJournalPiece + sizeof(uint32_t)];

struct Journal {
    std::string path; // empty: the store keeps no journal
    HFILE file = HFILE_ERROR; // open while changes since the last commit exist
    LONG originalLength = 0;
    std::vector<std::pair<LONG, LONG>> saved; // [from, to) whose old bytes are in the journal, sorted
};

std::vector<Journal> journals;

Journal& JournalOf(int store)
{
    if (journals.size() <= static_cast<size_t>(store))
        journals.resize(static_cast<size_t>(store) + 1);
    return journals[static_cast<size_t>(store)];
}

std::string JournalPathOf(const char* storePath) { return std::string(storePath) + kJournalSuffix; }

uint32_t Checksum(const uint8_t* bytes, size_t count)
{
    uint32_t sum = kChecksumSeed;
    for (size_t i = 0; i < count; ++i)
        sum = (sum ^ bytes[i]) * kChecksumPrime;
    return sum;
}

bool WriteAll(HFILE file, const void* bytes, UINT count) { return WriteFileBytes(file, bytes, count) == count; }

void ResetJournal(Journal& journal)
{
    if (journal.file != HFILE_ERROR)
        CloseFile(journal.file);
    journal.file = HFILE_ERROR;
    journal.saved.clear();
}

// Starts the journal of the changes since the last commit.
ErrorCode BeginJournal(int store, Journal& journal)
{
    const HFILE file =
        SeamCreateFile(journal.path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_DELETE, CREATE_ALWAYS);
    if (file == HFILE_ERROR)
        return kErrFile;
    journal.originalLength = StoreFileLength(store);
    const JournalHeader header = {kJournalMagic, journal.originalLength,
                                  ~static_cast<uint32_t>(journal.originalLength)};
    if (!WriteAll(file, &header, sizeof(header)) || !SeamFlush(file)) {
        CloseFile(file);
        // A journal without a whole header is ignored at open: no need to insist.
        SeamDeleteFile(journal.path.c_str());
        return kErrFile;
    }
    journal.file = file;
    return kErrNone;
}

// Copies the file's bytes [from, to) into the journal, in pieces.
ErrorCode SaveOldBytes(int store, Journal& journal, LONG from, LONG to)
{
    while (from < to) {
        const uint32_t count = static_cast<uint32_t>(std::min<LONG>(to - from, kJournalPiece));
        const JournalEntryHead head = {from, count};
        memcpy(entryScratch, &head, sizeof(head));
        uint8_t* bytes = entryScratch + sizeof(head);
        ErrorCode result = ReadFileRange(StoreFile(store), from, bytes, count);
        if (result)
            return result;
        const size_t checked = sizeof(head) + count;
        const uint32_t sum = Checksum(entryScratch, checked);
        memcpy(entryScratch + checked, &sum, sizeof(sum));
        if (!WriteAll(journal.file, entryScratch, static_cast<UINT>(checked + sizeof(sum))))
            return kErrFile;
        from += static_cast<LONG>(count);
    }
    return kErrNone;
}

void MarkSaved(Journal& journal, LONG from, LONG to)
{
    auto& saved = journal.saved;
    saved.emplace_back(from, to);
    std::sort(saved.begin(), saved.end());
    std::vector<std::pair<LONG, LONG>> merged;
    for (const auto& range : saved) {
        if (!merged.empty() && range.first <= merged.back().second)
            merged.back().second = std::max(merged.back().second, range.second);
        else
            merged.push_back(range);
    }
    saved.swap(merged);
}

// Writes the journal's old bytes back over the store file and cuts it to its
// committed length. A torn last entry was never followed by a store write.
ErrorCode ReplayEntries(HFILE journal, HFILE store, LONG originalLength)
{
    ErrorCode result = SetFileLength(store, originalLength);
    for (;;) {
        if (result)
            return result;
        JournalEntryHead head;
        UINT got = ReadFileBytes(journal, &head, sizeof(head));
        if (got == static_cast<UINT>(HFILE_ERROR))
            return kErrFile;
        if (got < sizeof(head) || head.count > kJournalPiece || head.position < 0 ||
            static_cast<int64_t>(head.position) + head.count > originalLength)
            break;
        memcpy(entryScratch, &head, sizeof(head));
        uint8_t* bytes = entryScratch + sizeof(head);
        const UINT rest = head.count + sizeof(uint32_t);
        got = ReadFileBytes(journal, bytes, rest);
        if (got == static_cast<UINT>(HFILE_ERROR))
            return kErrFile;
        uint32_t sum = 0;
        if (got == rest)
            memcpy(&sum, bytes + head.count, sizeof(sum));
        if (got < rest || sum != Checksum(entryScratch, sizeof(head) + head.count))
            break;
        if (SeekFile(store, head.position, FILE_BEGIN) == HFILE_ERROR || !WriteAll(store, bytes, head.count))
            result = kErrFile;
    }
    return SeamFlush(store) ? kErrNone : kErrFile;
}

ErrorCode ReplayJournal(HFILE journal, const char* storePath)
{
    JournalHeader header;
    const UINT got = ReadFileBytes(journal, &header, sizeof(header));
    if (got == static_cast<UINT>(HFILE_ERROR))
        return kErrFile;
    // A torn header: the journal was being started and the store not yet touched.
    if (got < sizeof(header) || header.magic != kJournalMagic || header.originalLength < 0 ||
        header.check != ~static_cast<uint32_t>(header.originalLength))
        return kErrNone;
    const HFILE store = SeamCreateFile(storePath, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, OPEN_EXISTING);
    if (store == HFILE_ERROR)
        return kErrFile;
    const ErrorCode result = ReplayEntries(journal, store, header.originalLength);
    CloseFile(store);
    return result;
}

} // namespace

void store_impl::AttachJournal(int store, const char* storePath)
{
    Journal& journal = JournalOf(store);
    ResetJournal(journal);
    journal.path = storePath ? JournalPathOf(storePath) : std::string();
}

void store_impl::DropJournal(int store)
{
    if (store < 0)
        return;
    Journal& journal = JournalOf(store);
    ResetJournal(journal);
    journal.path.clear();
}

ErrorCode store_impl::JournalRanges(int store, const std::vector<FileRange>& ranges)
{
    Journal& journal = JournalOf(store);
    if (journal.path.empty())
        return kErrNone;
    if (journal.file == HFILE_ERROR) {
        ErrorCode result = BeginJournal(store, journal);
        if (result)
            return result;
    }
    bool added = false;
    for (const FileRange& range : ranges) {
        const LONG end = std::min<LONG>(range.position + range.count, journal.originalLength);
        // The parts of the range whose old bytes are not saved yet.
        std::vector<std::pair<LONG, LONG>> gaps;
        LONG from = range.position;
        for (const auto& saved : journal.saved) {
            if (from >= end)
                break;
            if (saved.second <= from)
                continue;
            if (saved.first > from)
                gaps.emplace_back(from, std::min(end, saved.first));
            from = std::max(from, saved.second);
        }
        if (from < end)
            gaps.emplace_back(from, end);
        for (const auto& gap : gaps) {
            ErrorCode result = SaveOldBytes(store, journal, gap.first, gap.second);
            if (result)
                return result;
            MarkSaved(journal, gap.first, gap.second);
            added = true;
        }
    }
    // One flush for all: none of these bytes is overwritten before it.
    if (added && !SeamFlush(journal.file))
        return kErrFile;
    return kErrNone;
}

bool store_impl::KeepsJournal(int store) { return !JournalOf(store).path.empty(); }

ErrorCode store_impl::JournalRange(int store, LONG position, LONG count)
{
    return JournalRanges(store, {FileRange{position, count}});
}

ErrorCode store_impl::CommitJournal(int store)
{
    Journal& journal = JournalOf(store);
    if (journal.file == HFILE_ERROR)
        return kErrNone;
    if (!SeamFlush(StoreFile(store)))
        return kErrFile;
    if (!SeamDeleteFile(journal.path.c_str()))
        return kErrFile;
    ResetJournal(journal);
    return kErrNone;
}

ErrorCode RollBackStoreJournal(const char* storePath)
{
    const std::string path = JournalPathOf(storePath);
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return kErrNone;
    const HFILE journal = SeamCreateFile(path.c_str(), GENERIC_READ, 0, OPEN_EXISTING);
    if (journal == HFILE_ERROR) {
        // A journal its writer still holds is not left over: that store is
        // being changed right now, by this program or another.
        if (GetLastError() == ERROR_SHARING_VIOLATION)
            return kErrNone;
        return kErrFile;
    }
    ErrorCode result = ReplayJournal(journal, storePath);
    CloseFile(journal);
    if (!result && !SeamDeleteFile(path.c_str()))
        result = kErrFile;
    return result;
}

ErrorCode DeleteStoreJournal(const char* storePath)
{
    const std::string path = JournalPathOf(storePath);
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return kErrNone;
    return SeamDeleteFile(path.c_str()) ? kErrNone : kErrFile;
}
