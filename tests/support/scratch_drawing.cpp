#include "support/scratch_drawing.h"

#include <cstring>

#include "documents/document_record.h"
#include "documents/document_records.h"
#include "documents/drawing_stream.h"
#include "objects/view_record.h"
#include "objects/drawing_records.h"
#include "objects/drawing_tables.h"
#include "frame/layer_hooks.h"
#include "objects/object_kind_table.h"
#include "store/record_store.h"
#include "objects/view_record_word.h"

#include <gtest/gtest.h>

void StartDrawingModel()
{
    static bool started = false;
    if (started)
        return;
    started = true;
    ASSERT_EQ(kErrNone, InitObjectKinds());
    ASSERT_EQ(kErrNone, InitRecordStore(kStoreTableSlots));
}

ScratchDrawing::ScratchDrawing()
{
    StartDrawingModel();
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TessaryScratchDocument";
    windowClass.cbWndExtra = sizeof(LONG_PTR);
    RegisterClassA(&windowClass);
    windowClass.lpszClassName = "TessaryScratchView";
    windowClass.cbWndExtra = kViewWindowBytes;
    RegisterClassA(&windowClass);
    document_ = CreateWindowA("TessaryScratchDocument", "", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    view_ = CreateWindowA("TessaryScratchView", "", WS_CHILD, 0, 0, 300, 200, document_, nullptr,
                          GetModuleHandleA(nullptr), nullptr);
}

ScratchDrawing::~ScratchDrawing()
{
    DestroyViewData(view_);
    DestroyDocumentData(document_);
    DestroyWindow(view_);
    DestroyWindow(document_);
}

ErrorCode ScratchDrawing::Write(const std::string& file, bool snap, const std::function<void(HWND view)>& fill,
                                int32_t setFlags)
{
    int store = -1;
    HFILE lock = HFILE_ERROR;
    ErrorCode code = CreateWorkingStore(document_, 90, 0, 0, nullptr, &store, &lock);
    if (code == kErrNone)
        code = CreateDocumentRecords(view_, store);
    if (code != kErrNone)
        return code;
    HGLOBAL handle = GetViewRecordHandle(view_);
    {
        auto* record = static_cast<ViewRecord*>(GlobalLock(handle));
        HGLOBAL drawing = GetViewDrawingHandle(record);
        auto* locked = drawing ? static_cast<DrawingRecord*>(GlobalLock(drawing)) : nullptr;
        if (locked) {
            locked->flags = snap ? (locked->flags | kDrawingSnap) : (locked->flags & ~kDrawingSnap);
            locked->flags |= setFlags;
            // White paper, yellow shapes with black outlines.
            locked->style.backgroundColor = RGB(255, 255, 255);
            locked->style.fillColor = RGB(255, 255, 0);
            locked->style.borderColor = locked->style.lineColor = locked->style.textColor = RGB(0, 0, 0);
            locked->style.highlightColor = RGB(255, 255, 255);
            locked->outlineWidth = locked->lineWidth = 12;
            // Text in the face a new drawing of the program starts with.
            lstrcpynA(locked->textFont.lfFaceName, "Times New Roman", LF_FACESIZE);
            locked->textFont.lfCharSet = ANSI_CHARSET;
            // Rulers in inches, a major division of 100 hundredths in twelfths.
            const int32_t shown = 1, inch = 1, subdivisions = 12, unit = 1;
            const double major = 100.0, label = 1.0;
            std::memcpy(locked->rulerScale + 0, &shown, 4);
            std::memcpy(locked->rulerScale + 4, &inch, 4);
            std::memcpy(locked->rulerScale + 8, &major, 8);
            std::memcpy(locked->rulerScale + 16, &subdivisions, 4);
            std::memcpy(locked->rulerScale + 20, &label, 8);
            std::memcpy(locked->rulerScale + 28, &unit, 4);
            GlobalUnlock(drawing);
        }
        GlobalUnlock(handle);
    }
    if (fill)
        fill(view_);
    auto* record = static_cast<ViewRecord*>(GlobalLock(handle));
    code = WriteDrawingFile(file.c_str(), nullptr, nullptr, record);
    GlobalUnlock(handle);
    return code;
}

ErrorCode ScratchDrawing::Inspect(const std::string& file,
                                  const std::function<void(DrawingRecord* drawing)>& inspect)
{
    int store = -1;
    HFILE lock = HFILE_ERROR;
    ErrorCode code = CreateWorkingStore(document_, 0, 0, 1, file.c_str(), &store, &lock);
    if (code == kErrNone)
        code = CreateDocumentRecords(view_, store);
    HGLOBAL handle = GetViewRecordHandle(view_);
    auto* record = handle ? static_cast<ViewRecord*>(GlobalLock(handle)) : nullptr;
    int older = 0;
    if (code == kErrNone && record)
        code = ReadDrawingFile(HFILE_ERROR, file.c_str(), nullptr, 0, view_, record, &older, 0);
    HGLOBAL drawing = record ? GetViewDrawingHandle(record) : nullptr;
    auto* locked = drawing ? static_cast<DrawingRecord*>(GlobalLock(drawing)) : nullptr;
    if (code == kErrNone && locked)
        inspect(locked);
    if (locked)
        GlobalUnlock(drawing);
    if (record)
        GlobalUnlock(handle);
    return code;
}

std::vector<DrawingObject> ScratchDrawing::ReadObjects(const std::string& file)
{
    std::vector<DrawingObject> objects;
    ErrorCode code = Inspect(file, [&](DrawingRecord* drawing) {
        LockedTable table(drawing, kTableObjects);
        for (int i = 0; i < table.Count(); ++i)
            objects.push_back(*ObjectAt(table.Get(), i));
    });
    EXPECT_EQ(0, code) << file;
    return objects;
}

std::vector<RECT> ScratchDrawing::ReadFrames(const std::string& file)
{
    std::vector<RECT> frames;
    for (const DrawingObject& object : ReadObjects(file))
        frames.push_back(object.frame);
    return frames;
}
