#include "drawing_fixture.h"

#include <cstring>

#include "common/io_seam.h"
#include "objects/app_options.h"
#include "objects/view_record.h"
#include "objects/drawing_records.h"
#include "objects/drawing_tables.h"
#include "objects/object_create.h"
#include "store/record_store.h"
#include "support/test_paths.h"
#include "objects/view_record_word.h"

namespace {

const char* kViewClass = "TessaryObjectsTestView";

void RegisterViewClass()
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kViewClass;
    windowClass.cbWndExtra = kViewWindowBytes;
    registered = RegisterClassA(&windowClass) != 0;
}

void WriteInt(std::vector<unsigned char>& bytes, int offset, int32_t value)
{
    std::memcpy(bytes.data() + offset, &value, sizeof(value));
}

} // namespace

void DrawingFixture::SetUp()
{
    // Options: outline and line width 12, text size 10, alignment codes 6.
    options_.assign(kOptionsMinimumSize, 0);
    WriteInt(options_, kOptionsNewObjectDefaults + 0, 12);
    WriteInt(options_, kOptionsNewObjectDefaults + 4, 12);
    WriteInt(options_, kOptionsNewObjectDefaults + 8, 10);
    WriteInt(options_, kOptionsNewObjectDefaults + 16, 6);
    WriteInt(options_, kOptionsNewObjectDefaults + 20, 6);
    options_[kOptionsRulerScale + 4] = 1;
    AppOptions = options_.data();

    styles_ = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, kColorStyleListHead + 2 * sizeof(ColorStyle));
    auto* list = static_cast<unsigned char*>(GlobalLock(styles_));
    int32_t head[2] = {2, 1};
    std::memcpy(list, head, sizeof(head));
    ColorStyle style = {};
    style.borderColor = 0x000000;
    style.lineColor = 0x000000;
    style.fillColor = 0xFFFFFF;
    style.backgroundColor = 0xFFFFFFFF;
    style.highlightColor = 0xFFFFFF;
    std::strcpy(style.name, "Plain");
    std::memcpy(list + kColorStyleListHead + sizeof(ColorStyle), &style, sizeof(style));
    GlobalUnlock(styles_);
    ColorStyles = styles_;

    path_ = ScratchPath("drawing.tmp");
    ASSERT_EQ(0, CreateStoreFile(path_.c_str(), 0, kStoreShift, kDocumentMapCapacity));
    int second = 0;
    ASSERT_EQ(0, OpenStoreByName(path_.c_str(), &store_, 0, &second, FALSE));
    ASSERT_EQ(0, CreateGroup(store_, kDrawingGroup));
    for (short group = 110; group <= 120; ++group)
        ASSERT_EQ(0, CreateGroup(store_, group));
    RecordHandle record = nullptr;
    ASSERT_EQ(0, CreateRecord(store_, kDrawingGroup, kDrawingRecordId, kDrawingRecordSize, &record));
    ReleaseRecord(record);
    ASSERT_EQ(0, CreateRecord(store_, kDrawingGroup, 101, 512, &record));
    ReleaseRecord(record);

    RegisterViewClass();
    view_ = CreateWindowA(kViewClass, "view", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                          GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, view_);
    viewRecord_ = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 512);
    SetViewRecordHandle(view_, viewRecord_);
    WriteViewField(ViewRecord(), kViewStoreSlot, store_);

    HGLOBAL drawing = nullptr;
    ASSERT_EQ(0, CreateDrawingRecords(view_, store_, 0, 20000, 20000, 0, &drawing));
    SetViewDrawingHandle(ViewRecord(), drawing);
}

void DrawingFixture::TearDown()
{
    if (viewRecord_) {
        ReleaseDrawingRecords(GetViewDrawingHandle(ViewRecord()));
        SetViewDrawingHandle(ViewRecord(), nullptr);
    }
    if (store_ >= 0)
        DiscardError(CloseOrAbandonStore(store_), "a test that needs a clean close checks it itself");
    if (!path_.empty())
        DeleteFileA(path_.c_str());
    if (view_)
        DestroyWindow(view_);
    if (viewRecord_)
        GlobalFree(viewRecord_);
    AppOptions = nullptr;
    ColorStyles = nullptr;
    if (styles_)
        GlobalFree(styles_);
}

void* DrawingFixture::ViewRecord()
{
    void* pointer = GlobalLock(viewRecord_);
    GlobalUnlock(viewRecord_);
    return pointer;
}

DrawingRecord* DrawingFixture::Drawing()
{
    HGLOBAL handle = GetViewDrawingHandle(ViewRecord());
    if (!handle)
        return nullptr;
    void* pointer = GlobalLock(handle);
    GlobalUnlock(handle);
    return static_cast<DrawingRecord*>(pointer);
}

namespace {

void* TablePointer(DrawingRecord* drawing, DrawingTableId table)
{
    HGLOBAL handle = drawing ? DrawingTableHandle(drawing, table) : nullptr;
    if (!handle)
        return nullptr;
    void* pointer = GlobalLock(handle);
    GlobalUnlock(handle);
    return pointer;
}

} // namespace

void* DrawingFixture::Objects() { return TablePointer(Drawing(), kTableObjects); }
void* DrawingFixture::Order() { return TablePointer(Drawing(), kTableDrawOrder); }
void* DrawingFixture::Links() { return TablePointer(Drawing(), kTableLinks); }
void* DrawingFixture::Groups() { return TablePointer(Drawing(), kTableGroups); }

DrawingObject* DrawingFixture::Object(int index)
{
    return ObjectAt(Objects(), index);
}

int DrawingFixture::Count()
{
    return TableCount(Objects());
}

std::vector<int> DrawingFixture::DrawOrder()
{
    void* order = Order();
    return std::vector<int>(DrawOrderEntries(order), DrawOrderEntries(order) + TableCount(order));
}

DWORD DrawingFixture::RecordSize(int table)
{
    return QueryRecordSize(DrawingTableHandle(Drawing(), static_cast<DrawingTableId>(table)));
}

ErrorCode DrawingFixture::Create(RECT frame, int type, int select, int insideStep, int report)
{
    return CreateObject(view_, kKindShape, &frame, type, 0, 0, report, insideStep, 0, select);
}

void DrawingFixture::CreateRow(int n)
{
    for (int i = 0; i < n; ++i) {
        RECT frame = {1000 + 700 * i, 1000, 1600 + 700 * i, 1300};
        ASSERT_EQ(0, Create(frame, 2, 0, 1));
    }
}

void DrawingFixture::SelectOnly(std::initializer_list<int> indices)
{
    DrawingRecord* drawing = Drawing();
    for (int i = 0; i < Count(); ++i)
        Object(i)->stateFlags &= ~kStateSelected;
    drawing->selectedCount = 0;
    drawing->primarySelected = -1;
    for (int index : indices) {
        Object(index)->stateFlags |= kStateSelected;
        ++drawing->selectedCount;
        if (drawing->primarySelected < 0)
            drawing->primarySelected = index;
    }
}

void DrawingFixture::SetTableCount(int table, int count)
{
    static const int sizes[4] = {kObjectEntrySize, 4, kLinkEntrySize, kGroupEntrySize};
    DrawingRecord* drawing = Drawing();
    DrawingTableId id = static_cast<DrawingTableId>(table);
    ASSERT_EQ(0, ResizeDrawingTable(drawing, id, kTableHeadSize + sizes[table] * static_cast<DWORD>(count)));
    static_cast<TableHead*>(TablePointer(drawing, id))->count = count;
}
