// Layer 4, objects/: drawings, their objects and kinds, and per-drawing state.

// The stored layouts of a drawing: the drawing record (100,105), the object
// table (110,0), the draw order (111,0), the link table (115,0) and the group
// table (118,0). Every record starts with the store's 16-byte record header,
// which this code never interprets; offsets below count from the record start.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "objects/color_style.h"

// Record keys of a drawing.
enum DrawingRecordKeys : int {
    kDrawingGroup = 100,
    kDrawingRecordId = 105,
    kObjectTableGroup = 110,
    kDrawOrderGroup = 111,
    kBitmapPictureGroup = 112,
    kMetafilePictureGroup = 113,
    kTextGroup = 114,
    kLinkTableGroup = 115,
    kConnectorRouteGroup = 116,
    kAttachmentGroup = 117,
    kGroupTableGroup = 118,
    kFreeformGroup = 119,
    kArrayBranchGroup = 120,
};

enum ObjectKindCode : int {
    kKindShape = 0,
    kKindLine = 1,
    kKindConnector = 2,
    kKindArray = 3,
    kKindTextPainter = 4,   // slot 4 of the kind table; no object has it
    kObjectKindSlots = 5,
};

// DrawingRecord flags (+32).
enum DrawingFlags : uint32_t {
    kDrawingSnap = 0x02,
    kDrawingDragging = 0x04,
    kDrawingLinesLink = 0x08,
    kDrawingShapesLink = 0x10,
    kDrawingCentredMiddle = 0x20,
    kDrawingLineTextLevel = 0x40,
};

// DrawingObject state flags (+220).
enum ObjectStateFlags : uint32_t {
    kStateSelected = 0x0001,
    kStateTextOpen = 0x0002,
    kStateLocked = 0x0010,
    kStateSymbolConnectPoints = 0x0040,
    kStateKeepInside = 0x0080,
    kStatePictureObject = 0x0100,
    kStateTextBox = 0x0200,
    kStateRingOutline = 0x0400,
    kStateHookMarkers = 0x0800,
    kStateCollected = 0x1000,
    kStateAttached = 0x2000,
    kStateOtherDiagonal = 0x4000,
};

// DrawingObject option flags (+224).
enum ObjectOptionFlags : uint32_t {
    kOptionFrameless = 0x01,
    kOptionHideShadow = 0x02,
    kOptionHideTextShadow = 0x04,
    kOptionFlipH = 0x08,
    kOptionFlipV = 0x10,
    kOptionNoTransform = 0x20,
    kOptionBoxHookPoints = 0x40,
};

const int32_t kNoObjectId = 0xFFFF;      // the label-partner field's "none"
const int kMaxObjects = 16000;
const int kMaxLinks = 6000;

#pragma pack(push, 4)

// The head of every table record: the record header and the entry count.
struct TableHead {
    unsigned char header[16];
    int32_t count;
};

struct LinkSlot {
    int32_t targetId;
    int32_t targetHint;
    int32_t x;              // point in the target's 600 x 600 box, or a branch ordinal
    int32_t y;
    int32_t connectCode;
};

struct DrawingObject {
    int32_t kind;
    RECT bounds;
    RECT frame;
    RECT inner;
    RECT textFrame;
    int32_t kindCoordinate;
    double adjust;
    double textInsetFractions[4];   // left, top, right, bottom
    RECT textInsets;
    RECT textMargins;
    int32_t textRecordId;
    uint32_t textRoleFlags;
    int32_t textHolderWord;
    int32_t textPlacement;          // vertical placement code
    int32_t textAlignment;          // horizontal alignment code
    int32_t textBoxWord;
    int32_t sizingConstraint;
    int32_t width;
    int32_t height;
    int32_t rotation;
    int32_t lineWidth;
    int32_t lineStyle;
    int32_t fillMode;
    COLORREF fillColor;
    COLORREF lineColor;
    int32_t dataGroup;
    int32_t dataFirstId;
    int32_t dataCount;
    int32_t shapeType;
    uint32_t stateFlags;
    uint32_t optionFlags;
    int32_t objectId;
    int32_t kindWord1;
    int32_t kindWord2;
    int32_t linkCapacity;
    int32_t linkCount;
    LinkSlot links[2];
    int32_t lastHookPoint[2];
    int32_t arrowEnds;
    int32_t arrowSize;
    int32_t labelPartnerId;
    int32_t labelPartnerHint;
    int32_t lineType;
    int32_t groupKey;
    int32_t groupIndex;
    int32_t startArrow;
    int32_t endArrow;
    RECT referenceFrame;
    int32_t groupingRotation;
    uint32_t groupingStateFlags;
};

