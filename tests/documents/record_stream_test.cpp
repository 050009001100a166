#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "common/file_helpers.h"
#include "common/handle_words.h"
#include "common/io_seam.h"
#include "documents/record_stream.h"
#include "documents/stream_state.h"
#include "stream_bytes.h"
#include "support/test_paths.h"

namespace {

const uint16_t kKnownPlain = 0x0005;
const uint16_t kKnownOpener = 0x8020;
const uint16_t kKnownCloser = 0x4020;

struct Seen {
    uint16_t tag;
    std::vector<uint8_t> payload;
    bool operator==(const Seen& other) const { return tag == other.tag && payload == other.payload; }
};

ErrorCode Handle(HFILE file, uint16_t tag, uint32_t length, void* context, bool* recognised)
{
    auto* seen = static_cast<std::vector<Seen>*>(context);
    if (tag == kKnownPlain) {
        *recognised = true;
        seen->push_back({tag, std::vector<uint8_t>(StreamPayload(), StreamPayload() + length)});
        return kErrNone;
    }
    if (tag == kKnownOpener) {
        *recognised = true;
        seen->push_back({tag, {}});
        ErrorCode code = ReadStreamBlock(file, kKnownCloser, Handle, context);
        seen->push_back({kKnownCloser, {}});
        return code;
    }
    return kErrNone;
}

// Reads a whole drawing stream through the block reader.
ErrorCode ReadDrawingBody(HFILE file, std::vector<Seen>* seen)
{
    ErrorCode code = ReadStreamStart(file, kDrawingStreamSignature, nullptr);
    if (code == kErrNone)
        code = ReadStreamBlock(file, kStreamEndTag, Handle, seen);
    return code;
}

ErrorCode ReadFromMemory(const std::vector<uint8_t>& bytes, size_t statedDataSize, std::vector<Seen>* seen)
{
    HGLOBAL block = MakeMemoryStream(bytes, statedDataSize + 4);
    EXPECT_EQ(kErrNone, BeginStreamOperation());
    ErrorCode code = OpenStreamMemory(block, static_cast<DWORD>(statedDataSize + 4));
    if (code == kErrNone)
        code = ReadDrawingBody(HFILE_ERROR, seen);
    const DWORD position = StreamMemory.position;
    EXPECT_LE(position, statedDataSize + 4) << "read past the stated size";
    EXPECT_EQ(kErrNone, EndStreamOperation());
    GlobalFree(block);
    return code;
}

ErrorCode ReadFromFile(const std::string& path, std::vector<Seen>* seen)
{
    HFILE file = OpenFileMode(path.c_str(), nullptr, OF_READ);
    EXPECT_NE(HFILE_ERROR, file);
    EXPECT_EQ(kErrNone, BeginStreamOperation());
    ErrorCode code = ReadDrawingBody(file, seen);
    EXPECT_EQ(kErrNone, EndStreamOperation());
    CloseFile(file);
    return code;
}

// A stream with every kind of record: plain, empty, nested known and unknown
// blocks, a stray closer, a large payload.
StreamBytes SampleStream()
{
    StreamBytes stream;
    stream.DrawingStart()
        .Record(kKnownPlain, Payload(10, 1))
        .Record(0x0777, Payload(3, 2))               // unknown plain
        .Record(kKnownPlain, {})
        .Record(kKnownOpener, Payload(4, 3))
        .Record(kKnownPlain, Payload(5, 4))
        .Record(0x8123, {})                          // unknown block inside a known one
        .Record(kKnownPlain, Payload(6, 5))
        .Tag(0x4123)
        .Tag(kKnownCloser)
        .Tag(0x4555)                                 // stray closer
        .Record(kKnownPlain, Payload(700, 6))
        .Tag(kStreamEndTag);
    return stream;
}

class RecordStream : public testing::Test {
protected:
    void TearDown() override
    {
        SeamDisarm();
        DiscardError(EndStreamOperation(), "the test checked what it meant to; this only clears what it left open");
    }
};

} // namespace

