// Choosing the options file at start-up, and writing it back.
#include "documents/options_file.h"

#include <cstring>

#include "common/handle_tokens.h"
#include "common/io_seam.h"
#include "common/string_helpers.h"
#include "objects/app_options.h"
#include "objects/color_table.h"
#include "documents/earlier_version.h"
#include "documents/options_strings.h"
#include "documents/recent_files.h"
#include "documents/attached_library_atom.h"
#include "resources/resource_ids.h"
#include "store/record_store.h"
#include "documents/document_window_hooks.h"

namespace {

const short kOldOptionsGroup = 51;
const short kOldOptionsId = 100;
const short kOldRecentFilesId = 101;
const short kOldStylesId = 102;

struct OptionsCandidates {
    char current[MAX_PATH] = {};
    char previous[MAX_PATH] = {};
    char earlier[2][MAX_PATH] = {};
};

// Opens the named file, or creates it empty; false when neither works.
bool UsablePath(const char* path)
{
    HFILE file = SeamCreateFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
    if (file == HFILE_ERROR)
        file = SeamCreateFile(path, GENERIC_READ | GENERIC_WRITE, 0, CREATE_NEW);
    if (file == HFILE_ERROR)
        return false;
    SeamClose(file);
    return true;
}

void WindowsFileName(const char* folder, int stringId, char* path)
{
    char name[kStringBufferSize];
    path[0] = '\0';
    if (LoadStr(stringId, name) != kErrNone || name[0] == '\0')
        return;
    if (std::strlen(folder) + std::strlen(name) >= MAX_PATH)
        return;
    std::strcpy(path, folder);
    std::strcat(path, name);
}

void ChooseCandidates(const char* optionsPath, OptionsCandidates* names)
{
    if (optionsPath && optionsPath[0] && std::strlen(optionsPath) < MAX_PATH && UsablePath(optionsPath)) {
        std::strcpy(names->current, optionsPath);
        std::strcpy(names->previous, optionsPath);
        std::strcpy(names->earlier[0], optionsPath);
        return;
    }
    char folder[MAX_PATH];
    UINT length = GetWindowsDirectoryA(folder, MAX_PATH - 1);
    if (length == 0 || length >= MAX_PATH - 1)
        folder[0] = '\0';
    length = static_cast<UINT>(std::strlen(folder));
    if (length > 0 && folder[length - 1] != '\\') {
        folder[length] = '\\';
        folder[length + 1] = '\0';
    }
    WindowsFileName(folder, IDS_OPTIONS_FILE, names->current);
    WindowsFileName(folder, IDS_OPTIONS_FILE_95, names->previous);
    WindowsFileName(folder, IDS_OPTIONS_FILE_200, names->earlier[0]);
    WindowsFileName(folder, IDS_OPTIONS_FILE_100, names->earlier[1]);
}

// The record's bytes, header included, handed to `widen`.
template <typename Widen>
ErrorCode WidenOldRecord(int store, short id, Widen widen)
{
    RecordHandle record = nullptr;
    ErrorCode code = FindRecord(store, kOldOptionsGroup, id, &record);
    if (code != kErrNone)
        return code;
    const DWORD size = QueryRecordSize(record);
    const auto* bytes = static_cast<const unsigned char*>(GlobalLock(record));
    if (!bytes) {
        ReleaseRecord(record);
        return kErrNoMemory;
    }
    const SIZE_T held = GlobalSize(record);
    code = widen(bytes, size <= held ? size : static_cast<DWORD>(held));
    GlobalUnlock(record);
    ReleaseRecord(record);
    return code;
}

void ConvertOldOptionsStore(int store)
{
    if (VerifyStore(store) != kErrNone)
        return;
    ErrorCode code = WidenOldRecord(store, kOldOptionsId, [](const unsigned char* bytes, DWORD size) {
        WidenOldOptions(Options(), bytes, size);
        return kErrNone;
    });
    if (code == kErrNone)
        code = WidenOldRecord(store, kOldRecentFilesId, [](const unsigned char* bytes, DWORD size) {
            WidenOldRecentFiles(RecentFiles, bytes, size);
            RecentFiles->changed = 1;
            return kErrNone;
        });
    // Old settings that cannot be read stay the defaults: nothing to report.
    if (code == kErrNone)
        code = WidenOldRecord(store, kOldStylesId, [](const unsigned char* bytes, DWORD size) {
            return WidenOldStyles(&ColorStyles, bytes, size);
        });
    DiscardError(code, "the defaults stand for what could not be converted");
}

void ReadEarlierOptions(const OptionsCandidates& names)
{
    int secondWord = 0;
    for (const char* name : names.earlier) {
        if (!name[0])
            continue;
        int store = -1;
        if (OpenStoreByName(name, &store, 0, &secondWord, TRUE) != kErrNone)
            continue;
        OldOptionsStore = store;
        ConvertOldOptionsStore(store);
        DiscardError(CloseOrAbandonStore(store), "the old store was only read");
        OldOptionsStore = -1;
        return;
    }
}

} // namespace

ErrorCode LoadOptions(const char* optionsPath, HMENU fileMenu, int firstRecentId)
{
    OptionsCandidates names;
    ChooseCandidates(optionsPath, &names);
    if (names.current[0]) {
        OptionsPathAtom = GlobalAddAtomA(names.current);
        RemoveStaleOptionsReplacement(names.current);
    }
    ErrorCode code = CreateDefaultOptions();
    if (code != kErrNone)
        return code;
    code = names.current[0] ? ReadOptionsFile(names.current) : kErrNotDone;
    if (code != kErrNone && names.previous[0])
        code = ReadOptionsFile(names.previous);
    if (code != kErrNone)
        ReadEarlierOptions(names);
    if (fileMenu)
        FileMenuBaseCount = GetMenuItemCount(fileMenu);
    RecentFiles->firstId = firstRecentId;
    ColorTable = Options()->colorTable;
    return kErrNone;
}

ErrorCode SaveOptions()
{
    if (!OptionsPathAtom)
        return kErrNone;
    char path[MAX_PATH] = {};
    if (!GlobalGetAtomNameA(OptionsPathAtom, path, MAX_PATH))
        return kErrNone;
    return WriteOptionsFile(path);
}

namespace {

void FreeAtom(ATOM* atom)
{
    if (*atom)
        GlobalDeleteAtom(*atom);
    *atom = 0;
}

void FreeBlock(HGLOBAL* block)
{
    if (*block)
        GlobalFree(*block);
    *block = nullptr;
}

} // namespace

void SaveAndFreeOptions()
{
    if (OptionsPathAtom)
        DiscardError(SaveOptions(), "at exit no one is left to tell; the next start reads the previous file");
    FreeAtom(&OptionsPathAtom);
    FreeBlock(&SymbolFonts);
    SymbolFontCount = 0;
    FreeAtom(&AttachedLibraryAtom);
    FreeAtom(&SymbolCharsAtom);
    if (AppOptions) {
        const uint32_t token = Options()->ownHandle;
        HGLOBAL block = TokenHandle(token);
        AppOptions = nullptr;
        ColorTable = nullptr;
        FreeHandleToken(token);
        if (block) {
            GlobalUnlock(block);
            GlobalFree(block);
        }
    }
    FreeRecentFileList();
    FreeBlock(&ColorStyles);
    OldOptionsStore = -1;
    DocumentWindowCalls.freeRulerFonts();
}
