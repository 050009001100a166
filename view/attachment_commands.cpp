#include "view/attachment_commands.h"

#include <windows.h>
#include <shellapi.h>

#include <cstring>
#include <vector>

#include "common/app_globals.h"
#include "common/edit_errors.h"
#include "common/file_helpers.h"
#include "common/info_dialog.h"
#include "common/results.h"
#include "common/window_helpers.h"
#include "documents/document_commands.h"
#include "documents/view_children.h"
#include "documents/view_options.h"
#include "objects/app_options.h"
#include "objects/attachment_records.h"
#include "objects/document_modified.h"
#include "objects/document_undo.h"
#include "objects/drawing_edits.h"
#include "objects/drawing_tables.h"
#include "objects/view_record_word.h"
#include "resources/resource_ids.h"
#include "view/attachment_dialog.h"
#include "view/selection_access.h"

namespace {

const int kAttachHelpTopic = 30036;
const int kWebPageFailed = 73;
const int kOpenFailed = 74;
const int kShellSuccessFrom = 32;
const int kOpenAsUserFile = 1;
bool AttachHintShown = false;

// The one selected object the commands work on.
struct AttachTarget {
    HWND view = nullptr;
    int store = -1;
    int objectId = -1;
    RECT bounds = {0, 0, 0, 0};
};

HWND ActiveDrawingView()
{
    HWND document = GetActiveDocWindow(nullptr);
    return document ? DocumentViewOf(document) : nullptr;
}

void ShowAttachHint()
{
    if (AttachHintShown || !ViewOptionSet(kOptionsHints))
        return;
    AttachHintShown = true;
    ShowInfoDialog("HINT_ATTACH", kAttachHelpTopic);
}

// False, after the notice, unless exactly one object is selected.
bool FindTarget(AttachTarget* target)
{
    target->view = ActiveDrawingView();
    HGLOBAL handle = target->view ? ViewDrawingHandle(target->view) : nullptr;
    DrawingRecord* drawing = handle ? static_cast<DrawingRecord*>(GlobalLock(handle)) : nullptr;
    bool found = false;
    if (drawing) {
        LockedTable objects(drawing, kTableObjects);
        const int primary = drawing->primarySelected;
        if (drawing->selectedCount == 1 && primary >= 0 && primary < objects.Count()) {
            const DrawingObject* object = ObjectAt(objects.Get(), primary);
            target->store = drawing->storeSlot;
            target->objectId = object->objectId;
            target->bounds = object->bounds;
            found = true;
        }
        GlobalUnlock(handle);
    }
    if (!found && target->view)
        ShowInfoDialog("INFO_ATTACH", kAttachHelpTopic);
    return found;
}

void MarkModified(HWND view)
{
    HGLOBAL handle = GetViewRecordHandle(view);
    void* record = handle ? GlobalLock(handle) : nullptr;
    if (!record)
        return;
    SetDocumentModified(record);
    GlobalUnlock(handle);
}

// Writes the attachment, asking for it first unless `silent`. kErrNotDone
// when the user cancels (or, silent, when the object has none to rewrite).
ErrorCode EditAttachment(const AttachTarget& target, char* name, int* type, bool silent)
{
    if (silent && !ObjectIdHasAttachment(target.store, target.objectId))
        return kErrNotDone;
    if (!silent) {
        if (!RunAttachDialog(name, type))
            return kErrNotDone;
        const ErrorCode code = BeginDocumentUndo(target.view, kUndoStepAttach);
        if (code != kErrNone) {
            ReportEditError(code);
            return code;
        }
    }
    const ErrorCode code = WriteAttachment(target.store, target.objectId, name, *type);
    if (code != kErrNone) {
        if (!silent)
            DiscardError(SwapDocumentUndo(target.view, 0), "the roll-back warns of its own failure");
        WarnById(IDS_DISK_OR_MEMORY);
        return code;
    }
    if (Options())
        Options()->attachmentType = *type;
    MarkModified(target.view);
    InvalidateLogicalRect(target.view, &target.bounds);
    return kErrNone;
}

bool FileOpens(const char* name)
{
    HFILE file = OpenFileMode(name, nullptr, OF_READ);
    if (file == HFILE_ERROR)
        return false;
    CloseFile(file);
    return true;
}

bool ShellOpen(const char* name)
{
    const INT_PTR result =
        reinterpret_cast<INT_PTR>(ShellExecuteA(MainWindow, "open", name, nullptr, nullptr, SW_SHOWNORMAL));
    return result >= kShellSuccessFrom;
}

bool OpenDrawing(const char* name)
{
    if (!FileOpens(name) || OpenOrActivateDocument(name, kOpenAsUserFile) != kErrNone)
        return false;
    CascadeDocumentWindows();
    return true;
}

// Opens the attachment by its type; false when it could not be opened.
bool OpenByType(const char* name, int type)
{
    switch (type) {
    case kAttachWebPage:
    case kAttachDocument:
        return ShellOpen(name);
    case kAttachProgram:
        return WinExec(name, SW_SHOWNORMAL) >= static_cast<UINT>(kShellSuccessFrom);
    default:
        return OpenDrawing(name);
    }
}

// A drawing or document that is not where the record says may have moved
// with the program's folder: the new place is kept only when it opens.
void FollowMovedFile(const AttachTarget& target, char* name, int type)
{
    if (FileOpens(name))
        return;
    char moved[kAttachNameSize];
    std::memcpy(moved, name, kAttachNameSize);
    if (!RelocateAttachmentPath(moved) || std::strcmp(moved, name) == 0 || !FileOpens(moved))
        return;
    int keptType = type;
    if (EditAttachment(target, moved, &keptType, true) == kErrNone)
        std::memcpy(name, moved, kAttachNameSize);
}

void RepaintTarget(const AttachTarget& target)
{
    InvalidateLogicalRect(target.view, &target.bounds);
}

struct SelectedAttachment {
    int objectId;
    RECT bounds;
};

std::vector<SelectedAttachment> SelectedAttachments(HWND view)
{
    std::vector<SelectedAttachment> found;
    HGLOBAL handle = ViewDrawingHandle(view);
    DrawingRecord* drawing = handle ? static_cast<DrawingRecord*>(GlobalLock(handle)) : nullptr;
    if (!drawing)
        return found;
    {
        LockedTable objects(drawing, kTableObjects);
        for (int i = 0; i < objects.Count(); ++i) {
            const DrawingObject* object = ObjectAt(objects.Get(), i);
            if ((object->stateFlags & kStateSelected) && ObjectIdHasAttachment(drawing->storeSlot, object->objectId))
                found.push_back({object->objectId, object->bounds});
        }
    }
    GlobalUnlock(handle);
    return found;
}

int ViewStore(HWND view)
{
    HGLOBAL handle = ViewDrawingHandle(view);
    DrawingRecord* drawing = handle ? static_cast<DrawingRecord*>(GlobalLock(handle)) : nullptr;
    if (!drawing)
        return -1;
    const int store = drawing->storeSlot;
    GlobalUnlock(handle);
    return store;
}

int LastAttachType()
{
    return Options() ? Options()->attachmentType : kAttachDrawing;
}

} // namespace

