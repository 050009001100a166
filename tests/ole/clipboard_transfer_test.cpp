// Copy and Paste through the scratch store in-process: what the clipboard
// data object answers and renders per format, and how a paste renumbers and
// re-hangs the objects it brings.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "common/app_globals.h"
#include "common/back_buffer.h"
#include "common/clipboard_formats.h"
#include "common/io_seam.h"
#include "documents/clipboard_exchange.h"
#include "documents/clipboard_store.h"
#include "documents/document_record.h"
#include "documents/document_records.h"
#include "documents/document_windows.h"
#include "frame/app_startup.h"
#include "objects/drawing_tables.h"
#include "objects/object_create.h"
#include "objects/view_record.h"
#include "objects/view_record_word.h"
#include "ole/clipboard_data_object.h"
#include "ole/document_render.h"
#include "ole/ole_formats.h"
#include "store/record_store.h"
#include "view/clipboard_copy.h"
#include "view/clipboard_paste.h"

namespace {

const char kFrameClass[] = "TessaryOleTestFrame";

class ClipboardTransfer : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        WNDCLASSA frameClass = {};
        frameClass.lpfnWndProc = DefWindowProcA;
        frameClass.hInstance = GetModuleHandleA(nullptr);
        frameClass.lpszClassName = kFrameClass;
        RegisterClassA(&frameClass);
        AppInstance = GetModuleHandleA(nullptr);
        ASSERT_EQ(kErrNone, RegisterWindowClasses(AppInstance));
        savedMain_ = MainWindow;
        MainWindow = CreateWindowA(kFrameClass, "frame", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr, nullptr,
                                   AppInstance, nullptr);
        ASSERT_NE(nullptr, MainWindow);
        // The program makes the back buffer with the main window's first size.
        ResizeBackBuffer();
        ASSERT_EQ(kErrNone, RegisterClipboardFormats());
        InitOleFormatTable();
        HFILE lock = HFILE_ERROR;
        ASSERT_EQ(kErrNone, CreateWorkingStore(windows_.document(), 1, 0, 0, nullptr, &store_, &lock));
        ASSERT_EQ(kErrNone, CreateDocumentRecords(windows_.view(), store_));
    }
    void TearDown() override
    {
        OleSetClipboard(nullptr);
        DestroyViewData(windows_.view());
        DestroyDocumentData(windows_.document());
        CloseClipboardStore();
        DestroyWindow(MainWindow);
        MainWindow = savedMain_;
        OleUninitialize();
    }

    void* Record()
    {
        HGLOBAL handle = GetViewRecordHandle(windows_.view());
        void* record = GlobalLock(handle);
        GlobalUnlock(handle);
        return record;
    }
    HGLOBAL DrawingHandle() { return GetViewDrawingHandle(Record()); }
    DrawingRecord* Drawing() { return static_cast<DrawingRecord*>(GlobalLock(DrawingHandle())); }
    void Done() { GlobalUnlock(DrawingHandle()); }
    void AddShape(RECT frame, int select)
    {
        ASSERT_EQ(kErrNone, CreateObject(windows_.view(), kKindShape, &frame, 2, 0, 0, 0, 0, 0, select));
    }
    DrawingObject ObjectCopy(int index)
    {
        DrawingObject copy = {};
        DrawingRecord* drawing = Drawing();
        {
            LockedTable objects(drawing, kTableObjects);
            copy = *ObjectAt(objects.Get(), index);
        }
        Done();
        return copy;
    }
    int Count()
    {
        DrawingRecord* drawing = Drawing();
        int count = 0;
        {
            LockedTable objects(drawing, kTableObjects);
            count = objects.Count();
        }
        Done();
        return count;
    }
    void SelectAll()
    {
        DrawingRecord* drawing = Drawing();
        {
            LockedTable objects(drawing, kTableObjects);
            for (int i = 0; i < objects.Count(); ++i)
                ObjectAt(objects.Get(), i)->stateFlags |= kStateSelected;
            drawing->selectedCount = objects.Count();
            drawing->primarySelected = 0;
        }
        Done();
    }
    ErrorCode Copy()
    {
        DrawingRecord* drawing = Drawing();
        ErrorCode code = CopySelection(windows_.view(), Record(), drawing, 1);
        Done();
        return code;
    }
    ErrorCode Paste()
    {
        return PasteFromClipboardStore(windows_.view(), Record(), DrawingHandle(), nullptr, nullptr, nullptr);
    }

    DocumentWindows windows_;
    int store_ = -1;
    HWND savedMain_ = nullptr;
};

