// Drawing files: a drawing of 16,000 objects (shapes with text, connectors
// with their routes, a few pictures) written to a file and read back into a
// new working store; prints both times and the file size.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench/bench_document.h"
#include "documents/drawing_stream.h"
#include "objects/picture_save.h"

namespace {

const int kObjects = 16000;
const int kPictures = 8;
const int kConnectorEvery = 3;
const int kTextSize = 10;

bool BuildDrawing(BenchDocument* doc)
{
    std::vector<DrawingObject> objects(kObjects);
    std::vector<int32_t> order(kObjects);
    std::vector<uint8_t> route(112, 0);
    std::vector<uint8_t> picture(20000);
    for (size_t i = 0; i < picture.size(); ++i)
        picture[i] = static_cast<uint8_t>(i * 13);
    HGLOBAL pictureBlock = GlobalAlloc(GMEM_MOVEABLE, picture.size());
    std::memcpy(GlobalLock(pictureBlock), picture.data(), picture.size());
    GlobalUnlock(pictureBlock);
    int textId = 1;
    int routeId = 1;
    for (int i = 0; i < kObjects; ++i) {
        DrawingObject& o = objects[static_cast<size_t>(i)];
        std::memset(&o, 0, sizeof(o));
        const int x = 300 + (i % 120) * 240;
        const int y = 300 + (i / 120) * 220;
        o.frame = {x, y, x + 180, y + 150};
        o.bounds = {x - 30, y - 30, x + 210, y + 180};
        o.inner = o.frame;
        o.textFrame = o.frame;
        o.referenceFrame = o.frame;
        o.objectId = i + 1;
        o.lineWidth = 12;
        o.lineStyle = 1;
        o.fillMode = 1;
        o.textRecordId = -1;
        o.dataGroup = -1;
        o.dataFirstId = -1;
        o.labelPartnerId = kNoObjectId;
        o.labelPartnerHint = -1;
        o.groupIndex = -1;
        if (i % kConnectorEvery == 2) {
            o.kind = kKindConnector;
            o.shapeType = 0;
            o.dataGroup = kConnectorRouteGroup;
            o.dataFirstId = routeId;
            o.dataCount = 1;
            if (!PutBenchRecord(doc->store, kConnectorRouteGroup, static_cast<short>(routeId++), route))
                return false;
            o.linkCount = 2;
            o.links[0] = {i - 1, i - 2, 600, 300, 1};
            o.links[1] = {i, i - 1, 0, 300, 2};
        } else {
            o.kind = kKindShape;
            o.shapeType = 2;
            o.textRecordId = textId;
            const std::string text = "Shape " + std::to_string(i) + "\rsecond line";
            if (!PutBenchRecord(doc->store, kTextGroup, static_cast<short>(textId++), OneFormatTextBlock(text, kTextSize)))
                return false;
            if (i % (kObjects / kPictures) == 0) {
                const RECT bounds = {0, 0, 100, 100};
                int first = -1;
                int count = 0;
                if (SavePicture(doc->store, kBitmapPictureGroup, pictureBlock, static_cast<DWORD>(picture.size()),
                                &bounds, &first, &count, 0, nullptr, 0) != kErrNone)
                    return false;
                o.dataGroup = kBitmapPictureGroup;
                o.dataFirstId = first;
                o.dataCount = count;
            }
        }
        order[static_cast<size_t>(i)] = i;
    }
    GlobalFree(pictureBlock);
    DrawingRecord* drawing = doc->Drawing();
    if (ResizeDrawingTable(drawing, kTableObjects, kTableHeadSize + kObjectEntrySize * (kObjects + 1)) != kErrNone ||
        ResizeDrawingTable(drawing, kTableDrawOrder, kTableHeadSize + 4 * (kObjects + 1)) != kErrNone)
        return false;
    {
        LockedTable table(drawing, kTableObjects);
        std::memcpy(ObjectAt(table.Get(), 0), objects.data(), sizeof(DrawingObject) * objects.size());
        static_cast<TableHead*>(table.Get())->count = kObjects;
        LockedTable drawOrder(drawing, kTableDrawOrder);
        std::memcpy(DrawOrderEntries(drawOrder.Get()), order.data(), 4 * order.size());
        static_cast<TableHead*>(drawOrder.Get())->count = kObjects;
    }
    drawing->lastObjectId = kObjects;
    return true;
}

} // namespace

int main()
{
    if (StartBenchModel(false) != kErrNone) {
        std::printf("starting the model failed\n");
        return 1;
    }
    BenchDocument source;
    BenchDocument copy;
    if (!source.Open(1) || !copy.Open(2) || !BuildDrawing(&source)) {
        std::printf("setting up the drawing failed\n");
        return 1;
    }
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "drawing_file_bench.tyr";
    DeleteFileA(path.c_str());

    const LARGE_INTEGER writeStart = Now();
    ErrorCode code = WriteDrawingFile(path.c_str(), nullptr, nullptr, source.record);
    const double writeSeconds = Seconds(writeStart, Now());
    if (code != kErrNone) {
        std::printf("write failed: %d\n", code.value);
        return 1;
    }
    WIN32_FILE_ATTRIBUTE_DATA attributes = {};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &attributes);

    const LARGE_INTEGER readStart = Now();
    int older = 0;
    code = ReadDrawingFile(HFILE_ERROR, path.c_str(), nullptr, 0, copy.view, copy.record, &older, 0);
    const double readSeconds = Seconds(readStart, Now());
    if (code != kErrNone) {
        std::printf("read failed: %d\n", code.value);
        return 1;
    }
    int objects = 0;
    {
        LockedTable table(copy.Drawing(), kTableObjects);
        objects = table.Count();
    }
    std::printf("drawing file: %d objects (%d pictures)\n", objects, kPictures);
    std::printf("  write  %8.1f ms\n", writeSeconds * 1000.0);
    std::printf("  read   %8.1f ms (into a working store)\n", readSeconds * 1000.0);
    std::printf("  file   %8lu bytes\n", static_cast<unsigned long>(attributes.nFileSizeLow));
    DeleteFileA(path.c_str());
    source.Close();
    copy.Close();
    TermRecordStore();
    TermObjectKinds();
    return 0;
}
