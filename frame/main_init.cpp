// InitApplication and the main initialisation: the order of the steps matters,
// each later step relies on what the earlier ones made.
#include "common/display_flags.h"
#include "common/help_context.h"
#include "common/results.h"
#include "common/string_helpers.h"
#include "common/tool_tip_class.h"
#include "documents/document_record.h"
#include "documents/options_file.h"
#include "documents/printer_context.h"
#include "common/app_globals.h"
#include "frame/app_startup.h"
#include "frame/layer_hooks.h"
#include "documents/clipboard_store.h"
#include "frame/main_window.h"
#include "frame/menu_build.h"
#include "frame/menu_enabling.h"
#include "frame/option_flags.h"
#include "frame/recent_files_menu.h"
#include "frame/registry_check.h"
#include "frame/right_menu.h"
#include "frame/shared_gdi_objects.h"
#include "frame/start_splash.h"
#include "objects/object_kind_table.h"
#include "ole/ole_server.h"
#include "resources/dialog_ids.h"
#include "resources/menu_ids.h"
#include "resources/resource_ids.h"
#include "store/record_store.h"
#include "text/font_cache.h"
#include "text/ten_startup.h"
#include "view/tool_palette.h"
#include "view/view_layout.h"

int RecordStoreTableMade = 0;
int ObjectKindsInitialised = 0;
HMODULE Ctl3dLibrary = nullptr;

namespace {

const int kMdiClientId = 32000;
const int kFileSendPosition = 14;

typedef BOOL(WINAPI* Ctl3dCall)(HINSTANCE);

void ReadPlatform(HINSTANCE instance)
{
    AppInstance = instance;
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (GetVersionExA(&version)) {
#pragma GCC diagnostic pop
        WindowsMajorVersion = static_cast<int>(version.dwMajorVersion);
        WindowsNT = version.dwPlatformId == VER_PLATFORM_WIN32_NT;
    }
}

// Three-dimensional controls come from a library only before Windows 4.
void RegisterCtl3d(HINSTANCE instance)
{
    if (WindowsMajorVersion >= 4)
        return;
    Ctl3dLibrary = LoadLibraryA("CTL3D32.DLL");
    if (!Ctl3dLibrary)
        return;
    auto reg = reinterpret_cast<Ctl3dCall>(reinterpret_cast<void*>(GetProcAddress(Ctl3dLibrary, "Ctl3dRegister")));
    if (!reg) {
        FreeLibrary(Ctl3dLibrary);
        Ctl3dLibrary = nullptr;
        return;
    }
    reg(instance);
    auto subclass =
        reinterpret_cast<Ctl3dCall>(reinterpret_cast<void*>(GetProcAddress(Ctl3dLibrary, "Ctl3dAutoSubclass")));
    if (subclass)
        subclass(instance);
}

} // namespace

void TakeMenuPopups(HMENU bar)
{
    for (int i = 0; i < MENU_POPUP_COUNT; ++i)
        MainMenuPopups[i] = GetSubMenu(bar, i);
    if (MapiEnabled == 0 && MainMenuPopups[MENU_POS_FILE]) {
        // The Send popup and the separator before it.
        DeleteMenu(MainMenuPopups[MENU_POS_FILE], kFileSendPosition, MF_BYPOSITION);
        DeleteMenu(MainMenuPopups[MENU_POS_FILE], kFileSendPosition - 1, MF_BYPOSITION);
    }
}

namespace {

void ReadDisplay()
{
    ScrollBarWidth = GetSystemMetrics(SM_CXVSCROLL);
    ScrollBarHeight = GetSystemMetrics(SM_CYHSCROLL);
    HDC dc = GetDC(MainWindow);
    const int bits = GetDeviceCaps(dc, BITSPIXEL);
    const int planes = GetDeviceCaps(dc, PLANES);
    ReleaseDC(MainWindow, dc);
    MonochromeDisplay = bits == 1 && planes == 1;
    SixteenColourDisplay = bits * planes == 4;
}

ErrorCode CreateMdiClient(HINSTANCE instance)
{
    CLIENTCREATESTRUCT client = {};
    client.hWindowMenu = MainMenuPopups[MENU_POS_WINDOW];
    client.idFirstChild = IDM_WINDOW_FIRST_CHILD;
    MdiClientWindow = CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0,
                                      MainWindow, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kMdiClientId)),
                                      instance, &client);
    return MdiClientWindow ? kErrNone : kErrWindowOrCursor;
}

ErrorCode CreatePalette(HINSTANCE instance)
{
    PaletteWindow = CreateDialogParamA(instance, TEMPLATE_PALETTE, MainWindow, PaletteHandler, 0);
    if (!PaletteWindow)
        return kErrWindowOrCursor;
    RECT client;
    GetClientRect(PaletteWindow, &client);
    PaletteWindowHeight = client.bottom;
    return kErrNone;
}