struct FormatCase {
    const char* name;
    int index;
    HRESULT answer;
    DWORD medium;
};

TEST_F(ClipboardTransfer, EveryOfferedFormatRendersFromTheScratchStore)
{
    AddShape({600, 600, 1800, 1200}, 1);
    ASSERT_EQ(kErrNone, Copy());
    const FormatCase cases[] = {
        {"native drawing stream", kOleNative, S_OK, TYMED_HGLOBAL},
        {"embedding", kOleEmbedSource, S_OK, TYMED_ISTORAGE},
        {"object descriptor", kOleObjectDescriptor, S_OK, TYMED_HGLOBAL},
        {"metafile picture", kOleMetafilePict, S_OK, TYMED_MFPICT},
        {"bitmap", kOleBitmap, S_OK, TYMED_GDI},
        // An untitled document offers no link.
        {"link source", kOleLinkSource, S_FALSE, 0},
        {"link source descriptor", kOleLinkSourceDescriptor, S_FALSE, 0},
        {"enhanced metafile", kOleEnhMetafile, S_OK, TYMED_ENHMF},
        {"DIB", kOleDib, S_OK, TYMED_HGLOBAL},
    };
    IDataObject* data = ClipboardDataObject();
    for (const FormatCase& c : cases) {
        FORMATETC format = OleFormatTable[c.index];
        EXPECT_EQ(c.answer, data->QueryGetData(&format)) << c.name;
        STGMEDIUM medium = {};
        const HRESULT got = data->GetData(&format, &medium);
        if (c.answer != S_OK) {
            EXPECT_EQ(DV_E_FORMATETC, got) << c.name;
            continue;
        }
        ASSERT_EQ(S_OK, got) << c.name;
        EXPECT_EQ(c.medium, medium.tymed) << c.name;
        EXPECT_EQ(nullptr, medium.pUnkForRelease) << c.name;
        if (c.index == kOleMetafilePict) {
            const auto* picture = static_cast<const METAFILEPICT*>(GlobalLock(medium.hMetaFilePict));
            // The shape's stored bounds (its outline included) in HIMETRIC.
            const RECT bounds = ObjectCopy(0).bounds;
            EXPECT_EQ((bounds.right - bounds.left) * 2540 / 600, picture->xExt) << c.name;
            EXPECT_EQ((bounds.bottom - bounds.top) * 2540 / 600, picture->yExt) << c.name;
            GlobalUnlock(medium.hMetaFilePict);
        }
        ReleaseStgMedium(&medium);
    }
}

TEST_F(ClipboardTransfer, RequestsOfAnotherAspectOrMediumAreRefused)
{
    IDataObject* data = ClipboardDataObject();
    FORMATETC format = OleFormatTable[kOleMetafilePict];
    format.dwAspect = DVASPECT_ICON;
    EXPECT_EQ(S_FALSE, data->QueryGetData(&format));
    format = OleFormatTable[kOleMetafilePict];
    format.tymed = TYMED_HGLOBAL;
    EXPECT_EQ(S_FALSE, data->QueryGetData(&format));
    EXPECT_EQ(DV_E_FORMATETC, data->EnumFormatEtc(DATADIR_SET, nullptr));
}

TEST_F(ClipboardTransfer, TwoPastesGiveDistinctIdsAndSelectThePastedObjects)
{
    AddShape({600, 600, 1200, 900}, 1);
    AddShape({2000, 600, 2600, 900}, 1);
    SelectAll();
    ASSERT_EQ(kErrNone, Copy());
    ASSERT_EQ(kErrNone, Paste());
    ASSERT_EQ(kErrNone, Paste());
    ASSERT_EQ(6, Count());
    std::set<int32_t> ids;
    for (int i = 0; i < 6; ++i)
        ids.insert(ObjectCopy(i).objectId);
    EXPECT_EQ(6u, ids.size());
    DrawingRecord* drawing = Drawing();
    EXPECT_EQ(2, drawing->selectedCount);
    EXPECT_EQ(4, drawing->primarySelected);
    EXPECT_EQ(1, drawing->loadedSet) << "the paste mark";
    Done();
    EXPECT_FALSE(ObjectCopy(0).stateFlags & kStateSelected);
    EXPECT_TRUE(ObjectCopy(5).stateFlags & kStateSelected);
}

