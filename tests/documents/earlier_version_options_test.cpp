// Options files of the earlier versions: record stores whose options,
// recent-file and style records are widened when no newer file reads.
#include <cstring>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "objects/color_style.h"
#include "documents/earlier_version.h"
#include "documents/options_file.h"
#include "documents/recent_files.h"
#include "options_fixture.h"
#include "options_old_store.h"
#include "support/test_paths.h"

namespace {

// The earlier options record: payload offsets of the earlier layout.
OldRecordBytes OldOptions(int version, size_t payloadSize)
{
    OldRecordBytes record(payloadSize);
    record.I16(0, version).I16(4, 0).Double(8, 39.37).I16(16, 10).I16(18, 0x0006).I16(20, 0x0001);
    record.I16(22, 20).I16(24, 18).I16(26, 11).I16(28, 1).I16(30, 5).I16(32, 4).Text(34, "Courier New");
    record.I16(3178, 104).I16(3180, 105).I16(3182, 7);
    for (int entry = 0; entry < 48; ++entry)
        record.I32(3184 + 4 * entry, 0x010101u * entry);
    for (int slot = 0; slot <= 20; ++slot) {
        const size_t at = 3376 + 18 * slot;
        record.I16(at, 1000 + slot).I16(at + 2, 500).I16(at + 4, 0).I16(at + 6, slot).I16(at + 8, 3).Double(at + 10, 0.5);
    }
    if (payloadSize >= 4118)
        record.I16(4116, 150);
    if (payloadSize >= 4122)
        record.I32(4118, 0xFEEDF00D);
    return record;
}

// The earlier store is named as the options file: it is read as the first
// earlier-version file once it fails to read as a current one.
class EarlierOptions : public OptionsTest {
protected:
    void SetUp() override
    {
        OptionsTest::SetUp();
        FreeOptions();
        old_ = ScratchPath("old_options.opt");
        DeleteFileA(old_.c_str());
    }
    void TearDown() override
    {
        OptionsTest::TearDown();
        DeleteFileA(old_.c_str());
    }
    void Load()
    {
        ASSERT_EQ(kErrNone, LoadOptions(old_.c_str(), nullptr, 120));
        EXPECT_EQ(-1, OldOptionsStore);
    }
    std::string old_;
};

TEST_F(EarlierOptions, OptionsRecordWidened)
{
    {
        OldStore store(old_);
        store.Put(51, 100, OldOptions(3, 4122).bytes);
    }
    Load();
    const OptionsRecord& o = options();
    EXPECT_EQ(0x0201, o.flags);
    EXPECT_EQ(0x0006, o.printOptions);
    EXPECT_EQ(0, o.rulerDefaults.shown);
    EXPECT_EQ(0, o.rulerDefaults.screenUnit);
    EXPECT_EQ(4, o.rulerDefaults.labelUnit);
    EXPECT_EQ(100.0, o.rulerDefaults.majorLength);
    EXPECT_EQ(1.0, o.rulerDefaults.labelValue);
    EXPECT_EQ(10, o.rulerDefaults.divisions);
    EXPECT_EQ(4, o.drawingDefaults[5]);
    EXPECT_STREQ("Courier New", o.defaultFont.lfFaceName);
    EXPECT_EQ(104, o.exportPictureType);
    EXPECT_EQ(7, o.tipNumber);
    EXPECT_EQ(0x010101u * 47, o.colorTable[47]);
    EXPECT_EQ(150, o.footerPosition);
    EXPECT_EQ(0xFEEDF00Du, o.reserved);
    // Slots 0 to 3 keep their defaults; old slot i from 3 on lands in i + 1.
    struct Row {
        int slot, width;
    };
    for (const Row& row : {Row{0, 600}, Row{3, 300}, Row{4, 1003}, Row{21, 1020}})
        EXPECT_EQ(row.width, o.toolbar[row.slot].width) << "slot " << row.slot;
    EXPECT_EQ(0.5, o.toolbar[4].adjustment);
}

TEST_F(EarlierOptions, VersionAndLengthDecideFooterAndReservedWord)
{
    struct Case {
        const char* name;
        int version;
        size_t payload;
        int footer;
        uint32_t reserved;
    };
    const Case cases[] = {
        {"version 3, long", 3, 4122, 150, 0xFEEDF00D},
        {"version 3, short", 3, 4121, 150, 0},
        {"version 2", 2, 4122, 60, 0xFEEDF00D},
        {"cut after the toolbar", 3, 3754, 60, 0},
    };
    for (const Case& test : cases) {
        DeleteFileA(old_.c_str());
        {
            OldStore store(old_);
            store.Put(51, 100, OldOptions(test.version, test.payload).bytes);
        }
        Load();
        EXPECT_EQ(test.footer, options().footerPosition) << test.name;
        EXPECT_EQ(test.reserved, options().reserved) << test.name;
        EXPECT_EQ(1020, options().toolbar[21].width) << test.name;
        FreeOptions();
    }
}

TEST_F(EarlierOptions, InchRulerAndTemplateChooser)
{
    {
        OldStore store(old_);
        store.Put(51, 100, OldOptions(2, 4122).Double(8, 100.0).I16(20, 0).bytes);
    }
    Load();
    EXPECT_EQ(1, options().rulerDefaults.screenUnit);
    EXPECT_EQ(1, options().rulerDefaults.labelUnit);
    EXPECT_EQ(0x0200, options().flags);
}

TEST_F(EarlierOptions, RecentFilesAndStyles)
{
    {
        OldStore store(old_);
        store.Put(51, 100, OldOptions(2, 4122).bytes);
        OldRecordBytes recent(272 + 4 * 256);
        recent.I16(2, 3).I16(8, 2).I16(10, 0).I16(12, 1);
        recent.Text(272, "C:\\OLD\\ZERO.TYR").Text(272 + 256, "C:\\OLD\\ONE.TYR").Text(272 + 512, "C:\\OLD\\TWO.TYR");
        store.Put(51, 101, recent.bytes);
        // Nine styles promised, two held, current style 5.
        OldRecordBytes styles(4 + 2 * 68);
        styles.I16(0, 9).I16(2, 5);
        styles.I32(4, 0x0000FF).I16(4 + 28, 6).I16(4 + 34, 2).Text(4 + 36, "Old One");
        styles.Text(4 + 68 + 36, "Old Two");
        store.Put(51, 102, styles.bytes);
    }
    Load();
    std::vector<std::string> paths;
    for (int id = 120; id < 124; ++id) {
        char path[MAX_PATH];
        GetRecentFile(id, path);
        paths.push_back(path);
    }
    EXPECT_EQ(std::vector<std::string>({"C:\\OLD\\TWO.TYR", "C:\\OLD\\ZERO.TYR", "C:\\OLD\\ONE.TYR", ""}), paths);
    const std::vector<uint8_t> list = StylesSnapshot();
    int32_t count = 0, current = -1;
    std::memcpy(&count, list.data(), 4);
    std::memcpy(&current, list.data() + 4, 4);
    EXPECT_EQ(2, count);
    EXPECT_EQ(0, current);
    ColorStyle style;
    std::memcpy(&style, list.data() + 8, sizeof(style));
    EXPECT_STREQ("Old One", style.name);
    EXPECT_EQ(0xFFu, style.borderColor);
    EXPECT_EQ(6, style.shadowDx);
    EXPECT_EQ(2u, style.flags);
}

TEST_F(EarlierOptions, RecentOrderThatIsNoPermutationKeepsFileOrder)
{
    RecentFileList list = {};
    OldRecordBytes recent(16 + 272 + 2 * 256);
    recent.I16(16 + 2, 2).I16(16 + 8, 1).I16(16 + 10, 1);
    recent.Text(16 + 272, "A").Text(16 + 272 + 256, "B");
    WidenOldRecentFiles(&list, recent.bytes.data(), static_cast<DWORD>(recent.bytes.size()));
    EXPECT_EQ(2, list.count);
    EXPECT_EQ(0, list.order[0]);
    EXPECT_EQ(1, list.order[1]);
    // A count beyond the paths the record holds is cut to them.
    recent.I16(16 + 2, 4);
    WidenOldRecentFiles(&list, recent.bytes.data(), static_cast<DWORD>(recent.bytes.size()));
    EXPECT_EQ(2, list.count);
}

TEST_F(EarlierOptions, SeededMutationsOfOldRecordsStayInBounds)
{
    MakeDefaults();
    std::vector<uint8_t> options = OldOptions(3, 4122).bytes;
    options.insert(options.begin(), 16, 0);
    OldRecordBytes styles(4 + 3 * 68);
    styles.I16(0, 3).I16(2, 1);
    styles.bytes.insert(styles.bytes.begin(), 16, 0);
    OldRecordBytes recent(272 + 4 * 256);
    recent.I16(2, 4).I16(8, 3).I16(10, 2).I16(12, 1).I16(14, 0);
    recent.bytes.insert(recent.bytes.begin(), 16, 0);
    std::mt19937 random(6131);
    for (int round = 0; round < 300; ++round) {
        std::vector<uint8_t> a = options, b = styles.bytes, c = recent.bytes;
        for (std::vector<uint8_t>* bytes : {&a, &b, &c}) {
            for (int change = 0; change < 6; ++change)
                (*bytes)[16 + random() % 40] = static_cast<uint8_t>(random());
            bytes->resize(random() % (bytes->size() + 1));
        }
        WidenOldOptions(Options(), a.data(), static_cast<DWORD>(a.size()));
        WidenOldRecentFiles(RecentFiles, c.data(), static_cast<DWORD>(c.size()));
        ASSERT_GE(RecentFiles->count, 0);
        ASSERT_LE(RecentFiles->count, 4);
        for (int position = 0; position < RecentFiles->count; ++position) {
            ASSERT_GE(RecentFiles->order[position], 0);
            ASSERT_LT(RecentFiles->order[position], RecentFiles->count);
            ASSERT_LT(std::strlen(RecentFiles->paths[RecentFiles->order[position]]), 262u);
        }
        ASSERT_EQ(kErrNone, WidenOldStyles(&ColorStyles, b.data(), static_cast<DWORD>(b.size())));
        const std::vector<uint8_t> list = StylesSnapshot();
        int32_t count = 0, current = 0;
        std::memcpy(&count, list.data(), 4);
        std::memcpy(&current, list.data() + 4, 4);
        ASSERT_LE(static_cast<SIZE_T>(8 + 76 * count), GlobalSize(ColorStyles));
        ASSERT_TRUE(count == 0 || (current >= 0 && current < count));
    }
}

} // namespace
