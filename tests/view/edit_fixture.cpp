#include "edit_fixture.h"

#include <cstring>

#include "common/io_seam.h"
#include "common/mapping.h"
#include "objects/app_options.h"
#include "objects/view_record.h"
#include "objects/drawing_records.h"
#include "objects/drawing_tables.h"
#include "objects/groups.h"
#include "objects/object_create.h"
#include "store/record_store.h"
#include "support/test_paths.h"
#include "objects/document_undo.h"
#include "view/tool_palette.h"
#include "view/tracking_state.h"
#include "view/view_mouse.h"
#include "objects/view_record_word.h"

namespace {

const char* kViewClass = "TessaryEditTestView";
const int kDrawingSize = 20000;

void RegisterViewClass()
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSA windowClass = {};
    windowClass.style = CS_OWNDC;
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

void WriteSlot(std::vector<unsigned char>& bytes, int slot, int width, int height, int kind, int type)
{
    int at = kOptionsToolbarSlots + kToolbarSlotSize * slot;
    WriteInt(bytes, at, width);
    WriteInt(bytes, at + 4, height);
    WriteInt(bytes, at + 8, kind);
    WriteInt(bytes, at + 12, type);
}

} // namespace

void EditFixture::SetUp()
{
    options_.assign(kOptionsMinimumSize, 0);
    WriteInt(options_, kOptionsNewObjectDefaults + 0, 12);
    WriteInt(options_, kOptionsNewObjectDefaults + 4, 12);
    WriteInt(options_, kOptionsNewObjectDefaults + 8, 10);
    WriteInt(options_, kOptionsNewObjectDefaults + 16, 6);
    WriteInt(options_, kOptionsNewObjectDefaults + 20, 6);
    // Ruler: inches, 100 hundredths per major division, 12 subdivisions.
    WriteInt(options_, kOptionsRulerScale + 0, 1);
    WriteInt(options_, kOptionsRulerScale + 4, 1);
    double major = 100.0;
    std::memcpy(options_.data() + kOptionsRulerScale + 8, &major, sizeof(major));
    WriteInt(options_, kOptionsRulerScale + 16, 12);
    // Slot 0 the straight line, slot 4 the rectangle tool, slot 5 the oval.
    WriteSlot(options_, 0, 1200, 600, 1, 0);
    WriteSlot(options_, 4, 1200, 600, 0, 2);
    WriteSlot(options_, 5, 900, 600, 0, 4);
    AppOptions = options_.data();

    styles_ = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, kColorStyleListHead + 2 * sizeof(ColorStyle));
    auto* list = static_cast<unsigned char*>(GlobalLock(styles_));
    int32_t head[2] = {2, 1};
    std::memcpy(list, head, sizeof(head));
    ColorStyle style = {};
    style.fillColor = 0xFFFFFF;
    style.backgroundColor = 0xFFFFFFFF;
    style.highlightColor = 0xFFFFFF;
    std::strcpy(style.name, "Plain");
    std::memcpy(list + kColorStyleListHead + sizeof(ColorStyle), &style, sizeof(style));
    GlobalUnlock(styles_);
    ColorStyles = styles_;

    path_ = ScratchPath("edit.tmp");
    ASSERT_EQ(0, CreateStoreFile(path_.c_str(), 0, kStoreShift, kDocumentMapCapacity));
    int second = 0;
    ASSERT_EQ(0, OpenStoreByName(path_.c_str(), &store_, 0, &second, FALSE));
    ASSERT_EQ(0, CreateGroup(store_, kDrawingGroup));
    for (short group = 110; group <= 120; ++group)
        ASSERT_EQ(0, CreateGroup(store_, group));
    RecordHandle record = nullptr;
    ASSERT_EQ(0, CreateRecord(store_, kDrawingGroup, kDrawingRecordId, kDrawingRecordSize, &record));
    ReleaseRecord(record);
    ASSERT_EQ(0, CreateRecord(store_, kDrawingGroup, 101, kViewRecordSize + 16, &record));
    ReleaseRecord(record);

    RegisterViewClass();
    view_ = CreateWindowA(kViewClass, "view", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr, GetModuleHandleA(nullptr),
                          nullptr);
    ASSERT_NE(nullptr, view_);
    HDC dc = GetDC(view_);
    SetZoomMapMode(dc, 0, 600);
    ReleaseDC(view_, dc);
    viewRecord_ = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, kViewRecordSize);
    SetViewRecordHandle(view_, viewRecord_);
    WriteViewField(ViewRecord(), kViewStoreSlot, store_);
    WriteViewField(ViewRecord(), kViewDrawingWidth, kDrawingSize);
    WriteViewField(ViewRecord(), kViewDrawingHeight, kDrawingSize);

    HGLOBAL drawing = nullptr;
    ASSERT_EQ(0, CreateDrawingRecords(view_, store_, 0, kDrawingSize, kDrawingSize, 0, &drawing));
    SetViewDrawingHandle(ViewRecord(), drawing);
    Drawing()->flags &= ~kDrawingSnap;
    CurrentPaletteTool = kToolSelect;
    PaletteSticky = FALSE;
    TrackingMode = kTrackingNone;
}

