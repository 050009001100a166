#include <cstring>

#include "common/file_helpers.h"
#include "common/io_seam.h"
#include "documents/drawing_image.h"
#include "documents/drawing_stream.h"
#include "documents/drawing_stream_tags.h"
#include "documents/record_stream.h"
#include "documents/stream_state.h"
#include "objects/drawing_tables.h"

const char kDefaultTemplateName[] = "Tessary";

namespace {

const uint16_t kLaterVersion = 3;
constexpr ErrorCode kErrNotOpened{1};
const DWORD kSymbolRecordHeader = 16;

// The source of a read: memory, the caller's file or a file opened here.
struct StreamSource {
    HFILE file = HFILE_ERROR;
    bool opened = false;

    ErrorCode Open(HFILE given, const char* path, HGLOBAL memory, DWORD size)
    {
        if (memory)
            return OpenStreamMemory(memory, size);
        if (given != HFILE_ERROR) {
            file = given;
            return kErrNone;
        }
        file = path ? OpenFileMode(path, nullptr, OF_READ | OF_SHARE_DENY_NONE) : HFILE_ERROR;
        if (file == HFILE_ERROR)
            return kErrNotOpened;
        opened = true;
        return kErrNone;
    }
    void Close()
    {
        DiscardError(EndStreamOperation(), "a source only reads: the read has its result");
        if (opened)
            CloseFile(file);
        opened = false;
    }
};

// The signature and the header record; 1003 for anything else, 10008 for a
// later version. Sets the units and the earlier-generation flag.
ErrorCode ReadDrawingHead(HFILE file, int* older)
{
    char signature[kStreamSignatureSize];
    if (ReadStreamBytes(file, signature, kStreamSignatureSize) != static_cast<UINT>(kStreamSignatureSize) ||
        _strnicmp(signature, kDrawingStreamSignature, kStreamSignatureSize) != 0)
        return kErrStreamSignature;
    uint16_t tag = 0;
    uint32_t length = 0;
    if (ReadStreamRecord(file, &tag, &length) != kErrNone || tag != kStreamHeaderTag || length < kStreamHeaderSize)
        return kErrStreamSignature;
    const PayloadReader header(StreamPayload(), length);
    if (header.U16(6) >= kLaterVersion)
        return kErrLaterVersion;
    // Every coordinate is divided by the units: none cannot be read.
    if (header.U16(10) == 0)
        return kErrStreamSignature;
    OlderGeneration = header.I16(0) < 2 ? 1 : 0;
    if (older)
        *older = OlderGeneration;
    StreamUnitsPerInch = header.U16(10);
    StreamHeaderWord4 = header.I16(8);
    return kErrNone;
}

bool IsDefaultTemplate(const char* path)
{
    const char* name = path;
    for (const char* p = path; *p; ++p) {
        if (*p == '\\' || *p == '/' || *p == ':')
            name = p + 1;
    }
    const char* dot = std::strrchr(name, '.');
    const size_t length = dot ? static_cast<size_t>(dot - name) : std::strlen(name);
    return length == std::strlen(kDefaultTemplateName) && _strnicmp(name, kDefaultTemplateName, length) == 0;
}

ErrorCode ReadIntoDocument(HFILE file, ViewRecord* viewRecord, bool symbol, int* older)
{
    ErrorCode code = ReadDrawingHead(file, older);
    if (code != kErrNone)
        return code;
    StreamImage image;
    code = BeginStreamImage(viewRecord, &image);
    if (code == kErrNone)
        code = symbol ? ReadSymbolStreamBody(file, &image) : ReadDrawingStreamBody(file, &image);
    if (code == kErrNone)
        code = CommitStreamImage(nullptr, viewRecord, &image);
    FreeStreamImage(&image);
    return code;
}

// The target of a write: a new memory block or the file at the path.
struct StreamTarget {
    HFILE file = HFILE_ERROR;
    bool memory = false;

