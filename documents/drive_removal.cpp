// WM_DEVICECHANGE: a volume holding open documents is about to go, or went.
#include <windows.h>

#include <dbt.h>

#include <cctype>
#include <cstring>

#include "common/results.h"
#include "documents/document_commands.h"
#include "documents/document_window_access.h"
#include "common/app_globals.h"
#include "resources/resource_ids.h"

namespace {

const int kDeviceTypeAt = 4;
const int kUnitMaskAt = 12;

// The documents on a drive of the unit mask; untitled ones have no drive.
bool OnRemovedDrive(HWND document, DWORD unitMask)
{
    DocumentRecord* record = LockDocumentRecord(document);
    if (!record)
        return false;
    bool hit = false;
    if (record->untitledNumber == 0) {
        const int drive = std::toupper(static_cast<unsigned char>(record->path[0]));
        hit = drive >= 'A' && drive <= 'Z' && (unitMask & (1u << (drive - 'A')));
    }
    ReleaseDocumentRecord(document);
    return hit;
}

void CloseWithoutPrompt(HWND document)
{
    PrepareDocumentClose(document);
    DefMDIChildProcA(document, WM_CLOSE, 0, 0);
}

} // namespace

LRESULT HandleDriveRemoval(WPARAM event, LPARAM lParam)
{
    const auto* header = reinterpret_cast<const unsigned char*>(lParam);
    if ((event != DBT_DEVICEQUERYREMOVE && event != DBT_DEVICEREMOVEPENDING && event != DBT_DEVICEREMOVECOMPLETE) ||
        !header || !MdiClientWindow)
        return TRUE;
    // The header's size, device type and reserved words, then a volume's unit mask.
    DWORD deviceType = 0;
    DWORD unitMask = 0;
    std::memcpy(&deviceType, header + kDeviceTypeAt, sizeof(deviceType));
    if (deviceType != DBT_DEVTYP_VOLUME)
        return TRUE;
    std::memcpy(&unitMask, header + kUnitMaskAt, sizeof(unitMask));
    bool asked = false;
    HWND next = nullptr;
    for (HWND document = GetWindow(MdiClientWindow, GW_CHILD); document; document = next) {
        next = GetWindow(document, GW_HWNDNEXT);
        if (GetParent(document) != MdiClientWindow || !OnRemovedDrive(document, unitMask))
            continue;
        if (event == DBT_DEVICEREMOVECOMPLETE) {
            SetForegroundWindow(document);
            WarnById(IDS_DRIVE_REMOVED);
            continue;
        }
        if (event == DBT_DEVICEQUERYREMOVE) {
            if (!asked && AppMessageBox(IDS_ALLOW_DRIVE_REMOVAL, MB_YESNO) == IDNO)
                return FALSE;
            asked = true;
            if (QuerySaveDocument(document, FALSE) == IDCANCEL)
                return FALSE;
        } else if (QuerySaveDocument(document, TRUE) == IDCANCEL) {
            return FALSE;
        }
        CloseWithoutPrompt(document);
    }
    return TRUE;
}
