#include "picture_test_support.h"

#include <cstddef>
#include <cstring>

#include <stb_image_write.h>

#include "objects/drawing_layout.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/shape_kind.h"
#include "objects/shape_paint.h"

namespace {

void PutU16(std::vector<uint8_t>& out, uint16_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void PutU32(std::vector<uint8_t>& out, uint32_t v)
{
    PutU16(out, static_cast<uint16_t>(v));
    PutU16(out, static_cast<uint16_t>(v >> 16));
}

KindRecorder* activeRecorder = nullptr;

int32_t WINAPI RecordingShapeKind(HDC dc, void* drawing, void* table, int index, int message, INT_PTR a, INT_PTR b,
                                  INT_PTR c)
{
    if (activeRecorder) {
        SentMessage sent = {index, message, a, 0, 0, 0};
        if ((message == kMsgShadowSilhouette || message == kMsgShadowOutline) && b) {
            const auto* pass = reinterpret_cast<const ShadowPass*>(b);
            sent.dx = pass->dx;
            sent.dy = pass->dy;
            sent.color = pass->color;
        }
        activeRecorder->messages.push_back(sent);
    }
    return DEV_IradeDududir(dc, drawing, table, index, message, a, b, c);
}

} // namespace

WmfBuilder& WmfBuilder::Record(uint16_t function, std::initializer_list<int> params)
{
    std::vector<uint16_t> words;
    for (int p : params)
        words.push_back(static_cast<uint16_t>(p));
    return RecordWords(function, words);
}

WmfBuilder& WmfBuilder::RecordWords(uint16_t function, const std::vector<uint16_t>& params)
{
    uint32_t size = 3 + static_cast<uint32_t>(params.size());
    PutU32(records_, size);
    PutU16(records_, function);
    for (uint16_t p : params)
        PutU16(records_, p);
    if (size > largest_)
        largest_ = size;
    return *this;
}

std::vector<uint8_t> WmfBuilder::Bits() const
{
    std::vector<uint8_t> bits;
    uint32_t words = 9 + static_cast<uint32_t>(records_.size() / 2) + 3;
    PutU16(bits, 1);
    PutU16(bits, 9);
    PutU16(bits, 0x300);
    PutU32(bits, words);
    PutU16(bits, handles_);
    PutU32(bits, largest_);
    PutU16(bits, 0);
    bits.insert(bits.end(), records_.begin(), records_.end());
    PutU32(bits, 3);
    PutU16(bits, 0);
    return bits;
}

HGLOBAL WmfBuilder::Block() const
{
    return BlockOf(Bits());
}

BITMAPINFOHEADER DibHeader(int width, int height, int bitCount)
{
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(bitCount);
    header.biCompression = BI_RGB;
    return header;
}

std::vector<uint8_t> SolidDib(int width, int height, COLORREF color)
{
    int stride = ((width * 24 + 31) / 32) * 4;
    std::vector<uint8_t> dib(sizeof(BITMAPINFOHEADER) + stride * height, 0);
    const BITMAPINFOHEADER header = DibHeader(width, height, 24);
    std::memcpy(dib.data(), &header, sizeof(header));
    for (int y = 0; y < height; ++y) {
        uint8_t* row = dib.data() + sizeof(header) + stride * y;
        for (int x = 0; x < width; ++x) {
            row[3 * x] = GetBValue(color);
            row[3 * x + 1] = GetGValue(color);
            row[3 * x + 2] = GetRValue(color);
        }
    }
    return dib;
}

HGLOBAL BlockOf(const std::vector<uint8_t>& bytes)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.empty() ? 1 : bytes.size());
    void* p = GlobalLock(block);
    if (!bytes.empty())
        std::memcpy(p, bytes.data(), bytes.size());
    GlobalUnlock(block);
    return block;
}

std::vector<uint8_t> BytesOf(HGLOBAL block)
{
    std::vector<uint8_t> bytes(GlobalSize(block));
    const void* p = GlobalLock(block);
    if (p && !bytes.empty())
        std::memcpy(bytes.data(), p, bytes.size());
    GlobalUnlock(block);
    return bytes;
}

std::vector<const EmfRecord*> RecordsOf(const std::vector<EmfRecord>& records, DWORD type)
{
    std::vector<const EmfRecord*> found;
    for (const EmfRecord& r : records) {
        if (r.type == type)
            found.push_back(&r);
    }
    return found;
}

