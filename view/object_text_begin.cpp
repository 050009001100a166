#include "view/object_text_edit.h"

#include <cstring>

#include "common/mapping.h"
#include "objects/view_record.h"
#include "objects/drawing_edits.h"
#include "objects/drawing_layout.h"
#include "objects/drawing_tables.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/point_transforms.h"
#include "objects/shadow_extent.h"
#include "objects/shape_frames.h"
#include "store/record_store.h"
#include "text/document_fonts.h"
#include "text/font_list.h"
#include "text/object_text_helpers.h"
#include "text/object_text_layout.h"
#include "text/ten_messages.h"
#include "text/ten_startup.h"
#include "text/text_alignment.h"
#include "text/text_background.h"
#include "objects/text_block_store.h"
#include "objects/text_sizing.h"
#include "objects/document_undo.h"
#include "view/edit_operations.h"
#include "view/selection_access.h"
#include "view/selection_changes.h"
#include "view/tool_palette.h"
#include "objects/view_record_word.h"
#include "view/view_zoom.h"

namespace {

const int kSelectTool = 108;
// A new text's first box, and its margin on every side.
const int kNewTextWidth = 60;
const int kNewTextMargin = 24;
// The editor grows by this much at a time.
const int kEditorGrowthStep = 36;
const int kEditorRoleObjectText = 1;
const int kCreateWithFonts = 2;
// Created out of sight, then moved over its box.
const int kOffScreen = -30000;
// A label's reference: its index in the high word, its id in the low.
const int kLabelReferenceIndexStep = 65536;
const int kLabelReferenceIdMask = 0xFFFF;
// Loading a text keeps the editor's owner; selecting to this end takes all.
const WPARAM kSetTextKeepsOwner = 2;
const WPARAM kSelectWholeText = 2;
const int kWholeTextEnd = 32000;

struct DefaultFormat {
    int face;
    int size;
    int style;
    COLORREF color;
    COLORREF background;
};

struct BoxPlan {
    RECT box;
    RECT margins;
    int minimumWidth = 30;
    int minimumHeight = 0;
    int stateFlags = 0;
    int options = 0;
    int owner = -1;
    int horizontal = 0;
    int vertical = 0;
    int labelReference = -1;
    bool placeholder = false;
    bool ownerLocked = false;  // a locked object's text is not edited
    bool repaintWhole = false;
    RecordHandle record = nullptr;
    double insets[4] = {};
    TextEffect effect = {};
};

DefaultFormat DefaultTextFormat(ViewRecord* view, DrawingRecord* drawing)
{
    DefaultFormat d = {};
    HGLOBAL list = GetViewFontList(view);
    HGLOBAL fontTable = GetViewFontTable(view);
    const LOGFONTA& font = drawing->textFont;
    int index = font.lfFaceName[0] ? FindOrAddFaceCharset(&list, font.lfFaceName, font.lfCharSet, &font) : -1;
    if (index < 0 && font.lfFaceName[0])
        index = FindOrAddFace(&list, font.lfFaceName, &font);
    if (index < 0)
        index = GetDefaultFontIndex(list);
    SetViewFontList(view, list);
    d.face = FindOrAddFontIndex(&fontTable, index < 0 ? 0 : index);
    SetViewFontTable(view, fontTable);
    if (d.face < 0)
        d.face = 0;
    d.size = drawing->textSize > 0 ? drawing->textSize : 12;
    d.style = static_cast<int>(drawing->textStyle);
    d.color = drawing->style.textColor;
    d.background = drawing->style.backgroundColor == CLR_INVALID ? RGB(255, 255, 255) : drawing->style.backgroundColor;
    return d;
}

// Ascent and height of the default format at 600 units per inch.
bool DefaultMetrics(ViewRecord* view, const DefaultFormat& d, int* ascent, int* height)
{
    HFONT font = GetCachedDocumentFont(GetViewFontList(view), GetViewFontTable(view), d.face, d.size, d.style, 0, 0, 600);
    HDC dc = GetViewMeasuringDC(view);
    if (!font || !dc)
        return false;
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old ? old : GetStockObject(SYSTEM_FONT));
    *ascent = metrics.tmAscent;
    *height = metrics.tmHeight;
    return true;
}

