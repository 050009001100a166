// The options file: what the writer emits, what the reader takes, and the
// candidate files LoadOptions tries.
#include <cstring>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "common/io_seam.h"
#include "objects/color_style.h"
#include "objects/color_table.h"
#include "documents/options_file.h"
#include "documents/recent_files.h"
#include "documents/attached_library_atom.h"
#include "documents/stream_errors.h"
#include "options_fixture.h"
#include "support/test_paths.h"

namespace {

struct TaggedRecord {
    uint16_t tag;
    uint32_t length;
};

// The records of a written options file, after its signature.
std::vector<TaggedRecord> RecordsOf(const std::vector<uint8_t>& bytes)
{
    std::vector<TaggedRecord> records;
    size_t at = 8;
    while (at + 2 <= bytes.size()) {
        TaggedRecord record = {static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8)), 0};
        at += 2;
        if (!(record.tag & 0x4000)) {
            std::memcpy(&record.length, &bytes[at], 4);
            at += 4 + record.length;
        }
        records.push_back(record);
    }
    return records;
}

class OptionsFile : public OptionsTest {
protected:
    ErrorCode ReadBytes(const StreamBytes& stream)
    {
        WriteWholeFile(path_, stream.bytes());
        return ReadOptionsFile(path_.c_str());
    }
    // A stream of the current version holding only `body` and the end.
    ErrorCode ReadBody(void (*body)(StreamBytes&), int generation = 3)
    {
        StreamBytes stream = OptionsStart(generation);
        body(stream);
        stream.Tag(0x4001);
        return ReadBytes(stream);
    }
};

TEST_F(OptionsFile, DefaultsReadBackUnchanged)
{
    AddRecentFile("C:\\DRAW\\ONE.TYR");
    AddRecentFile("C:\\DRAW\\TWO.TYR");
    AttachedLibraryAtom = GlobalAddAtomA("C:\\LIB\\ATTACHED.VXL");
    const std::vector<uint8_t> before = Snapshot();
    const std::vector<uint8_t> stylesBefore = StylesSnapshot();
    ASSERT_EQ(kErrNone, WriteOptionsFile(path_.c_str()));

    MakeDefaults();
    ASSERT_EQ(kErrNone, ReadOptionsFile(path_.c_str()));
    EXPECT_EQ(before, Snapshot());
    EXPECT_EQ(stylesBefore, StylesSnapshot());
    EXPECT_EQ(2, SymbolFontCount);
    char path[MAX_PATH] = {};
    GetRecentFile(120, path);
    EXPECT_STREQ("C:\\DRAW\\TWO.TYR", path);
    GetRecentFile(121, path);
    EXPECT_STREQ("C:\\DRAW\\ONE.TYR", path);
    ASSERT_NE(0, AttachedLibraryAtom);
    GlobalGetAtomNameA(AttachedLibraryAtom, path, MAX_PATH);
    EXPECT_STREQ("C:\\LIB\\ATTACHED.VXL", path);
}

TEST_F(OptionsFile, ChangedValuesReadBack)
{
    options().flags = 0x1235;
    options().printOptions = 0x0014;
    options().footerPosition = 300;
    options().quickPreviews = -1;
    options().moreFlags = 3;
    options().attachmentType = 2;
    options().reserved = 0xDEADBEEF;
    options().rulerDefaults = {0, 0, 39.37, 10, 2.5, 3};
    options().toolbar[7] = {900, 450, 0, 12, 3, 0.25};
    options().libraryWindows[9].open = 1;
    std::strcpy(options().libraryWindows[9].fileName, "MINE.VXL");
    std::strcpy(options().keyword, "router");
    options().colorTable[40] = RGB(1, 2, 3);
    const std::vector<uint8_t> before = Snapshot();
    ASSERT_EQ(kErrNone, WriteOptionsFile(path_.c_str()));
    MakeDefaults();
    ASSERT_EQ(kErrNone, ReadOptionsFile(path_.c_str()));
    EXPECT_EQ(before, Snapshot());
}

