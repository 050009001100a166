#include "object_text_document.h"

#include <gtest/gtest.h>

#include <cstring>

#include "documents/document_record.h"
#include "documents/document_records.h"
#include "documents/drawing_stream.h"
#include "objects/drawing_tables.h"
#include "objects/object_create.h"
#include "objects/object_kind_table.h"
#include "store/record_store.h"
#include "text/ten_notifications.h"
#include "text/text_block_store.h"
#include "text_engine_support.h"
#include "view/view_record_word.h"

namespace {

const char kDocumentClass[] = "TessaryTextTestDocument";
const char kViewClass[] = "TessaryTextTestView";
int nextUntitled = 300;

LRESULT CALLBACK ViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case TENN_RESIZE:
        return 1;
    case TENN_GETVISIBLERECT:
        if (lParam)
            GetClientRect(window, reinterpret_cast<RECT*>(lParam));
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

void RegisterClasses()
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kDocumentClass;
    windowClass.cbWndExtra = sizeof(LONG_PTR);
    RegisterClassA(&windowClass);
    windowClass.lpfnWndProc = ViewProc;
    windowClass.lpszClassName = kViewClass;
    windowClass.cbWndExtra = kViewWindowBytes;
    RegisterClassA(&windowClass);
    registered = true;
}

} // namespace