TEST_F(RecordStream, EmptyDrawingStreamIsTwentyEightBytes)
{
    const uint8_t expected[28] = {'Q', 'U', 'O', 'R', 'V', 'E', 'L', 'X', 0x01, 0x80, 0x0C, 0x00, 0x00, 0x00,
                                  0x02, 0x00, 0x2C, 0x01, 0x01, 0x00, 0x02, 0x00, 0x64, 0x00, 0x58, 0x02,
                                  0x01, 0x40};
    ASSERT_EQ(kErrNone, BeginStreamOperation());
    ASSERT_EQ(kErrNone, OpenStreamMemory(NewStreamMemoryBlock(), kStreamBufferInitialSize));
    ASSERT_EQ(kErrNone, WriteStreamStart(HFILE_ERROR, kDrawingStreamSignature, kDrawingStreamHeader));
    ASSERT_EQ(kErrNone, WriteStreamEnd(HFILE_ERROR));
    HGLOBAL block = nullptr;
    DWORD size = 0;
    ASSERT_EQ(kErrNone, FinishStreamMemory(&block, &size));
    EXPECT_EQ(kErrNone, EndStreamOperation());
    EXPECT_EQ(32u, size);
    std::vector<uint8_t> bytes = BlockBytes(block);
    GlobalFree(block);
    ASSERT_GE(bytes.size(), 32u);
    EXPECT_EQ(32u, ReadLeU32(bytes.data())) << "the prefix counts itself";
    EXPECT_EQ(0, std::memcmp(expected, bytes.data() + 4, sizeof(expected)));

    const std::string path = ScratchPath("empty.tyr");
    HFILE file = OpenFileMode(path.c_str(), nullptr, OF_CREATE | OF_READWRITE);
    ASSERT_NE(HFILE_ERROR, file);
    ASSERT_EQ(kErrNone, BeginStreamOperation());
    ASSERT_EQ(kErrNone, WriteStreamStart(file, kDrawingStreamSignature, kDrawingStreamHeader));
    ASSERT_EQ(kErrNone, WriteStreamEnd(file));
    EXPECT_EQ(kErrNone, EndStreamOperation());
    CloseFile(file);
    EXPECT_EQ(std::vector<uint8_t>(expected, expected + 28), ReadWholeFile(path));
    DeleteFileA(path.c_str());
}

TEST_F(RecordStream, OptionsHeaderDiffersInWordsZeroTwoAndThree)
{
    ASSERT_EQ(kErrNone, BeginStreamOperation());
    ASSERT_EQ(kErrNone, OpenStreamMemory(NewStreamMemoryBlock(), kStreamBufferInitialSize));
    ASSERT_EQ(kErrNone, WriteStreamStart(HFILE_ERROR, kOptionsStreamSignature, kOptionsStreamHeader));
    HGLOBAL block = nullptr;
    DWORD size = 0;
    ASSERT_EQ(kErrNone, FinishStreamMemory(&block, &size));
    std::vector<uint8_t> bytes = BlockBytes(block);
    GlobalFree(block);
    const uint8_t header[18] = {0x01, 0x80, 0x0C, 0, 0, 0, 0x03, 0, 0x2C, 0x01, 0x02, 0, 0x03, 0, 0x64, 0, 0x58, 0x02};
    ASSERT_EQ(30u, size);
    EXPECT_EQ(0, std::memcmp("QRVLOPTI", bytes.data() + 4, 8));
    EXPECT_EQ(0, std::memcmp(header, bytes.data() + 12, sizeof(header)));
}

