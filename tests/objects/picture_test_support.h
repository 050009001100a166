// Helpers of the picture and painting tests: raw metafile bits written record
// by record, metafiles recorded through GDI, pictures played into an enhanced
// metafile and read back as records, pixels of a memory DC, and a recorder of
// the messages the painter sends to the shape kind.
#pragma once
#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

// Windows metafile bits built one record at a time.
class WmfBuilder {
public:
    explicit WmfBuilder(uint16_t handles = 4) : handles_(handles) {}
    WmfBuilder& Record(uint16_t function, std::initializer_list<int> params);
    WmfBuilder& RecordWords(uint16_t function, const std::vector<uint16_t>& params);
    // The bits with the header and the end record.
    std::vector<uint8_t> Bits() const;
    HGLOBAL Block() const;

private:
    uint16_t handles_;
    std::vector<uint8_t> records_;
    uint32_t largest_ = 3;
};

// The header of an uncompressed bottom-up DIB.
BITMAPINFOHEADER DibHeader(int width, int height, int bitCount);
// A packed DIB of w x h pixels at 24 bits, each pixel `color`.
std::vector<uint8_t> SolidDib(int width, int height, COLORREF color);
HGLOBAL BlockOf(const std::vector<uint8_t>& bytes);
std::vector<uint8_t> BytesOf(HGLOBAL block);

// A metafile recorded by GDI: `draw` paints into the recording context.
template <typename Draw>
std::vector<uint8_t> RecordWmf(Draw draw)
{
    HDC dc = CreateMetaFileA(nullptr);
    draw(dc);
    HMETAFILE metafile = CloseMetaFile(dc);
    UINT size = GetMetaFileBitsEx(metafile, 0, nullptr);
    std::vector<uint8_t> bits(size);
    GetMetaFileBitsEx(metafile, size, bits.data());
    DeleteMetaFile(metafile);
    return bits;
}

// One record of an enhanced metafile, copied out.
struct EmfRecord {
    DWORD type;
    std::vector<uint8_t> bytes;
    template <typename T>
    const T* As() const
    {
        return reinterpret_cast<const T*>(bytes.data());
    }
};

// Records what `paint` draws into an enhanced metafile (MM_TEXT: logical
// units are the recorded coordinates) and reads the records back.
template <typename Paint>
std::vector<EmfRecord> RecordEmf(Paint paint)
{
    HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    paint(dc);
    HENHMETAFILE emf = CloseEnhMetaFile(dc);
    std::vector<EmfRecord> records;
    UINT size = GetEnhMetaFileBits(emf, 0, nullptr);
    std::vector<uint8_t> bits(size);
    GetEnhMetaFileBits(emf, size, bits.data());
    DeleteEnhMetaFile(emf);
    size_t at = 0;
    while (at + 8 <= bits.size()) {
        const auto* header = reinterpret_cast<const EMR*>(bits.data() + at);
        if (header->nSize < 8 || at + header->nSize > bits.size())
            break;
        records.push_back({header->iType, std::vector<uint8_t>(bits.begin() + at, bits.begin() + at + header->nSize)});
        at += header->nSize;
    }
    return records;
}

std::vector<const EmfRecord*> RecordsOf(const std::vector<EmfRecord>& records, DWORD type);
// The points of a polygon or polyline record (16- or 32-bit form).
std::vector<POINT> PolyPoints(const EmfRecord& record);
bool IsPolygon(const EmfRecord& record);
bool IsPolyline(const EmfRecord& record);
// Records that put ink on the page (figures, lines, text, bitmaps).
int DrawingRecordCount(const std::vector<EmfRecord>& records);

// A 32-bit DIB section selected into a memory DC, filled white.
class PixelCanvas {
public:
    PixelCanvas(int width, int height);
    ~PixelCanvas();
    PixelCanvas(const PixelCanvas&) = delete;
    PixelCanvas& operator=(const PixelCanvas&) = delete;
    HDC Dc() const { return dc_; }
    COLORREF At(int x, int y) const;
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Writes the canvas as a PNG.
    bool SavePng(const std::string& path) const;

private:
    int width_, height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    uint32_t* pixels_ = nullptr;
};

// Kind messages sent to the shape kind while it is installed; each is still
// handled by the real shape kind.
struct SentMessage {
    int index;
    int message;
    INT_PTR a;
    int dx, dy;          // of a shadow pass
    COLORREF color;
};
class KindRecorder {
public:
    KindRecorder();
    ~KindRecorder();
    KindRecorder(const KindRecorder&) = delete;
    KindRecorder& operator=(const KindRecorder&) = delete;
    std::vector<SentMessage> messages;
    std::vector<int> Codes() const;
    std::vector<int> CodesFor(int index) const;
};