TEST_F(OptionsFile, WriterRecordsInOrderWithTheirSizes)
{
    AddRecentFile("C:\\A.TYR");
    ASSERT_EQ(kErrNone, WriteOptionsFile(path_.c_str()));
    const std::vector<uint8_t> bytes = ReadWholeFile(path_);
    ASSERT_GE(bytes.size(), 8u);
    EXPECT_EQ("QRVLOPTI", std::string(bytes.begin(), bytes.begin() + 8));

    std::vector<TaggedRecord> expected = {{0x8001, 12}, {0x0800, 40}, {0x0809, 92}, {0x0801, 24},
                                          {0x0804, 16}};  // "Times New Roman" and its NUL
    const OptionsRecord& o = options();
    const char* paths[7] = {o.drawingsFolder, o.exportFolder, o.importFolder, o.librariesFolder,
                            o.templatePath,   o.lastLibrary,  o.keyword};
    for (const char* path : paths)
        expected.push_back({0x0802, static_cast<uint32_t>(std::strlen(path) + 3)});
    expected.push_back({0x8805, 0});
    for (const SavedLibraryWindow& window : o.libraryWindows) {
        expected.push_back({0x0806, 12});
        expected.push_back({0x0807, static_cast<uint32_t>(std::strlen(window.folder) + 1)});
        expected.push_back({0x0808, static_cast<uint32_t>(std::strlen(window.fileName) + 1)});
    }
    expected.push_back({0x4805, 0});
    expected.push_back({0x8810, 0});
    for (int slot = 0; slot < 22; ++slot)
        expected.push_back({0x0811, 18});
    expected.push_back({0x4810, 0});
    expected.push_back({0x0008, 194});
    expected.push_back({0x8820, 4});
    const std::vector<uint8_t> styles = StylesSnapshot();
    for (int index = 0; index < 25; ++index) {
        ColorStyle style;
        std::memcpy(&style, styles.data() + 8 + sizeof(style) * index, sizeof(style));
        expected.push_back({0x0821, 8});
        expected.push_back({0x0822, 30});
        expected.push_back({0x0823, static_cast<uint32_t>(std::strlen(style.name) + 1)});
    }
    expected.push_back({0x4820, 0});
    expected.push_back({0x0803, 9});
    expected.push_back({0x8831, 2});
    expected.push_back({0x0809, 92});
    expected.push_back({0x4830, 0});
    expected.push_back({0x4001, 0});

    const std::vector<TaggedRecord> written = RecordsOf(bytes);
    ASSERT_EQ(expected.size(), written.size());
    for (size_t index = 0; index < expected.size(); ++index) {
        EXPECT_EQ(expected[index].tag, written[index].tag) << "record " << index;
        EXPECT_EQ(expected[index].length, written[index].length) << "record " << index;
    }
}

TEST_F(OptionsFile, WriterFailuresAreErrors)
{
    // Nothing written must never look like success.
    SeamArmFault(kSeamWrite, 1, true);
    EXPECT_NE(kErrNone, WriteOptionsFile(path_.c_str()));
    SeamDisarm();
    EXPECT_EQ(1, WriteOptionsFile("Q:\\no\\such\\folder\\x.opt"));
}

TEST_F(OptionsFile, SignatureAndVersionWords)
{
    struct Case {
        const char* name;
        StreamBytes stream;
        ErrorCode expected;
    };
    StreamBytes notHeader;
    notHeader.Raw("QRVLOPTI").Record(0x0800, std::vector<uint8_t>(40));
    StreamBytes cutSignature;
    cutSignature.Raw("QRVL");
    const Case cases[] = {
        {"version 3", OptionsStart(3, 3).Tag(0x4001), kErrNone},
        {"version 2", OptionsStart(3, 2).Tag(0x4001), kErrNone},
        {"version 0", OptionsStart(3, 0).Tag(0x4001), kErrNone},
        {"version 1", OptionsStart(3, 1).Tag(0x4001), kErrStreamOptions},
        {"version 4", OptionsStart(3, 4).Tag(0x4001), kErrStreamOptions},
        {"negative version", OptionsStart(3, -1).Tag(0x4001), kErrStreamOptions},
        {"lower-case signature", OptionsStart(3, 3, "qrvlopti").Tag(0x4001), kErrNone},
        {"drawing signature", OptionsStart(3, 3, "QUORVELX").Tag(0x4001), kErrStreamSignature},
        {"first record not the header", notHeader, kErrStreamSignature},
        {"signature cut short", cutSignature, kErrStreamRead},
        {"empty file", StreamBytes(), kErrNone},
        {"no end record", OptionsStart(3, 3), kErrStreamRead},
    };
    for (const Case& test : cases)
        EXPECT_EQ(test.expected, ReadBytes(test.stream)) << test.name;
    DeleteFileA(path_.c_str());
    EXPECT_EQ(1, ReadOptionsFile(path_.c_str()));
}