TEST_F(RecordStream, ReaderKeepsKnownRecordsAndSkipsTheRest)
{
    const std::vector<Seen> expected = {
        {kKnownPlain, Payload(10, 1)}, {kKnownPlain, {}},   {kKnownOpener, {}},
        {kKnownPlain, Payload(5, 4)},  {kKnownCloser, {}},  {kKnownPlain, Payload(700, 6)},
    };
    const std::vector<uint8_t> bytes = SampleStream().bytes();
    std::vector<Seen> fromMemory;
    EXPECT_EQ(kErrNone, ReadFromMemory(bytes, bytes.size(), &fromMemory));
    EXPECT_EQ(expected, fromMemory);

    const std::string path = ScratchPath("sample.tyr");
    WriteWholeFile(path, bytes);
    std::vector<Seen> fromFile;
    EXPECT_EQ(kErrNone, ReadFromFile(path, &fromFile));
    EXPECT_EQ(expected, fromFile);
    DeleteFileA(path.c_str());
}

TEST_F(RecordStream, TruncationAnywhereFailsWithReadError)
{
    const std::vector<uint8_t> bytes = SampleStream().bytes();
    const std::string path = ScratchPath("cut.tyr");
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        // The block holds the whole stream; only the prefix says it ends at
        // the cut, so a reader that looks past it would succeed.
        std::vector<Seen> seen;
        EXPECT_EQ(kErrStreamRead, ReadFromMemory(bytes, cut, &seen)) << "memory cut at " << cut;

        // Files cost more: every cut through the head and the small records,
        // a sample of the large payload.
        if (cut > 140 && cut % 29 != 0)
            continue;
        WriteWholeFile(path, std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(cut)));
        std::vector<Seen> seenInFile;
        EXPECT_EQ(kErrStreamRead, ReadFromFile(path, &seenInFile)) << "file cut at " << cut;
    }
    DeleteFileA(path.c_str());
}

TEST_F(RecordStream, DamagedInputGivesItsCode)
{
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        ErrorCode expected;
    };
    StreamBytes deep;
    deep.DrawingStart();
    for (int i = 0; i < kMaxStreamNesting + 5; ++i)
        deep.Record(kKnownOpener, {});
    const int16_t noUnits[6] = {2, 300, 1, 2, 100, 0};
    const Case cases[] = {
        {"nothing", {}, kErrStreamRead},
        {"half a signature", StreamBytes().Raw("QUOR").bytes(), kErrStreamRead},
        {"wrong signature", StreamBytes().Raw("QUORVELY").U16(0x8001).U32(12).bytes(), kErrStreamSignature},
        {"no header record", StreamBytes().Raw("QUORVELX").Record(0x0005, Payload(12, 0)).bytes(),
         kErrStreamSignature},
        {"short header record", StreamBytes().Raw("QUORVELX").Record(0x8001, Payload(4, 0)).bytes(),
         kErrStreamSignature},
        {"closer for a header", StreamBytes().Raw("QUORVELX").Tag(0x4001).bytes(), kErrStreamSignature},
        {"no units per inch", StreamBytes().Start("QUORVELX", noUnits).Tag(0x4001).bytes(), kErrStreamSignature},
        {"length beyond the data", StreamBytes().DrawingStart().U16(0x0005).U32(0xFFFFFFF0u).bytes(),
         kErrStreamRead},
        {"unknown block never closed", StreamBytes().DrawingStart().Record(0x8300, {}).Tag(0x4001).bytes(),
         kErrStreamRead},
        {"no end record", StreamBytes().DrawingStart().Record(0x0005, Payload(3, 0)).bytes(), kErrStreamRead},
        {"openers nested without end", deep.bytes(), kErrStreamRead},
        {"lower-case signature is read", StreamBytes().Raw("quorvelx").U16(0x8001).U32(12).U16(2).U16(300).U16(1)
                                              .U16(2).U16(100).U16(600).Tag(0x4001).bytes(),
         kErrNone},
    };
    for (const Case& c : cases) {
        std::vector<Seen> seen;
        EXPECT_EQ(c.expected, ReadFromMemory(c.bytes, c.bytes.size(), &seen)) << c.name;
    }
}