struct DrawingRecord {
    unsigned char header[16];
    uint32_t viewWindow;
    int32_t storeSlot;
    int32_t width;
    int32_t height;
    uint32_t flags;
    uint32_t objectTable;
    uint32_t drawOrder;
    uint32_t linkTable;
    int32_t selectedCount;
    int32_t primarySelected;
    int32_t loadedSet;
    int32_t lastObjectId;
    int32_t duplicateDx;
    int32_t duplicateDy;
    ColorStyle style;
    int32_t outlineWidth;           // first of the 84 bytes copied from the options
    int32_t lineWidth;
    int32_t textSize;
    uint32_t textStyle;
    int32_t textAlignment;
    int32_t textPlacement;
    LOGFONTA textFont;
    int32_t fillMode;
    int32_t warningId;              // also the grabbed hit code during a press
    int32_t toolSlot;
    uint32_t groupTable;
    int32_t startArrow;
    int32_t endArrow;
    int32_t arrowSize;
    int32_t snapDragFlag;
    unsigned char rulerScale[32];
};

struct LinkEntry {
    int32_t targetId;
    int32_t targetHint;
    int32_t sourceId;
    int32_t sourceHint;
    uint32_t flags;
};

struct GroupEntry {
    RECT bounds;
    RECT frame;
    RECT groupingFrame;
    int32_t key;
    int32_t memberCount;
    uint32_t flags;
    int32_t rotation;
    double scaleX;
    double scaleY;
    int32_t sizingConstraint;
    int32_t word84;
    int32_t word88;
};

#pragma pack(pop)

// Group row flags (+56).
enum GroupFlags : uint32_t {
    kGroupSelected = 0x0001,
    kGroupMoving = 0x0020,
    kGroupNoTransform = 0x0040,
    kGroupHangsOnLink = 0x0400,
    kGroupLinksChanged = 0x2000,
    kGroupMemberDeleted = 0x4000,
};

// LinkEntry flags (+16).
enum LinkEntryFlags : uint32_t {
    kLinkTargetDeleted = 0x01,
    kLinkSourceGone = 0x02,
    kLinkRechoosePoint = 0x04,
    kLinkDrop = 0x08,
    kLinkTargetMoved = 0x10,
    kLinkArrayMoved = 0x20,
};

const int kTableHeadSize = 20;
const int kObjectEntrySize = 356;
const int kLinkEntrySize = 20;
const int kGroupEntrySize = 92;
const int kDrawingRecordSize = 296;

static_assert(sizeof(TableHead) == 20, "table head");
static_assert(sizeof(LinkSlot) == 20, "link slot");
static_assert(sizeof(LinkEntry) == kLinkEntrySize, "link entry");
static_assert(sizeof(DrawingObject) == kObjectEntrySize, "object entry");
static_assert(sizeof(GroupEntry) == kGroupEntrySize, "group entry");
static_assert(sizeof(DrawingRecord) == kDrawingRecordSize, "drawing record");