void CascadeDocumentWindows()
{
    if (Options() && (Options()->moreFlags & kMoreAttachedMaximized))
        return;
    BOOL maximized = FALSE;
    if (GetActiveDocWindow(&maximized) && maximized && MdiClientWindow)
        SendMessageA(MdiClientWindow, WM_MDICASCADE, 0, 0);
}

int AttachFile()
{
    ShowAttachHint();
    AttachTarget target;
    if (!FindTarget(&target))
        return 0;
    char name[kAttachNameSize] = "";
    int type = LastAttachType();
    if (ReadAttachment(target.store, target.objectId, name, &type) != kErrNone) {
        name[0] = '\0';
        type = LastAttachType();
    }
    if (EditAttachment(target, name, &type, false) != kErrNone)
        return 0;
    if (type == kAttachDrawing) {
        if (!OpenDrawing(name))
            WarnWithText(kOpenFailed, name);
    } else if (!OpenByType(name, type)) {
        WarnWithText(type == kAttachWebPage ? kWebPageFailed : kOpenFailed, name);
    }
    return 0;
}

int OpenAttachedFile()
{
    ShowAttachHint();
    if (CheckDocumentLimit(FALSE, nullptr))
        return 0;
    AttachTarget target;
    if (!FindTarget(&target))
        return 0;
    char name[kAttachNameSize] = "";
    int type = kAttachDrawing;
    bool justMade = false;
    if (ReadAttachment(target.store, target.objectId, name, &type) != kErrNone) {
        if (AppMessageBox(IDS_NO_ATTACHMENT, MB_YESNO) != IDYES)
            return 0;
        name[0] = '\0';
        type = LastAttachType();
        if (EditAttachment(target, name, &type, false) != kErrNone)
            return 0;
        RepaintTarget(target);
        justMade = true;
    }
    while (name[0]) {
        if (type == kAttachWebPage) {
            if (!ShellOpen(name))
                WarnWithText(kWebPageFailed, name);
            return 0;
        }
        if ((type == kAttachDrawing || type == kAttachDocument) && !justMade)
            FollowMovedFile(target, name, type);
        if (OpenByType(name, type))
            return 0;
        if (AppMessageBox(IDS_ATTACHMENT_MISSING, MB_YESNO) != IDYES)
            return 0;
        name[0] = '\0';
        if (EditAttachment(target, name, &type, false) != kErrNone)
            return 0;
        justMade = true;
    }
    return 0;
}

int ClearAttachment()
{
    ShowAttachHint();
    HWND view = ActiveDrawingView();
    if (!view)
        return 0;
    const std::vector<SelectedAttachment> attached = SelectedAttachments(view);
    if (attached.empty())
        return 0;
    if (AppMessageBox(IDS_CLEAR_ATTACHMENTS, MB_YESNO) != IDYES)
        return 0;
    ErrorCode code = BeginDocumentUndo(view, kUndoStepClearAttach);
    if (code != kErrNone) {
        ReportEditError(code);
        return 0;
    }
    const int store = ViewStore(view);
    for (const SelectedAttachment& one : attached) {
        code = DeleteAttachment(store, one.objectId);
        if (code != kErrNone)
            break;
        InvalidateLogicalRect(view, &one.bounds);
    }
    if (code != kErrNone) {
        DiscardError(SwapDocumentUndo(view, 0), "the roll-back warns of its own failure");
        WarnById(IDS_DISK_OR_MEMORY);
        return 0;
    }
    MarkModified(view);
    return 0;
}