ObjectTextDocument::ObjectTextDocument()
{
    StartTextEngine();
    RegisterClasses();
    document_ = CreateWindowA(kDocumentClass, "document", WS_OVERLAPPEDWINDOW, 0, 0, 700, 500, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    view_ = CreateWindowA(kViewClass, "view", WS_CHILD | WS_VISIBLE, 0, 0, 680, 480, document_, nullptr,
                          GetModuleHandleA(nullptr), nullptr);
    HFILE lock = HFILE_ERROR;
    if (CreateWorkingStore(document_, ++nextUntitled, 0, 0, nullptr, &store_, &lock) != kErrNone)
        return;
    if (CreateDocumentRecords(view_, store_) != kErrNone)
        return;
    handle_ = GetViewRecordHandle(view_);
    record_ = handle_ ? static_cast<ViewRecord*>(GlobalLock(handle_)) : nullptr;
}

ObjectTextDocument::~ObjectTextDocument()
{
    if (record_) {
        if (HWND editor = GetViewTextEditor(record_))
            DestroyWindow(editor);
        record_->textEditor = 0;
        GlobalUnlock(handle_);
    }
    DestroyViewData(view_);
    DestroyDocumentData(document_);
    DestroyWindow(view_);
    DestroyWindow(document_);
    StopTextEngine();
}

DrawingRecord* ObjectTextDocument::Drawing()
{
    HGLOBAL handle = GetViewDrawingHandle(record_);
    auto* drawing = static_cast<DrawingRecord*>(GlobalLock(handle));
    GlobalUnlock(handle);
    return drawing;
}

void* ObjectTextDocument::Objects()
{
    HGLOBAL handle = DrawingTableHandle(Drawing(), kTableObjects);
    void* table = GlobalLock(handle);
    GlobalUnlock(handle);
    return table;
}

DrawingObject* ObjectTextDocument::Object(int index) { return ObjectAt(Objects(), index); }

int ObjectTextDocument::Count() { return TableCount(Objects()); }

ErrorCode ObjectTextDocument::AddShape(RECT frame, int type)
{
    return CreateObject(view_, kKindShape, &frame, type, 0, 0, 0, 0, 0, 0);
}

ErrorCode ObjectTextDocument::AddLine(RECT frame)
{
    return CreateObject(view_, kKindLine, &frame, 1, 0, 0, 0, 0, 0, 0);
}

namespace {

std::vector<uint8_t> StoredBlock(DrawingRecord* drawing, int id)
{
    std::vector<uint8_t> bytes;
    RecordHandle record = nullptr;
    if (id < 0 || FindRecord(drawing->storeSlot, kTextGroup, static_cast<short>(id), &record) != kErrNone)
        return bytes;
    const DWORD size = QueryRecordSize(record);
    if (const auto* data = static_cast<const uint8_t*>(GlobalLock(record))) {
        if (size > kTextRecordHeaderBytes)
            bytes.assign(data + kTextRecordHeaderBytes, data + size);
        GlobalUnlock(record);
    }
    ReleaseRecord(record);
    return bytes;
}

} // namespace

std::string ObjectTextDocument::StoredText(int index)
{
    const std::vector<uint8_t> block = StoredBlock(Drawing(), Object(index)->textRecordId);
    if (!IsTextBlockSound(block.data(), block.size()))
        return {};
    TextBlockHeader header;
    std::memcpy(&header, block.data(), sizeof(header));
    const char* text = reinterpret_cast<const char*>(block.data() + TextBlockTextOffset(header));
    return std::string(text, static_cast<size_t>(header.textLength));
}

TextBlockHeader ObjectTextDocument::StoredHeader(int index)
{
    TextBlockHeader header = {};
    const std::vector<uint8_t> block = StoredBlock(Drawing(), Object(index)->textRecordId);
    if (block.size() >= sizeof(header))
        std::memcpy(&header, block.data(), sizeof(header));
    return header;
}

std::vector<TextFormat> ObjectTextDocument::StoredFormats(int index)
{
    std::vector<TextFormat> formats;
    const std::vector<uint8_t> block = StoredBlock(Drawing(), Object(index)->textRecordId);
    if (!IsTextBlockSound(block.data(), block.size()))
        return formats;
    TextBlockHeader header;
    std::memcpy(&header, block.data(), sizeof(header));
    const auto* first = reinterpret_cast<const TextFormat*>(block.data() + TextBlockFormatsOffset(header));
    formats.assign(first, first + header.formatCount);
    return formats;
}

ErrorCode ObjectTextDocument::PutText(int index, const std::string& text, int size, int style)
{
    FormatSpec whole{static_cast<int>(text.size())};
    whole.size = size;
    whole.style = style;
    const std::vector<unsigned char> bytes = MakeBlock(text, {whole}, {Paragraph(0)});
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    DrawingRecord* drawing = Drawing();
    DrawingObject* object = Object(index);
    short id = 0;
    ErrorCode code = FindFreeId(drawing->storeSlot, kTextGroup, &id);
    RecordHandle record = nullptr;
    if (code == kErrNone)
        code = CreateRecord(drawing->storeSlot, kTextGroup, id, kTextRecordHeaderBytes, &record);
    if (code == kErrNone) {
        code = StoreTextBlock(&record, block);
        ReleaseRecord(record);
        object->textRecordId = id;
    }
    GlobalFree(block);
    return code;
}

ErrorCode ObjectTextDocument::PutRawText(int index, const std::vector<uint8_t>& payload)
{
    DrawingRecord* drawing = Drawing();
    DrawingObject* object = Object(index);
    short id = static_cast<short>(object->textRecordId);
    RecordHandle record = nullptr;
    ErrorCode code = kErrNone;
    if (id < 0) {
        code = FindFreeId(drawing->storeSlot, kTextGroup, &id);
        if (code == kErrNone)
            code = CreateRecord(drawing->storeSlot, kTextGroup, id, kTextRecordHeaderBytes, &record);
        object->textRecordId = id;
    } else {
        code = FindRecord(drawing->storeSlot, kTextGroup, id, &record);
    }
    if (code == kErrNone)
        code = ResizeRecord(&record, static_cast<DWORD>(kTextRecordHeaderBytes + payload.size()));
    if (code == kErrNone) {
        auto* bytes = static_cast<uint8_t*>(GlobalLock(record));
        std::memcpy(bytes + kTextRecordHeaderBytes, payload.data(), payload.size());
        GlobalUnlock(record);
    }
    if (record)
        ReleaseRecord(record);
    return code;
}

std::vector<uint8_t> ObjectTextDocument::ValidTextPayload(const std::string& text)
{
    FormatSpec first{static_cast<int>(text.size()) / 2};
    FormatSpec second{static_cast<int>(text.size()) - first.length};
    second.style = kTextBold;
    const std::vector<unsigned char> block = MakeBlock(text, {first, second}, {Paragraph(0)});
    return std::vector<uint8_t>(block.begin(), block.end());
}

std::vector<uint8_t> ObjectTextDocument::Write(ErrorCode* code)
{
    HGLOBAL block = nullptr;
    DWORD size = 0;
    *code = WriteDrawingFile(nullptr, &block, &size, record_);
    std::vector<uint8_t> bytes;
    if (*code == kErrNone && block) {
        const auto* data = static_cast<const uint8_t*>(GlobalLock(block));
        bytes.assign(data, data + size);
        GlobalUnlock(block);
        GlobalFree(block);
    }
    return bytes;
}

ErrorCode ObjectTextDocument::Read(const std::string& path)
{
    int older = 0;
    return ReadDrawingFile(HFILE_ERROR, path.c_str(), nullptr, 0, view_, record_, &older, 0);
}

void TypeInto(HWND editor, const std::string& text)
{
    for (char c : text)
        SendMessageA(editor, WM_CHAR, static_cast<unsigned char>(c), 1);
}
