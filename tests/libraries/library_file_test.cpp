#include <gtest/gtest.h>

#include <cstring>

#include "libraries/library_file.h"
#include "support/library_fixture.h"
#include "support/test_paths.h"

namespace {

void MovePointsOffMidpoint(LibraryHeader* header)
{
    for (int i = 0; i < header->symbolCount; ++i) {
        header->items[i].connectPoints[13] = ConnectPoint{0, 310};
        header->items[i].connectPoints[14] = ConnectPoint{0, 280};
    }
}

void CountTooLarge(LibraryHeader* header) { header->symbolCount = kMaxLibrarySymbols + 1; }
void CountNegative(LibraryHeader* header) { header->symbolCount = -3; }
void BadMagic(LibraryHeader* header) { header->magic = 0x1234; }
void WildCounts(LibraryHeader* header)
{
    header->items[0].connectPointCount = 300;
    header->items[0].furtherChunks = -7;
    header->items[1].connectPointCount = -1;
    header->items[1].furtherChunks = 30000;
}

struct OpenCase {
    const char* name;
    LibraryFixture fixture;
    ErrorCode expected;
};

LibraryFixture Fixture(int symbols, int16_t version = kLibraryVersionNew)
{
    LibraryFixture fixture;
    fixture.symbols = symbols;
    fixture.version = version;
    return fixture;
}

ErrorCode OpenAndClose(const std::string& path, LibraryHeader* header = nullptr, LibraryViewBlock* view = nullptr)
{
    OpenedLibrary opened;
    ErrorCode code = OpenLibraryStore(path.c_str(), &opened);
    if (code)
        return code;
    RecordHandle viewHandle = nullptr;
    code = PrepareLibraryView(opened, &viewHandle);
    if (!code && header) {
        std::memcpy(header, RecordPayload<LibraryHeader>(GlobalLock(opened.header)), sizeof(*header));
        GlobalUnlock(opened.header);
    }
    if (!code && view) {
        std::memcpy(view, RecordPayload<LibraryViewBlock>(GlobalLock(viewHandle)), sizeof(*view));
        GlobalUnlock(viewHandle);
    }
    DiscardError(CloseOrAbandonStore(opened.store), "the test reads only");
    return code;
}

TEST(LibraryOpen, HeaderChecksAndVersions)
{
    OpenCase cases[] = {
        {"empty library of exactly 5064 bytes", Fixture(0), kErrNone},
        {"header one byte short", Fixture(0), kErrNotALibrary},
        {"no magic", Fixture(2), kErrNotALibrary},
        {"version 3", Fixture(3, kLibraryVersionLatest), kErrNone},
        {"version 4", Fixture(1, 4), kErrLibraryLaterVersion},
        {"version 1", Fixture(4, kLibraryVersionOld), kErrNone},
        {"41 symbols", Fixture(1), kErrNotALibrary},
        {"negative symbol count", Fixture(1), kErrNotALibrary},
    };
    cases[1].fixture.headerSize = kLibraryHeaderSize - 1;
    cases[2].fixture.editHeader = BadMagic;
    cases[6].fixture.editHeader = CountTooLarge;
    cases[7].fixture.editHeader = CountNegative;
    for (const OpenCase& test : cases) {
        const std::string path = WriteLibraryFixture(ScratchPath("checks.vxl"), test.fixture);
        ASSERT_FALSE(path.empty()) << test.name;
        EXPECT_EQ(test.expected, OpenAndClose(path)) << test.name;
    }
}

TEST(LibraryOpen, VersionThreeStaysThreeAndVersionOneBecomesTwo)
{
    const std::string three = WriteLibraryFixture(ScratchPath("v3.vxl"), Fixture(2, kLibraryVersionLatest));
    ASSERT_EQ(kErrNone, OpenAndClose(three));
    LibraryHeader header;
    ASSERT_TRUE(ReadLibraryHeader(three, &header));
    EXPECT_EQ(kLibraryVersionLatest, header.version);

    LibraryFixture old = Fixture(3, kLibraryVersionOld);
    old.editHeader = [](LibraryHeader* h) {
        for (int i = 0; i < h->symbolCount; ++i)
            h->items[i].reserved4 = 77;
    };
    const std::string one = WriteLibraryFixture(ScratchPath("v1.vxl"), old);
    ASSERT_EQ(kErrNone, OpenAndClose(one));
    ASSERT_TRUE(ReadLibraryHeader(one, &header));
    EXPECT_EQ(kLibraryVersionNew, header.version);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(0, header.items[i].furtherChunks) << i;
        EXPECT_EQ(0, header.items[i].reserved4) << i;
    }
}

