#include "documents/clipboard_store.h"

#include <cstring>

#include "common/io_seam.h"
#include "common/results.h"
#include "common/string_helpers.h"
#include "common/app_globals.h"
#include "resources/resource_ids.h"
#include "store/record_store.h"

int ClipboardScratchStore = -1;

namespace {

constexpr ErrorCode kErrClipboardStart{1};

struct FormatRow {
    UINT* format;
    const char* name;
};

const FormatRow kFormats[] = {
    {&PrivatePictFormat, "VXPICT"},
    {&PrivateNoPictFormat, "VXNPICT"},
    {&NativeClipFormat, "Tessary.2"},
    {&EmbedSourceFormat, "Embed Source"},
    {&ObjectDescriptorFormat, "Object Descriptor"},
    {&LinkSourceFormat, "Link Source"},
    {&LinkSourceDescriptorFormat, "Link Source Descriptor"},
    {&StdScaleFormat, "StdScale"},
};

// The groups a kept store may lack (written by later versions of the copy code).
const short kKeptStoreGroups[] = {113, 119, 120, 117, 118};
// The groups of a drawing's working store, in the order they are made.
const short kNewStoreGroups[] = {100, 110, 111, 115, 112, 113, 114, 116, 117, 118, 119, 120};

bool PrivateFormatOnClipboard()
{
    if (!OpenClipboard(MainWindow))
        return false;
    bool available = IsClipboardFormatAvailable(PrivatePictFormat) != 0;
    CloseClipboard();
    return available;
}

void ForgetOpenStore()
{
    if (ClipboardScratchStore >= 0)
        DiscardError(CloseOrAbandonStore(ClipboardScratchStore), "the scratch store is only forgotten");
    ClipboardScratchStore = -1;
}

ErrorCode CreateMissingGroup(int store, short group)
{
    ErrorCode code = CreateGroup(store, group);
    return code == kStoreErrExists ? kErrNone : code;
}

// The store of an earlier run stays while the clipboard still offers its objects.
bool KeepExistingStore(const char* path)
{
    int second = 0;
    int store = -1;
    if (OpenStoreByName(path, &store, 0, &second, FALSE) != kErrNone)
        return false;
    ClipboardScratchStore = store;
    ErrorCode code = VerifyStore(store);
    for (short group : kKeptStoreGroups)
        if (code == kErrNone)
            code = CreateMissingGroup(store, group);
    if (code != kErrNone) {
        ForgetOpenStore();
        return false;
    }
    return true;
}

ErrorCode MakeNewStore(const char* path)
{
    SeamDeleteFile(path);
    ErrorCode code = CreateStoreFile(path, 0, kStoreShift, kDocumentMapCapacity);
    int second = 0;
    int store = -1;
    if (code == kErrNone)
        code = OpenStoreByName(path, &store, 0, &second, FALSE);
    if (code == kErrNone)
        ClipboardScratchStore = store;
    for (short group : kNewStoreGroups)
        if (code == kErrNone)
            code = CreateGroup(store, group);
    if (code != kErrNone) {
        ForgetOpenStore();
        SeamDeleteFile(path);
        return kErrClipboardStart;
    }
    return kErrNone;
}

} // namespace

void GetClipboardStorePath(char* path)
{
    char folder[MAX_PATH] = "";
    UINT length = GetWindowsDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH - 1)
        folder[0] = '\0';
    size_t used = strlen(folder);
    if (used && folder[used - 1] != '\\')
        strcat(folder, "\\");
    char leaf[kStringBufferSize];
    LoadStrOrBlank(IDS_CLIPBOARD_FILE, leaf);
    lstrcpynA(path, folder, MAX_PATH);
    strncat(path, leaf, MAX_PATH - 1 - strlen(path));
}

ErrorCode RegisterClipboardFormats()
{
    ClipboardScratchStore = -1;
    for (const FormatRow& row : kFormats) {
        *row.format = RegisterClipboardFormatA(row.name);
        if (!*row.format)
            return kErrClipboardStart;
    }
    char path[MAX_PATH];
    GetClipboardStorePath(path);
    if (PrivateFormatOnClipboard()) {
        if (KeepExistingStore(path))
            return kErrNone;
        EmptyClipboardNow();
    }
    return MakeNewStore(path);
}

void EmptyClipboardNow()
{
    if (OpenClipboard(MainWindow)) {
        EmptyClipboard();
        CloseClipboard();
    }
}

ErrorCode RemakeClipboardStore()
{
    if (ClipboardScratchStore >= 0) {
        HFILE file = HFILE_ERROR;
        if (GetStoreFileHandle(ClipboardScratchStore, &file) == kErrNone && file != HFILE_ERROR)
            SeamClose(file);
        ForgetStore(ClipboardScratchStore);
        ClipboardScratchStore = -1;
    }
    char path[MAX_PATH];
    GetClipboardStorePath(path);
    return MakeNewStore(path);
}

void CloseClipboardStore()
{
    if (ClipboardScratchStore < 0)
        return;
    HCURSOR previous = SetCursor(AppCursors[1]);
    // At exit no one is left to tell, and a damaged scratch store is made anew at start.
    const char* const atExit = "the scratch store is made anew at start";
    DiscardError(CompactStore(ClipboardScratchStore), atExit);
    DiscardError(CloseOrAbandonStore(ClipboardScratchStore), atExit);
    ClipboardScratchStore = -1;
    SetCursor(previous);
}
