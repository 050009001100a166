// Documents with drawings built record by record for the drawing-file tests,
// and a walker over written streams.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/error_codes.h"
#include "document_windows.h"
#include "objects/view_record.h"
#include "objects/drawing_layout.h"
#include "objects/text_block.h"

// A new untitled document with its records, the view record held locked.
class DrawingDocument {
public:
    DrawingDocument();
    ~DrawingDocument();
    DrawingDocument(const DrawingDocument&) = delete;
    DrawingDocument& operator=(const DrawingDocument&) = delete;

    bool ok() const { return view_ != nullptr; }
    int store() const { return store_; }
    ViewRecord* view() { return view_; }
    // The drawing record and tables, re-read at every call.
    DrawingRecord* Drawing();
    int Count();
    DrawingObject Object(int index);
    void SetObject(int index, const DrawingObject& object);
    std::vector<int32_t> Order();
    std::vector<LinkEntry> Links();
    std::vector<GroupEntry> Groups();

    // Appends an object (its id as given) at the end of the table; the draw
    // order is set with SetOrder.
    void Append(const DrawingObject& object);
    void SetOrder(const std::vector<int32_t>& order);
    void SetLinks(const std::vector<LinkEntry>& links);
    void SetGroups(const std::vector<GroupEntry>& groups);
    void PutRecord(short group, short id, const std::vector<uint8_t>& payload);
    std::vector<uint8_t> RecordPayload(short group, short id);
    int RecordCount(short group);

    // The drawing stream in memory, without its u32 prefix; empty on error.
    std::vector<uint8_t> Write(ErrorCode* code = nullptr);
    ErrorCode Read(const std::vector<uint8_t>& stream, int* older = nullptr);
    // The same, from a drawing file on disk.
    ErrorCode ReadFile(const std::string& path);

private:
    void SetTable(int table, const void* rows, int count, int entrySize);

    DocumentWindows windows_;
    int store_ = -1;
    HGLOBAL viewHandle_ = nullptr;
    ViewRecord* view_ = nullptr;
};

// A DrawingObject the way the drawing code leaves one: the given kind and
// shape type (or direction class, or corner style) in `frame`.
DrawingObject MakeObject(int kind, int type, RECT frame, int32_t id);

// A text block: the text, its formats (start, length filled in from the
// given starts) and paragraphs, one line and one run.
std::vector<uint8_t> MakeTextBlock(const std::string& text, std::vector<TextFormat> formats,
                                   const std::vector<TextParagraph>& paragraphs);
TextFormat MakeFormat(int32_t start, int32_t size, int32_t face = 0);
TextParagraph MakeParagraph();
TextBlockHeader TextHeaderOf(const std::vector<uint8_t>& block);
std::vector<TextFormat> TextFormatsOf(const std::vector<uint8_t>& block);
std::vector<TextParagraph> TextParagraphsOf(const std::vector<uint8_t>& block);

// Fills a document with a drawing that holds every record kind: plain and
// styled shapes, text, a picture, a freeform outline, an attachment, a line
// with arrowheads and link slots, a connector with its route, an array with
// branches, and a group split by a non-member. Ids are not positions.
void BuildEveryKindDrawing(DrawingDocument* document);
// That drawing written to a scratch file named `leaf`; returns its path.
std::string WriteEveryKindFile(const char* leaf);

// One record of a stream: where its tag starts, its tag, payload offset and
// length (no payload: length 0).
struct StreamRecordAt {
    size_t at;
    uint16_t tag;
    size_t payload;
    uint32_t length;
};
// The records after the 8-byte signature, in order.
std::vector<StreamRecordAt> WalkStream(const std::vector<uint8_t>& stream);
// The records of the n-th ObjectBlock, its opener and closer included.
std::vector<StreamRecordAt> ObjectRecords(const std::vector<uint8_t>& stream, int n);
