#include "support/library_fixture.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "objects/picture_save.h"
#include "store/record_store.h"

namespace {

const int kPictureSide = 600;

std::vector<uint8_t> SquarePicture(int index)
{
    HDC dc = CreateMetaFileA(nullptr);
    SetWindowOrgEx(dc, 0, 0, nullptr);
    SetWindowExtEx(dc, kPictureSide, kPictureSide, nullptr);
    HBRUSH brush = CreateSolidBrush(RGB(40 * (index % 6), 200 - 4 * index, 255 - 5 * index));
    HGDIOBJ old = SelectObject(dc, brush);
    Rectangle(dc, 50, 50, kPictureSide - 50, kPictureSide - 50);
    SelectObject(dc, old);
    DeleteObject(brush);
    HMETAFILE metafile = CloseMetaFile(dc);
    const UINT size = GetMetaFileBitsEx(metafile, 0, nullptr);
    std::vector<uint8_t> bits(size);
    GetMetaFileBitsEx(metafile, size, bits.data());
    DeleteMetaFile(metafile);
    return bits;
}

bool AddSymbol(int store, int index, VexletRecord* item, bool named)
{
    const std::vector<uint8_t> bits = SquarePicture(index);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bits.size());
    std::memcpy(GlobalLock(block), bits.data(), bits.size());
    GlobalUnlock(block);
    const RECT bounds = {0, 0, kPictureSide, kPictureSide};
    int firstId = 0;
    int count = 0;
    const ErrorCode code = SavePicture(store, kLibraryPictureGroup, block, static_cast<DWORD>(bits.size()), &bounds,
                                       &firstId, &count, 0, nullptr, 0);
    GlobalFree(block);
    if (code)
        return false;
    InitVexletRecord(item);
    item->symbolId = static_cast<int16_t>(firstId);
    item->furtherChunks = static_cast<int16_t>(count - 1);
    if (!named)
        return true;
    char text[64];
    std::snprintf(text, sizeof(text), "Symbol %d;key%d", index, index);
    RecordHandle name = nullptr;
    if (CreateRecord(store, kLibraryNameGroup, static_cast<short>(firstId), kLibraryNameRecordSize, &name))
        return false;
    std::strcpy(static_cast<char*>(GlobalLock(name)) + kRecordHeaderBytes, text);
    GlobalUnlock(name);
    return !SetRecordDirty(name);
}

bool WriteHeader(int store, const LibraryFixture& fixture, const LibraryHeader& header)
{
    RecordHandle record = nullptr;
    if (CreateRecord(store, kLibraryInfoGroup, kLibraryHeaderId, fixture.headerSize, &record))
        return false;
    const DWORD payload = fixture.headerSize - kRecordHeaderBytes;
    std::memcpy(static_cast<uint8_t*>(GlobalLock(record)) + kRecordHeaderBytes, &header,
                payload < sizeof(header) ? payload : sizeof(header));
    GlobalUnlock(record);
    return !SetRecordDirty(record);
}

bool WriteView(int store, const LibraryFixture& fixture)
{
    RecordHandle record = nullptr;
    if (CreateRecord(store, kLibraryInfoGroup, kLibraryViewId, fixture.viewSize, &record))
        return false;
    auto* view = RecordPayload<LibraryViewBlock>(GlobalLock(record));
    view->flags = fixture.viewFlags;
    view->buttonSize = fixture.buttonSize;
    GlobalUnlock(record);
    return !SetRecordDirty(record);
}

bool Fill(int store, const LibraryFixture& fixture)
{
    const short groups[] = {kLibraryInfoGroup, kLibraryPictureGroup, kLibraryNameGroup, kLibraryObjectsGroup};
    for (short group : groups)
        if (CreateGroup(store, group))
            return false;
    LibraryHeader header = {};
    header.magic = kLibraryMagic;
    header.version = fixture.version;
    header.symbolCount = static_cast<int16_t>(fixture.symbols);
    for (int i = 0; i < fixture.symbols; ++i)
        if (!AddSymbol(store, i, &header.items[i], fixture.names))
            return false;
    if (fixture.editHeader)
        fixture.editHeader(&header);
    return WriteHeader(store, fixture, header) && (!fixture.viewBlock || WriteView(store, fixture));
}

} // namespace

std::string WriteLibraryFixture(const std::string& path, const LibraryFixture& fixture)
{
    DeleteFileA(path.c_str());
    if (CreateStoreFile(path.c_str(), 0, kStoreShift, kLibraryMapCapacity))
        return std::string();
    int store = -1;
    int secondWord = 0;
    if (OpenStoreByName(path.c_str(), &store, 0, &secondWord, FALSE))
        return std::string();
    const bool filled = Fill(store, fixture);
    const bool closed = !CloseOrAbandonStore(store);
    return filled && closed ? path : std::string();
}

bool ReadLibraryHeader(const std::string& path, LibraryHeader* header)
{
    int store = -1;
    int secondWord = 0;
    if (OpenStoreByName(path.c_str(), &store, 0, &secondWord, TRUE))
        return false;
    RecordHandle record = nullptr;
    bool read = !FindRecord(store, kLibraryInfoGroup, kLibraryHeaderId, &record) &&
                QueryRecordSize(record) >= kLibraryHeaderSize;
    if (read) {
        std::memcpy(header, static_cast<uint8_t*>(GlobalLock(record)) + kRecordHeaderBytes, sizeof(*header));
        GlobalUnlock(record);
    }
    DiscardError(CloseOrAbandonStore(store), "the store was only read");
    return read;
}
