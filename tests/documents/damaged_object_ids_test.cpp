// Object blocks whose records leave an object's text or outline without an id:
// the reader keeps what has an id, drops what has none, and the working store
// stays sound.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "common/handle_words.h"
#include "documents/drawing_stream_tags.h"
#include "documents/record_stream.h"
#include "drawing_file_support.h"
#include "objects/drawing_layout.h"
#include "store/record_store.h"

namespace {

using Bytes = std::vector<uint8_t>;

const int kMostObjects = 64;
const uint32_t kTextFrameIdOffset = 56;

Bytes RecordBytes(const Bytes& stream, const StreamRecordAt& record)
{
    return Bytes(stream.begin() + static_cast<long>(record.at),
                 stream.begin() + static_cast<long>(record.payload + record.length));
}

// The records from the opener `tag` to its closer, as bytes.
Bytes BlockBytes(const Bytes& stream, const std::vector<StreamRecordAt>& records, uint16_t tag)
{
    size_t from = 0;
    while (from < records.size() && records[from].tag != tag)
        ++from;
    size_t to = from;
    while (to < records.size() && records[to].tag != CloserOf(tag))
        ++to;
    if (to >= records.size())
        return {};
    return Bytes(stream.begin() + static_cast<long>(records[from].at),
                 stream.begin() + static_cast<long>(records[to].payload + records[to].length));
}

// The position in the stream of the first object block holding `tag`.
int BlockHolding(const Bytes& stream, uint16_t tag)
{
    for (int n = 0; n < kMostObjects; ++n)
        for (const StreamRecordAt& record : ObjectRecords(stream, n))
            if (record.tag == tag)
                return n;
    return -1;
}

// `extra` put just before the closer of the n-th object.
Bytes InsertBeforeCloser(const Bytes& stream, int n, const Bytes& extra)
{
    const std::vector<StreamRecordAt> records = ObjectRecords(stream, n);
    Bytes mutant = stream;
    mutant.insert(mutant.begin() + static_cast<long>(records.back().at), extra.begin(), extra.end());
    return mutant;
}

class DamagedObjectIds : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(source_.ok());
        BuildEveryKindDrawing(&source_);
        stream_ = source_.Write();
        ASSERT_FALSE(stream_.empty());
    }

    // Reads the mutant, which must be taken, and checks the store and that the
    // drawing writes and reads again with `texts` texts.
    void ReadSoundly(const Bytes& mutant, DrawingDocument* document, int texts)
    {
        ASSERT_EQ(kErrNone, document->Read(mutant));
        EXPECT_EQ(kErrNone, VerifyStore(document->store()));
        EXPECT_EQ(texts, document->RecordCount(kTextGroup));
        ErrorCode written = kErrNone;
        const Bytes again = document->Write(&written);
        ASSERT_EQ(kErrNone, written);
        DrawingDocument back;
        ASSERT_EQ(kErrNone, back.Read(again));
        EXPECT_EQ(texts, back.RecordCount(kTextGroup)) << "saved again, no text is lost";
        EXPECT_EQ(kErrNone, VerifyStore(back.store()));
    }

    DrawingDocument source_;
    Bytes stream_;
};

} // namespace

TEST_F(DamagedObjectIds, TextFrameWithoutIdAfterTheTextKeepsTheText)
{
    const int texted = BlockHolding(stream_, kTagTextStreamBlock);
    ASSERT_GE(texted, 0);
    const std::vector<StreamRecordAt> records = ObjectRecords(stream_, texted);
    Bytes frame;
    size_t header = 0;
    for (const StreamRecordAt& record : records)
        if (record.tag == kTagTextFrame) {
            frame = RecordBytes(stream_, record);
            header = record.payload - record.at;
        }
    ASSERT_FALSE(frame.empty());
    WriteLeI16(&frame[header + kTextFrameIdOffset], -1);
    DrawingDocument document;
    ReadSoundly(InsertBeforeCloser(stream_, texted, frame), &document, source_.RecordCount(kTextGroup));
    EXPECT_GE(document.Object(texted).textRecordId, 0);
}

TEST_F(DamagedObjectIds, PictureBesideAnOutlineLeavesNoRecordWithoutAnId)
{
    const int outlined = BlockHolding(stream_, kTagFreeformBlock);
    const int pictured = BlockHolding(stream_, kTagPictureHeader);
    ASSERT_GE(outlined, 0);
    ASSERT_GE(pictured, 0);
    const Bytes outline = BlockBytes(stream_, ObjectRecords(stream_, outlined), kTagFreeformBlock);
    ASSERT_FALSE(outline.empty());
    DrawingDocument document;
    ReadSoundly(InsertBeforeCloser(stream_, pictured, outline), &document, source_.RecordCount(kTextGroup));
    EXPECT_EQ(source_.RecordCount(kFreeformGroup), document.RecordCount(kFreeformGroup))
        << "only the outline of the freeform shape is kept";
}