TEST_F(ClipboardTransfer, LabelCopiedWithoutItsHostPastesUnattached)
{
    AddShape({600, 600, 1200, 900}, 0);
    AddShape({600, 1000, 1200, 1200}, 0);
    DrawingRecord* drawing = Drawing();
    {
        LockedTable objects(drawing, kTableObjects);
        DrawingObject* host = ObjectAt(objects.Get(), 0);
        DrawingObject* label = ObjectAt(objects.Get(), 1);
        label->stateFlags |= kStateAttached | kStateSelected;
        label->labelPartnerId = host->objectId;
        label->labelPartnerHint = 0;
        drawing->selectedCount = 1;
        drawing->primarySelected = 1;
    }
    Done();
    ASSERT_EQ(kErrNone, Copy());
    ASSERT_EQ(kErrNone, Paste());
    ASSERT_EQ(3, Count());
    const DrawingObject pasted = ObjectCopy(2);
    EXPECT_EQ(kNoObjectId, pasted.labelPartnerId);
    EXPECT_FALSE(pasted.stateFlags & kStateAttached);
}

TEST_F(ClipboardTransfer, PasteAtAGivenPointPutsTheExtentsCornerThere)
{
    AddShape({600, 600, 1200, 900}, 1);
    ASSERT_EQ(kErrNone, Copy());
    const POINT at = {3000, 2000};
    ASSERT_EQ(kErrNone, PasteFromClipboardStore(windows_.view(), Record(), DrawingHandle(), &at, nullptr, nullptr));
    const DrawingObject pasted = ObjectCopy(1);
    EXPECT_EQ(3000, pasted.frame.left);
    EXPECT_EQ(2000, pasted.frame.top);
}

TEST_F(ClipboardTransfer, ScratchStoreGoesOutToAFileAndComesBack)
{
    AddShape({600, 600, 1200, 900}, 1);
    ASSERT_EQ(kErrNone, Copy());
    char path[MAX_PATH] = "";
    ASSERT_EQ(kErrNone, CopyClipboardStoreFile(path));
    ASSERT_NE('\0', path[0]);
    // Another copy replaces the scratch store's contents meanwhile.
    AddShape({2000, 600, 2600, 900}, 1);
    ASSERT_EQ(kErrNone, Copy());
    ASSERT_EQ(kErrNone, CopyClipboardStoreFile(path));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path)) << "the file is deleted after copying in";
    EXPECT_EQ(kErrNone, VerifyStore(ClipboardScratchStore));
    ASSERT_EQ(kErrNone, Paste());
    // The first copy held one shape.
    EXPECT_EQ(3, Count());
}

TEST_F(ClipboardTransfer, RenderingTheScratchStoreLeavesNoHiddenWindow)
{
    AddShape({600, 600, 1200, 900}, 1);
    ASSERT_EQ(kErrNone, Copy());
    for (int kind : {kRenderStream, kRenderBitmap, kRenderMetafilePict}) {
        HANDLE out = nullptr;
        ASSERT_EQ(kErrNone, RenderDocumentData(nullptr, nullptr, &out, kind)) << kind;
        EXPECT_EQ(nullptr, FindWindowExA(MainWindow, nullptr, "MDScrollClass", nullptr)) << kind;
        if (kind == kRenderBitmap)
            DeleteObject(out);
        else if (kind == kRenderMetafilePict) {
            auto* picture = static_cast<METAFILEPICT*>(GlobalLock(out));
            DeleteMetaFile(picture->hMF);
            GlobalUnlock(out);
            GlobalFree(out);
        } else {
            GlobalFree(out);
        }
    }
}

} // namespace

namespace {

TEST_F(ClipboardTransfer, FailedCopyLeavesAFreshScratchStoreAndAnEmptyClipboard)
{
    AddShape({600, 600, 1200, 900}, 1);
    ASSERT_EQ(kErrNone, Copy());
    AddShape({2000, 600, 2600, 900}, 1);
    // Only the first write fails: the store can be made anew afterwards.
    SeamArmFault(kSeamWrite, 1, false);
    const ErrorCode code = Copy();
    const bool fired = SeamFaultFired();
    SeamDisarm();
    ASSERT_TRUE(fired);
    EXPECT_NE(kErrNone, code);
    // Nothing names the broken copy: the store is a good empty one and our
    // objects are off the clipboard.
    ASSERT_GE(ClipboardScratchStore, 0);
    EXPECT_EQ(kErrNone, VerifyStore(ClipboardScratchStore));
    EXPECT_FALSE(ClipboardHoldsOurObjects());
}

} // namespace
