#include "documents/clipboard_exchange.h"

#include "common/app_globals.h"
#include "common/file_helpers.h"
#include "common/io_seam.h"
#include "documents/clipboard_store.h"
#include "documents/document_record.h"
#include "documents/document_records.h"
#include "objects/view_record.h"
#include "objects/view_record_word.h"
#include "store/record_store.h"

ClipboardOwnedHook ClipboardOwnedCall = nullptr;

namespace {

const char kTempPrefix[] = "VXTMP";

ErrorCode ScratchFile(HFILE* file)
{
    if (ClipboardScratchStore < 0)
        return kErrNotDone;
    return GetStoreFileHandle(ClipboardScratchStore, file);
}

ErrorCode ReopenScratchStore(HFILE file)
{
    ForgetStore(ClipboardScratchStore);
    ClipboardScratchStore = -1;
    int store = -1;
    int second = 0;
    ErrorCode code = OpenStoreInFile(file, &store, 0, &second);
    if (code == kErrNone)
        ClipboardScratchStore = store;
    return code;
}

// After a failed copy the old slot may name a file that no longer holds a
// store: start again with an empty one and take our objects off the clipboard.
ErrorCode AbandonScratchStore(ErrorCode code)
{
    DiscardError(RemakeClipboardStore(), "without a scratch store Copy answers 1 from now on");
    EmptyClipboardNow();
    return code;
}

int DocumentStore(HWND view)
{
    HGLOBAL handle = GetViewRecordHandle(view);
    const void* record = handle ? GlobalLock(handle) : nullptr;
    if (!record)
        return -1;
    const int store = ReadViewField(record, kViewStoreSlot);
    GlobalUnlock(handle);
    return store;
}

} // namespace

bool ClipboardHoldsOurObjects()
{
    if (ClipboardOwnedCall && ClipboardOwnedCall())
        return true;
    if (!OpenClipboard(MainWindow))
        return false;
    const bool available = IsClipboardFormatAvailable(PrivatePictFormat) != 0;
    CloseClipboard();
    return available;
}

ErrorCode CopyDocumentToClipboardStore(HWND view)
{
    HFILE scratch = HFILE_ERROR;
    if (ClipboardScratchStore < 0 || ScratchFile(&scratch) != kErrNone)
        return kErrNotDone;
    const int store = DocumentStore(view);
    HFILE working = HFILE_ERROR;
    ErrorCode code = store >= 0 ? GetStoreFileHandle(store, &working) : kErrNoMemory;
    if (code == kErrNone)
        code = StoreDocumentState(GetParent(view), 0);
    if (code == kErrNone)
        code = FlushStore(ClipboardScratchStore, TRUE);
    if (code == kErrNone)
        code = CopyFileChunks(nullptr, working, 1, nullptr, scratch, 1);
    if (code == kErrNone)
        code = ReopenScratchStore(scratch);
    return code == kErrNone ? code : AbandonScratchStore(code);
}

ErrorCode CopyClipboardStoreFile(char* path)
{
    HFILE scratch = HFILE_ERROR;
    if (ClipboardScratchStore < 0 || ScratchFile(&scratch) != kErrNone)
        return kErrNotDone;
    if (!ClipboardHoldsOurObjects())
        return kErrNone;
    const bool copyOut = path[0] == '\0';
    if (copyOut) {
        char folder[MAX_PATH];
        if (!GetTempPathA(MAX_PATH, folder) || !GetTempFileNameA(folder, kTempPrefix, 0, path))
            return kErrFile;
    }
    HFILE other = OpenFileMode(path, nullptr, OF_READWRITE);
    if (other == HFILE_ERROR)
        return AbandonScratchStore(kErrFile);
    ErrorCode code = FlushStore(ClipboardScratchStore, TRUE);
    if (code == kErrNone)
        code = copyOut ? CopyFileChunks(nullptr, scratch, 1, nullptr, other, 1)
                       : CopyFileChunks(nullptr, other, 1, nullptr, scratch, 1);
    if (code == kErrNone)
        code = ReopenScratchStore(scratch);
    CloseFile(other);
    if (!copyOut)
        SeamDeleteFile(path);
    return code == kErrNone ? code : AbandonScratchStore(code);
}
