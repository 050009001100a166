#include <gtest/gtest.h>

#include "document_windows.h"
#include "documents/document_record.h"
#include "documents/document_records.h"
#include "documents/page_layout.h"
#include "documents/print_dialogs.h"
#include "documents/printer_context.h"
#include "objects/view_record.h"
#include "objects/drawing_layout.h"
#include "objects/drawing_tables.h"
#include "objects/view_record_word.h"

namespace {

bool HasDefaultPrinter()
{
    char printer[kPrinterStringSize];
    GetDefaultPrinterString(printer);
    return printer[0] != '\0';
}

// A page-sized landscape drawing holding one object whose bounds reach `right`.
void MakeLandscapeDrawingReaching(HWND view, LONG right)
{
    HGLOBAL handle = GetViewRecordHandle(view);
    auto* record = static_cast<ViewRecord*>(GlobalLock(handle));
    record->flags |= kViewPageSizedArea;
    record->drawingWidth = kPageAreaLong;
    record->drawingHeight = kPageAreaShort;
    auto* drawing = static_cast<DrawingRecord*>(GlobalLock(GetViewDrawingHandle(record)));
    ASSERT_EQ(kErrNone, ResizeDrawingTable(drawing, kTableObjects, kTableHeadSize + kObjectEntrySize));
    {
        LockedTable objects(drawing, kTableObjects);
        static_cast<TableHead*>(objects.Get())->count = 1;
        ObjectAt(objects.Get(), 0)->bounds = {100, 100, right, 1000};
    }
    drawing->width = kPageAreaLong;
    drawing->height = kPageAreaShort;
    GlobalUnlock(GetViewDrawingHandle(record));
    GlobalUnlock(handle);
}

} // namespace

TEST(PrinterApply, PageSizedAreaTurnsWithThePaperWhenTheObjectsFit)
{
    if (HasDefaultPrinter())
        GTEST_SKIP() << "a default printer exists";
    struct Case {
        const char* name;
        LONG right;
        int width, height;
    };
    const Case cases[] = {
        {"objects fit the upright page", 4000, kPageAreaShort, kPageAreaLong},
        {"an object at x = 5000 keeps it landscape", 5000, kPageAreaLong, kPageAreaShort},
    };
    for (const Case& c : cases) {
        DocumentWindows windows;
        int store = -1;
        HFILE lock = HFILE_ERROR;
        ASSERT_EQ(kErrNone, CreateWorkingStore(windows.document(), 1, 0, 0, nullptr, &store, &lock));
        ASSERT_EQ(kErrNone, CreateDocumentRecords(windows.view(), store));
        MakeLandscapeDrawingReaching(windows.view(), c.right);
        // Without a printer the document takes a new upright default.
        ApplyPrinterToDocument(windows.document(), 1);
        HGLOBAL handle = GetViewRecordHandle(windows.view());
        auto* record = static_cast<ViewRecord*>(GlobalLock(handle));
        EXPECT_EQ(c.width, record->drawingWidth) << c.name;
        EXPECT_EQ(c.height, record->drawingHeight) << c.name;
        auto* drawing = static_cast<DrawingRecord*>(GlobalLock(GetViewDrawingHandle(record)));
        EXPECT_EQ(c.width, drawing->width) << c.name;
        GlobalUnlock(GetViewDrawingHandle(record));
        EXPECT_EQ(kViewModified | kViewRepaintBuffered, record->flags & (kViewModified | kViewRepaintBuffered))
            << c.name;
        EXPECT_NE(0, record->measuringDC) << c.name;
        EXPECT_EQ(5100, record->pageWidth) << c.name;
        GlobalUnlock(handle);
        DestroyViewData(windows.view());
        DestroyDocumentData(windows.document());
    }
}
