// A document with its drawing view, made the way the program makes one, for
// the tests of text on drawing objects. The view answers the editor's size
// and visible-area questions as the program's view does.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/error_codes.h"
#include "documents/view_record.h"
#include "objects/drawing_layout.h"
#include "text/text_block.h"

class ObjectTextDocument {
public:
    ObjectTextDocument();
    ~ObjectTextDocument();
    ObjectTextDocument(const ObjectTextDocument&) = delete;
    ObjectTextDocument& operator=(const ObjectTextDocument&) = delete;

    bool ok() const { return record_ != nullptr; }
    HWND view() const { return view_; }
    ViewRecord* record() { return record_; }
    DrawingRecord* Drawing();
    void* Objects();
    DrawingObject* Object(int index);
    int Count();
    HWND Editor() { return GetViewTextEditor(record_); }

    ErrorCode AddShape(RECT frame, int type = 2);
    ErrorCode AddLine(RECT frame);
    // The characters of the object's stored text, empty without one.
    std::string StoredText(int index);
    TextBlockHeader StoredHeader(int index);
    std::vector<TextFormat> StoredFormats(int index);
    // Stores a text of `length` characters in the object's text record.
    ErrorCode PutText(int index, const std::string& text, int size = 12, int style = 0);
    // Stores these bytes as the object's text record payload, unchecked.
    ErrorCode PutRawText(int index, const std::vector<uint8_t>& payload);
    // The payload of a valid stored text.
    std::vector<uint8_t> ValidTextPayload(const std::string& text);
    // The drawing stream in memory.
    std::vector<uint8_t> Write(ErrorCode* code);
    // Fills this new document from a drawing file, as a document window opens one.
    ErrorCode Read(const std::string& path);

private:
    HWND document_ = nullptr;
    HWND view_ = nullptr;
    int store_ = -1;
    HGLOBAL handle_ = nullptr;
    ViewRecord* record_ = nullptr;
};

// Types the characters into the editor as WM_CHAR messages.
void TypeInto(HWND editor, const std::string& text);
