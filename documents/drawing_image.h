// A drawing stream read into memory before anything of it reaches the
// document: the readers fill a StreamImage, every count and reference checked,
// and only a complete image is committed into the working store and the view
// record. A damaged stream therefore never leaves a half-loaded document.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "common/error_codes.h"
#include "objects/view_record.h"
#include "objects/drawing_layout.h"
#include "objects/text_block.h"

// The values against which object attributes and text formats are stored.
struct StreamDefaults {
    int32_t fillMode;
    COLORREF fillColor;
    int32_t shapePenWidth;
    int32_t shapePenStyle;
    COLORREF shapePenColor;
    int32_t linePenWidth;
    int32_t linePenStyle;
    COLORREF linePenColor;
    int32_t arrowSize;
    int32_t startArrow;
    int32_t endArrow;
    TextFormat format;
    TextParagraph paragraph;
};

// Fills the defaults from a drawing record; the default text face is found
// or added in `fontList` and `fontTable` (either may be reallocated).
void InitStreamDefaults(const DrawingRecord& drawing, HGLOBAL* fontList, HGLOBAL* fontTable,
                        StreamDefaults* defaults);

// One object as read, with the payloads of the records that hang off it.
struct ObjectImage {
    DrawingObject object;
    std::vector<uint8_t> text;        // payload of record (114, text id)
    std::vector<uint8_t> route;       // payload of record (116, id)
    std::vector<uint8_t> freeform;    // payload of record (119, id)
    std::vector<uint8_t> branches;    // payload of record (120, id)
    std::vector<uint8_t> attachment;  // payload of record (117, object id)
    int32_t pictureGroup = -1;        // 112 or 113 when a picture was read
    std::vector<uint8_t> pictureHeader;
    std::vector<uint8_t> picture;
};

struct DocumentImage {
    bool present = false;
    uint16_t flags = 0;
    int32_t scrollX = 0;
    int32_t scrollY = 0;
    int32_t zoom = 0;
    uint16_t viewFlags = 0;
    uint32_t background = 0;
    bool hasPageSetup = false;
    RECT margins = {0, 0, 0, 0};
    int32_t overlap = 0;
    std::vector<uint8_t> devMode;     // empty: keep the document's
    bool hasPrinter = false;
    char printer[kPrinterStringSize] = {};
    bool hasLibrary = false;
    char library[kPrinterStringSize] = {};
    bool hasColors = false;
    std::vector<COLORREF> colors;
};

struct DrawingImage {
    bool present = false;
    DrawingRecord record;             // the document's, with the stream's fields
    int statedObjects = 0;
    int statedGroups = 0;
    int statedLinks = 0;
    int blocksSeen = 0;               // ObjectBlocks, read or skipped: stream positions
    std::vector<int32_t> indexOfPosition;   // stream position -> table index, -1 skipped
    std::vector<ObjectImage> objects;
    std::vector<LinkEntry> links;
    std::vector<GroupEntry> groups;
    int32_t currentGroupKey = 0;
    int32_t currentGroupRow = -1;
    StreamDefaults defaults;
};

struct StreamImage {
    int storeSlot = -1;
    bool symbol = false;
    bool hasPreview = false;
    std::vector<uint8_t> preview;
    DocumentImage document;
    DrawingImage drawing;
    bool hasFontTable = false;
    HGLOBAL fontList = nullptr;       // working copies, handed to the view on commit
    HGLOBAL fontTable = nullptr;
};

// Working copies of the view's font list and table and of its drawing record.
ErrorCode BeginStreamImage(const ViewRecord* view, StreamImage* image);
void FreeStreamImage(StreamImage* image);

// Readers (the opener of each block has been read; its payload is at
// StreamPayload()).
ErrorCode ReadDrawingStreamBody(HFILE file, StreamImage* image);
ErrorCode ReadSymbolStreamBody(HFILE file, StreamImage* image);
ErrorCode ReadFontTableBlock(HFILE file, StreamImage* image);
ErrorCode ReadDrawingBlock(HFILE file, StreamImage* image, uint32_t openerLength);
ErrorCode ReadObject(HFILE file, StreamImage* image, uint32_t openerLength);
// One TextStreamBlock into a text record payload; its id through `textId`.
ErrorCode ReadTextBlock(HFILE file, const StreamDefaults& defaults, uint32_t openerLength, int32_t* textId,
                        std::vector<uint8_t>* payload);
// The drawing defaults' own format records (0x42, 0x43 in a drawing block).
void DecodeDefaultCharFormat(const uint8_t* payload, uint32_t length, TextFormat* format);
void DecodeParagraphFormat(const uint8_t* payload, uint32_t length, TextParagraph* paragraph);

// Puts the image into the document: the view record, its font blocks, the
// records of group 100 and the drawing's tables and records, then lets the
// links and groups settle. On a failure of the store the records it made are
// taken out again.
ErrorCode CommitStreamImage(HWND view, ViewRecord* viewRecord, StreamImage* image);

// Writers.
ErrorCode WriteDocumentHead(HFILE file, ViewRecord* view);
ErrorCode WriteFontTableBlock(HFILE file, ViewRecord* view);
ErrorCode WriteDrawingBlock(HFILE file, ViewRecord* view, int symbol);
// Writes one ObjectBlock; `positionOf` maps object ids to draw-order
// positions (-1 for an id no object holds).
ErrorCode WriteObject(HFILE file, int store, const DrawingObject& object, const std::vector<int32_t>& positionOf,
                      const StreamDefaults& defaults);
ErrorCode WriteTextBlock(HFILE file, const void* textBlock, DWORD size, int32_t textId,
                         const StreamDefaults& defaults);

// The draw-order position of an id, -1 when no object holds it; 0xFFFF and
// anything outside the map are never positions.
inline int32_t PositionOfId(const std::vector<int32_t>& positionOf, int32_t id)
{
    if (id < 0 || id == kNoObjectId || static_cast<size_t>(id) >= positionOf.size())
        return -1;
    return positionOf[static_cast<size_t>(id)];
}

// Stream units to 600, with the rule that a nonzero width never becomes 0.
int32_t ConvertStreamValue(int32_t value);
int32_t ConvertStreamWidth(int32_t value);
// An arrowhead word as read: kind above 23 becomes 1 (high byte kept), kind 0
// clears the word.
uint32_t NormaliseArrowWord(uint32_t word);

// Flags the readers and entry points share.
extern int TemplatePrinterReset;
extern int OlderGeneration;
