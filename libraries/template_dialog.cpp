// The one dialog procedure of the template chooser and the library browser:
// categories in the combo box, the chosen category's files in the list, the
// selected file's preview.
#include "libraries/template_dialogs.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "common/app_globals.h"
#include "common/control_help.h"
#include "common/dialog_exchange.h"
#include "common/modal_dialog.h"
#include "common/results.h"
#include "common/sample_window.h"
#include "common/tool_tips.h"
#include "common/window_helpers.h"
#include "libraries/keyword_search.h"
#include "libraries/library_thumbnail.h"
#include "libraries/template_categories.h"
#include "objects/app_options.h"
#include "resources/dialog_ids.h"
#include "resources/resource_ids.h"

int BrowserLibraryMode = 0;
HGLOBAL BrowserPreview = nullptr;

namespace {

const int kChooserTopic = 30037;
const int kBrowserTopic = 30051;
const int kFirstEntry = 0;
const int kResultsEntry = 1;
const int kLineSize = 262;

const DWORD kChooserHelpPairs[] = {IDC_BROWSE_CATEGORY, 15034, IDC_BROWSE_NAMES, 15037, IDC_BROWSE_PREVIEW, 15035,
                                   IDOK, 15036, 0, 0};
const DWORD kBrowserHelpPairs[] = {IDC_BROWSE_CATEGORY, 15050, IDC_BROWSE_NAMES, 15051, IDC_BROWSE_PREVIEW, 15052,
                                   IDC_BROWSE_FIND, 15053, IDC_BROWSE_BROWSE, 15054, 0, 0};

// The categories listed after the fixed entries, in combo order.
std::vector<std::string> Categories;

char* PathBuffer()
{
    return Exchange.pathBuffer;
}

void SetPathBuffer(const std::string& text)
{
    std::snprintf(PathBuffer(), kOptionsPathSize, "%s", text.c_str());
}

const char* FileExtension()
{
    return BrowserLibraryMode ? kLibraryExtension : kTemplateExtension;
}

std::string CategoryRoot()
{
    return BrowserLibraryMode ? LibraryRootFolder() : ProgramFolder();
}

int FixedEntries()
{
    return BrowserLibraryMode ? kResultsEntry + 1 : kFirstEntry + 1;
}

std::string LoadText(int id)
{
    char text[kLineSize] = "";
    LoadStringA(AppInstance, static_cast<UINT>(id), text, sizeof(text));
    return text;
}

void SendText(HWND control, UINT message, const std::string& text)
{
    SendMessageA(control, message, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

HWND NameList(HWND dialog)
{
    return GetDlgItem(dialog, IDC_BROWSE_NAMES);
}

void FreePreview()
{
    if (BrowserPreview)
        GlobalFree(BrowserPreview);
    BrowserPreview = nullptr;
}

void ShowPreview(const char* path)
{
    if (!BrowserLibraryMode) {
        BrowserPreview = LoadTemplatePreview(path);
        return;
    }
    auto* table = ThumbnailCells ? static_cast<ThumbnailCellTable*>(GlobalLock(ThumbnailCells)) : nullptr;
    BrowserPreview = GetLibraryThumbnail(path, table);
    if (table)
        GlobalUnlock(ThumbnailCells);
}

KeywordSearchBlock* LockResults()
{
    return KeywordResults ? static_cast<KeywordSearchBlock*>(GlobalLock(KeywordResults)) : nullptr;
}

// The path the selected line stands for, or empty.
std::string PathOfLine(HWND dialog, int line, bool results)
{
    char name[kLineSize] = "";
    if (line < 0 || SendMessageA(NameList(dialog), LB_GETTEXTLEN, static_cast<WPARAM>(line), 0) >= kLineSize ||
        SendMessageA(NameList(dialog), LB_GETTEXT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(name)) <= 0)
        return std::string();
    if (results) {
        const LRESULT result = SendMessageA(NameList(dialog), LB_GETITEMDATA, static_cast<WPARAM>(line), 0);
        KeywordSearchBlock* block = LockResults();
        std::string path = block && result >= 0 && result < KeywordResultCount ? block->paths[result] : "";
        if (block)
            GlobalUnlock(KeywordResults);
        return path;
    }
    std::string folder = PathBuffer();
    folder.erase(folder.find_last_of('\\') + 1);
    return folder + name + "." + FileExtension();
}

bool ShowingResults(HWND dialog)
{
    return BrowserLibraryMode &&
           SendDlgItemMessageA(dialog, IDC_BROWSE_CATEGORY, CB_GETCURSEL, 0, 0) == kResultsEntry;
}

void SelectLine(HWND dialog)
{
    FreePreview();
    InvalidateRect(GetDlgItem(dialog, IDC_BROWSE_PREVIEW), nullptr, TRUE);
    if (!PathBuffer()[0])
        return;
    const int line = static_cast<int>(SendMessageA(NameList(dialog), LB_GETCURSEL, 0, 0));
    const std::string path = PathOfLine(dialog, line, ShowingResults(dialog));
    SetPathBuffer(path);
    if (!path.empty())
        ShowPreview(path.c_str());
}

void RunSearch()
{
    KeywordSearchBlock* block = LockResults();
    if (!block)
        return;
    SetAppCursor(1);
    KeywordResultCount =
        SearchLibrariesByKeyword(LibraryRootFolder(), Categories, Options() ? Options()->keyword : "", block);
    SetAppCursor(0);
    GlobalUnlock(KeywordResults);
}

// Only the fixed line: "Empty Drawing", "Create New Library", "None found".
void ListSingleLine(HWND dialog, int textId)
{
    SetPathBuffer("");
    SendText(NameList(dialog), LB_ADDSTRING, LoadText(textId));
}

void ListResults(HWND dialog)
{
    KeywordSearchBlock* block = LockResults();
    if (block && !block->searched && Options() && Options()->keyword[0]) {
        GlobalUnlock(KeywordResults);
        RunSearch();
        block = LockResults();
    }
    const int count = block ? KeywordResultCount : 0;
    for (int i = 0; i < count; ++i) {
        std::string name = block->paths[i];
        name.erase(0, name.find_last_of('\\') + 1);
        name.erase(name.find_last_of('.') == std::string::npos ? name.size() : name.find_last_of('.'));
        const LRESULT line = SendMessageA(NameList(dialog), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        SendMessageA(NameList(dialog), LB_SETITEMDATA, static_cast<WPARAM>(line), i);
    }
    if (block)
        GlobalUnlock(KeywordResults);
    if (count == 0)
        ListSingleLine(dialog, IDS_NONE_FOUND);
    else
        SetPathBuffer("*");  // not empty: the selected line stands for a found library
}

void ListFolder(HWND dialog, int entry)
{
    const std::string folder = CategoryRoot() + Categories[static_cast<size_t>(entry - FixedEntries())] + "\\";
    for (const std::string& name : ListCategoryFiles(folder, FileExtension()))
        SendText(NameList(dialog), LB_ADDSTRING, name);
    SetPathBuffer(folder + "*." + FileExtension());
}

void ListCategory(HWND dialog, const char* preselect)
{
    SendMessageA(NameList(dialog), LB_RESETCONTENT, 0, 0);
    const int entry = static_cast<int>(SendDlgItemMessageA(dialog, IDC_BROWSE_CATEGORY, CB_GETCURSEL, 0, 0));
    if (entry <= kFirstEntry || entry - FixedEntries() >= static_cast<int>(Categories.size())) {
        ListSingleLine(dialog, BrowserLibraryMode ? IDS_CREATE_NEW_LIBRARY : IDS_EMPTY_DRAWING);
        preselect = nullptr;
    } else if (BrowserLibraryMode && entry == kResultsEntry) {
        ListResults(dialog);
    } else {
        ListFolder(dialog, entry);
    }
    LRESULT line = 0;
    if (preselect && preselect[0])
        line = SendMessageA(NameList(dialog), LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(preselect));
    SendMessageA(NameList(dialog), LB_SETCURSEL, static_cast<WPARAM>(line), 0);
    SelectLine(dialog);
}

void FillCategories(HWND dialog)
{
    HWND combo = GetDlgItem(dialog, IDC_BROWSE_CATEGORY);
    SendText(combo, CB_ADDSTRING, LoadText(BrowserLibraryMode ? IDS_CREATE_NEW_LIBRARY : IDS_EMPTY_DRAWING));
    if (BrowserLibraryMode)
        SendText(combo, CB_ADDSTRING, LoadText(IDS_RESULTS_OF_FIND));
    const std::string skip = LoadText(IDS_LIBRARY_FOLDER);
    Categories = ListCategories(CategoryRoot(), BrowserLibraryMode ? nullptr : skip.c_str());
    if (!BrowserLibraryMode)
        Categories = CategoriesHolding(CategoryRoot(), Categories, FileExtension());
    for (const std::string& name : Categories)
        SendText(combo, CB_ADDSTRING, name);
}

// The category and name the path in the buffer preselects.
void Preselection(std::string* category, std::string* name)
{
    std::string path = PathBuffer();
    const size_t slash = path.find_last_of('\\');
    if (slash == std::string::npos)
        return;
    *name = path.substr(slash + 1);
    const size_t dot = name->find_last_of('.');
    if (dot != std::string::npos)
        name->erase(dot);
    path.erase(slash);
    *category = path.substr(path.find_last_of('\\') + 1);
}

int PreselectedEntry(HWND dialog, const std::string& category)
{
    if (BrowserLibraryMode && Options() && (Options()->flags & kOptionFlagBrowserSecondEntry))
        return kResultsEntry;
    HWND combo = GetDlgItem(dialog, IDC_BROWSE_CATEGORY);
    const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int entry = 0; !category.empty() && entry < count; ++entry) {
        char text[kLineSize] = "";
        if (SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(entry), 0) < kLineSize &&
            SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(entry), reinterpret_cast<LPARAM>(text)) > 0 &&
            lstrcmpiA(text, category.c_str()) == 0)
            return entry;
    }
    return kFirstEntry;
}

void OnInitDialog(HWND dialog)
{
    SetDialogItemsFont(dialog, IDC_NOTE_1, IDC_NOTE_2);
    HWND preview = GetDlgItem(dialog, IDC_BROWSE_PREVIEW);
    SetWindowLongPtrA(preview, kSamplePainterWord, reinterpret_cast<LONG_PTR>(DrawTemplateSample));
    if (BrowserLibraryMode)
        SetWindowLongPtrA(preview, kSampleCursorWord, reinterpret_cast<LONG_PTR>(BrowserToolTipProc));
    FillCategories(dialog);
    std::string category;
    std::string name;
    Preselection(&category, &name);
    SendDlgItemMessageA(dialog, IDC_BROWSE_CATEGORY, CB_SETCURSEL,
                        static_cast<WPARAM>(PreselectedEntry(dialog, category)), 0);
    ListCategory(dialog, name.c_str());
}

void Accept(HWND dialog)
{
    if (BrowserLibraryMode && Options()) {
        std::snprintf(Options()->lastLibrary, kOptionsPathSize, "%s", PathBuffer());
        if (ShowingResults(dialog))
            Options()->flags |= kOptionFlagBrowserSecondEntry;
        else
            Options()->flags &= ~static_cast<int32_t>(kOptionFlagBrowserSecondEntry);
    }
    EndDialog(dialog, 1);
}

void OnFind(HWND dialog)
{
    if (RunKeywordDlg(dialog) != 1)
        return;
    if (KeywordSearchBlock* block = LockResults()) {
        block->searched = 0;
        GlobalUnlock(KeywordResults);
    }
    RunSearch();
    SendDlgItemMessageA(dialog, IDC_BROWSE_CATEGORY, CB_SETCURSEL, kResultsEntry, 0);
    ListCategory(dialog, nullptr);
}

void OnBrowse(HWND dialog)
{
    char file[kOptionsPathSize] = "";
    const int result = BrowseForLibraryFile(dialog, file);
    if (!result)
        return;
    SetPathBuffer(file);
    EndDialog(dialog, result);
}

BOOL OnCommand(HWND dialog, int id, int notification)
{
    HideToolTip();
    switch (id) {
    case IDOK:
        Accept(dialog);
        return TRUE;
    case IDC_BROWSE_BROWSE:
        OnBrowse(dialog);
        return TRUE;
    case IDC_BROWSE_FIND:
        OnFind(dialog);
        return TRUE;
    case IDC_BROWSE_CATEGORY:
        if (notification == CBN_SELCHANGE)
            ListCategory(dialog, nullptr);
        return TRUE;
    case IDC_BROWSE_NAMES:
        if (notification == LBN_DBLCLK)
            Accept(dialog);
        else if (notification == LBN_SELCHANGE)
            SelectLine(dialog);
        return TRUE;
    case IDC_BROWSE_PREVIEW:
        if (notification == kSampleDoubleClicked)
            Accept(dialog);
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL OnSetCursor(HWND dialog, HWND over)
{
    if (over != GetDlgItem(dialog, IDC_BROWSE_PREVIEW))
        HideToolTip();
    return FALSE;
}

// Runs the dialog on the caller's path buffer; the choice is copied back.
int RunOnPath(char* path, const char* templateName, int topic)
{
    char buffer[kOptionsPathSize];
    std::snprintf(buffer, sizeof(buffer), "%s", path ? path : "");
    char* const earlier = Exchange.pathBuffer;
    Exchange.pathBuffer = buffer;
    FreePreview();
    const INT_PTR result = RunModalDialog({templateName, TemplateDlgHandler, topic, nullptr});
    Exchange.pathBuffer = earlier;
    FreePreview();
    Categories.clear();
    if (result <= 0)
        return 0;
    if (path)
        std::snprintf(path, kOptionsPathSize, "%s", buffer);
    return static_cast<int>(result);
}

} // namespace

INT_PTR CALLBACK TemplateDlgHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog);
        return TRUE;
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_SETCURSOR:
        return OnSetCursor(dialog, reinterpret_cast<HWND>(wParam));
    case WM_NCMOUSEMOVE:
        HideToolTip();
        return FALSE;
    case WM_HELP:
    case WM_CONTEXTMENU:
        return ShowControlHelp(dialog, message, wParam, lParam,
                               BrowserLibraryMode ? kBrowserHelpPairs : kChooserHelpPairs)
                   ? TRUE
                   : FALSE;
    default:
        return FALSE;
    }
}

int RunTemplateDlg(char* path)
{
    BrowserLibraryMode = 0;
    return RunOnPath(path, TEMPLATE_TEMPLATE_CHOOSER, kChooserTopic);
}

int RunLibraryBrowseDlg(char* path)
{
    KeywordResults = GlobalAlloc(GHND, sizeof(KeywordSearchBlock));
    ThumbnailCells = GlobalAlloc(GHND, sizeof(ThumbnailCellTable));
    int result = 0;
    if (KeywordResults && ThumbnailCells) {
        KeywordResultCount = 0;
        BrowserLibraryMode = 1;
        result = RunOnPath(path, TEMPLATE_LIBRARY_BROWSER, kBrowserTopic);
        BrowserLibraryMode = 0;
    }
    HideToolTip();
    if (ThumbnailCells) {
        ClearThumbnailCells(static_cast<ThumbnailCellTable*>(GlobalLock(ThumbnailCells)));
        GlobalUnlock(ThumbnailCells);
        GlobalFree(ThumbnailCells);
    }
    ThumbnailCells = nullptr;
    if (KeywordResults)
        GlobalFree(KeywordResults);
    KeywordResults = nullptr;
    KeywordResultCount = 0;
    return result;
}