TEST_F(RecordStream, MutatedStreamsNeverReadOutsideTheirData)
{
    const std::vector<uint8_t> original = SampleStream().bytes();
    uint32_t state = 12345;
    auto next = [&state]() {
        state = state * 1103515245u + 12345u;
        return state >> 8;
    };
    int failures = 0;
    for (int round = 0; round < 3000; ++round) {
        std::vector<uint8_t> bytes = original;
        const int edits = 1 + static_cast<int>(next() % 4);
        for (int e = 0; e < edits; ++e) {
            const size_t at = next() % bytes.size();
            switch (next() % 4) {
            case 0: bytes[at] = static_cast<uint8_t>(next()); break;
            case 1: bytes[at] ^= static_cast<uint8_t>(1u << (next() % 8)); break;
            case 2: bytes.insert(bytes.begin() + static_cast<long>(at), static_cast<uint8_t>(next())); break;
            default: bytes.resize(at + 1); break;
            }
        }
        std::vector<Seen> seen;
        const ErrorCode code = ReadFromMemory(bytes, bytes.size(), &seen);
        EXPECT_TRUE(code == kErrNone || code == kErrStreamRead || code == kErrStreamSignature)
            << "round " << round << " gave " << code;
        failures += code != kErrNone;
    }
    EXPECT_GT(failures, 0);
}

TEST_F(RecordStream, BufferGrowsToTheLargestRecordOnly)
{
    const std::vector<uint8_t> big = Payload(100000, 9);
    const std::vector<uint8_t> bytes =
        StreamBytes().Record(0x0005, big).Record(0x0006, Payload(10, 1)).Record(0x0007, {}).bytes();
    HGLOBAL block = MakeMemoryStream(bytes, bytes.size() + 4);
    ASSERT_EQ(kErrNone, BeginStreamOperation());
    EXPECT_EQ(kStreamBufferInitialSize, StreamBufferSize());
    ASSERT_EQ(kErrNone, OpenStreamMemory(block, static_cast<DWORD>(bytes.size() + 4)));
    uint16_t tag = 0;
    uint32_t length = 0;
    ASSERT_EQ(kErrNone, ReadStreamRecord(HFILE_ERROR, &tag, &length));
    EXPECT_EQ(100000u, length);
    EXPECT_EQ(100000u, StreamBufferSize());
    EXPECT_EQ(0, std::memcmp(big.data(), StreamPayload(), big.size()));
    ASSERT_EQ(kErrNone, ReadStreamRecord(HFILE_ERROR, &tag, &length));
    EXPECT_EQ(0x0006, tag);
    EXPECT_EQ(10u, length);
    EXPECT_EQ(100000u, StreamBufferSize()) << "never shrinks";
    const std::vector<uint8_t> before(StreamPayload(), StreamPayload() + 10);
    ASSERT_EQ(kErrNone, ReadStreamRecord(HFILE_ERROR, &tag, &length));
    EXPECT_EQ(0u, length);
    EXPECT_EQ(before, std::vector<uint8_t>(StreamPayload(), StreamPayload() + 10)) << "an empty record leaves it";
    EXPECT_EQ(kErrNone, EndStreamOperation());
    GlobalFree(block);
}

TEST_F(RecordStream, FailedGrowthLeavesTheBuffer)
{
    const std::vector<uint8_t> bytes = StreamBytes().Record(0x0005, Payload(70000, 1)).bytes();
    HGLOBAL block = MakeMemoryStream(bytes, bytes.size() + 4);
    ASSERT_EQ(kErrNone, BeginStreamOperation());
    ASSERT_EQ(kErrNone, OpenStreamMemory(block, static_cast<DWORD>(bytes.size() + 4)));
    SeamArmFault(kSeamAlloc, 1, false);
    uint16_t tag = 0;
    uint32_t length = 0;
    EXPECT_EQ(kErrNoMemory, ReadStreamRecord(HFILE_ERROR, &tag, &length));
    EXPECT_EQ(kStreamBufferInitialSize, StreamBufferSize());
    EXPECT_NE(nullptr, StreamPayload());
    EXPECT_EQ(kErrNone, EndStreamOperation());
    GlobalFree(block);
}