    ErrorCode Open(const char* path, bool toMemory)
    {
        if (toMemory) {
            HGLOBAL block = NewStreamMemoryBlock();
            if (!block)
                return kErrNoMemory;
            ErrorCode code = OpenStreamMemory(block, static_cast<DWORD>(GlobalSize(block)));
            if (code != kErrNone) {
                GlobalFree(block);
                return code;
            }
            memory = true;
            return kErrNone;
        }
        file = path ? OpenFileMode(path, nullptr, OF_CREATE | OF_READWRITE) : HFILE_ERROR;
        return file == HFILE_ERROR ? kErrNotOpened : kErrNone;
    }
    // Hands a finished memory block to the caller, or frees it after a
    // failure; closes a file.
    ErrorCode Close(ErrorCode code, HGLOBAL* block, DWORD* size)
    {
        if (memory) {
            if (code == kErrNone) {
                code = FinishStreamMemory(block, size);
            } else {
                HGLOBAL written = StreamMemory.block;
                CloseStreamMemory();
                if (written)
                    GlobalFree(written);
            }
        }
        ErrorCode end = EndStreamOperation();
        if (code == kErrNone)
            code = end;
        if (file != HFILE_ERROR)
            CloseFile(file);
        return code;
    }
};

bool HasObjectText(const ViewRecord* view)
{
    HGLOBAL handle = GetViewDrawingHandle(view);
    auto* drawing = handle ? static_cast<DrawingRecord*>(GlobalLock(handle)) : nullptr;
    if (!drawing)
        return false;
    bool found = false;
    {
        LockedTable objects(drawing, kTableObjects);
        for (int i = 0; i < objects.Count() && !found; ++i)
            found = ObjectAt(objects.Get(), i)->textRecordId >= 0;
    }
    GlobalUnlock(handle);
    return found;
}

ErrorCode WriteStream(const char* path, HGLOBAL* block, DWORD* size, ViewRecord* view, bool symbol)
{
    if (block)
        *block = nullptr;
    if (size)
        *size = 0;
    ErrorCode code = BeginStreamOperation();
    if (code != kErrNone)
        return code;
    StreamTarget target;
    code = target.Open(path, block != nullptr);
    if (code != kErrNone) {
        DiscardError(EndStreamOperation(), "the failed open is what is passed up");
        return code;
    }
    code = WriteStreamStart(target.file, kDrawingStreamSignature, kDrawingStreamHeader);
    if (code == kErrNone && !symbol)
        code = WriteDocumentHead(target.file, view);
    if (code == kErrNone && symbol && HasObjectText(view))
        code = WriteFontTableBlock(target.file, view);
    if (code == kErrNone)
        code = WriteDrawingBlock(target.file, view, symbol ? 1 : 0);
    if (code == kErrNone)
        code = WriteStreamEnd(target.file);
    HGLOBAL written = nullptr;
    DWORD used = 0;
    code = target.Close(code, &written, &used);
    if (block)
        *block = code == kErrNone ? written : nullptr;
    else if (written)
        GlobalFree(written);
    if (size)
        *size = code == kErrNone ? used : 0;
    return code;
}

} // namespace

ErrorCode ReadDrawingFile(HFILE file, const char* path, HGLOBAL memory, DWORD size, HWND, ViewRecord* viewRecord,
                          int* olderFormat, int templateFlag)
{
    TemplatePrinterReset = templateFlag && !(path && IsDefaultTemplate(path)) ? 1 : 0;
    if (olderFormat)
        *olderFormat = 0;
    ErrorCode code = BeginStreamOperation();
    if (code != kErrNone)
        return code;
    StreamSource source;
    code = source.Open(file, path, memory, size);
    if (code == kErrNone)
        code = ReadIntoDocument(source.file, viewRecord, false, olderFormat);
    source.Close();
    return code;
}

ErrorCode ReadLibrarySymbol(HFILE file, const char* path, HGLOBAL memory, DWORD size, ViewRecord* viewRecord)
{
    ErrorCode code = BeginStreamOperation();
    if (code != kErrNone)
        return code;
    StreamSource source;
    // The symbol's record header comes before its stream.
    if (memory && size > 0xFFFFFFFFu - kSymbolRecordHeader)
        code = kErrStreamRead;
    if (code == kErrNone)
        code = source.Open(file, path, memory, memory ? size + kSymbolRecordHeader : 0);
    if (code == kErrNone && memory)
        StreamMemory.position += kSymbolRecordHeader;
    if (code == kErrNone)
        code = ReadIntoDocument(source.file, viewRecord, true, nullptr);
    source.Close();
    return code;
}

int CheckDrawingFile(const char* path, HGLOBAL* preview)
{
    if (preview)
        *preview = nullptr;
    HFILE file = path ? OpenFileMode(path, nullptr, OF_READ | OF_SHARE_DENY_NONE) : HFILE_ERROR;
    if (file == HFILE_ERROR)
        return -1;
    int answer = 0;
    char signature[kStreamSignatureSize];
    if (ReadFileBytes(file, signature, kStreamSignatureSize) == static_cast<UINT>(kStreamSignatureSize) &&
        _strnicmp(signature, kDrawingStreamSignature, kStreamSignatureSize) == 0)
        answer = 1;
    if (answer == 1 && preview) {
        SeekFile(file, 0, FILE_BEGIN);
        if (BeginStreamOperation() == kErrNone) {
            answer = 0;
            uint16_t tag = 0;
            uint32_t length = 0;
            if (ReadDrawingHead(file, nullptr) == kErrNone && ReadStreamRecord(file, &tag, &length) == kErrNone &&
                tag == kTagPreview) {
                HGLOBAL copy = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, length ? length : 1);
                if (void* bytes = copy ? GlobalLock(copy) : nullptr) {
                    std::memcpy(bytes, StreamPayload(), length);
                    GlobalUnlock(copy);
                    *preview = copy;
                    answer = 1;
                } else if (copy) {
                    GlobalFree(copy);
                }
            }
        }
        DiscardError(EndStreamOperation(), "a source only reads: the check has its answer");
    }
    CloseFile(file);
    return answer;
}

ErrorCode WriteDrawingFile(const char* path, HGLOBAL* block, DWORD* size, ViewRecord* viewRecord)
{
    return WriteStream(path, block, size, viewRecord, false);
}

ErrorCode WriteLibrarySymbol(const char* path, HGLOBAL* block, DWORD* size, ViewRecord* viewRecord)
{
    return WriteStream(path, block, size, viewRecord, true);
}