// Where a new guest's first baseline goes for a host without one.
ErrorCode PlaceNewGuest(ViewRecord* view, DrawingRecord* drawing, void* table, int host, const DefaultFormat& d,
                        BoxPlan* plan, int* x, int* y)
{
    const DrawingObject host0 = *ObjectAt(table, host);
    int ascent = 0;
    int height = 0;
    *x = (host0.frame.left + host0.frame.right) / 2 - 30;
    if (!DefaultMetrics(view, d, &ascent, &height))
        return kErrNoMemory;
    POINT point = {*x, host0.frame.top};
    if (host0.textRoleFlags & kCaptionBelow) {
        point.y = host0.frame.bottom;
        plan->horizontal = 6;
        plan->vertical = 0;
    } else if (host0.textRoleFlags & kTextAlongLine) {
        int code = 0;
        int boxPoint = 0;
        AnchorCode(plan->horizontal, plan->vertical, &code, &boxPoint);
        point = POINT{boxPoint, boxPoint};
        CallObjectKind(nullptr, drawing, table, host, kMsgMapBoxPoints, 1, code, reinterpret_cast<INT_PTR>(&point));
        if (plan->horizontal == 2)
            point.x -= 60;
        else if (plan->horizontal == 6)
            point.x -= 30;
    } else {
        plan->horizontal = 6;
        plan->vertical = 8;
    }
    if (host0.rotation != 0)
        RotatePoints(&host0.frame, host0.rotation, &point, 1);
    if (host0.textRoleFlags & kTextAlongLine) {
        if (plan->vertical == 0)
            point.y -= height - ascent;
        else if (plan->vertical == 8)
            point.y += ascent;
        else
            point.y += ascent - height / 2;
    } else if (host0.textRoleFlags & kCaptionBelow) {
        point.y += ascent;
    } else {
        point.y -= height - ascent;
    }
    *x = point.x;
    *y = point.y;
    return kErrNone;
}

// The box of an object's own text, and its record.
ErrorCode PlanExisting(ViewRecord* view, DrawingRecord* drawing, void* table, int index, BoxPlan* plan,
                       DefaultFormat* d)
{
    DrawingObject* object = ObjectAt(table, index);
    plan->stateFlags = kTenFitHeight;
    if (object->kind == kKindShape && object->dataGroup > 0 && object->dataFirstId >= 0)
        plan->stateFlags |= kTenRepaintWholeBox;
    if (object->textBoxWord == kTextSizingFitsLines) {
        plan->stateFlags |= kTenFitWidth;
        plan->options = 0;
    } else if (object->textBoxWord == kTextSizingFitsHeight) {
        plan->options = kTenWordWrap;
    } else {
        plan->stateFlags |= kTenAskBeforeGrowing;
        plan->options = kTenWordWrap;
    }
    if (object->fillMode != 0)
        d->background = object->fillColor;
    if (object->textRecordId < 0)
        ComputeTextFrame(object);
    plan->minimumHeight = object->height;
    plan->minimumWidth = object->width;
    if (object->rotation != 0) {
        InvalidateLogicalRect(WordToHandle<HWND>(static_cast<int32_t>(drawing->viewWindow)), &object->bounds);
        view->flags |= kViewRepaintBuffered;
        plan->stateFlags |= kTenOwnerRotated;
        plan->repaintWhole = true;
    }
    if (object->fillMode > 1)
        plan->repaintWhole = true;
    plan->box = object->frame;
    if (ObjectHasShadow(drawing, object)) {
        RECT extent = {};
        GetShadowExtent(drawing, &extent, 0);
        plan->box.left -= extent.left;
        plan->box.top -= extent.top;
        plan->box.right += extent.right;
        plan->box.bottom += extent.bottom;
        plan->minimumHeight += extent.top + extent.bottom;
        plan->minimumWidth += extent.left + extent.right;
        plan->stateFlags |= kTenOwnerHasShadow;
    }
    plan->margins = RECT{object->textFrame.left - plan->box.left, object->textFrame.top - plan->box.top,
                         plan->box.right - object->textFrame.right, plan->box.bottom - object->textFrame.bottom};
    if (object->rotation != 0) {
        if (plan->box.left < 0)
            OffsetRect(&plan->box, -plan->box.left, 0);
        if (plan->box.right > drawing->width - 20)
            OffsetRect(&plan->box, drawing->width - 20 - plan->box.right, 0);
    }
    if (object->textRecordId >= 0 && object->textRecordId <= 32767) {
        ErrorCode code =
            FindRecord(drawing->storeSlot, kTextGroup, static_cast<short>(object->textRecordId), &plan->record);
        if (code != kErrNone)
            return code;
        const DWORD size = QueryRecordSize(plan->record);
        auto* bytes = static_cast<unsigned char*>(GlobalLock(plan->record));
        if (bytes && size > kTextRecordHeaderBytes &&
            IsTextBlockSound(bytes + kTextRecordHeaderBytes, size - kTextRecordHeaderBytes)) {
            auto* header = reinterpret_cast<TextBlockHeader*>(bytes + kTextRecordHeaderBytes);
            header->ownerObjectIndex = index;
            if (header->paragraphCount > 0) {
                auto* paragraphs = reinterpret_cast<TextParagraph*>(bytes + kTextRecordHeaderBytes +
                                                                    TextBlockParagraphsOffset(*header));
                paragraphs[0].alignment = object->textAlignment;
            }
            header->options = (header->options & ~static_cast<uint32_t>(kTenWordWrap)) |
                              (static_cast<uint32_t>(plan->options) & kTenWordWrap);
            char placeholder[64] = {};
            const int length = LoadStringA(GetModuleHandleA(nullptr), kPlaceholderString, placeholder,
                                           sizeof(placeholder));
            const char* text = reinterpret_cast<const char*>(bytes + kTextRecordHeaderBytes +
                                                             TextBlockTextOffset(*header));
            plan->placeholder = length > 0 && header->textLength == length &&
                                CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, text, length, placeholder,
                                               length) == CSTR_EQUAL;
        }
        if (bytes)
            GlobalUnlock(plan->record);
    }
    plan->owner = index;
    object->stateFlags |= kStateTextOpen;
    return kErrNone;
}