TEST_F(RecordStream, MemoryPrefixBeyondTheBlockIsRefused)
{
    const std::vector<uint8_t> bytes = StreamBytes().DrawingStart().Tag(kStreamEndTag).bytes();
    struct Case {
        const char* name;
        size_t stated;
        ErrorCode expected;
    };
    HGLOBAL probe = MakeMemoryStream(bytes, 0);
    const size_t real = GlobalSize(probe);
    GlobalFree(probe);
    const Case cases[] = {
        {"exact", bytes.size() + 4, kErrNone},
        {"the whole block", real, kErrNone},
        {"one byte more than the block", real + 1, kErrStreamRead},
        {"huge", 0x7FFFFFF0u, kErrStreamRead},
        {"less than the prefix itself", 3, kErrStreamRead},
    };
    for (const Case& c : cases) {
        HGLOBAL block = MakeMemoryStream(bytes, c.stated);
        DWORD size = 0;
        EXPECT_EQ(c.expected, ReadStreamMemoryPrefix(block, &size)) << c.name;
        if (c.expected == kErrNone) {
            EXPECT_EQ(c.stated, size);
        }
        ASSERT_EQ(kErrNone, BeginStreamOperation());
        const ErrorCode opened = OpenStreamMemory(block, static_cast<DWORD>(c.stated));
        if (c.stated > GlobalSize(block)) {
            EXPECT_EQ(kErrStreamRead, opened) << c.name;
        }
        EXPECT_EQ(kErrNone, EndStreamOperation());
        GlobalFree(block);
    }
}

TEST_F(RecordStream, MemoryTargetGrowsInStepsAndShrinksToItsSize)
{
    ASSERT_EQ(kErrNone, BeginStreamOperation());
    ASSERT_EQ(kErrNone, OpenStreamMemory(NewStreamMemoryBlock(), kStreamBufferInitialSize));
    ASSERT_EQ(kErrNone, WriteStreamStart(HFILE_ERROR, kDrawingStreamSignature, kDrawingStreamHeader));
    const std::vector<uint8_t> piece = Payload(30000, 3);
    SeamArmFault(kSeamAlloc, LONG_MAX, false);
    for (int i = 0; i < 5; ++i)
        ASSERT_EQ(kErrNone, WriteStreamRecord(HFILE_ERROR, 0x0005, static_cast<uint32_t>(piece.size()), piece.data()));
    EXPECT_EQ(0x30000u, StreamMemory.size) << "three 64 KiB blocks hold 150 KB";
    EXPECT_EQ(2, SeamCallsCounted()) << "two growth steps";
    SeamDisarm();
    ASSERT_EQ(kErrNone, WriteStreamEnd(HFILE_ERROR));
    HGLOBAL block = nullptr;
    DWORD size = 0;
    ASSERT_EQ(kErrNone, FinishStreamMemory(&block, &size));
    const DWORD expected = 4 + 26 + 5 * (6 + 30000) + 2;
    EXPECT_EQ(expected, size);
    EXPECT_LT(GlobalSize(block), static_cast<SIZE_T>(expected) + 64);
    std::vector<uint8_t> bytes = BlockBytes(block);
    EXPECT_EQ(expected, ReadLeU32(bytes.data()));
    GlobalFree(block);
}