TEST_F(OptionsFile, PreviousVersionKeepsPathsAndLibraryWindows)
{
    const std::vector<uint8_t> before = Snapshot();
    options().flags = 0;
    ASSERT_EQ(kErrNone, ReadBody(
                            [](StreamBytes& s) {
                                s.Record(0x0800, OptionsPayloadBytes().I16(0).I16(0x0001).Zeros(36).bytes);
                                s.Record(0x0802, OptionsPayloadBytes().I16(0).Text("C:\\ELSEWHERE").bytes);
                                s.Record(0x8805, {});
                                s.Record(0x0806, OptionsPayloadBytes().I16(9).I16(9).I16(9).I16(9).I16(1).I16(0).bytes);
                                s.Record(0x0807, OptionsPayloadBytes().Text("C:\\X\\").bytes);
                                s.Tag(0x4805);
                                s.Record(0x8810, {});
                                for (int record = 0; record < 22; ++record)
                                    s.Record(0x0811, OptionsPayloadBytes().I16(1000 + record).I16(7).I16(0).I16(2).I16(0).Double(0.0).bytes);
                                s.Tag(0x4810);
                            },
                            2));
    const OptionsRecord& o = options();
    EXPECT_EQ(0x0201, o.flags);
    EXPECT_EQ(0, std::memcmp(before.data() + offsetof(OptionsRecord, drawingsFolder), o.drawingsFolder,
                             sizeof(o.drawingsFolder)));
    EXPECT_EQ(0, std::memcmp(before.data() + offsetof(OptionsRecord, libraryWindows), o.libraryWindows,
                             sizeof(o.libraryWindows)));
    struct Row {
        int slot, width;
    };
    const Row rows[] = {{0, 600}, {2, 600}, {3, 300}, {4, 1003}, {20, 1019}, {21, 1020}};
    for (const Row& row : rows)
        EXPECT_EQ(row.width, o.toolbar[row.slot].width) << "slot " << row.slot;
}

TEST_F(OptionsFile, ShortGeneralRecordKeepsLaterFields)
{
    options().quickPreviews = 200;
    ASSERT_EQ(kErrNone, ReadBody([](StreamBytes& s) {
        OptionsPayloadBytes general;
        general.I16(0x0002).I16(0x0104).I16(102).I16(103).I16(5).I16(150).U32(77);
        general.I16(1).I16(2).I16(3).I16(4).I16(5).I16(6).I16(2);
        s.Record(0x0800, general.bytes);
    }));
    const OptionsRecord& o = options();
    EXPECT_EQ(0x0002, o.printOptions);
    EXPECT_EQ(0x0104, o.flags);
    EXPECT_EQ(102, o.exportPictureType);
    EXPECT_EQ(150, o.footerPosition);
    EXPECT_EQ(77u, o.reserved);
    EXPECT_EQ(6, o.drawingDefaults[5]);
    EXPECT_EQ(2, o.defaultFont.lfCharSet);
    EXPECT_EQ(200, o.quickPreviews);
    EXPECT_EQ(117, o.symbolCharacter);
}