// The box in the view's client pixels and the click as a size from its
// corner, through the view's own DC, which carries the live zoom and scroll.
// That DC is the view's for good: its mapping is read, never set, here.
void ToViewPixels(HWND view, RECT* box, POINT* click)
{
    ViewDrawingDC viewDC(view);
    HDC dc = viewDC.dc();
    if (!dc)
        return;
    LPtoDP(dc, reinterpret_cast<POINT*>(box), 2);
    SIZE size = {click->x, click->y};
    LogicalToDeviceSize(dc, &size);
    *click = POINT{size.cx, size.cy};
}

// The drawing and its object table, locked while an editor is set up.
class LockedDrawing {
public:
    explicit LockedDrawing(HGLOBAL drawingHandle) : drawingHandle_(drawingHandle)
    {
        drawing = drawingHandle ? static_cast<DrawingRecord*>(GlobalLock(drawingHandle)) : nullptr;
        tableHandle_ = drawing ? DrawingTableHandle(drawing, kTableObjects) : nullptr;
        table = tableHandle_ ? GlobalLock(tableHandle_) : nullptr;
    }
    ~LockedDrawing() { Release(); }
    LockedDrawing(const LockedDrawing&) = delete;
    LockedDrawing& operator=(const LockedDrawing&) = delete;
    void Release()
    {
        if (table)
            GlobalUnlock(tableHandle_);
        if (drawing)
            GlobalUnlock(drawingHandle_);
        table = nullptr;
        drawing = nullptr;
    }

    DrawingRecord* drawing = nullptr;
    void* table = nullptr;

private:
    HGLOBAL drawingHandle_;
    HGLOBAL tableHandle_ = nullptr;
};