TEST(LibraryOpen, ConnectPointsAreNormalisedOnlyWhenTheViewBlockSaysSo)
{
    struct Case {
        const char* name;
        bool viewBlock;
        uint16_t flags;
        ConnectPoint slot13;
        ConnectPoint slot14;
    };
    const Case cases[] = {
        {"flag missing: normalised", true, 0, {0, 280}, {0, 300}},
        {"flag set: left alone", true, kLibraryPointsNormalized, {0, 310}, {0, 280}},
        {"no view block: made with the flag, left alone", false, 0, {0, 310}, {0, 280}},
    };
    for (const Case& test : cases) {
        LibraryFixture fixture = Fixture(2, kLibraryVersionOld);
        fixture.viewBlock = test.viewBlock;
        fixture.viewFlags = test.flags;
        fixture.editHeader = MovePointsOffMidpoint;
        const std::string path = WriteLibraryFixture(ScratchPath("points.vxl"), fixture);
        LibraryViewBlock view;
        ASSERT_EQ(kErrNone, OpenAndClose(path, nullptr, &view)) << test.name;
        EXPECT_TRUE(view.flags & kLibraryPointsNormalized) << test.name;
        LibraryHeader header;
        ASSERT_TRUE(ReadLibraryHeader(path, &header));
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(test.slot13.y, header.items[i].connectPoints[13].y) << test.name;
            EXPECT_EQ(test.slot14.y, header.items[i].connectPoints[14].y) << test.name;
            EXPECT_EQ(150, header.items[i].connectPoints[15].y) << test.name;
        }
    }
}

TEST(LibraryOpen, DefaultPointsAreAlreadyNormal)
{
    LibraryHeader header = {};
    header.symbolCount = 1;
    InitVexletRecord(&header.items[0]);
    VexletRecord before = header.items[0];
    NormalizeConnectPoints(&header);
    EXPECT_EQ(0, std::memcmp(&before, &header.items[0], sizeof(before)));
}

TEST(LibraryOpen, ShortViewBlockIsWidenedKeepingFlagsAndButtonSize)
{
    LibraryFixture fixture = Fixture(1);
    fixture.viewSize = 200;
    fixture.viewFlags = kLibraryPointsNormalized | kLibraryNamesMode;
    fixture.buttonSize = 70;
    const std::string path = WriteLibraryFixture(ScratchPath("narrow.vxl"), fixture);
    LibraryViewBlock view;
    ASSERT_EQ(kErrNone, OpenAndClose(path, nullptr, &view));
    EXPECT_EQ(kLibraryPointsNormalized | kLibraryNamesMode, view.flags);
    EXPECT_EQ(70, view.buttonSize);
    EXPECT_EQ(0, view.columns);
    EXPECT_EQ(0, view.paletteCount);
}

TEST(LibraryOpen, CountsOutOfRangeAreBroughtIntoRange)
{
    LibraryFixture fixture = Fixture(2);
    fixture.editHeader = WildCounts;
    const std::string path = WriteLibraryFixture(ScratchPath("wild.vxl"), fixture);
    LibraryHeader header;
    ASSERT_EQ(kErrNone, OpenAndClose(path, &header));
    EXPECT_EQ(kMaxSymbolConnectPoints, header.items[0].connectPointCount);
    EXPECT_EQ(0, header.items[0].furtherChunks);
    EXPECT_EQ(kMaxSymbolConnectPoints, header.items[1].connectPointCount);
    EXPECT_EQ(0, header.items[1].furtherChunks);

    LibraryViewBlock view = {};
    view.paletteCount = 999;
    view.buttonSize = 5000;
    view.columns = -4;
    SanitizeLibraryView(&view);
    EXPECT_EQ(0, view.paletteCount);
    EXPECT_EQ(50, view.buttonSize);
    EXPECT_EQ(0, view.columns);
}

TEST(LibraryFile, NewLibraryIsEmptyWithItsViewBlock)
{
    const std::string path = ScratchPath("new.vxl");
    DeleteFileA(path.c_str());
    ASSERT_EQ(kErrNone, CreateEmptyLibrary(path.c_str(), 20));
    EXPECT_TRUE(IsLibraryFile(path.c_str()));
    LibraryHeader header;
    LibraryViewBlock view;
    ASSERT_EQ(kErrNone, OpenAndClose(path, &header, &view));
    EXPECT_EQ(kLibraryMagic, header.magic);
    EXPECT_EQ(kLibraryVersionNew, header.version);
    EXPECT_EQ(0, header.symbolCount);
    EXPECT_EQ(kLibraryPointsNormalized, view.flags);
    EXPECT_EQ(30, view.buttonSize);
}

TEST(LibraryFile, OtherFilesAreNoLibraries)
{
    const std::string text = ScratchPath("plain.txt");
    HANDLE file = CreateFileA(text.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, "hello, not a store", 18, &written, nullptr);
    CloseHandle(file);
    EXPECT_FALSE(IsLibraryFile(text.c_str()));
    EXPECT_FALSE(IsLibraryFile(ScratchPath("missing.vxl").c_str()));
    EXPECT_EQ(kErrNotALibrary, OpenAndClose(WriteLibraryFixture(ScratchPath("magic.vxl"), [] {
                  LibraryFixture f;
                  f.editHeader = BadMagic;
                  return f;
              }())));
}

} // namespace