bool IsPolygon(const EmfRecord& record)
{
    return record.type == EMR_POLYGON || record.type == EMR_POLYGON16;
}

bool IsPolyline(const EmfRecord& record)
{
    return record.type == EMR_POLYLINE || record.type == EMR_POLYLINE16;
}

std::vector<POINT> PolyPoints(const EmfRecord& record)
{
    std::vector<POINT> points;
    if (record.type == EMR_POLYGON16 || record.type == EMR_POLYLINE16) {
        const auto* poly = record.As<EMRPOLYLINE16>();
        if (offsetof(EMRPOLYLINE16, apts) + sizeof(POINTS) * static_cast<size_t>(poly->cpts) > record.bytes.size())
            return points;
        for (DWORD i = 0; i < poly->cpts; ++i)
            points.push_back({poly->apts[i].x, poly->apts[i].y});
    } else if (record.type == EMR_POLYGON || record.type == EMR_POLYLINE) {
        const auto* poly = record.As<EMRPOLYLINE>();
        if (offsetof(EMRPOLYLINE, aptl) + sizeof(POINTL) * static_cast<size_t>(poly->cptl) > record.bytes.size())
            return points;
        for (DWORD i = 0; i < poly->cptl; ++i)
            points.push_back({poly->aptl[i].x, poly->aptl[i].y});
    }
    return points;
}

int DrawingRecordCount(const std::vector<EmfRecord>& records)
{
    int count = 0;
    for (const EmfRecord& r : records) {
        switch (r.type) {
        case EMR_POLYGON: case EMR_POLYGON16: case EMR_POLYLINE: case EMR_POLYLINE16: case EMR_POLYPOLYGON:
        case EMR_POLYPOLYGON16: case EMR_RECTANGLE: case EMR_ELLIPSE: case EMR_ROUNDRECT: case EMR_ARC:
        case EMR_PIE: case EMR_CHORD: case EMR_LINETO: case EMR_EXTTEXTOUTA: case EMR_EXTTEXTOUTW:
        case EMR_STRETCHDIBITS: case EMR_SETDIBITSTODEVICE: case EMR_BITBLT: case EMR_SETPIXELV:
        case EMR_EXTFLOODFILL: case EMR_POLYLINETO16: case EMR_POLYBEZIERTO16:
            ++count;
            break;
        default:
            break;
        }
    }
    return count;
}

PixelCanvas::PixelCanvas(int width, int height) : width_(width), height_(height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    pixels_ = static_cast<uint32_t*>(bits);
    old_ = SelectObject(dc_, bitmap_);
    for (int i = 0; pixels_ && i < width * height; ++i)
        pixels_[i] = 0x00FFFFFF;
}

PixelCanvas::~PixelCanvas()
{
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

COLORREF PixelCanvas::At(int x, int y) const
{
    if (!pixels_ || x < 0 || y < 0 || x >= width_ || y >= height_)
        return CLR_INVALID;
    GdiFlush();
    uint32_t v = pixels_[y * width_ + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

bool PixelCanvas::SavePng(const std::string& path) const
{
    GdiFlush();
    std::vector<uint8_t> rgb(static_cast<size_t>(width_) * height_ * 3);
    for (int i = 0; i < width_ * height_; ++i) {
        uint32_t v = pixels_[i];
        rgb[3 * i] = static_cast<uint8_t>(v >> 16);
        rgb[3 * i + 1] = static_cast<uint8_t>(v >> 8);
        rgb[3 * i + 2] = static_cast<uint8_t>(v);
    }
    return stbi_write_png(path.c_str(), width_, height_, 3, rgb.data(), width_ * 3) != 0;
}

KindRecorder::KindRecorder()
{
    activeRecorder = this;
    ObjectKindTable[kKindShape] = RecordingShapeKind;
}

KindRecorder::~KindRecorder()
{
    ObjectKindTable[kKindShape] = DEV_IradeDududir;
    activeRecorder = nullptr;
}

std::vector<int> KindRecorder::Codes() const
{
    std::vector<int> codes;
    for (const SentMessage& m : messages)
        codes.push_back(m.message);
    return codes;
}

std::vector<int> KindRecorder::CodesFor(int index) const
{
    std::vector<int> codes;
    for (const SentMessage& m : messages) {
        if (m.index == index)
            codes.push_back(m.message);
    }
    return codes;
}