// A new text of its own at the click: a small box around the first line.
ErrorCode PlanNewText(ViewRecord* view, const DefaultFormat& d, POINT at, BoxPlan* plan)
{
    int ascent = 0;
    int height = 0;
    if (!DefaultMetrics(view, d, &ascent, &height))
        return kErrNoMemory;
    plan->box = RECT{at.x, at.y - ascent, at.x + kNewTextWidth, at.y + height - ascent};
    InflateRect(&plan->box, kNewTextMargin, kNewTextMargin);
    plan->margins = RECT{kNewTextMargin, kNewTextMargin, kNewTextMargin, kNewTextMargin};
    plan->stateFlags = kTenFitHeight | kTenFitWidth;
    plan->options = 0;
    if (plan->labelReference < 0)
        plan->horizontal = kTextAlignLeft;
    std::memset(plan->insets, 0, sizeof(plan->insets));
    return kErrNone;
}

// The editor's box for object `index` (or a new text when it is -1); a
// label's text goes to its holder, or to a new guest placed by its host.
ErrorCode PlanTextBox(ViewRecord* view, DrawingRecord* drawing, void* table, int index, POINT* at, BoxPlan* plan,
                      DefaultFormat* d)
{
    if (index >= 0) {
        const DrawingObject* object = ObjectAt(table, index);
        if (object->stateFlags & kStateLocked) {
            plan->ownerLocked = true;
            return kErrNone;
        }
        plan->horizontal = object->textAlignment;
        plan->vertical = object->textPlacement;
        plan->effect = ObjectTextEffect(drawing, object);
        std::memcpy(plan->insets, object->textInsetFractions, sizeof(plan->insets));
        if (object->textRoleFlags & kGuestTextFlags && !(object->optionFlags & kOptionOwnText)) {
            plan->labelReference = index * kLabelReferenceIndexStep + (object->objectId & kLabelReferenceIdMask);
            const int host = index;
            index = FindTextHolder(table, index);
            if (index < 0) {
                int x = at->x;
                int y = at->y;
                const ErrorCode code = PlaceNewGuest(view, drawing, table, host, *d, plan, &x, &y);
                if (code != kErrNone)
                    return code;
                *at = POINT{x, y};
            }
        }
    }
    if (index < 0)
        return PlanNewText(view, *d, *at, plan);
    return PlanExisting(view, drawing, table, index, plan, d);
}

TenCreateParams EditorParams(ViewRecord* view, const BoxPlan& plan, const DefaultFormat& d, int zoom)
{
    TenCreateParams p = {};
    p.fontList = GetViewFontList(view);
    p.fontTable = GetViewFontTable(view);
    p.originX = plan.box.left;
    p.originY = plan.box.top;
    p.maximumWidth = view->drawingWidth;
    p.maximumHeight = view->drawingHeight;
    p.minimumHeight = plan.minimumHeight;
    p.minimumWidth = plan.minimumWidth;
    p.heightStep = kEditorGrowthStep;
    p.widthStep = kEditorGrowthStep;
    p.margins = plan.margins;
    p.zoom = zoom;
    p.backgroundCallback = VOR_EDAZovu;
    p.face = d.face;
    p.size = d.size;
    p.style = d.style;
    p.color = d.color;
    p.backgroundColor = d.background;
    p.alignment = plan.horizontal;
    p.editorRole = kEditorRoleObjectText;
    p.ownerObjectIndex = plan.owner;
    p.options = plan.options;
    p.stateFlags = plan.stateFlags;
    p.creationFlags = kCreateWithFonts;
    p.measuringDC = GetViewMeasuringDC(view);
    p.labelReference = plan.labelReference;
    p.unitsPerInch = kDrawingUnitsPerInch;
    p.verticalAlignment = plan.vertical;
    p.palette = WordToHandle<HPALETTE>(view->palette);
    p.ownerFrame = plan.box;
    p.effect = plan.effect;
    std::memcpy(p.textInsets, plan.insets, sizeof(p.textInsets));
    return p;
}

// A damaged stored text is not loaded: the editor opens empty.
ErrorCode LoadStoredText(HWND editor, RecordHandle record)
{
    ErrorCode code = kErrNone;
    const DWORD size = QueryRecordSize(record);
    auto* bytes = static_cast<unsigned char*>(GlobalLock(record));
    if (bytes && size > kTextRecordHeaderBytes &&
        IsTextBlockSound(bytes + kTextRecordHeaderBytes, size - kTextRecordHeaderBytes))
        code = static_cast<ErrorCode>(SendMessageA(editor, TENM_SETTEXTBLOCK, kSetTextKeepsOwner,
                                                   reinterpret_cast<LPARAM>(bytes + kTextRecordHeaderBytes)));
    if (bytes)
        GlobalUnlock(record);
    return code;
}

