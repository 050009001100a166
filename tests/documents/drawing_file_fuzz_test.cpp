// Mutated drawing streams: whatever the bytes, a read ends with success or an
// error code, and a successful one leaves a sound store.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "documents/drawing_stream.h"
#include "drawing_file_support.h"
#include "stream_bytes.h"
#include "store/record_store.h"
#include "support/crash_guard.h"
#include "support/mutation.h"
#include "support/test_paths.h"

namespace {

std::vector<uint8_t> Mutate(const std::vector<uint8_t>& stream, const std::vector<StreamRecordAt>& records, Lcg* rng)
{
    std::vector<uint8_t> m = stream;
    const StreamRecordAt& r = records[rng->Below(records.size())];
    const size_t end = r.payload + r.length;
    switch (rng->Below(4)) {
    case 0: {
        const size_t flips = 1 + rng->Below(8);
        for (size_t i = 0; i < flips; ++i)
            m[8 + rng->Below(m.size() - 8)] ^= static_cast<uint8_t>(1u << rng->Below(8));
        break;
    }
    case 1:
        m.resize(8 + rng->Below(m.size() - 8));
        break;
    case 2:
        m.insert(m.begin() + static_cast<long>(end), stream.begin() + static_cast<long>(r.at),
                 stream.begin() + static_cast<long>(end));
        break;
    default:
        m.erase(m.begin() + static_cast<long>(r.at), m.begin() + static_cast<long>(end));
        break;
    }
    return m;
}

} // namespace

TEST(DrawingFileFuzz, MutatedStreamsReadCleanly)
{
    DrawingDocument source;
    ASSERT_TRUE(source.ok());
    BuildEveryKindDrawing(&source);
    const std::vector<uint8_t> stream = source.Write();
    ASSERT_FALSE(stream.empty());
    const std::vector<StreamRecordAt> records = WalkStream(stream);
    Lcg rng(20240611u);
    CrashGuard guard("drawing-stream");
    int successes = 0;
    for (int round = 0; round < 160; ++round) {
        const std::vector<uint8_t> mutant = Mutate(stream, records, &rng);
        guard.Reading("round " + std::to_string(round), mutant);
        DrawingDocument document;
        ASSERT_TRUE(document.ok());
        const ErrorCode code = document.Read(mutant);
        EXPECT_TRUE(IsProgramErrorCode(code)) << "round " << round << " answered " << code;
        if (code != kErrNone) {
            EXPECT_EQ(0, document.Count()) << "round " << round << " failed with " << code << " but left objects";
            continue;
        }
        ++successes;
        EXPECT_EQ(kErrNone, VerifyStore(document.store())) << "round " << round;
        // What was read can be written again.
        ErrorCode written = kErrNone;
        document.Write(&written);
        EXPECT_EQ(kErrNone, written) << "round " << round;
        for (int i = 0; i < document.Count(); ++i)
            EXPECT_EQ(i, document.Object(i).objectId) << "round " << round;
    }
    EXPECT_GT(successes, 0);
}

TEST(DrawingFileFuzz, MutatedFilesReadCleanly)
{
    DrawingDocument source;
    ASSERT_TRUE(source.ok());
    BuildEveryKindDrawing(&source);
    const std::string path = ScratchPath("mutant.tyr");
    ASSERT_EQ(kErrNone, WriteDrawingFile(path.c_str(), nullptr, nullptr, source.view()));
    const std::vector<uint8_t> file = ReadWholeFile(path);
    const size_t kSignature = 8;
    Lcg rng(20261211u);
    CrashGuard guard("drawing-file");
    for (int round = 0; round < 120; ++round) {
        const std::vector<uint8_t> mutant = MutateBytes(file, kSignature, &rng);
        guard.Reading("round " + std::to_string(round), mutant);
        WriteWholeFile(path, mutant);
        DrawingDocument document;
        ASSERT_TRUE(document.ok());
        const ErrorCode code = document.ReadFile(path);
        EXPECT_TRUE(IsProgramErrorCode(code)) << "round " << round << " answered " << code;
        if (code == kErrNone) {
            EXPECT_EQ(kErrNone, VerifyStore(document.store())) << "round " << round;
        }
    }
    DeleteFileA(path.c_str());
}
