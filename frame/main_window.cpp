#include "documents/print_document.h"
#include "frame/main_window.h"

#include "frame/queue_probe.h"

#include "common/help_context.h"
#include "common/help_mode.h"
#include "common/owned_windows.h"
#include "common/results.h"
#include "common/tool_tips.h"
#include "documents/document_commands.h"
#include "common/app_globals.h"
#include "frame/dropped_files.h"
#include "frame/environment_changes.h"
#include "frame/hand_over.h"
#include "frame/menu_commands.h"
#include "frame/menu_enabling.h"
#include "frame/menu_hints.h"
#include "frame/owner_drawn_menus.h"
#include "resources/resource_ids.h"
#include "common/window_helpers.h"
#include "objects/view_record.h"
#include "documents/view_children.h"
#include "view/view_layout.h"

const char kMainClassName[] = "TYMainClass";

namespace {

LRESULT PassOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefFrameProcA(window, MdiClientWindow, message, wParam, lParam);
}

void OnDestroy(HWND window)
{
    EndHelpSession(window);
    DragAcceptFiles(window, FALSE);
    PostQuitMessage(0);
    MdiClientWindow = nullptr;
    if (window == MainWindow)
        MainWindow = nullptr;
}

// The main window's activation goes on to the active document window.
void ForwardActivation(WPARAM state, LPARAM other)
{
    HWND document = MdiClientWindow ? reinterpret_cast<HWND>(SendMessageA(MdiClientWindow, WM_MDIGETACTIVE, 0, 0))
                                    : nullptr;
    if (document)
        SendMessageA(document, WM_ACTIVATE, state, other);
}

void OnCommand(WPARAM wParam)
{
    const int id = LOWORD(wParam);
    if (HelpMode)
        ShowHelpForCommand(id);
    else
        DispatchMenuCommand(id);
}

LRESULT OnSetCursor(HWND window, WPARAM wParam, LPARAM lParam)
{
    if (HelpMode) {
        SetAppCursor(2);
        return 1;
    }
    return PassOn(window, WM_SETCURSOR, wParam, lParam);
}

} // namespace

LRESULT CALLBACK SEMain(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DESTROY:
        OnDestroy(window);
        return 0;
    case WM_SIZE:
        ResizeFrame(lParam);
        FitPreviewToFrame();
        return 0;
    case WM_ACTIVATE:
        ForwardActivation(wParam, lParam);
        return 0;
    case kMsgLiftOwnedWindows:
        LiftOwnedWindows(window);
        return 0;
    case WM_SETFOCUS:
        ForwardActivation(WA_ACTIVE, 0);
        return 0;
    case WM_KILLFOCUS:
        ForwardActivation(WA_INACTIVE, 0);
        return 0;
    case WM_CLOSE:
        if (CloseMainWindow(window))
            return PassOn(window, message, wParam, lParam);
        return 0;
    case WM_QUERYENDSESSION:
        return CloseAllDocuments();
    case WM_SYSCOLORCHANGE:
        OnSystemColorsChanged();
        break;
    case WM_WININICHANGE:
        OnWinIniChanged(reinterpret_cast<const char*>(lParam));
        return 0;
    case WM_DEVMODECHANGE:
        OnDeviceModeChanged(reinterpret_cast<const char*>(lParam));
        return 0;
    case WM_FONTCHANGE:
        OnFontsChanged();
        return 0;
    case WM_SETCURSOR:
        return OnSetCursor(window, wParam, lParam);
    case WM_DRAWITEM:
        DrawMenuItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        return 0;
    case WM_MEASUREITEM:
        MeasureMenuItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        return 0;
    case WM_NCMOUSEMOVE:
        HideToolTip();
        break;
    case WM_COMMAND:
        OnCommand(wParam);
        break;
    case WM_INITMENUPOPUP:
        HideToolTip();
        EnableMenuPopup(reinterpret_cast<HMENU>(wParam));
        break;
    case WM_MENUSELECT:
        OnMenuSelect(window, wParam, lParam);
        break;
    case WM_DEVICECHANGE:
        return HandleDriveRemoval(wParam, lParam);
    case WM_DROPFILES:
        OpenDroppedFiles(reinterpret_cast<HDROP>(wParam));
        break;
    case WM_QUERYNEWPALETTE:
        return OnQueryNewPalette();
    case WM_PALETTECHANGED:
        if (reinterpret_cast<HWND>(wParam) != window)
            OnPaletteChanged(reinterpret_cast<HWND>(wParam));
        break;
    case kMsgNotEnoughMemory:
        WarnById(IDS_OUT_OF_MEMORY);
        break;
    case kMsgResetFonts:
        ResetSharedFonts(1);
        break;
    case kMsgFontsExhausted:
        WarnById(IDS_TOO_MANY_FONTS);
        break;
    case kMsgHandOver:
        ReceiveHandOver(wParam, lParam);
        break;
    default:
        if (message == QueueProbeMessage()) {
            AnswerQueueProbe(window, wParam);
            return 0;
        }
        break;
    }
    return PassOn(window, message, wParam, lParam);
}

HPALETTE GetActiveViewPalette()
{
    HWND document = GetActiveDocWindow(nullptr);
    HWND view = document ? DocumentViewOf(document) : nullptr;
    if (!view)
        return nullptr;
    ViewRecord* record = LockViewRecord(view);
    if (!record)
        return nullptr;
    HPALETTE palette = static_cast<HPALETTE>(LongToHandle(record->palette));
    ReleaseViewRecord(view);
    return palette;
}