// The editor over its box, loaded with the stored text, with the click that
// opened it passed on to place the caret.
ErrorCode OpenEditorWindow(HWND view, ViewRecord* viewRecord, const BoxPlan& plan, TenCreateParams* params,
                           POINT at, int quiet, HWND* editorOut)
{
    POINT click = {at.x - plan.box.left, at.y - plan.box.top};
    RECT device = plan.box;
    ToViewPixels(view, &device, &click);
    HWND editor = CreateWindowExA(0, kTenClassName, nullptr, WS_CHILD, kOffScreen, kOffScreen,
                                  device.right - device.left, device.bottom - device.top, view, nullptr,
                                  GetModuleHandleA(nullptr), params);
    *editorOut = editor;
    viewRecord->textEditor = HandleToWord(editor);
    if (!editor)
        return kErrNotDone;
    if (!quiet)
        ShowWindow(editor, SW_SHOW);
    SendMessageA(editor, TENM_SETORIGIN, 0, PackTenPair(plan.box.left, plan.box.top));
    MoveWindow(editor, device.left, device.top, device.right - device.left, device.bottom - device.top, FALSE);
    SendMessageA(editor, TENM_UPDATEVISIBLE, 0, 0);
    const ErrorCode code = plan.record ? LoadStoredText(editor, plan.record) : kErrNone;
    if (code != kErrNone)
        return code;
    SendMessageA(editor, WM_LBUTTONDOWN, 0, PackTenPair(click.x, click.y));
    // Opened from the keyboard no release will come: end the press now.
    if (!(GetKeyState(VK_LBUTTON) & 0x8000))
        SendMessageA(editor, WM_LBUTTONUP, 0, PackTenPair(click.x, click.y));
    if (plan.placeholder)
        SendMessageA(editor, TENM_SETSEL, kSelectWholeText, PackTenPair(0, kWholeTextEnd));
    return kErrNone;
}

} // namespace

ErrorCode BeginObjectText(HWND view, void* viewArg, int index, int x, int y, int quiet)
{
    auto* viewRecord = static_cast<ViewRecord*>(viewArg);
    if (!view || !viewRecord)
        return kErrNotDone;
    HGLOBAL drawingHandle = GetViewDrawingHandle(viewRecord);
    if (!quiet) {
        ClearDocumentUndo(view);
        // The handles are erased too: they would show through the editor.
        if (drawingHandle)
            DeselectAllObjects(drawingHandle);
    }
    LockedDrawing locked(drawingHandle);
    if (!locked.table || index >= TableCount(locked.table))
        return kErrNotDone;
    // The stored zoom is only brought up to date when the file is saved.
    const int zoom = GetViewZoom(view, nullptr);
    DefaultFormat d = DefaultTextFormat(viewRecord, locked.drawing);
    BoxPlan plan;
    POINT at = {x, y};
    ErrorCode code = PlanTextBox(viewRecord, locked.drawing, locked.table, index, &at, &plan, &d);
    if (code != kErrNone || plan.ownerLocked) {
        if (plan.record)
            ReleaseRecord(plan.record);
        return code;
    }
    TenCreateParams params = EditorParams(viewRecord, plan, d, zoom);
    HWND editor = nullptr;
    code = OpenEditorWindow(view, viewRecord, plan, &params, at, quiet, &editor);
    if (plan.record)
        ReleaseRecord(plan.record);
    locked.Release();
    if (code != kErrNone) {
        if (editor)
            DestroyWindow(editor);
        viewRecord->textEditor = 0;
    } else if (plan.repaintWhole) {
        InvalidateRect(editor, nullptr, FALSE);
    }
    SelectPaletteTool(kSelectTool);
    return code;
}

ErrorCode BeginNewText(HWND view, int x, int y)
{
    HGLOBAL handle = GetViewRecordHandle(view);
    void* record = handle ? GlobalLock(handle) : nullptr;
    if (!record)
        return kErrNotDone;
    ErrorCode code = BeginObjectText(view, record, -1, x, y, 0);
    GlobalUnlock(handle);
    return code;
}