ErrorCode OpenRecordStoreTable()
{
    ErrorCode code = InitRecordStore(kStoreTableSlots);
    if (code == kErrNone)
        RecordStoreTableMade = 1;
    return code;
}

void ShowMainWindow(int showCommand)
{
    int show = showCommand;
    if (showCommand == SW_SHOWMAXIMIZED && (GetOptionFlags() & kFlagNotMaximized))
        show = SW_SHOWNORMAL;
    ShowWindow(MainWindow, show);
    UpdateWindow(MainWindow);
}

void LayOutPaletteFromOptions()
{
    LayOutPalette(PaletteWindow);
    if (!(GetOptionFlags() & kFlagPaletteShown))
        ToggleToolbar();
}

// The steps after the splash appears: each later one relies on the earlier.
ErrorCode StartServices()
{
    ErrorCode code = CreateFontCache();
    if (code == kErrNone) {
        AppAccelerators = LoadAcceleratorsA(AppInstance, ACCEL_MAIN);
        code = AppAccelerators ? kErrNone : kErrNoMemory;
    }
    if (code == kErrNone)
        code = RegisterTenClass(AppInstance);
    if (code == kErrNone)
        code = InitTen();
    if (code == kErrNone)
        code = RegisterClipboardFormats();
    if (code == kErrNone)
        code = BuildMenuItems();
    if (code == kErrNone)
        code = BuildRightMenu();
    if (code == kErrNone) {
        code = InitObjectKinds();
        if (code == kErrNone)
            ObjectKindsInitialised = 1;
    }
    if (code == kErrNone) {
        ActivateDocumentView(nullptr, 0);
        HasDefaultPrinterChanged(1);
        code = OleStartServer();
        if (code == kErrNone)
            OleServerRunning = 1;
    }
    if (code == kErrNone)
        CreateDefaultUiFont();
    return code;
}

} // namespace

ErrorCode InitMainWindow(HINSTANCE instance, int showCommand, const char* optionsFile)
{
    MeasureSystem = static_cast<int>(GetProfileIntA("Intl", "iMeasure", 1));
    MapiEnabled = static_cast<int>(GetProfileIntA("Mail", "MAPI", 0));
    char title[kStringBufferSize];
    LoadStrOrBlank(IDS_APP_TITLE, title);
    MainWindow = CreateWindowExA(0, kMainClassName, title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    if (!MainWindow)
        return kErrWindowOrCursor;
    TakeMenuPopups(GetMenu(MainWindow));
    ReadDisplay();
    ErrorCode code = CreateSharedGdiObjects();
    if (code == kErrNone)
        code = CreateMdiClient(instance);
    if (code == kErrNone)
        code = CreatePalette(instance);
    if (code == kErrNone)
        code = OpenRecordStoreTable();
    if (code == kErrNone)
        RemoveStaleWorkingFiles();
    if (code == kErrNone)
        code = LoadOptions(optionsFile && optionsFile[0] ? optionsFile : nullptr, MainMenuPopups[MENU_POS_FILE],
                           IDM_FILE_RECENT_FIRST);
    if (code != kErrNone)
        return code;
    ShowRecentFilesInMenu();
    LayOutPaletteFromOptions();
    ShowMainWindow(showCommand);
    MakeHelpFilePath();
    code = CheckRegistration();
    if (code != kErrNone)
        return code;
    StartSplash splash = {nullptr, 0};
    if (showCommand != SW_HIDE)
        splash = ShowStartSplash();
    code = StartServices();
    if (splash.window && showCommand != SW_HIDE) {
        EndStartSplash(&splash);
        if (PaletteWindow && IsWindowVisible(PaletteWindow))
            UpdateWindow(PaletteWindow);
    }
    if (code == kErrNone && showCommand != SW_HIDE)
        DragAcceptFiles(MainWindow, TRUE);
    return code;
}

ErrorCode InitApplication(HINSTANCE instance, int showCommand, const char* optionsFile)
{
    ConnectLayers();
    ReadPlatform(instance);
    ErrorCode code = LoadAppCursors(instance);
    if (code == kErrNone)
        code = RegisterWindowClasses(instance);
    if (code == kErrNone) {
        RegisterCtl3d(instance);
        code = InitMainWindow(instance, showCommand, optionsFile);
    }
    if (code == kErrNone) {
        RegisterToolTipClass(instance);
        return kErrNone;
    }
    AppMessageBox(IDS_LOAD_FAILED, MB_TASKMODAL | MB_ICONEXCLAMATION | MB_OK);
    return code;
}
