// File > Print Preview: a dialog over the main window's client area showing
// one page at a time as it will print, drawn by the print job itself.
#include <cstdio>
#include <cstring>

#include "common/app_globals.h"
#include "common/help_mode.h"
#include "common/icon_button.h"
#include "common/message_crackers.h"
#include "common/results.h"
#include "common/scroll_helpers.h"
#include "common/string_helpers.h"
#include "common/window_helpers.h"
#include "documents/document_window_hooks.h"
#include "documents/print_dialogs.h"
#include "documents/print_document.h"
#include "documents/print_job.h"
#include "documents/view_children.h"
#include "objects/app_options.h"
#include "resources/bitmap_ids.h"
#include "resources/dialog_ids.h"
#include "resources/menu_ids.h"
#include "resources/resource_ids.h"

HWND PreviewWindow = nullptr;

namespace {

const int kPreviewHelpTopic = 30056;
const int kPreviewInset = 10;
const int kSmallestPreviewArea = 50;
const int kPreviewZoomBase = 6000;      // per mille times 600 units per inch / 100 pixels
const int kShadowShift = 2;
const int kMenuBarWithSystemMenu = 10;
const int kHelpButtonGap = 20;
const int kHelpButtonWidth = 23;
const int kHelpButtonStyle = 160;

struct PreviewState {
    HWND view;
    HWND document;
    ViewRecord* record;
    PageTiles tiles;
    int page;
    int topLine;
    bool documentWasMaximized;
};
PreviewState preview = {};

int PageCount() { return preview.tiles.rows * preview.tiles.columns; }

bool OnOnePage()
{
    const OptionsRecord* options = Options();
    return options && (options->printOptions & kPrintOnOnePage) && PageCount() > 1;
}

void ShowPageText(HWND dialog, int page, int pages)
{
    char format[kStringBufferSize];
    char text[kStringBufferSize + 32];
    LoadStrOrBlank(IDS_PREVIEW_PAGE, format);
    std::snprintf(text, sizeof(text), format, page, pages);
    SetDlgItemTextA(dialog, IDC_PREVIEW_PAGE, text);
}

void PlaceScrollBar(HWND dialog, int width, int height)
{
    HWND bar = GetDlgItem(dialog, IDC_PREVIEW_SCROLL);
    const int barWidth = GetSystemMetrics(SM_CXVSCROLL);
    MoveWindow(bar, width - barWidth, preview.topLine, barWidth, height - preview.topLine - 1, TRUE);
}

void PlaceHelpButton(HWND dialog, const RECT& close)
{
    HWND help = GetDlgItem(dialog, IDC_PREVIEW_HELP);
    if (!help)
        return;
    SetWindowLongA(help, kIconButtonBitmapWord, IDB_PREVIEW_HELP);
    SetWindowLongA(help, kIconButtonStyleWord, kHelpButtonStyle);
    MoveWindow(help, close.right + kHelpButtonGap, close.top + 1, kHelpButtonWidth, close.bottom - close.top - 1,
               TRUE);
}

RECT ChildRect(HWND dialog, int id)
{
    RECT r = {};
    GetWindowRect(GetDlgItem(dialog, id), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void FitOverFrame(HWND dialog)
{
    RECT client;
    GetClientRect(MainWindow, &client);
    MoveWindow(dialog, 0, 0, client.right, client.bottom, TRUE);
}

void InitPreviewDialog(HWND dialog)
{
    if (MainWindow)
        FitOverFrame(dialog);
    const RECT close = ChildRect(dialog, IDCANCEL);
    preview.topLine = close.bottom + 3;
    PlaceHelpButton(dialog, close);
    preview.page = 1;
    const int rangeEnd = OnOnePage() ? 0 : PageCount() - 1;
    HWND bar = GetDlgItem(dialog, IDC_PREVIEW_SCROLL);
    SetScrollRangeCompat(bar, SB_CTL, 1, rangeEnd, 1, FALSE);
    SetScrollPos(bar, SB_CTL, 1, FALSE);
    ShowPageText(dialog, 1, rangeEnd + 1);
    ShowWindow(dialog, SW_SHOW);
    RECT client;
    GetClientRect(dialog, &client);
    if (rangeEnd <= 0)
        ShowWindow(bar, SW_HIDE);
    else
        PlaceScrollBar(dialog, client.right, client.bottom);
    BringWindowToTop(dialog);
}

void DrawLine(HDC dc, int x1, int y1, int x2, int y2)
{
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

void PaintFrame(HDC dc, const RECT& client, int right)
{
    HPEN light = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    HPEN dark = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    HGDIOBJ old = SelectObject(dc, light);
    DrawLine(dc, 0, preview.topLine, right, preview.topLine);
    DrawLine(dc, 1, 1, right, 1);
    DrawLine(dc, 1, 1, 1, client.bottom);
    SelectObject(dc, dark);
    DrawLine(dc, 0, preview.topLine - 1, right, preview.topLine - 1);
    DrawLine(dc, 0, 0, right, 0);
    DrawLine(dc, 0, 0, 0, client.bottom);
    DrawLine(dc, 0, client.bottom - 1, right, client.bottom - 1);
    DrawLine(dc, right - 1, preview.topLine, right - 1, client.bottom);
    SelectObject(dc, old);
    DeleteObject(light);
    DeleteObject(dark);
}

int FitZoom(int area, int page)
{
    int zoom = page > 0 ? static_cast<int>(static_cast<long long>(kPreviewZoomBase) * area / page) : 0;
    zoom -= zoom % kZoomStep;
    return zoom > 0 ? zoom : kSmallestZoom;
}

// The page's rectangle in the dialog, scaled to fit and centred.
PreviewTarget PageTarget(const RECT& area)
{
    const ViewRecord& r = *preview.record;
    const int across = FitZoom(area.right - area.left, r.pageWidth);
    const int down = FitZoom(area.bottom - area.top, r.pageHeight);
    const int zoom = across < down ? across : down;
    const int width = static_cast<int>(static_cast<long long>(r.pageWidth) * zoom / kPreviewZoomBase);
    const int height = static_cast<int>(static_cast<long long>(r.pageHeight) * zoom / kPreviewZoomBase);
    PreviewTarget target;
    target.page.left = area.left + (area.right - area.left - width) / 2;
    target.page.top = area.top + (area.bottom - area.top - height) / 2;
    target.page.right = target.page.left + width;
    target.page.bottom = target.page.top + height;
    target.zoom = zoom;
    return target;
}

void PaintSheet(HDC dc, const RECT& page)
{
    RECT sheet = page;
    InflateRect(&sheet, kShadowShift, kShadowShift);
    RECT shadow = sheet;
    OffsetRect(&shadow, kShadowShift, kShadowShift);
    HPEN framePen = CreatePen(PS_INSIDEFRAME, kShadowShift, GetSysColor(COLOR_WINDOWFRAME));
    HGDIOBJ oldPen = SelectObject(dc, framePen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, shadow.left, shadow.top, shadow.right, shadow.bottom);
    SelectObject(dc, GetStockObject(BLACK_PEN));
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    Rectangle(dc, sheet.left, sheet.top, sheet.right, sheet.bottom);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(framePen);
}

void ClipToPrintable(HDC dc, const PreviewTarget& target)
{
    const ViewRecord& r = *preview.record;
    const double scale = static_cast<double>(target.zoom) / kPreviewZoomBase;
    IntersectClipRect(dc, target.page.left + static_cast<int>(r.deviceMargins.left * scale),
                      target.page.top + static_cast<int>(r.deviceMargins.top * scale),
                      target.page.right - static_cast<int>(r.deviceMargins.right * scale),
                      target.page.bottom - static_cast<int>(r.deviceMargins.bottom * scale));
}

void PaintPreview(HDC dc, HWND dialog)
{
    RECT client;
    GetClientRect(dialog, &client);
    HWND bar = GetDlgItem(dialog, IDC_PREVIEW_SCROLL);
    const int right = client.right - (IsWindowVisible(bar) ? GetSystemMetrics(SM_CXVSCROLL) : 0);
    PaintFrame(dc, client, right);
    RECT area = {kPreviewInset, preview.topLine + kPreviewInset, right - kPreviewInset,
                 client.bottom - kPreviewInset};
    if (area.right - area.left < kSmallestPreviewArea)
        area.right = area.left + kSmallestPreviewArea;
    if (area.bottom - area.top < kSmallestPreviewArea)
        area.bottom = area.top + kSmallestPreviewArea;
    const PreviewTarget target = PageTarget(area);
    PaintSheet(dc, target.page);
    const int state = SaveDC(dc);
    ClipToPrintable(dc, target);
    PRINTDLGA job;
    std::memset(&job, 0, sizeof(job));
    job.lStructSize = sizeof(job);
    job.Flags = PD_PAGENUMS;
    job.nFromPage = static_cast<WORD>(preview.page);
    job.nToPage = static_cast<WORD>(preview.page);
    job.nCopies = 1;
    const OptionsRecord* options = Options();
    // The preview draws; it never reports.
    (void)RunPrintJob(dc, preview.view, preview.record, job, options ? options->printOptions : 0, preview.tiles,
                      &target);
    RestoreDC(dc, state);
}

void ChangePreviewPage(HWND dialog, int code, int position)
{
    const int pages = PageCount();
    int page = preview.page;
    switch (code) {
    case SB_LINEUP:
    case SB_PAGEUP:
        --page;
        break;
    case SB_LINEDOWN:
    case SB_PAGEDOWN:
        ++page;
        break;
    case SB_TOP:
        page = 1;
        break;
    case SB_BOTTOM:
        page = pages;
        break;
    case SB_THUMBPOSITION:
        page = position;
        break;
    default:
        return;
    }
    page = page < 1 ? 1 : (page > pages ? pages : page);
    preview.page = page;
    ShowPageText(dialog, page, pages);
    SetScrollPos(GetDlgItem(dialog, IDC_PREVIEW_SCROLL), SB_CTL, page, TRUE);
    InvalidateRect(dialog, nullptr, FALSE);
}

void ClosePreview(HWND dialog)
{
    DestroyWindow(dialog);
    PreviewWindow = nullptr;
    if (preview.view)
        ReleaseViewRecord(preview.view);
    preview.record = nullptr;
    if (preview.documentWasMaximized && MdiClientWindow)
        SendMessageA(MdiClientWindow, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(preview.document), 0);
    EnableMenuBar(1);
    if (MdiClientWindow)
        ShowWindow(MdiClientWindow, SW_SHOW);
    if (PaletteWindow)
        ShowWindow(PaletteWindow, SW_SHOW);
    if (preview.view)
        SetFocus(preview.view);
}

void OnPreviewCommand(HWND dialog, int id, UINT code)
{
    if (id == IDCANCEL) {
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    } else if (id == IDC_PREVIEW_PRINT && code == BN_CLICKED) {
        PostMessageA(dialog, WM_CLOSE, 0, 0);
        PostMessageA(MainWindow, WM_COMMAND, IDM_FILE_PRINT, 0);
    } else if (id == IDC_PREVIEW_HELP && code == BN_CLICKED) {
        ShowHelpTopic(kPreviewHelpTopic);
    }
}

} // namespace

INT_PTR CALLBACK PreviewDlgHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        InitPreviewDialog(dialog);
        return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(dialog, &paint);
        PaintPreview(dc, dialog);
        EndPaint(dialog, &paint);
        return TRUE;
    }
    case WM_VSCROLL:
        ChangePreviewPage(dialog, LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
        return TRUE;
    case WM_SIZE:
        if (IsWindowVisible(GetDlgItem(dialog, IDC_PREVIEW_SCROLL)))
            PlaceScrollBar(dialog, LOWORD(lParam), HIWORD(lParam));
        InvalidateRect(dialog, nullptr, TRUE);
        return TRUE;
    case WM_COMMAND: {
        int id = 0;
        UINT code = 0;
        HWND control = nullptr;
        CrackCommand(wParam, lParam, &id, &code, &control);
        OnPreviewCommand(dialog, id, code);
        return TRUE;
    }
    case WM_CLOSE:
        ClosePreview(dialog);
        return TRUE;
    default:
        return FALSE;
    }
}

void FitPreviewToFrame()
{
    if (PreviewWindow && MainWindow)
        FitOverFrame(PreviewWindow);
}

void EnableMenuBar(int enable)
{
    HMENU bar = MainWindow ? GetMenu(MainWindow) : nullptr;
    if (!bar)
        return;
    const int count = GetMenuItemCount(bar);
    const int first = count > kMenuBarWithSystemMenu ? 1 : 0;
    for (int i = first; i < count; ++i)
        EnableMenuItem(bar, static_cast<UINT>(i), MF_BYPOSITION | (enable ? MF_ENABLED : MF_GRAYED));
    DrawMenuBar(MainWindow);
}

int ShowPrintPreview()
{
    BOOL maximized = FALSE;
    HWND document = GetActiveDocWindow(&maximized);
    HWND view = document ? DocumentViewOf(document) : nullptr;
    if (!view || PreviewWindow || DocumentWindowCalls.endTextEdit(view, 0) != kErrNone)
        return 0;
    ViewRecord* record = LockViewRecord(view);
    if (!record)
        return 0;
    int selection = kTilesNoSelection;
    PageTiles tiles = {};
    if (!ComputePageTiles(record, &selection, &tiles)) {
        ReleaseViewRecord(view);
        WarnById(IDS_NOTHING_TO_PRINT);
        return 0;
    }
    preview = {view, document, record, tiles, 1, 0, maximized != FALSE};
    PreviewWindow = CreateDialogParamA(AppInstance, TEMPLATE_PREVIEW, MainWindow, PreviewDlgHandler, 0);
    if (!PreviewWindow) {
        ReleaseViewRecord(view);
        preview.record = nullptr;
        return 0;
    }
    if (PaletteWindow)
        ShowWindow(PaletteWindow, SW_HIDE);
    if (MdiClientWindow)
        ShowWindow(MdiClientWindow, SW_HIDE);
    // Restoring the window takes the system menu off the bar: grey what stays.
    if (maximized && MdiClientWindow)
        SendMessageA(MdiClientWindow, WM_MDIRESTORE, reinterpret_cast<WPARAM>(document), 0);
    EnableMenuBar(0);
    return 1;
}
