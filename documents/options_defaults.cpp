// The options' defaults: the record, the symbol fonts, the recent-file list
// and the standard colour styles.
#include "documents/options_file.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/handle_tokens.h"
#include "common/io_seam.h"
#include "common/string_helpers.h"
#include "objects/app_options.h"
#include "documents/earlier_version.h"
#include "documents/options_strings.h"
#include "documents/recent_files.h"
#include "objects/color_table.h"
#include "resources/resource_ids.h"

namespace {

const int kStandardStylesResource = 1000;

ErrorCode CreateDefaultOptionBlocks();

struct ToolbarDefault {
    int32_t width, height, kind, type, sizing;
    double adjustment;
};
const ToolbarDefault kToolbarDefaults[kToolbarSlotCount] = {
    {600, 600, 1, 1, 0, 0.0},   {600, 150, 2, 0, 0, 0.0},   {600, 600, 2, 1, 0, 0.0},
    {300, 2, 3, 0, 0, 0.0},     {600, 300, 0, 2, 0, 0.0},   {600, 300, 0, 3, 0, 0.2},
    {600, 300, 0, 4, 0, 0.0},   {600, 300, 0, 5, 0, 0.2},   {600, 360, 0, 6, 0, 0.0},
    {600, 300, 0, 7, 0, 0.1},   {600, 300, 0, 8, 0, 0.0},   {300, 300, 0, 9, 3, 0.0},
    {600, 300, 0, 10, 0, 0.3},  {600, 300, 0, 15, 0, 0.0},  {600, 300, 0, 16, 0, 0.2},
    {600, 300, 0, 17, 0, 0.2},  {600, 300, 0, 19, 0, 0.33}, {600, 300, 0, 20, 0, 0.2},
    {600, 300, 0, 21, 0, 0.2},  {600, 300, 0, 22, 0, 0.3},  {600, 300, 0, 24, 0, 0.33},
    {600, 300, 0, 25, 0, 0.2},
};

const POINT kFirstLibraryPositions[4] = {{300, 100}, {350, 150}, {400, 200}, {450, 250}};

void ProgramFolder(char* folder)
{
    char module[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, module, sizeof(module));
    if (length == 0 || length >= sizeof(module))
        module[0] = '\0';
    char* slash = std::strrchr(module, '\\');
    if (slash)
        *slash = '\0';
    else
        module[0] = '\0';
    CopyOptionsPath(folder, module);
}

// Splits `fileName` in place: the folder part goes onto the end of `folder`.
void SplitLibraryName(char* folder, char* fileName)
{
    char* slash = std::strrchr(fileName, '\\');
    if (!slash)
        return;
    char name[kOptionsPathSize];
    CopyOptionsPath(name, slash + 1);
    slash[1] = '\0';
    AppendOptionsPath(folder, fileName);
    CopyOptionsPath(fileName, name);
}

void SetLibraryDefaults(OptionsRecord* options, const char* programFolder)
{
    SavedLibraryWindow* windows = options->libraryWindows;
    CopyOptionsPath(windows[0].folder, programFolder);
    AppendOptionsPath(windows[0].folder, "\\");
    windows[0].width = 4;
    windows[0].height = 10;
    windows[0].open = 1;
    for (int entry = 0; entry < 4; ++entry) {
        char text[kStringBufferSize];
        LoadStrOrBlank(IDS_DEFAULT_LIBRARY_BASE + entry, text);
        CopyOptionsPath(windows[entry].fileName, text);
    }
    for (int entry = 1; entry < kLibraryWindowCount; ++entry) {
        windows[entry].width = windows[0].width;
        windows[entry].height = windows[0].height;
        CopyOptionsPath(windows[entry].folder, windows[0].folder);
    }
    for (int entry = 0; entry < kLibraryWindowCount; ++entry) {
        windows[entry].x = entry < 4 ? kFirstLibraryPositions[entry].x : 25 * entry + 100;
        windows[entry].y = entry < 4 ? kFirstLibraryPositions[entry].y : 20 * entry + 50;
    }
    // Entry 0 last: its folder part also names the libraries folder.
    char firstPart[kOptionsPathSize];
    CopyOptionsPath(firstPart, windows[0].fileName);
    for (int entry = kLibraryWindowCount - 1; entry >= 0; --entry)
        SplitLibraryName(windows[entry].folder, windows[entry].fileName);
    char* slash = std::strrchr(firstPart, '\\');
    if (slash)
        slash[0] = '\0';
    else
        firstPart[0] = '\0';
    CopyOptionsPath(options->librariesFolder, programFolder);
    AppendOptionsPath(options->librariesFolder, "\\");
    AppendOptionsPath(options->librariesFolder, firstPart);
    size_t length = std::strlen(options->librariesFolder);
    if (length > 0 && options->librariesFolder[length - 1] == '\\')
        options->librariesFolder[length - 1] = '\0';
    CopyOptionsPath(options->lastLibrary, windows[0].folder);
    AppendOptionsPath(options->lastLibrary, windows[0].fileName);
    options->keyword[0] = '\0';
}

void SetFontDefaults(OptionsRecord* options)
{
    char text[kStringBufferSize];
    LoadStrOrBlank(IDS_FOOTER_FACE, text);
    CopyFaceName(options->defaultFont.lfFaceName, text);
    LoadStrOrBlank(IDS_FOOTER_CHARSET, text);
    options->defaultFont.lfCharSet = static_cast<BYTE>(std::atoi(text));

    LOGFONTA footer = {};
    GetObjectA(GetStockObject(ANSI_VAR_FONT), sizeof(footer), &footer);
    footer.lfHeight = -66;
    footer.lfWidth = 0;
    footer.lfOutPrecision = 7;
    CopyFaceName(footer.lfFaceName, "Arial");
    options->footerFont = footer;
}

ErrorCode MakeSymbolFonts(const LOGFONTA& footer)
{
    SymbolFontCount = 2;
    SymbolFonts = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 2 * sizeof(LOGFONTA));
    if (!SymbolFonts)
        return kErrNoMemory;
    auto* fonts = static_cast<LOGFONTA*>(GlobalLock(SymbolFonts));
    if (!fonts)
        return kErrNoMemory;
    fonts[0] = footer;
    fonts[1] = footer;
    CopyFaceName(fonts[1].lfFaceName, "Symbol");
    fonts[1].lfCharSet = SYMBOL_CHARSET;
    GlobalUnlock(SymbolFonts);
    return kErrNone;
}

