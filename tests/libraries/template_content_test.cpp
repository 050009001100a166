// The folders the template chooser and library browser list, the keyword
// search, and the starter content the build writes next to the program.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "documents/document_records.h"
#include "documents/drawing_stream.h"
#include "libraries/keyword_search.h"
#include "libraries/library_file.h"
#include "libraries/library_names.h"
#include "libraries/library_records.h"
#include "libraries/library_thumbnail.h"
#include "libraries/template_categories.h"
#include "libraries/template_dialogs.h"
#include "starter/starter_content.h"
#include "store/record_store.h"
#include "support/test_paths.h"

namespace {

using Names = std::vector<std::string>;

void MakeFile(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file) << path;
    CloseHandle(file);
}

// root\ with categories, a library folder, a hidden and a dotted folder, and
// files of several kinds in one category.
std::string CategoryFixture()
{
    const std::string root = ScratchPath("categories") + "\\";
    CreateDirectoryA(root.c_str(), nullptr);
    for (const char* folder : {"Network", "basic", "LIBRARY", ".hidden", "notes.old", "Flowchart",
                               "Flowchart\\inner.TYT"})
        CreateDirectoryA((root + folder).c_str(), nullptr);
    for (const char* file : {"Flowchart\\Process.TYT", "Flowchart\\audit.tyt", "Flowchart\\drawing.TYR",
                             "Flowchart\\.draft.TYT", "Flowchart\\old.TYTX", "loose.TYT"})
        MakeFile(root + file);
    return root;
}

