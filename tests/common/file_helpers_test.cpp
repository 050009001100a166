#include <gtest/gtest.h>

#include <string>

#include "common/file_helpers.h"
#include "common/io_seam.h"
#include "support/test_paths.h"

namespace {

const char kContents[] = "twelve bytes";

void MakeFile(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    WriteFile(file, kContents, sizeof(kContents) - 1, &written, nullptr);
    CloseHandle(file);
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

LONG LengthOf(HFILE file)
{
    LONG length = -1;
    EXPECT_EQ(kErrNone, GetFileLength(file, &length));
    return length;
}

class FileTest : public testing::Test {
protected:
    void TearDown() override { SeamDisarm(); }
};

} // namespace

TEST_F(FileTest, OpenFileModeFollowsModeWord)
{
    struct Case {
        const char* name;
        UINT mode;
        bool existsBefore;
        bool opens;
        bool writable;
        LONG lengthAfterOpen; // checked when it opens
        bool existsAfter;
    };
    const LONG kept = sizeof(kContents) - 1;
    const Case cases[] = {
        {"read", OF_READ, true, true, false, kept, true},
        {"read deny none", OF_READ | OF_SHARE_DENY_NONE, true, true, false, kept, true},
        {"read absent", OF_READ, false, false, false, 0, false},
        {"readwrite deny write", OF_READWRITE | OF_SHARE_DENY_WRITE, true, true, true, kept, true},
        {"readwrite absent", OF_READWRITE | OF_SHARE_DENY_WRITE, false, false, false, 0, false},
        {"write", OF_WRITE, true, true, true, kept, true},
        {"create readwrite keeps contents", OF_CREATE | OF_READWRITE | OF_SHARE_EXCLUSIVE, true, true, true, kept,
         true},
        {"create readwrite absent", OF_CREATE | OF_READWRITE | OF_SHARE_EXCLUSIVE, false, true, true, 0, true},
        {"create alone makes new file", OF_CREATE, false, true, false, 0, true},
        {"create alone refuses existing", OF_CREATE, true, false, false, 0, true},
        {"delete", OF_DELETE, true, false, false, 0, false},
        // OF_READ is 0, so only another bit turns a delete into an open.
        {"delete with share bit opens", OF_DELETE | OF_SHARE_DENY_NONE, true, true, false, kept, true},
        {"delete with readwrite opens", OF_DELETE | OF_READWRITE, true, true, true, kept, true},
        {"delete of absent file", OF_DELETE, false, false, false, 0, false},
    };
    for (const Case& c : cases) {
        const std::string path = ScratchPath("open.bin");
        if (c.existsBefore)
            MakeFile(path);
        HFILE file = OpenFileMode(path.c_str(), nullptr, c.mode);
        EXPECT_EQ(c.opens, file != HFILE_ERROR) << c.name;
        if (file != HFILE_ERROR) {
            EXPECT_EQ(c.lengthAfterOpen, LengthOf(file)) << c.name;
            const UINT wrote = WriteFileBytes(file, "ab", 2);
            EXPECT_EQ(c.writable, wrote == 2) << c.name;
            CloseFile(file);
        }
        EXPECT_EQ(c.existsAfter, Exists(path)) << c.name;
        DeleteFileA(path.c_str());
    }
}

TEST_F(FileTest, OpenFileModeSharingFollowsAccessOnly)
{
    struct Case {
        const char* name;
        UINT first;
        UINT second;
        bool secondOpens;
    };
    const Case cases[] = {
        {"writer lets a reader in", OF_READWRITE | OF_SHARE_DENY_WRITE, OF_READ, true},
        {"writer keeps a second writer out", OF_READWRITE | OF_SHARE_DENY_WRITE, OF_READWRITE | OF_SHARE_DENY_WRITE,
         false},
        {"exclusive bit is not looked at", OF_CREATE | OF_READWRITE | OF_SHARE_EXCLUSIVE, OF_READ, true},
        {"reader lets a writer in", OF_READ, OF_READWRITE | OF_SHARE_DENY_WRITE, true},
        {"reader lets a reader in", OF_READ | OF_SHARE_DENY_NONE, OF_READ, true},
    };
    for (const Case& c : cases) {
        const std::string path = ScratchPath("share.bin");
        MakeFile(path);
        HFILE first = OpenFileMode(path.c_str(), nullptr, c.first);
        ASSERT_NE(HFILE_ERROR, first) << c.name;
        HFILE second = OpenFileMode(path.c_str(), nullptr, c.second);
        EXPECT_EQ(c.secondOpens, second != HFILE_ERROR) << c.name;
        if (second != HFILE_ERROR)
            CloseFile(second);
        CloseFile(first);
        DeleteFileA(path.c_str());
    }
}

TEST_F(FileTest, SetFileLengthGrowsAndCuts)
{
    const std::string path = ScratchPath("length.bin");
    HFILE file = OpenFileMode(path.c_str(), nullptr, OF_CREATE | OF_READWRITE | OF_SHARE_EXCLUSIVE);
    ASSERT_NE(HFILE_ERROR, file);
    for (LONG length : {8192L, 10L, 0L, 65536L}) {
        EXPECT_EQ(kErrNone, SetFileLength(file, length)) << length;
        EXPECT_EQ(length, LengthOf(file)) << length;
    }
    CloseFile(file);
    DeleteFileA(path.c_str());
}

TEST_F(FileTest, SetFileLengthFailureIsDiskFull)
{
    const std::string path = ScratchPath("full.bin");
    HFILE file = OpenFileMode(path.c_str(), nullptr, OF_CREATE | OF_READWRITE | OF_SHARE_EXCLUSIVE);
    ASSERT_NE(HFILE_ERROR, file);
    ASSERT_EQ(kErrNone, SetFileLength(file, 100));
    SeamArmFault(kSeamSetLength, 1, false);
    EXPECT_EQ(kErrDiskFull, SetFileLength(file, 5000));
    EXPECT_TRUE(SeamFaultFired());
    SeamDisarm();
    EXPECT_EQ(100, LengthOf(file));
    CloseFile(file);
    DeleteFileA(path.c_str());
}

TEST_F(FileTest, GetFileLengthKeepsPosition)
{
    const std::string path = ScratchPath("pos.bin");
    MakeFile(path);
    HFILE file = OpenFileMode(path.c_str(), nullptr, OF_READ);
    ASSERT_NE(HFILE_ERROR, file);
    for (LONG position : {0L, 7L, 12L, 40L}) {
        ASSERT_EQ(position, SeekFile(file, position, FILE_BEGIN));
        EXPECT_EQ(12, LengthOf(file)) << position;
        EXPECT_EQ(position, SeekFile(file, 0, FILE_CURRENT)) << position;
    }
    CloseFile(file);
    DeleteFileA(path.c_str());
}

TEST_F(FileTest, GetFileLengthSeekFailureGivesFileError)
{
    const std::string path = ScratchPath("seek.bin");
    MakeFile(path);
    HFILE file = OpenFileMode(path.c_str(), nullptr, OF_READ);
    ASSERT_NE(HFILE_ERROR, file);
    for (long nth = 1; nth <= 3; ++nth) {
        SeamArmFault(kSeamSeek, nth, false);
        LONG length = -7;
        EXPECT_EQ(kErrFile, GetFileLength(file, &length)) << "seek " << nth;
        EXPECT_TRUE(SeamFaultFired()) << "seek " << nth;
        SeamDisarm();
    }
    CloseFile(file);
    DeleteFileA(path.c_str());
}

TEST_F(FileTest, ReadAndWriteWrappersRoundTrip)
{
    const std::string path = ScratchPath("rw.bin");
    HFILE file = OpenFileMode(path.c_str(), nullptr, OF_CREATE | OF_READWRITE | OF_SHARE_EXCLUSIVE);
    ASSERT_NE(HFILE_ERROR, file);
    EXPECT_EQ(5u, WriteFileBytes(file, "hello", 5));
    EXPECT_EQ(1, SeekFile(file, 1, FILE_BEGIN));
    char buffer[8] = "";
    EXPECT_EQ(4u, ReadFileBytes(file, buffer, 8));
    EXPECT_EQ(std::string("ello"), std::string(buffer, 4));
    EXPECT_EQ(0u, ReadFileBytes(file, buffer, 8));
    EXPECT_EQ(0, CloseFile(file));
    DeleteFileA(path.c_str());
}