TEST_F(OptionsFile, ShortRulerRecords)
{
    struct Case {
        const char* name;
        double major;
        int screenUnit, labelUnit;
        double expectedMajor;
    };
    const Case cases[] = {{"inches", 100.0, 1, 1, 100.0}, {"centimetres", 39.37, 0, 4, 100.0}};
    for (const Case& test : cases) {
        MakeDefaults();
        StreamBytes stream = OptionsStart();
        stream.Record(0x0801, OptionsPayloadBytes().I16(1).I16(1).Double(test.major).I16(10).bytes);
        stream.Tag(0x4001);
        ASSERT_EQ(kErrNone, ReadBytes(stream)) << test.name;
        const RulerScale& rulers = options().rulerDefaults;
        EXPECT_EQ(test.screenUnit, rulers.screenUnit) << test.name;
        EXPECT_EQ(test.labelUnit, rulers.labelUnit) << test.name;
        EXPECT_EQ(test.expectedMajor, rulers.majorLength) << test.name;
        EXPECT_EQ(1.0, rulers.labelValue) << test.name;
        EXPECT_EQ(10, rulers.divisions) << test.name;
    }
}

TEST_F(OptionsFile, SymbolFontBlocks)
{
    ASSERT_EQ(kErrNone, ReadBody([](StreamBytes& s) { s.Record(0x8831, OptionsPayloadBytes().I16(1).bytes).Tag(0x4830); }));
    EXPECT_EQ(1, SymbolFontCount);

    MakeDefaults();
    // A count far beyond what the symbol dialog holds is cut to 30 entries.
    ASSERT_EQ(kErrNone, ReadBody([](StreamBytes& s) {
        s.Record(0x8831, OptionsPayloadBytes().I16(500).bytes);
        std::vector<uint8_t> font(92);
        std::memcpy(font.data() + 28, "Wingdings", 10);
        for (int entry = 0; entry < 40; ++entry)
            s.Record(0x0809, font);
        s.Tag(0x4830);
    }));
    EXPECT_EQ(30, SymbolFontCount);
    ASSERT_GE(GlobalSize(SymbolFonts), 30 * sizeof(LOGFONTA));
    EXPECT_STREQ("Wingdings", static_cast<LOGFONTA*>(GlobalLock(SymbolFonts))[29].lfFaceName);
    GlobalUnlock(SymbolFonts);

    MakeDefaults();
    // The closer of this block is 0x4830: 0x4831 leaves it open to the end.
    EXPECT_EQ(1001, ReadBody([](StreamBytes& s) { s.Record(0x8831, OptionsPayloadBytes().I16(2).bytes).Tag(0x4831); }));
}

TEST_F(OptionsFile, FiveRecentFilesKeepTheFirstFour)
{
    ASSERT_EQ(kErrNone, ReadBody([](StreamBytes& s) {
        for (const char* path : {"C:\\1.TYR", "C:\\2.TYR", "C:\\3.TYR", "C:\\4.TYR", "C:\\5.TYR"})
            s.Record(0x0803, OptionsPayloadBytes().Text(path).bytes);
    }));
    ASSERT_EQ(4, RecentFiles->count);
    const char* expected[4] = {"C:\\1.TYR", "C:\\2.TYR", "C:\\3.TYR", "C:\\4.TYR"};
    for (int id = 120; id < 124; ++id) {
        char path[MAX_PATH];
        GetRecentFile(id, path);
        EXPECT_STREQ(expected[id - 120], path);
    }
}

TEST_F(OptionsFile, FewColoursLeaveTheRestAtDefaults)
{
    const COLORREF last = options().colorTable[47];
    ASSERT_EQ(kErrNone, ReadBody([](StreamBytes& s) {
        s.Record(0x0008, OptionsPayloadBytes().I16(2).U32(0x010203).U32(0x040506).bytes);
    }));
    EXPECT_EQ(0x010203u, options().colorTable[0]);
    EXPECT_EQ(0x040506u, options().colorTable[1]);
    EXPECT_EQ(last, options().colorTable[47]);
}