TEST_F(RecordStream, MemoryTargetThatCannotGrowFailsTheWrite)
{
    ASSERT_EQ(kErrNone, BeginStreamOperation());
    ASSERT_EQ(kErrNone, OpenStreamMemory(NewStreamMemoryBlock(), kStreamBufferInitialSize));
    const std::vector<uint8_t> piece = Payload(40000, 3);
    ASSERT_EQ(kErrNone, WriteStreamRecord(HFILE_ERROR, 0x0005, 40000, piece.data()));
    SeamArmFault(kSeamAlloc, 1, true);
    EXPECT_EQ(kErrStreamWrite, WriteStreamRecord(HFILE_ERROR, 0x0005, 40000, piece.data()));
    SeamDisarm();
    HGLOBAL block = nullptr;
    DWORD size = 0;
    DiscardError(FinishStreamMemory(&block, &size), "only frees what the refused write left");
    GlobalFree(block);
}

TEST_F(RecordStream, FileWriteFailureIsReported)
{
    const std::string path = ScratchPath("full.tyr");
    HFILE file = OpenFileMode(path.c_str(), nullptr, OF_CREATE | OF_READWRITE);
    ASSERT_NE(HFILE_ERROR, file);
    ASSERT_EQ(kErrNone, BeginStreamOperation());
    ASSERT_EQ(kErrNone, WriteStreamStart(file, kDrawingStreamSignature, kDrawingStreamHeader));
    SeamArmFault(kSeamWrite, 1, true);
    EXPECT_EQ(kErrStreamWrite, WriteStreamEnd(file));
    SeamDisarm();
    DiscardError(EndStreamOperation(), "the refused end was the check");
    CloseFile(file);
    DeleteFileA(path.c_str());
}

TEST_F(RecordStream, FileReadsAndWritesGoThroughBuffers)
{
    // About 10 MB of records from 0 to 200 KB.
    const std::string path = ScratchPath("large.tyr");
    HFILE file = OpenFileMode(path.c_str(), nullptr, OF_CREATE | OF_READWRITE);
    ASSERT_NE(HFILE_ERROR, file);
    std::vector<uint32_t> lengths;
    uint64_t total = 0;
    for (uint32_t i = 0; total < 10u * 1024 * 1024; ++i) {
        const uint32_t length = (i % 50 == 49) ? 200000u : (i * 37u) % 3000u;
        lengths.push_back(length);
        total += length + 6;
    }
    const std::vector<uint8_t> payload = Payload(200000, 5);
    ASSERT_EQ(kErrNone, BeginStreamOperation());
    SeamArmFault(kSeamWrite, LONG_MAX, false);
    ASSERT_EQ(kErrNone, WriteStreamStart(file, kDrawingStreamSignature, kDrawingStreamHeader));
    for (uint32_t length : lengths)
        ASSERT_EQ(kErrNone, WriteStreamRecord(file, 0x0005, length, payload.data()));
    ASSERT_EQ(kErrNone, WriteStreamEnd(file));
    EXPECT_LT(SeamCallsCounted(), 400) << "writes";
    SeamDisarm();
    EXPECT_EQ(kErrNone, EndStreamOperation());

    ASSERT_NE(HFILE_ERROR, SeekFile(file, 0, FILE_BEGIN));
    ASSERT_EQ(kErrNone, BeginStreamOperation());
    SeamArmFault(kSeamRead, LONG_MAX, false);
    ASSERT_EQ(kErrNone, ReadStreamStart(file, kDrawingStreamSignature, nullptr));
    for (uint32_t expected : lengths) {
        uint16_t tag = 0;
        uint32_t length = 0;
        ASSERT_EQ(kErrNone, ReadStreamRecord(file, &tag, &length));
        ASSERT_EQ(expected, length);
        if (length > 0) {
            ASSERT_EQ(0, std::memcmp(payload.data(), StreamPayload(), length));
        }
    }
    uint16_t tag = 0;
    uint32_t length = 0;
    ASSERT_EQ(kErrNone, ReadStreamRecord(file, &tag, &length));
    EXPECT_EQ(kStreamEndTag, tag);
    EXPECT_LT(SeamCallsCounted(), 400) << "reads";
    SeamDisarm();
    EXPECT_EQ(kErrNone, EndStreamOperation());
    CloseFile(file);
    DeleteFileA(path.c_str());
}

