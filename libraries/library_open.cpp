#include "libraries/library_file.h"
#include "libraries/library_window.h"
#include "libraries/template_dialogs.h"
#include "libraries/library_windows.h"

#include <cstdio>
#include <cstring>

#include "common/app_globals.h"
#include "common/results.h"
#include "documents/attached_library_atom.h"
#include "documents/file_dialogs.h"
#include "resources/resource_ids.h"
#include "view/view_layout.h"

namespace {

const int kFileDialogTemplate = 1536;
const int kCreateLibraryTopic = 213;
const int kLibraryPathSize = kOptionsPathSize;

void ShowLoadFailure(ErrorCode code)
{
    WarnById(code == kErrLibraryLaterVersion ? IDS_LATER_VERSION : IDS_NOT_VERSION_1);
}

void TitleFromEntry(int row)
{
    char title[kOptionsPathSize];
    LibraryTitleOf(LibraryEntry(row)->fileName, title, sizeof(title));
    SetWindowTextA(LibraryWindows[row].window, title);
}

// The rectangle of a floating window from its entry, kept on the desktop.
RECT PlaceFromEntry(const SavedLibraryWindow& entry)
{
    POINT corner = {entry.x, entry.y};
    if (MainWindow)
        ClientToScreen(MainWindow, &corner);
    const int frame = GetSystemMetrics(SM_CYFRAME);
    RECT place = {corner.x, corner.y, corner.x + entry.width + 2 * frame, corner.y + entry.height};
    RECT desktop;
    GetClientRect(GetDesktopWindow(), &desktop);
    if (place.right > desktop.right)
        OffsetRect(&place, desktop.right - place.right, 0);
    else if (place.left < desktop.left)
        OffsetRect(&place, desktop.left - place.left, 0);
    if (place.bottom > desktop.bottom)
        OffsetRect(&place, 0, desktop.bottom - place.bottom);
    else if (place.top < desktop.top)
        OffsetRect(&place, 0, desktop.top - place.top);
    return place;
}

bool BringOpenLibraryForward(int row, const char* path)
{
    const int open = FindLibraryEntry(path, true);
    if (open < 0 || LibraryWindows[open].docked)
        return false;
    BringWindowToTop(LibraryWindows[open].window);
    if (LibraryWindows[row].store >= 0)
        WarnById(IDS_LIBRARY_ALREADY_OPEN);
    return true;
}

void ForgetOtherEntries(int row, const char* path)
{
    for (int other = 0; other < kLibraryRowCount; ++other) {
        char entryPath[2 * kOptionsPathSize];
        if (other != row && LibraryWindows[other].store < 0 && LibraryEntryPath(other, entryPath, sizeof(entryPath)) &&
            lstrcmpiA(entryPath, path) == 0)
            LibraryEntry(other)->fileName[0] = '\0';
    }
}

// A file about to be overwritten must not stay open in another window.
bool HandOverEntryOf(int row, const char* path)
{
    const int open = FindLibraryEntry(path, true);
    const int named = open >= 0 ? open : FindLibraryEntry(path, false);
    if (named < 0 || named == row)
        return false;
    if (open >= 0) {
        LibraryWindowSlot& slot = LibraryWindows[open];
        HWND document = slot.docked ? GetParent(slot.window) : nullptr;
        DestroyWindow(slot.window);
        if (document)
            DiscardError(RelayoutDocumentWindow(document), "a window left at its old layout still works");
        slot.docked = 0;
    }
    SavedLibraryWindow* entry = LibraryEntry(named);
    const SavedLibraryWindow* mine = LibraryEntry(row);
    std::memcpy(entry->folder, mine->folder, sizeof(entry->folder));
    std::memcpy(entry->fileName, mine->fileName, sizeof(entry->fileName));
    return true;
}

// The program's folder followed by the path's folders after its first one.
void RerootUnderProgram(char* path)
{
    char program[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, program, sizeof(program));
    char* slash = length ? std::strrchr(program, '\\') : nullptr;
    const char* afterDrive = std::strchr(path, ':') ? std::strchr(path, ':') + 1 : path;
    while (*afterDrive == '\\')
        ++afterDrive;
    const char* rest = std::strchr(afterDrive, '\\');
    if (!slash || !rest)
        return;
    slash[1] = '\0';
    char rerooted[kLibraryPathSize];
    std::snprintf(rerooted, sizeof(rerooted), "%s%s", program, rest + 1);
    std::snprintf(path, kLibraryPathSize, "%s", rerooted);
}

bool OpensReadOnly(const char* path)
{
    int store = -1;
    int secondWord = 0;
    if (OpenStoreByName(path, &store, 0, &secondWord, TRUE))
        return false;
    DiscardError(CloseOrAbandonStore(store), "the store was only read");
    return true;
}

void ForgetAttachedAtom(const char* path)
{
    char name[kLibraryPathSize];
    if (AttachedLibraryAtom && GlobalGetAtomNameA(AttachedLibraryAtom, name, sizeof(name)) &&
        lstrcmpiA(name, path) == 0) {
        GlobalDeleteAtom(AttachedLibraryAtom);
        AttachedLibraryAtom = 0;
    }
}

int OpenNewWindow(const char* path)
{
    const int row = FindFreeLibraryRow();
    if (row < 0) {
        WarnById(IDS_TOO_MANY_LIBRARIES);
        return 0;
    }
    const int result = CreateLibraryWindow(row, true, true, path);
    RealizeAllDocumentPalettes();
    return result;
}

int OpenRow(int row)
{
    LibraryWindowSlot& slot = LibraryWindows[row];
    if (slot.window) {
        if (IsIconic(slot.window)) {
            LibraryEntry(row)->minimized = 0;
            ShowWindow(slot.window, SW_RESTORE);
        }
        BringWindowToTop(slot.window);
        return 0;
    }
    const int result = CreateLibraryWindow(row, true, false, nullptr);
    RealizeAllDocumentPalettes();
    return result;
}

void ReopenRemembered()
{
    for (int row = 0; row < kLibraryRowCount; ++row) {
        const SavedLibraryWindow* entry = LibraryEntry(row);
        if (entry && entry->open && !LibraryWindows[row].window && !IsDuplicateLibraryEntry(row))
            CreateLibraryWindow(row, false, false, nullptr);
    }
}

} // namespace