static_assert(offsetof(DrawingObject, bounds) == 4, "");
static_assert(offsetof(DrawingObject, frame) == 20, "");
static_assert(offsetof(DrawingObject, inner) == 36, "");
static_assert(offsetof(DrawingObject, textFrame) == 52, "");
static_assert(offsetof(DrawingObject, kindCoordinate) == 68, "");
static_assert(offsetof(DrawingObject, adjust) == 72, "");
static_assert(offsetof(DrawingObject, textInsetFractions) == 80, "");
static_assert(offsetof(DrawingObject, textInsets) == 112, "");
static_assert(offsetof(DrawingObject, textMargins) == 128, "");
static_assert(offsetof(DrawingObject, textRecordId) == 144, "");
static_assert(offsetof(DrawingObject, textRoleFlags) == 148, "");
static_assert(offsetof(DrawingObject, textHolderWord) == 152, "");
static_assert(offsetof(DrawingObject, textPlacement) == 156, "");
static_assert(offsetof(DrawingObject, textAlignment) == 160, "");
static_assert(offsetof(DrawingObject, textBoxWord) == 164, "");
static_assert(offsetof(DrawingObject, sizingConstraint) == 168, "");
static_assert(offsetof(DrawingObject, width) == 172, "");
static_assert(offsetof(DrawingObject, height) == 176, "");
static_assert(offsetof(DrawingObject, rotation) == 180, "");
static_assert(offsetof(DrawingObject, lineWidth) == 184, "");
static_assert(offsetof(DrawingObject, lineStyle) == 188, "");
static_assert(offsetof(DrawingObject, fillMode) == 192, "");
static_assert(offsetof(DrawingObject, fillColor) == 196, "");
static_assert(offsetof(DrawingObject, lineColor) == 200, "");
static_assert(offsetof(DrawingObject, dataGroup) == 204, "");
static_assert(offsetof(DrawingObject, dataFirstId) == 208, "");
static_assert(offsetof(DrawingObject, dataCount) == 212, "");
static_assert(offsetof(DrawingObject, shapeType) == 216, "");
static_assert(offsetof(DrawingObject, stateFlags) == 220, "");
static_assert(offsetof(DrawingObject, optionFlags) == 224, "");
static_assert(offsetof(DrawingObject, objectId) == 228, "");
static_assert(offsetof(DrawingObject, kindWord1) == 232, "");
static_assert(offsetof(DrawingObject, kindWord2) == 236, "");
static_assert(offsetof(DrawingObject, linkCapacity) == 240, "");
static_assert(offsetof(DrawingObject, linkCount) == 244, "");
static_assert(offsetof(DrawingObject, links) == 248, "");
static_assert(offsetof(DrawingObject, lastHookPoint) == 288, "");
static_assert(offsetof(DrawingObject, arrowEnds) == 296, "");
static_assert(offsetof(DrawingObject, arrowSize) == 300, "");
static_assert(offsetof(DrawingObject, labelPartnerId) == 304, "");
static_assert(offsetof(DrawingObject, labelPartnerHint) == 308, "");
static_assert(offsetof(DrawingObject, lineType) == 312, "");
static_assert(offsetof(DrawingObject, groupKey) == 316, "");
static_assert(offsetof(DrawingObject, groupIndex) == 320, "");
static_assert(offsetof(DrawingObject, startArrow) == 324, "");
static_assert(offsetof(DrawingObject, endArrow) == 328, "");
static_assert(offsetof(DrawingObject, referenceFrame) == 332, "");
static_assert(offsetof(DrawingObject, groupingRotation) == 348, "");
static_assert(offsetof(DrawingObject, groupingStateFlags) == 352, "");

