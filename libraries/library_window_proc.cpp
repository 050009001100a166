#include "libraries/library_window.h"
#include "libraries/library_windows.h"
#include "libraries/symbol_commands.h"

#include <windowsx.h>

#include "common/app_globals.h"
#include "common/help_mode.h"
#include "common/info_dialog.h"
#include "common/results.h"
#include "common/right_click_point.h"
#include "common/tool_tips.h"
#include "common/tracking_mode.h"
#include "common/window_helpers.h"
#include "documents/view_children.h"
#include "objects/view_record.h"
#include "resources/bitmap_ids.h"
#include "resources/menu_ids.h"
#include "view/tool_palette.h"

const char kLibraryClassName[] = "VXLIBCLASS";

namespace {

const int kLibraryRowWord = 0;
const int kLibraryWindowBytes = 4;
const int kDoubleClickNotification = 5;
const int kNamesTopic = 30026;
const int kDockedTopic = 214;
const int kFloatingTopic = 109;
const int kLibraryMenuTopic = 127;
const int kChangeLibraryTopic = 212;
const int kCreateLibraryTopic = 213;
const int kButtonSizes[] = {kSmallButtons, kMediumButtons, kLargeButtons};

void OnCreate(HWND window, const CREATESTRUCTA* create)
{
    const int row = static_cast<int>(reinterpret_cast<INT_PTR>(create->lpCreateParams));
    SetLibraryRow(window, row);
    if (IsValidLibraryRow(row)) {
        const SavedLibraryWindow* entry = LibraryEntry(row);
        LibraryWindowSlot& slot = LibraryWindows[row];
        slot.windowWidth = entry ? entry->width : 0;
        slot.windowHeight = entry ? entry->height : 0;
        slot.columns = slot.rows = 0;
        SetLibraryButtonCount(row, 0);
    }
    MeasureNameCell(window);
}

void OnDestroy(int row)
{
    if (!IsValidLibraryRow(row))
        return;
    LibraryWindowSlot& slot = LibraryWindows[row];
    ReleaseRowLibrary(row);
    slot.window = nullptr;
    if (slot.palette)
        DeleteObject(slot.palette);
    slot.palette = nullptr;
    if (slot.buttonsDib)
        GlobalFree(slot.buttonsDib);
    slot.buttonsDib = nullptr;
    slot.docked = 0;
    const SavedLibraryWindow* entry = LibraryEntry(row);
    if (entry && !entry->open)
        RealizeAllDocumentPalettes();
    if (SelectedLibraryRow == row) {
        SelectedLibraryItem = -1;
        SelectedLibraryRow = -1;
        SelectPaletteTool(kToolSelect);
    }
}

bool HasNames(int row)
{
    int count = 0;
    return IsValidLibraryRow(row) && LibraryWindows[row].store >= 0 &&
           !CountGroupRecords(LibraryWindows[row].store, kLibraryNameGroup, &count) && count > 0;
}

void OnViewCommand(HWND window, int row, int id)
{
    if (id == IDM_LIB_NAMES) {
        if (HasNames(row)) {
            if (!LibraryNamesMode(row))
                SetLibraryViewMode(window, LibraryWindows[row].buttonSize, true);
        } else {
            DiscardError(ErrorCode(ShowInfoDialog("INFO_VXNAMES", kNamesTopic)), "a notice has nothing to pass on");
        }
        return;
    }
    if (!IsValidLibraryRow(row))
        return;
    const int size = kButtonSizes[id - IDM_LIB_SMALL_BUTTONS];
    if (size != LibraryWindows[row].buttonSize || LibraryNamesMode(row))
        SetLibraryViewMode(window, size, false);
}

void ChangeLibrary(int row, bool createNew)
{
    if (!IsValidLibraryRow(row))
        return;
    if (Options())
        Options()->flags &= ~static_cast<int32_t>(kOptionFlagBrowserSecondEntry);
    char path[kOptionsPathSize * 2] = "";
    if (createNew) {
        if (CreateLibraryFile(row, path) == kErrNone)
            ChooseLibraryForRow(row, path, true, false);
    } else {
        LibraryEntryPath(row, path, sizeof(path));
        ChooseLibraryForRow(row, path, false, false);
    }
    RealizeAllDocumentPalettes();
}

int CommandTopic(int id)
{
    switch (id) {
    case IDM_LIB_OPEN:
        return kChangeLibraryTopic;
    case IDM_LIB_CREATE:
    case IDM_LIB_ADD_VEXLET:
        return kCreateLibraryTopic;
    case IDM_LIB_EDIT_VEXLET:
        return kNamesTopic;
    case IDM_LIB_DETACH_TOOLBAR:
        return kDockedTopic;
    default:
        return id > IDM_LIB_DETACH_TOOLBAR || id < IDM_LIB_OPEN ? kFloatingTopic : kLibraryMenuTopic;
    }
}

void OnCommand(HWND window, int id, int notification)
{
    HideToolTip();
    const int row = GetLibraryRow(window);
    if (notification != 0 && notification != kDoubleClickNotification)
        return;
    if (HelpMode) {
        ShowHelpTopic(CommandTopic(id));
        return;
    }
    if (notification == kDoubleClickNotification) {
        EditVexlet(window);
        return;
    }
    switch (id) {
    case IDM_LIB_OPEN:
        ChangeLibrary(row, false);
        return;
    case IDM_LIB_CREATE:
        ChangeLibrary(row, true);
        return;
    case IDM_LIB_CLOSE:
        PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        return;
    case IDM_LIB_ADD_VEXLET:
        AddVexletToLibrary(window, 0);
        return;
    case IDM_LIB_EDIT_VEXLET:
        EditVexlet(window);
        return;
    case IDM_LIB_REMOVE_VEXLET:
        RemoveVexlet(window);
        return;
    case IDM_LIB_SMALL_BUTTONS:
    case IDM_LIB_MEDIUM_BUTTONS:
    case IDM_LIB_LARGE_BUTTONS:
    case IDM_LIB_NAMES:
        OnViewCommand(window, row, id);
        return;
    case IDM_LIB_DETACH_TOOLBAR:
        DetachLibraryToolbar(window);
        return;
    default:
        if (IsValidLibraryRow(row))
            SelectLibraryItem(row, id);
        return;
    }
}

void OnInitMenuPopup(HWND window, HMENU menu)
{
    HideToolTip();
    const int row = GetLibraryRow(window);
    if (!IsValidLibraryRow(row))
        return;
    int checked = IDM_LIB_NAMES;
    if (!LibraryNamesMode(row))
        for (int i = 0; i < 3; ++i)
            if (kButtonSizes[i] == LibraryWindows[row].buttonSize)
                checked = IDM_LIB_SMALL_BUTTONS + i;
    CheckMenuRadioItem(menu, IDM_LIB_SMALL_BUTTONS, IDM_LIB_NAMES, static_cast<UINT>(checked), MF_BYCOMMAND);
}

// The symbol under a client point; -1 when the point misses every button.
int ButtonAt(int row, POINT point)
{
    const int index = LibraryButtonIndexAt(row, point);
    return index >= 0 ? RowHeader(row)->items[index].symbolId : -1;
}

void OnLButtonDown(HWND window, POINT point)
{
    HideToolTip();
    const int row = GetLibraryRow(window);
    if (!IsValidLibraryRow(row) || TrackingMode != kTrackingNone)
        return;
    if (HelpMode) {
        ShowHelpTopic(LibraryWindows[row].docked ? kDockedTopic : kFloatingTopic);
        return;
    }
    if (PressLibraryButton(window, point) >= 0)
        return;
    // A docked bar has no caption: a press beside the buttons moves it.
    if (LibraryWindows[row].docked) {
        POINT screen = point;
        ClientToScreen(window, &screen);
        BeginLibraryMove(window, screen);
    }
}

const int kLibraryRightPopup = RIGHT_POS_LIBRARY;
const int kMenuSlack = 10;
const int kMenuReach = 100;
const int kHelpCursor = 2;

void ShowLibraryContextMenu(HWND window, POINT point)
{
    HMENU popup = RightMenu ? GetSubMenu(RightMenu, kLibraryRightPopup) : nullptr;
    if (!popup)
        return;
    ClientToScreen(window, &point);
    RightClickPoint = point;
    RightClickLibraryWindow = window;
    TPMPARAMS exclude = {};
    exclude.cbSize = sizeof(exclude);
    SetRect(&exclude.rcExclude, point.x - kMenuSlack, point.y - kMenuSlack, point.x + kMenuReach,
            point.y + kMenuReach);
    TrackPopupMenuEx(popup, TPM_RIGHTBUTTON, point.x, point.y, MainWindow, &exclude);
    MSG queued;
    PeekMessageA(&queued, window, WM_RBUTTONDOWN, WM_RBUTTONDOWN, PM_REMOVE);
}

// Only a docked bar has a context menu; its press also picks the symbol.
void OnRButtonDown(HWND window, POINT point)
{
    HideToolTip();
    const int row = GetLibraryRow(window);
    if (!IsValidLibraryRow(row) || !LibraryWindows[row].docked || !RightMenu || TrackingMode != kTrackingNone)
        return;
    const int id = ButtonAt(row, point);
    if (id >= 0)
        SelectLibraryItem(row, id);
    ShowLibraryContextMenu(window, point);
}

LRESULT OnSetCursor(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (HelpMode) {
        SetCursor(AppCursors[kHelpCursor]);
        return 1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void OnPaletteChanged(HWND window, HWND changer)
{
    const int row = GetLibraryRow(window);
    if (changer == window || !IsValidLibraryRow(row) || !LibraryWindows[row].palette)
        return;
    HDC dc = GetDC(window);
    HPALETTE old = SelectPalette(dc, LibraryWindows[row].palette, FALSE);
    RealizePalette(dc);
    SelectPalette(dc, old, FALSE);
    ReleaseDC(window, dc);
    InvalidateRect(window, nullptr, FALSE);
}

void OnLButtonUp(HWND window)
{
    if (LibraryButtonHeld()) {
        ReleaseLibraryButton(window);
        return;
    }
    if (LibraryMoving()) {
        ReleaseCapture();
        EndLibraryWindowMove(window);
    }
}

void OnSize(HWND window, int width, int height)
{
    const int row = GetLibraryRow(window);
    if (LibraryLayoutActive || !IsValidLibraryRow(row) || !RowView(row))
        return;
    LayoutLibraryWindow(row, width, height, LibraryNamesMode(row), false);
}

// Keys typed while a library window has the focus belong to the document.
void PassKeyOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const int row = GetLibraryRow(window);
    if (message == WM_KEYDOWN && !IsValidLibraryRow(row))
        return;
    if (message == WM_CHAR && GetFocus() == window) {
        if (!IsValidLibraryRow(row))
            return;
        ReturnFocusToDocument(window);
    } else if (message == WM_KEYDOWN) {
        ReturnFocusToDocument(window);
    }
    HWND focus = GetFocus();
    if (!focus || focus == window)
        return;
    SendMessageA(focus, message, wParam, lParam);
    if (message == WM_KEYDOWN)
        return;
    MSG queued;
    while (PeekMessageA(&queued, window, message, message, PM_REMOVE | PM_NOYIELD))
        SendMessageA(focus, message, queued.wParam, queued.lParam);
}

LRESULT OnSysCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const WPARAM command = wParam & 0xFFF0;
    if (command == SC_MOVE && (wParam & 0x000F) == HTCAPTION) {
        BeginLibraryMove(window, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    }
    if (command == SC_CLOSE) {
        SavedLibraryWindow* entry = LibraryEntry(GetLibraryRow(window));
        if (entry)
            entry->open = 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int GetLibraryRow(HWND window)
{
    return window ? static_cast<int>(GetWindowLongA(window, kLibraryRowWord)) : kNoLibraryRow;
}

void SetLibraryRow(HWND window, int row)
{
    SetWindowLongA(window, kLibraryRowWord, row);
}

bool IsLibraryWindow(HWND window)
{
    return GetLibraryRow(window) >= 0;
}

void ReturnFocusToDocument(HWND window)
{
    if (!IsValidLibraryRow(GetLibraryRow(window)))
        return;
    HWND document = GetActiveDocWindow(nullptr);
    HWND view = document ? DocumentViewOf(document) : nullptr;
    if (!view)
        return;
    HWND editor = GetWindow(view, GW_CHILD);
    if (editor && IsWindowVisible(editor))
        SendMessageA(editor, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(window));
    else
        SetFocus(view);
}

LRESULT CALLBACK VXLibHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        OnCreate(window, reinterpret_cast<const CREATESTRUCTA*>(lParam));
        return 0;
    case WM_PAINT:
        PaintLibraryWindow(window, GetLibraryRow(window));
        return 0;
    case WM_SYSCOLORCHANGE:
        return 0;
    case WM_SYSCOMMAND:
        return OnSysCommand(window, message, wParam, lParam);
    case WM_NCMOUSEMOVE:
        HideToolTip();
        break;
    case WM_INITMENUPOPUP:
        OnInitMenuPopup(window, reinterpret_cast<HMENU>(wParam));
        return 0;
    case WM_COMMAND:
        OnCommand(window, LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_LBUTTONDOWN:
        OnLButtonDown(window, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_LBUTTONDBLCLK:
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(SelectedLibraryItem, kDoubleClickNotification), 0);
        return 0;
    case WM_MOUSEMOVE:
        RightClickPoint.x = -1;
        if (LibraryButtonHeld())
            TrackPressedLibraryButton(window, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        else if (LibraryMoving())
            TrackLibraryWindowMove(window);
        else
            TrackLibraryToolTip(window);
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp(window);
        return 0;
    case WM_RBUTTONDOWN:
        OnRButtonDown(window, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_SETCURSOR:
        return OnSetCursor(window, message, wParam, lParam);
    case WM_PALETTECHANGED:
        OnPaletteChanged(window, reinterpret_cast<HWND>(wParam));
        return 0;
    case WM_CLOSE:
        ReturnFocusToDocument(window);
        break;
    case WM_DESTROY:
        OnDestroy(GetLibraryRow(window));
        return 0;
    case WM_SIZE:
        if (wParam == SIZE_MINIMIZED)
            break;
        OnSize(window, LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
        PassKeyOn(window, message, wParam, lParam);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

ATOM RegisterLibraryClass(HINSTANCE instance)
{
    ClearLibraryRows();
    WNDCLASSA windowClass = {};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = VXLibHandler;
    windowClass.cbWndExtra = kLibraryWindowBytes;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_LIBRARY));
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszMenuName = MENU_LIBRARY;
    windowClass.lpszClassName = kLibraryClassName;
    return RegisterClassA(&windowClass);
}

HWND GetActiveLibraryWindow()
{
    if (RightClickPoint.x >= 0 && RightClickLibraryWindow)
        return RightClickLibraryWindow;
    HWND chosen = nullptr;
    for (int row = 0; row < kLibraryRowCount && !chosen; ++row)
        if (LibraryWindows[row].window && !LibraryWindows[row].docked)
            chosen = LibraryWindows[row].window;
    // Of a stack of floating library windows the top one answers.
    for (HWND above = chosen ? GetWindow(chosen, GW_HWNDPREV) : nullptr; above;
         above = GetWindow(above, GW_HWNDPREV)) {
        char className[16] = "";
        if (!GetClassNameA(above, className, sizeof(className)) || lstrcmpA(className, kLibraryClassName) != 0)
            break;
        chosen = above;
    }
    return chosen;
}

void DestroyLibraryWindows()
{
    for (int row = 0; row < kLibraryRowCount; ++row)
        if (LibraryWindows[row].window)
            DestroyWindow(LibraryWindows[row].window);
}

void OpenLibrariesForDocument(HWND document)
{
    HWND view = DocumentViewOf(document);
    ViewRecord* record = view ? LockViewRecord(view) : nullptr;
    char path[kOptionsPathSize] = "";
    if (record) {
        if (record->libraryAtom)
            GlobalGetAtomNameA(record->libraryAtom, path, sizeof(path));
        ReleaseViewRecord(view);
    }
    if (FindFirstLibraryWindow() < 0 && AnyLibraryMarkedOpen())
        DiscardError(ErrorCode(OpenLibraries(0, -1, nullptr, nullptr)), "a library that does not open is forgotten");
    if (path[0] && FindLibraryEntry(path, true) < 0)
        DiscardError(ErrorCode(OpenLibraries(0, -1, path, document)), "a library that does not open is not docked");
}

void PrepareLibrariesMenu(HMENU menu)
{
    BuildLibraryWindowsMenu(menu, IDM_LIB_WINDOW_BASE);
}