int CreateLibraryWindow(int row, bool interactive, bool isNew, const char* path)
{
    SavedLibraryWindow* entry = LibraryEntry(row);
    if (!entry)
        return 1;
    const RECT place = PlaceFromEntry(*entry);
    const int frame = GetSystemMetrics(SM_CYFRAME);
    HWND window = CreateWindowExA(0, kLibraryClassName, "", kFloatingLibraryStyle,
                                  place.left, place.top, entry->width + 2 * frame, entry->height, MainWindow, nullptr,
                                  AppInstance, reinterpret_cast<LPVOID>(static_cast<INT_PTR>(row)));
    if (!window)
        return 1;
    LibraryWindows[row].window = window;
    LibraryWindows[row].store = -1;
    bool loaded = false;
    if (!isNew) {
        char saved[2 * kOptionsPathSize];
        LibraryEntryPath(row, saved, sizeof(saved));
        const ErrorCode code = LoadLibraryIntoRow(row, saved);
        loaded = code == kErrNone;
        if (code == kErrLibraryLaterVersion)
            WarnById(IDS_LATER_VERSION);
        else if (code)
            entry->fileName[0] = '\0';
    }
    if (!loaded) {
        char chosen[kLibraryPathSize] = "";
        int result = 1;
        if (path) {
            std::snprintf(chosen, sizeof(chosen), "%s", path);
            result = ChooseLibraryForRow(row, chosen, true, true);
        } else if (interactive) {
            std::snprintf(chosen, sizeof(chosen), "%s", Options()->lastLibrary);
            result = ChooseLibraryForRow(row, chosen, false, false);
        }
        if (result) {
            DestroyWindow(window);
            return 1;
        }
    }
    LibraryWindows[row].docked = 0;
    TitleFromEntry(row);
    if (interactive)
        entry->minimized = 0;
    ShowWindow(window, entry->minimized ? SW_MINIMIZE : SW_SHOW);
    if (interactive)
        entry->open = 1;
    return 0;
}

