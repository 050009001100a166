#include "documents/document_window_hooks.h"

namespace {

void NoFonts() {}
void NoRulers(HWND) {}
void NoZoom(HWND, int, int) {}
ErrorCode NoLayout(HWND) { return kErrNone; }
ErrorCode NoTextEdit(HWND, int) { return kErrNone; }
void NoMenus(HWND, int) {}
void NoRightMenu(HWND, POINT) {}
BOOL NoToolDialog(int) { return FALSE; }
void NoLibraries(HWND) {}
int NoValueDialog(int*) { return 0; }
int NoPairDialog(int*, int*) { return 0; }
int NoSymbol(LOGFONTA*, int*) { return 0; }
int NoRulerDialog(HWND) { return 0; }
int NoArrowDialog(HGLOBAL, int32_t*, int32_t*, int32_t*) { return 0; }
int NoStyleDialog(HGLOBAL, ColorStyle*, HPALETTE, int*, int*) { return 0; }

} // namespace

DocumentWindowHooks DocumentWindowCalls = {NoFonts, NoFonts, NoRulers, NoZoom, NoLayout, NoTextEdit};
FrameHooks FrameCalls = {NoMenus,       NoRightMenu,   NoToolDialog,  NoValueDialog, NoValueDialog,
                         NoValueDialog, NoPairDialog,  NoLibraries,   NoSymbol,
                         NoRulerDialog, NoArrowDialog, NoStyleDialog};
void (*ExportPictureCall)(HWND view, const char* path, int type) = nullptr;