TEST_F(OptionsFile, StyleBlockCountAndCurrentAreChecked)
{
    // Three styles promised, one given, current style 7: one style, current 0.
    ASSERT_EQ(kErrNone, ReadBody([](StreamBytes& s) {
        s.Record(0x8820, OptionsPayloadBytes().I16(3).I16(7).bytes);
        s.Record(0x0822, OptionsPayloadBytes().I16(7).U32(1).U32(2).U32(3).U32(4).U32(5).U32(6).U32(7).bytes);
        s.Record(0x0821, OptionsPayloadBytes().I16(6).I16(6).I16(1).I16(3).bytes);
        s.Record(0x0823, OptionsPayloadBytes().Text("Mine").bytes);
        s.Tag(0x4820);
    }));
    const std::vector<uint8_t> list = StylesSnapshot();
    int32_t count = -1, current = -1;
    std::memcpy(&count, list.data(), 4);
    std::memcpy(&current, list.data() + 4, 4);
    EXPECT_EQ(1, count);
    EXPECT_EQ(0, current);
    ColorStyle style;
    std::memcpy(&style, list.data() + 8, sizeof(style));
    EXPECT_STREQ("Mine", style.name);
    EXPECT_EQ(6, style.shadowDx);
    EXPECT_EQ(3u, style.flags);
    // The colours came before the first style record: nobody's.
    EXPECT_EQ(0u, style.borderColor);
}

TEST_F(OptionsFile, UnknownRecordsAndBlocksAreSkipped)
{
    ASSERT_EQ(kErrNone, ReadBody([](StreamBytes& s) {
        s.Record(0x0777, {1, 2, 3});
        s.Record(0x8999, {}).Record(0x0800, std::vector<uint8_t>(40, 0xFF)).Tag(0x4999);
        s.Record(0x0800, OptionsPayloadBytes().I16(0).I16(0x0042).Zeros(36).bytes);
    }));
    EXPECT_EQ(0x0042, options().flags);
}

class OptionsLoading : public OptionsTest {
protected:
    void SetUp() override
    {
        OptionsTest::SetUp();
        FreeOptions();
        given_ = ScratchPath("given.opt");
        DeleteFileA(given_.c_str());
    }
    void TearDown() override
    {
        OptionsTest::TearDown();
        DeleteFileA(given_.c_str());
    }
    std::string given_;
};

TEST_F(OptionsLoading, MissingOptionsPathIsCreatedAndReadsAsDefaults)
{
    ASSERT_EQ(kErrNone, LoadOptions(given_.c_str(), nullptr, 120));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(given_.c_str()));
    EXPECT_TRUE(ReadWholeFile(given_).empty());
    EXPECT_EQ(0x4336, options().flags);
    EXPECT_EQ(options().colorTable, ColorTable);
    SaveAndFreeOptions();
    const std::vector<uint8_t> written = ReadWholeFile(given_);
    ASSERT_GE(written.size(), 8u);
    EXPECT_EQ("QRVLOPTI", std::string(written.begin(), written.begin() + 8));
    EXPECT_EQ(nullptr, ColorTable);
}

TEST_F(OptionsLoading, OptionsPathIsReadAndKept)
{
    StreamBytes stream = OptionsStart();
    stream.Record(0x0800, OptionsPayloadBytes().I16(0).I16(0x0011).Zeros(36).bytes).Tag(0x4001);
    WriteWholeFile(given_, stream.bytes());
    ASSERT_EQ(kErrNone, LoadOptions(given_.c_str(), nullptr, 120));
    EXPECT_EQ(0x0011, options().flags);
    char path[MAX_PATH] = {};
    GlobalGetAtomNameA(OptionsPathAtom, path, MAX_PATH);
    EXPECT_EQ(given_, path);
}

TEST_F(OptionsLoading, FileMenuCountAndFirstId)
{
    HMENU menu = CreatePopupMenu();
    for (int item = 0; item < 5; ++item)
        AppendMenuA(menu, MF_STRING, 100 + item, "item");
    ASSERT_EQ(kErrNone, LoadOptions(given_.c_str(), menu, 220));
    EXPECT_EQ(5, FileMenuBaseCount);
    EXPECT_EQ(220, RecentFiles->firstId);
    DestroyMenu(menu);
}

} // namespace