int ChooseLibraryForRow(int row, char* path, bool skipBrowser, bool checkOpen)
{
    if (!skipBrowser) {
        if (!RunLibraryBrowseDlg(path))
            return 1;
        // "Create New Library" leaves no path: the new file is the choice.
        if (!path[0]) {
            if (CreateLibraryFile(row, path) != kErrNone)
                return 1;
            skipBrowser = true;
        }
    }
    if ((!skipBrowser || checkOpen) && BringOpenLibraryForward(row, path))
        return 1;
    const ErrorCode code = LoadLibraryIntoRow(row, path);
    if (code) {
        ShowLoadFailure(code);
        return code.value;
    }
    if (!skipBrowser)
        ForgetOtherEntries(row, path);
    SetLibraryEntryPath(row, path);
    if (LibraryWindows[row].window)
        TitleFromEntry(row);
    return 0;
}

ErrorCode CreateLibraryFile(int row, char* pathOut)
{
    char path[kLibraryPathSize] = "";
    char* folder = Options() ? Options()->librariesFolder : nullptr;
    if (!RunSaveFileDlg(MainWindow, kFileDialogTemplate, path, IDS_FILTER_LIBRARIES, IDS_TITLE_CREATE_LIBRARY,
                        kCreateLibraryTopic, 1, 0, folder))
        return kErrNotDone;
    const bool takeEntry = HandOverEntryOf(row, path);
    LibraryWindowSlot& slot = LibraryWindows[row];
    if (slot.buttonSize < kSmallButtons)
        slot.buttonSize = kSmallButtons;
    const ErrorCode code = CreateEmptyLibrary(path, slot.buttonSize);
    if (code) {
        WarnById(IDS_DISK_OR_MEMORY);
        return code;
    }
    if (takeEntry)
        SetLibraryEntryPath(row, path);
    std::snprintf(pathOut, kLibraryPathSize, "%s", path);
    return kErrNone;
}

int CreateAttachedLibraryWindow(int row, HWND parentWindow, const char* path)
{
    char found[kLibraryPathSize];
    std::snprintf(found, sizeof(found), "%s", path);
    if (!OpensReadOnly(found))
        RerootUnderProgram(found);
    RECT desktop;
    GetClientRect(GetDesktopWindow(), &desktop);
    LibraryWindows[row].docked = 1;
    HWND window = CreateWindowExA(0, kLibraryClassName, nullptr, WS_CHILD | WS_CLIPCHILDREN, 0, 0, desktop.right,
                                  kDockedBarHeight, parentWindow, nullptr, AppInstance,
                                  reinterpret_cast<LPVOID>(static_cast<INT_PTR>(row)));
    if (!window) {
        LibraryWindows[row].docked = 0;
        return 1;
    }
    LibraryWindows[row].window = window;
    LibraryWindows[row].store = -1;
    if (LoadLibraryIntoRow(row, found)) {
        DestroyWindow(window);
        LibraryWindows[row].docked = 0;
        ForgetAttachedAtom(found);
        return 1;
    }
    SavedLibraryWindow* entry = LibraryEntry(row);
    entry->minimized = 0;
    SetLibraryEntryPath(row, found);
    TitleFromEntry(row);
    ShowWindow(window, SW_SHOW);
    return 0;
}

int OpenLibraries(int interactive, int row, const char* path, HWND parentWindow)
{
    if (parentWindow) {
        const int free = FindFreeLibraryRow();
        if (free < 0 || CreateAttachedLibraryWindow(free, parentWindow, path))
            return 1;
        DiscardError(RelayoutDocumentWindow(parentWindow), "a window left at its old layout still works");
        return 0;
    }
    if (!interactive) {
        ReopenRemembered();
        return 0;
    }
    if (row < 0)
        return OpenNewWindow(path);
    return IsValidLibraryRow(row) ? OpenRow(row) : 1;
}

int CreateNewLibrary()
{
    const int row = FindFreeLibraryRow();
    if (row < 0) {
        WarnById(IDS_TOO_MANY_LIBRARIES);
        return 0;
    }
    char path[kLibraryPathSize] = "";
    const ErrorCode code = CreateLibraryFile(row, path);
    if (code)
        return code.value;
    return CreateLibraryWindow(row, true, true, path);
}