TEST_F(RecordStream, EndingAReadLeavesTheFileWhereTheStreamStopped)
{
    const std::vector<uint8_t> bytes = SampleStream().bytes();
    const std::string path = ScratchPath("position.tyr");
    WriteWholeFile(path, bytes);
    HFILE file = OpenFileMode(path.c_str(), nullptr, OF_READ);
    ASSERT_EQ(kErrNone, BeginStreamOperation());
    ASSERT_EQ(kErrNone, ReadStreamStart(file, kDrawingStreamSignature, nullptr));
    EXPECT_EQ(kErrNone, EndStreamOperation());
    EXPECT_EQ(26, SeekFile(file, 0, FILE_CURRENT));
    CloseFile(file);
    DeleteFileA(path.c_str());
}

TEST_F(RecordStream, HeaderGivesTheStreamsUnits)
{
    const int16_t words[6] = {2, 300, 1, 2, 77, 1200};
    const std::vector<uint8_t> bytes = StreamBytes().Start("QUORVELX", words).Tag(kStreamEndTag).bytes();
    HGLOBAL block = MakeMemoryStream(bytes, bytes.size() + 4);
    ASSERT_EQ(kErrNone, BeginStreamOperation());
    ASSERT_EQ(kErrNone, OpenStreamMemory(block, static_cast<DWORD>(bytes.size() + 4)));
    StreamHeader header = {};
    ASSERT_EQ(kErrNone, ReadStreamStart(HFILE_ERROR, kDrawingStreamSignature, &header));
    EXPECT_EQ(1200, StreamUnitsPerInch);
    EXPECT_EQ(77, StreamHeaderWord4);
    EXPECT_EQ(2, header.version);
    EXPECT_EQ(kErrNone, EndStreamOperation());
    GlobalFree(block);
}

TEST(StreamUnits, ScaleToDrawingUnits)
{
    struct Case {
        int32_t value;
        int from;
        int to;
        int32_t expected;
    };
    const Case cases[] = {
        {3, 1200, 600, 1},        {-3, 1200, 600, -1},      {1201, 1200, 600, 600},
        {600, 600, 600, 600},     {5, 300, 600, 10},        {-7, 600, 600, -7},
        {100, 600 + 65536, 600, 100},  // units are 16-bit
        {100, 0, 600, 100},       {2000000000, 100, 600, INT32_MAX},
        {-2000000000, 100, 600, INT32_MIN}, {1000, 254, 600, 2362},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, ScaleToDrawingUnits(c.value, c.from, c.to)) << c.value << " " << c.from << "->" << c.to;
}

TEST_F(RecordStream, LargeMemoryTargetGrowsByHalfItsSize)
{
    ASSERT_EQ(kErrNone, BeginStreamOperation());
    ASSERT_EQ(kErrNone, OpenStreamMemory(NewStreamMemoryBlock(), kStreamBufferInitialSize));
    const std::vector<uint8_t> piece = Payload(32000, 3);
    SeamArmFault(kSeamAlloc, LONG_MAX, false);
    for (int i = 0; i < 320; ++i)  // about 10 MB
        ASSERT_EQ(kErrNone, WriteStreamRecord(HFILE_ERROR, 0x0005, static_cast<uint32_t>(piece.size()), piece.data()));
    EXPECT_LT(SeamCallsCounted(), 16) << "reallocations";
    EXPECT_EQ(0u, StreamMemory.size % 0x10000) << "whole 64 KiB steps";
    SeamDisarm();
    HGLOBAL block = nullptr;
    DWORD size = 0;
    ASSERT_EQ(kErrNone, FinishStreamMemory(&block, &size));
    EXPECT_EQ(4u + 320u * 32006u, size);
    GlobalFree(block);
}