void EditFixture::TearDown()
{
    CancelTracking(view_);
    TrackingMode = kTrackingNone;
    CurrentPaletteTool = kToolSelect;
    PaletteSticky = FALSE;
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

void* EditFixture::ViewRecord()
{
    void* pointer = GlobalLock(viewRecord_);
    GlobalUnlock(viewRecord_);
    return pointer;
}

HGLOBAL EditFixture::DrawingHandle()
{
    return GetViewDrawingHandle(ViewRecord());
}

DrawingRecord* EditFixture::Drawing()
{
    HGLOBAL handle = DrawingHandle();
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

void* EditFixture::Objects() { return TablePointer(Drawing(), kTableObjects); }
void* EditFixture::Groups() { return TablePointer(Drawing(), kTableGroups); }
DrawingObject* EditFixture::Object(int index) { return ObjectAt(Objects(), index); }
int EditFixture::Count() { return TableCount(Objects()); }

ErrorCode EditFixture::Create(RECT frame, int type, int select, int insideStep)
{
    return CreateObject(view_, kKindShape, &frame, type, 0, 0, 0, insideStep, 0, select);
}

void EditFixture::Group(std::initializer_list<int> indices)
{
    DrawingRecord* drawing = Drawing();
    ASSERT_EQ(0, ResizeDrawingTable(drawing, kTableGroups, kTableHeadSize + kGroupEntrySize));
    void* groups = Groups();
    static_cast<TableHead*>(groups)->count = 1;
    GroupEntry* row = GroupEntryAt(groups, 0);
    *row = GroupEntry{};
    row->key = 7;
    row->memberCount = static_cast<int32_t>(indices.size());
    RECT bounds = {0, 0, 0, 0};
    bool first = true;
    for (int index : indices) {
        DrawingObject* object = Object(index);
        object->groupKey = 7;
        object->groupIndex = 0;
        if (first)
            bounds = object->bounds;
        else
            UnionRect(&bounds, &bounds, &object->bounds);
        first = false;
    }
    row->bounds = row->frame = row->groupingFrame = bounds;
    row->scaleX = row->scaleY = 1.0;
}

void EditFixture::Press(int x, int y, WPARAM keys)
{
    ViewButtonDown(view_, keys | MK_LBUTTON, POINT{x, y}, FALSE);
}

void EditFixture::Drag(int x, int y, WPARAM keys)
{
    ViewMouseMove(view_, keys, POINT{x, y});
}

void EditFixture::Release(int x, int y, WPARAM keys)
{
    ViewButtonUp(view_, keys, POINT{x, y});
}

void EditFixture::DragFromTo(POINT from, POINT to, WPARAM keys, int steps)
{
    Press(from.x, from.y, keys);
    for (int i = 1; i <= steps; ++i)
        Drag(from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps, keys | MK_LBUTTON);
    Release(to.x, to.y, keys);
}

int EditFixture::UndoKind()
{
    return GetDocumentUndoKind(view_, nullptr);
}

int EditFixture::UndoTextId()
{
    return GetUndoMenuTextId(view_);
}