TEST(TemplateCategories, FoldersWithoutExtensionAreCategoriesAndTheirFilesTheNames)
{
    const std::string root = CategoryFixture();
    struct Case {
        const char* name;
        Names found;
        Names expected;
    };
    const Case cases[] = {
        {"chooser: no LIBRARY, sorted without case", ListCategories(root, "library"),
         {"basic", "Flowchart", "Network"}},
        {"browser root: every folder", ListCategories(root, nullptr), {"basic", "Flowchart", "LIBRARY", "Network"}},
        {"templates of a category", ListCategoryFiles(root + "Flowchart\\", kTemplateExtension), {"audit", "Process"}},
        {"libraries of a category", ListCategoryFiles(root + "Flowchart\\", kLibraryExtension), {}},
        {"a missing folder", ListCategoryFiles(root + "Missing\\", kTemplateExtension), {}},
        {"chooser: only categories holding templates",
         CategoriesHolding(root, ListCategories(root, "library"), kTemplateExtension), {"Flowchart"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, c.found) << c.name;
}

Names Words(const KeywordList& list)
{
    Names words;
    for (int i = 0; i < list.count; ++i)
        words.push_back(list.words[i]);
    return words;
}

TEST(KeywordSearch, TextSplitsIntoAtMostTenLowerCaseWords)
{
    struct Case {
        const char* text;
        Names expected;
    };
    const Case cases[] = {
        {"hub router", {"hub", "router"}},
        {"Hub,Router;LAN", {"hub", "router", "lan"}},
        {" ;,  ", {}},
        {"", {}},
        {"a b c d e f g h i j eleventh", {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}},
        {"\xC4rger NET", {"\xC4rger", "net"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, Words(SplitKeywords(c.text))) << c.text;
}

std::string StarterLibraryRoot()
{
    return BuildFolder() + "LIBRARY\\";
}

std::string FileOfPath(const std::string& path)
{
    return path.substr(path.find_last_of('\\') + 1);
}

TEST(KeywordSearch, StarterLibrariesAreFoundByTheStartOfAnyWordOfTheirSymbols)
{
    const Names categories = ListCategories(StarterLibraryRoot(), nullptr);
    struct Case {
        const char* keywords;
        Names expected;
    };
    const Case cases[] = {
        {"hub router", {"SWITCHE2.VXL", "Network Devices.VXL"}},
        {"ROUTER", {"SWITCHE2.VXL", "Network Devices.VXL"}},
        {"plotter", {"PRINTER1.VXL"}},
        {"arrow decision", {"Basic Shapes.VXL", "Flowchart.VXL"}},
        {"flow", {"Flowchart.VXL"}},
        {"etwork", {}},  // only ever inside a word
        {"", {}},
    };
    for (const Case& c : cases) {
        KeywordSearchBlock block = {};
        const int count = SearchLibrariesByKeyword(StarterLibraryRoot(), categories, c.keywords, &block);
        Names found;
        for (int i = 0; i < count; ++i)
            found.push_back(FileOfPath(block.paths[i]));
        EXPECT_EQ(c.expected, found) << c.keywords;
        EXPECT_EQ(1, block.searched) << c.keywords;
    }
}

TEST(StarterContent, LibrariesReadBackWithEveryNamedSymbolAndAThumbnail)
{
    for (const StarterLibrary& library : StarterLibraries()) {
        const std::string path =
            StarterLibraryRoot() + library.category + "\\" + library.file + "." + kLibraryExtension;
        OpenedLibrary opened;
        ASSERT_EQ(kErrNone, OpenLibraryStore(path.c_str(), &opened)) << path;
        const auto* header = RecordPayload<LibraryHeader>(GlobalLock(opened.header));
        ASSERT_NE(nullptr, header);
        EXPECT_EQ(static_cast<int>(library.symbols.size()), header->symbolCount) << path;
        for (int i = 0; i < header->symbolCount; ++i) {
            char text[kSymbolTextSize] = "";
            EXPECT_EQ(kErrNone, ReadSymbolText(opened.store, header->items[i].symbolId, text, sizeof(text)));
            EXPECT_STREQ(library.symbols[static_cast<size_t>(i)].text, text) << path;
            EXPECT_GT(header->items[i].preferredWidth, 0) << text;
        }
        GlobalUnlock(opened.header);
        RecordHandle thumbnail = nullptr;
        EXPECT_EQ(kErrNone, FindRecord(opened.store, kLibraryInfoGroup, kLibraryThumbnailId, &thumbnail)) << path;
        EXPECT_EQ(kErrNone, CloseStore(opened.store));
    }
}

TEST(StarterContent, TemplatesAreDrawingsAndTheDrawnOnesKeepAPreview)
{
    for (const StarterTemplate& drawing : StarterTemplates()) {
        const std::string folder = drawing.category ? BuildFolder() + drawing.category + "\\" : BuildFolder();
        const std::string path = folder + drawing.file + "." + kTemplateExtension;
        EXPECT_EQ(1, CheckDrawingFile(path.c_str(), nullptr)) << path;
        HGLOBAL preview = LoadTemplatePreview(path.c_str());
        EXPECT_EQ(!drawing.parts.empty(), preview != nullptr) << path;
        if (preview)
            GlobalFree(preview);
    }
}

// A template of the earlier format: a record store whose record (100,107)
// holds the preview picture.
TEST(TemplatePreview, EarlierFormatTemplateShowsItsStoredPreview)
{
    const std::string path = ScratchPath("earlier.tyt");
    DeleteFileA(path.c_str());
    const std::vector<uint8_t> picture = {'B', 'I', 'T', 'S', 1, 2, 3, 4, 5, 6, 7, 8};
    const short kPreviewGroup = 100;
    const short kPreviewId = 107;
    ASSERT_EQ(kErrNone, CreateStoreFile(path.c_str(), 0, kStoreShift, kLibraryMapCapacity));
    int store = -1;
    int secondWord = 0;
    ASSERT_EQ(kErrNone, OpenStoreByName(path.c_str(), &store, 0, &secondWord, FALSE));
    RecordHandle record = nullptr;
    ASSERT_EQ(kErrNone, CreateGroup(store, kPreviewGroup));
    ASSERT_EQ(kErrNone, CreateRecord(store, kPreviewGroup, kPreviewId,
                                     static_cast<DWORD>(picture.size()) + kRecordHeaderBytes, &record));
    std::copy(picture.begin(), picture.end(), static_cast<uint8_t*>(GlobalLock(record)) + kRecordHeaderBytes);
    GlobalUnlock(record);
    ASSERT_EQ(kErrNone, SetRecordDirty(record));
    ASSERT_EQ(kErrNone, CloseStore(store));

    HGLOBAL preview = LoadTemplatePreview(path.c_str());
    ASSERT_NE(nullptr, preview);
    const auto* bytes = static_cast<const uint8_t*>(GlobalLock(preview));
    EXPECT_EQ(picture, std::vector<uint8_t>(bytes, bytes + picture.size()));
    GlobalUnlock(preview);
    GlobalFree(preview);
    EXPECT_EQ(nullptr, LoadTemplatePreview(ScratchPath("missing.tyt").c_str())) << "no file, no preview";
}

HGLOBAL WhiteDib(SIZE size)
{
    const LONG stride = (size.cx * 3 + 3) & ~3;
    HGLOBAL dib = GlobalAlloc(GHND, sizeof(BITMAPINFOHEADER) + static_cast<size_t>(stride) * size.cy);
    auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(dib));
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = size.cx;
    header->biHeight = size.cy;
    header->biPlanes = 1;
    header->biBitCount = 24;
    header->biCompression = BI_RGB;
    std::fill_n(reinterpret_cast<uint8_t*>(header + 1), static_cast<size_t>(stride) * size.cy, 0xFF);
    GlobalUnlock(dib);
    return dib;
}

// The preview is drawn at most at its own size, centred inside its frame, and
// the thumbnail's cells follow it so that the tips name the right symbol.
TEST(TemplatePreview, ScaledDownPreviewStaysInsideItsFrameAndItsCellsFollow)
{
    struct Case {
        const char* name;
        SIZE picture;
        RECT expectedGrid;
        RECT expectedCell;  // the first cell, 40 x 30 pixels in the picture
    };
    const SIZE client = {204, 170};
    const Case cases[] = {
        {"smaller: its own size, centred", {148, 111}, {28, 29, 176, 141}, {28, 29, 68, 59}},
        {"larger: scaled down inside the frame", {400, 300}, {2, 10, 202, 160}, {2, 10, 22, 25}},
    };
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.cx, client.cy);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    for (const Case& c : cases) {
        BrowserPreview = WhiteDib(c.picture);
        ThumbnailCells = GlobalAlloc(GHND, sizeof(ThumbnailCellTable));
        auto* table = static_cast<ThumbnailCellTable*>(GlobalLock(ThumbnailCells));
        table->count = 1;
        table->grid = {0, 0, c.picture.cx, c.picture.cy};
        table->cells[0].rect = {0, 0, 40, 30};
        GlobalUnlock(ThumbnailCells);

        RECT rect = {0, 0, client.cx, client.cy};
        DrawTemplateSample(dc, &rect);
        DrawTemplateSample(dc, &rect);  // painting again changes nothing

        table = static_cast<ThumbnailCellTable*>(GlobalLock(ThumbnailCells));
        EXPECT_TRUE(EqualRect(&c.expectedGrid, &table->grid)) << c.name << ": grid " << table->grid.left << ","
                                                             << table->grid.top << "," << table->grid.right << ","
                                                             << table->grid.bottom;
        EXPECT_TRUE(EqualRect(&c.expectedCell, &table->cells[0].rect)) << c.name;
        GlobalUnlock(ThumbnailCells);
        EXPECT_EQ(0, HitTestThumbnailCell(c.expectedCell.left + 1, c.expectedCell.top + 1)) << c.name;
        EXPECT_EQ(-1, HitTestThumbnailCell(c.expectedCell.right + 1, c.expectedCell.top + 1)) << c.name;

        GlobalFree(ThumbnailCells);
        ThumbnailCells = nullptr;
        GlobalFree(BrowserPreview);
        BrowserPreview = nullptr;
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

} // namespace