static_assert(offsetof(DrawingRecord, viewWindow) == 16, "");
static_assert(offsetof(DrawingRecord, storeSlot) == 20, "");
static_assert(offsetof(DrawingRecord, width) == 24, "");
static_assert(offsetof(DrawingRecord, height) == 28, "");
static_assert(offsetof(DrawingRecord, flags) == 32, "");
static_assert(offsetof(DrawingRecord, objectTable) == 36, "");
static_assert(offsetof(DrawingRecord, drawOrder) == 40, "");
static_assert(offsetof(DrawingRecord, linkTable) == 44, "");
static_assert(offsetof(DrawingRecord, selectedCount) == 48, "");
static_assert(offsetof(DrawingRecord, primarySelected) == 52, "");
static_assert(offsetof(DrawingRecord, loadedSet) == 56, "");
static_assert(offsetof(DrawingRecord, lastObjectId) == 60, "");
static_assert(offsetof(DrawingRecord, duplicateDx) == 64, "");
static_assert(offsetof(DrawingRecord, duplicateDy) == 68, "");
static_assert(offsetof(DrawingRecord, style) == 72, "");
static_assert(offsetof(DrawingRecord, style) + offsetof(ColorStyle, shadowKind) == 108, "");
static_assert(offsetof(DrawingRecord, outlineWidth) == 148, "");
static_assert(offsetof(DrawingRecord, lineWidth) == 152, "");
static_assert(offsetof(DrawingRecord, textSize) == 156, "");
static_assert(offsetof(DrawingRecord, textStyle) == 160, "");
static_assert(offsetof(DrawingRecord, textAlignment) == 164, "");
static_assert(offsetof(DrawingRecord, textPlacement) == 168, "");
static_assert(offsetof(DrawingRecord, textFont) == 172, "");
static_assert(offsetof(DrawingRecord, textFont) + offsetof(LOGFONTA, lfCharSet) == 195, "");
static_assert(offsetof(DrawingRecord, textFont) + offsetof(LOGFONTA, lfFaceName) == 200, "");
static_assert(offsetof(DrawingRecord, fillMode) == 232, "");
static_assert(offsetof(DrawingRecord, warningId) == 236, "");
static_assert(offsetof(DrawingRecord, toolSlot) == 240, "");
static_assert(offsetof(DrawingRecord, groupTable) == 244, "");
static_assert(offsetof(DrawingRecord, startArrow) == 248, "");
static_assert(offsetof(DrawingRecord, endArrow) == 252, "");
static_assert(offsetof(DrawingRecord, arrowSize) == 256, "");
static_assert(offsetof(DrawingRecord, snapDragFlag) == 260, "");
static_assert(offsetof(DrawingRecord, rulerScale) == 264, "");

static_assert(offsetof(GroupEntry, frame) == 16, "");
static_assert(offsetof(GroupEntry, groupingFrame) == 32, "");
static_assert(offsetof(GroupEntry, key) == 48, "");
static_assert(offsetof(GroupEntry, memberCount) == 52, "");
static_assert(offsetof(GroupEntry, flags) == 56, "");
static_assert(offsetof(GroupEntry, rotation) == 60, "");
static_assert(offsetof(GroupEntry, scaleX) == 64, "");
static_assert(offsetof(GroupEntry, scaleY) == 72, "");
static_assert(offsetof(GroupEntry, sizingConstraint) == 80, "");

static_assert(offsetof(LinkEntry, flags) == 16, "");

// Entry access on locked tables. A table pointer is the locked record.
inline int TableCount(const void* table)
{
    return static_cast<const TableHead*>(table)->count;
}
inline DrawingObject* ObjectAt(void* table, int index)
{
    return reinterpret_cast<DrawingObject*>(static_cast<unsigned char*>(table) + kTableHeadSize +
                                            static_cast<size_t>(kObjectEntrySize) * index);
}
inline int32_t* DrawOrderEntries(void* order)
{
    return reinterpret_cast<int32_t*>(static_cast<unsigned char*>(order) + kTableHeadSize);
}
inline LinkEntry* LinkEntryAt(void* links, int index)
{
    return reinterpret_cast<LinkEntry*>(static_cast<unsigned char*>(links) + kTableHeadSize +
                                        static_cast<size_t>(kLinkEntrySize) * index);
}
inline GroupEntry* GroupEntryAt(void* groups, int index)
{
    return reinterpret_cast<GroupEntry*>(static_cast<unsigned char*>(groups) + kTableHeadSize +
                                         static_cast<size_t>(kGroupEntrySize) * index);
}

// An object named by the kind-procedure call form: entry `index` of a table, or
// the one detached record the table argument points at when the index is -1.
inline DrawingObject* KindObject(void* table, int index)
{
    return index < 0 ? static_cast<DrawingObject*>(table) : ObjectAt(table, index);
}