void MakeSymbolCharsAtom()
{
    char characters[225];
    for (int code = 32; code <= 255; ++code)
        characters[code - 32] = static_cast<char>(code);
    characters[224] = '\0';
    SymbolCharsAtom = GlobalAddAtomA(characters);
}

ErrorCode MakeStandardStyles()
{
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(kStandardStylesResource), "STDSTYLE");
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const auto* bytes = loaded ? static_cast<const unsigned char*>(LockResource(loaded)) : nullptr;
    if (!bytes)
        return kErrNotDone;
    HGLOBAL list = nullptr;
    ErrorCode code = WidenOldStyles(&list, bytes, SizeofResource(module, resource));
    if (code != kErrNone)
        return code == 1 ? kErrNoMemory : code;
    ColorStyles = list;
    return kErrNone;
}

} // namespace

void SetDefaultToolbarSlots(unsigned char* options)
{
    auto* record = reinterpret_cast<OptionsRecord*>(options);
    for (int slot = 0; slot < kToolbarSlotCount; ++slot) {
        const ToolbarDefault& value = kToolbarDefaults[slot];
        record->toolbar[slot] = {value.width, value.height, value.kind, value.type, value.sizing, value.adjustment};
    }
}

ErrorCode CreateDefaultOptions()
{
    ErrorCode code = CreateDefaultOptionBlocks();
    if (code != kErrNone)
        OldOptionsStore = -1;
    return code;
}

namespace {

ErrorCode CreateDefaultOptionBlocks()
{
    char programFolder[kOptionsPathSize];
    ProgramFolder(programFolder);

    HGLOBAL block = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(OptionsRecord));
    if (!block)
        return kErrNoMemory;
    auto* options = static_cast<OptionsRecord*>(GlobalLock(block));
    if (!options) {
        GlobalFree(block);
        return kErrNoMemory;
    }
    options->ownHandle = AddHandleToken(block);
    // Named at once so a later failure leaves it to SaveAndFreeOptions.
    AppOptions = reinterpret_cast<unsigned char*>(options);

    options->rulerDefaults = {1, 1, 100.0, 12, 1.0, 1};
    options->printOptions = 0;
    options->flags = kDefaultOptionFlags;
    const int32_t drawingDefaults[6] = {12, 12, 10, 0, 6, 6};
    std::memcpy(options->drawingDefaults, drawingDefaults, sizeof(drawingDefaults));
    CopyOptionsPath(options->drawingsFolder, programFolder);
    CopyOptionsPath(options->exportFolder, programFolder);
    CopyOptionsPath(options->importFolder, programFolder);
    options->exportPictureType = 101;
    options->importPictureType = 101;
    options->tipNumber = 0;
    std::memcpy(options->colorTable, kDefaultColorTable, sizeof(kDefaultColorTable));
    SetDefaultToolbarSlots(AppOptions);
    char text[kStringBufferSize];
    LoadStrOrBlank(IDS_DRAWINGS_FOLDER, text);
    CopyOptionsPath(options->templatePath, programFolder);
    AppendOptionsPath(options->templatePath, "\\");
    AppendOptionsPath(options->templatePath, text);
    AppendOptionsPath(options->templatePath, "\\");
    SetLibraryDefaults(options, programFolder);
    SetFontDefaults(options);
    options->footerPosition = 60;
    options->reserved = 0;
    options->quickPreviews = 0;
    options->symbolCharacter = 117;

    ErrorCode code = MakeSymbolFonts(options->footerFont);
    if (code != kErrNone)
        return code;
    MakeSymbolCharsAtom();
    code = CreateRecentFileList();
    if (code != kErrNone)
        return code;
    return MakeStandardStyles();
}

} // namespace
