// Attachment records: the type tag after the name, reads that stay inside a
// damaged record, rewriting, deleting, and a moved path found again below
// the program's folder.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "objects/attachment_records.h"
#include "objects/drawing_layout.h"
#include "store/record_store.h"
#include "drawing_fixture.h"

namespace {

std::vector<char> Payload(const std::string& bytes, size_t size)
{
    std::vector<char> payload(size, '\0');
    std::memcpy(payload.data(), bytes.data(), bytes.size() < size ? bytes.size() : size);
    return payload;
}

TEST(AttachmentTag, TheTypeFollowsTheName)
{
    struct Case {
        const char* name;
        std::string bytes;
        size_t size;
        int type;
    } cases[] = {
        {"a web page", std::string("http://x\0$atype=1", 17), 30, kAttachWebPage},
        {"a program", std::string("a.exe\0$atype=3", 14), 30, kAttachProgram},
        {"the tag in other case", std::string("a.doc\0$ATYPE=2", 14), 30, kAttachDocument},
        {"a name without a tag is a drawing", std::string("a.tyr", 5), 30, kAttachDrawing},
        {"a digit past the types opens as a drawing", std::string("a\0$atype=7", 10), 30, kAttachDrawing},
        {"a tag cut by the record's end", std::string("a\0$atype", 8), 8, kAttachDrawing},
        {"a name filling the record, unterminated", std::string("abcdefgh"), 8, kAttachDrawing},
    };
    for (const Case& c : cases) {
        const std::vector<char> payload = Payload(c.bytes, c.size);
        EXPECT_EQ(c.type, ParseAttachType(payload.data(), static_cast<DWORD>(payload.size()))) << c.name;
    }
}

TEST(AttachmentTag, AnUnterminatedNameIsReadOnlyToTheRecordsEnd)
{
    std::vector<char> payload(300, 'x');
    payload.push_back('\0');
    char name[kAttachNameSize];
    ReadAttachName(payload.data(), 12, name);
    EXPECT_EQ(std::string(12, 'x'), name);
    ReadAttachName(payload.data(), static_cast<DWORD>(payload.size()), name);
    EXPECT_EQ(static_cast<size_t>(kAttachNameSize - 1), std::strlen(name)) << "held to the name buffer";
}

TEST(AttachmentTag, TheTagIsWrittenRightAfterTheName)
{
    std::vector<char> payload = Payload(std::string("a.tyr"), 20);
    ASSERT_TRUE(AppendAttachType(payload.data(), 20, kAttachDocument));
    EXPECT_EQ(std::string("a.tyr\0$atype=2", 14), std::string(payload.data(), 14));
    EXPECT_EQ('\0', payload[14]);
    EXPECT_FALSE(AppendAttachType(payload.data(), 14, kAttachDocument)) << "no room for the tag";
}

TEST(AttachmentPath, AMovedPathIsFoundBelowTheProgramsFolder)
{
    struct Case {
        const char* name;
        const char* path;
        const char* program;
        const char* moved;
    } cases[] = {
        {"the first folder is dropped", "D:\\Charts\\Flow\\a.tyr", "C:\\Prog\\tessary.exe", "C:\\Prog\\Flow\\a.tyr"},
        {"deeper folders are kept", "D:\\A\\B\\C\\b.doc", "C:\\Prog\\x.exe", "C:\\Prog\\B\\C\\b.doc"},
        {"a file in a first folder", "D:\\Charts\\a.tyr", "C:\\Prog\\x.exe", "C:\\Prog\\a.tyr"},
        {"a file at the root stays", "D:\\a.tyr", "C:\\Prog\\x.exe", "D:\\a.tyr"},
        {"a bare name stays", "a.tyr", "C:\\Prog\\x.exe", "a.tyr"},
    };
    for (const Case& c : cases) {
        char out[kAttachNameSize] = "";
        ASSERT_TRUE(RelocatePathUnder(c.path, c.program, out)) << c.name;
        EXPECT_STREQ(c.moved, out) << c.name;
    }
}

TEST(AttachmentPath, APathTooLongUnderTheProgramIsRefused)
{
    const std::string path = "D:\\x\\" + std::string(250, 'a') + ".tyr";
    const std::string program = "C:\\" + std::string(40, 'p') + "\\x.exe";
    char out[kAttachNameSize] = "unchanged";
    EXPECT_FALSE(RelocatePathUnder(path.c_str(), program.c_str(), out));
    EXPECT_STREQ("unchanged", out);
}

using AttachmentRecords = DrawingFixture;

TEST_F(AttachmentRecords, WrittenReadRewrittenAndDeleted)
{
    const int id = 7;
    char name[kAttachNameSize];
    int type = -1;
    EXPECT_EQ(kStoreErrNotFound, ReadAttachment(store_, id, name, &type).value);
    ASSERT_EQ(kErrNone, WriteAttachment(store_, id, "C:\\a\\first.tyr", kAttachDocument));
    ASSERT_EQ(kErrNone, ReadAttachment(store_, id, name, &type));
    EXPECT_STREQ("C:\\a\\first.tyr", name);
    EXPECT_EQ(kAttachDocument, type);

    RecordHandle record = nullptr;
    ASSERT_EQ(kErrNone, FindRecord(store_, kAttachmentGroup, id, &record));
    EXPECT_EQ(static_cast<DWORD>(kRecordHeaderSize) + kAttachPayloadMinimum, QueryRecordSize(record));
    ReleaseRecord(record);

    ASSERT_EQ(kErrNone, WriteAttachment(store_, id, "b", kAttachProgram));
    ASSERT_EQ(kErrNone, ReadAttachment(store_, id, name, &type));
    EXPECT_STREQ("b", name) << "nothing of the longer name is left";
    EXPECT_EQ(kAttachProgram, type);

    EXPECT_TRUE(ObjectIdHasAttachment(store_, id));
    ASSERT_EQ(kErrNone, DeleteAttachment(store_, id));
    EXPECT_FALSE(ObjectIdHasAttachment(store_, id));
    EXPECT_EQ(kStoreErrNotFound, DeleteAttachment(store_, id).value);
}

// A record of another program may hold a name with no NUL up to its end.
TEST_F(AttachmentRecords, ADamagedRecordIsNotReadPastItsEnd)
{
    const int id = 9;
    const DWORD payloadSize = 12;
    RecordHandle record = nullptr;
    ASSERT_EQ(kErrNone, CreateRecord(store_, kAttachmentGroup, id, kRecordHeaderSize + payloadSize, &record));
    char* bytes = static_cast<char*>(GlobalLock(record));
    std::memset(bytes + kRecordHeaderSize, 'z', payloadSize);
    GlobalUnlock(record);
    ReleaseRecord(record);
    char name[kAttachNameSize];
    int type = -1;
    ASSERT_EQ(kErrNone, ReadAttachment(store_, id, name, &type));
    EXPECT_EQ(std::string(payloadSize, 'z'), name);
    EXPECT_EQ(kAttachDrawing, type);
}

TEST_F(AttachmentRecords, ANameLongerThanTheBufferIsRefused)
{
    const std::string longName(kAttachNameSize, 'n');
    EXPECT_NE(kErrNone, WriteAttachment(store_, 3, longName.c_str(), kAttachDrawing));
    EXPECT_FALSE(ObjectIdHasAttachment(store_, 3));
}

} // namespace
