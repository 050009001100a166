#include "starter/starter_content.h"

#include "libraries/library_file.h"
#include "libraries/library_records.h"
#include "libraries/library_thumbnail.h"
#include "libraries/library_window.h"
#include "libraries/symbol_records.h"
#include "libraries/symbol_rules.h"
#include "libraries/template_categories.h"
#include "objects/clipboard_pictures.h"
#include "objects/picture_chunks.h"
#include "objects/picture_save.h"
#include "starter/starter_drawing.h"
#include "store/record_store.h"

namespace {

const int16_t kGrowFreely = 0;
const int16_t kGrowProportionally = 3;

ErrorCode DrawParts(StarterDrawing* drawing, const std::vector<StarterPart>& parts)
{
    ErrorCode code = drawing->Begin();
    for (size_t i = 0; code == kErrNone && i < parts.size(); ++i) {
        const RECT& frame = parts[i].frame;
        code = parts[i].type == kStarterLine ? drawing->Line({frame.left, frame.top}, {frame.right, frame.bottom})
                                             : drawing->Shape(parts[i].type, frame);
    }
    return code;
}

void FreeMetafilePict(HGLOBAL metafilePict)
{
    if (!metafilePict)
        return;
    if (auto* picture = static_cast<METAFILEPICT*>(GlobalLock(metafilePict))) {
        DeleteMetaFile(picture->hMF);
        GlobalUnlock(metafilePict);
    }
    GlobalFree(metafilePict);
}

// The picture of the symbol's objects as the library stores it.
struct StoredPicture {
    HGLOBAL bits = nullptr;
    RECT size = {};
    RECT bounds = {};
    int colorCount = 0;
    COLORREF colors[kMaxPictureColors] = {};
    int scanFlags = 0;
};

// The symbol is stored as the program stores copied objects added to a
// library: an automatic symbol, its objects kept beside its picture.
ErrorCode StoreSymbol(int store, const StarterSymbol& symbol, HGLOBAL metafilePict, HGLOBAL stream,
                      DWORD streamSize, VexletRecord* item)
{
    StoredPicture picture;
    ErrorCode code = ReadMetafilePict(&picture.bits, &picture.size, &picture.bounds, &picture.colorCount,
                                      picture.colors, &picture.scanFlags, metafilePict);
    int id = 0;
    int chunks = 0;
    if (code == kErrNone)
        code = SavePicture(store, kLibraryPictureGroup, picture.bits, static_cast<DWORD>(GlobalSize(picture.bits)),
                           &picture.bounds, &id, &chunks, picture.colorCount, picture.colors, picture.scanFlags);
    if (picture.bits)
        GlobalFree(picture.bits);
    InitVexletRecord(item);
    item->preferredWidth = static_cast<int16_t>(picture.size.right - picture.size.left);
    item->preferredHeight = static_cast<int16_t>(picture.size.bottom - picture.size.top);
    item->optionFlags = kSymbolAutomatic | kSymbolSizeFromPicture;
    item->growMode = symbol.parts.size() == 1 ? kGrowFreely : kGrowProportionally;
    item->symbolId = static_cast<int16_t>(id);
    item->furtherChunks = static_cast<int16_t>(chunks - 1);
    if (code == kErrNone)
        code = StoreSymbolObjects(store, id, stream, streamSize);
    char text[kLibraryNameRecordSize];
    lstrcpynA(text, symbol.text, sizeof(text));
    if (code == kErrNone)
        code = StoreSymbolText(store, id, text);
    if (code == kErrNone)
        code = WriteChunkConnectPoints(store, kLibraryPictureGroup, id, *item);
    return code;
}

ErrorCode AddSymbol(int store, const StarterSymbol& symbol, VexletRecord* item)
{
    StarterDrawing drawing;
    HGLOBAL metafilePict = nullptr;
    HGLOBAL stream = nullptr;
    DWORD streamSize = 0;
    ErrorCode code = DrawParts(&drawing, symbol.parts);
    if (code == kErrNone)
        code = drawing.SymbolParts(&metafilePict, &stream, &streamSize);
    if (code == kErrNone)
        code = StoreSymbol(store, symbol, metafilePict, stream, streamSize, item);
    FreeMetafilePict(metafilePict);
    if (stream)
        GlobalFree(stream);
    return code;
}

ErrorCode AddSymbols(const OpenedLibrary& opened, const StarterLibrary& library)
{
    auto* header = RecordPayload<LibraryHeader>(GlobalLock(opened.header));
    if (!header)
        return kErrNoMemory;
    ErrorCode code = kErrNone;
    for (size_t i = 0; code == kErrNone && i < library.symbols.size() && i < kMaxLibrarySymbols; ++i) {
        code = AddSymbol(opened.store, library.symbols[i], &header->items[i]);
        if (code == kErrNone)
            header->symbolCount++;
    }
    GlobalUnlock(opened.header);
    if (code == kErrNone)
        code = SetRecordDirty(opened.header);
    return code;
}

bool MakeFolder(const std::string& folder)
{
    return CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

} // namespace

ErrorCode WriteStarterLibrary(const std::string& path, const StarterLibrary& library)
{
    DeleteFileA(path.c_str());
    ErrorCode code = CreateEmptyLibrary(path.c_str(), kMediumButtons);
    OpenedLibrary opened;
    if (code == kErrNone)
        code = OpenLibraryStore(path.c_str(), &opened);
    if (code != kErrNone)
        return code;
    code = AddSymbols(opened, library);
    // The browser shows the thumbnail kept in the file; it is made now so
    // that the read-only installations of the libraries have one too.
    if (code == kErrNone) {
        HGLOBAL thumbnail = BuildLibraryThumbnail(opened.store);
        if (thumbnail)
            GlobalFree(thumbnail);
    }
    const ErrorCode closed = CloseStore(opened.store);
    return code != kErrNone ? code : closed;
}

ErrorCode WriteStarterTemplate(const std::string& path, const StarterTemplate& drawing)
{
    StarterDrawing page;
    ErrorCode code = DrawParts(&page, drawing.parts);
    if (code == kErrNone)
        code = page.WriteTemplate(path.c_str());
    return code;
}

ErrorCode WriteStarterContent(const std::string& root)
{
    const std::string libraryRoot = root + "LIBRARY\\";
    if (!MakeFolder(libraryRoot))
        return kErrNotDone;
    for (const StarterLibrary& library : StarterLibraries()) {
        const std::string folder = libraryRoot + library.category + "\\";
        if (!MakeFolder(folder))
            return kErrNotDone;
        const ErrorCode code =
            WriteStarterLibrary(folder + library.file + "." + kLibraryExtension, library);
        if (code != kErrNone)
            return code;
    }
    for (const StarterTemplate& drawing : StarterTemplates()) {
        const std::string folder = drawing.category ? root + drawing.category + "\\" : root;
        if (!MakeFolder(folder))
            return kErrNotDone;
        const ErrorCode code = WriteStarterTemplate(folder + drawing.file + "." + kTemplateExtension, drawing);
        if (code != kErrNone)
            return code;
    }
    return kErrNone;
}
