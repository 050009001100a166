// The server's storage and object rules in-process: the native block layout,
// reading it back from a compound file on memory, refusing damaged size
// fields without allocating them, the sizes told to containers, and the
// object's reference counting, interfaces and slots.
#include <gtest/gtest.h>

#include <windows.h>
#include <ole2.h>

#include <cstring>
#include <vector>

#include "common/io_seam.h"
#include "ole/native_block.h"
#include "ole/ole_documents.h"
#include "ole/ole_server.h"
#include "ole/server_object.h"

namespace {

std::vector<unsigned char> Block(uint32_t size, const char* payload)
{
    std::vector<unsigned char> bytes(size < kNativeSizeBytes ? kNativeSizeBytes : size, 0);
    std::memcpy(bytes.data(), &size, sizeof(size));
    const size_t length = std::strlen(payload);
    if (bytes.size() >= kNativeSizeBytes + length)
        std::memcpy(bytes.data() + kNativeSizeBytes, payload, length);
    return bytes;
}

std::vector<unsigned char> StoreImage()
{
    std::vector<unsigned char> bytes = Block(16, "");
    const int16_t head[] = {2, -1};
    std::memcpy(bytes.data() + kNativeSizeBytes, head, sizeof(head));
    return bytes;
}

struct PayloadCase {
    const char* name;
    std::vector<unsigned char> block;
    NativePayload expected;
};

TEST(NativeBlock, PayloadKindFromSizeAndSignature)
{
    const PayloadCase cases[] = {
        {"size 11 refused", Block(11, "QUORVELX"), kPayloadNone},
        {"size 12 with a signature", Block(12, "QUORVELX"), kPayloadDrawingStream},
        {"lower-case signature", Block(40, "quorvelx"), kPayloadDrawingStream},
        {"store image", StoreImage(), kPayloadStoreImage},
        {"other bytes", Block(40, "SOMETHIN"), kPayloadNone},
    };
    for (const PayloadCase& c : cases)
        EXPECT_EQ(c.expected, NativePayloadKind(c.block.data(), static_cast<DWORD>(c.block.size()))) << c.name;
    std::vector<unsigned char> lying = Block(40, "QUORVELX");
    EXPECT_EQ(kPayloadNone, NativePayloadKind(lying.data(), 30)) << "size field larger than the block";
}

class NativeStream : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        ILockBytes* bytes = nullptr;
        ASSERT_TRUE(SUCCEEDED(CreateILockBytesOnHGlobal(nullptr, TRUE, &bytes)));
        ASSERT_TRUE(SUCCEEDED(StgCreateDocfileOnILockBytes(
            bytes, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, &storage_)));
        bytes->Release();
    }
    void TearDown() override
    {
        if (storage_)
            storage_->Release();
        SeamDisarm();
        OleUninitialize();
    }
    IStream* Stream(const wchar_t* name, const std::vector<unsigned char>& bytes)
    {
        IStream* stream = nullptr;
        EXPECT_TRUE(SUCCEEDED(storage_->CreateStream(
            name, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, 0, &stream)));
        ULONG written = 0;
        stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
        LARGE_INTEGER start = {};
        stream->Seek(start, STREAM_SEEK_SET, nullptr);
        return stream;
    }

    IStorage* storage_ = nullptr;
};

TEST_F(NativeStream, BlockWrittenIntoContentsReadsBackWhole)
{
    std::vector<unsigned char> block = Block(64, "QUORVELX and the rest");
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, block.size());
    std::memcpy(GlobalLock(memory), block.data(), block.size());
    GlobalUnlock(memory);
    IStream* stream = Stream(L"CONTENTS", {});
    ASSERT_EQ(kErrNone, WriteNativeStream(stream, memory));
    LARGE_INTEGER start = {};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    HGLOBAL read = nullptr;
    ASSERT_EQ(kErrNone, ReadNativeStream(stream, false, &read));
    ASSERT_EQ(block.size(), GlobalSize(read));
    EXPECT_EQ(0, std::memcmp(GlobalLock(read), block.data(), block.size()));
    GlobalUnlock(read);
    GlobalFree(read);
    GlobalFree(memory);
    stream->Release();
}

TEST_F(NativeStream, OleOneStreamSkipsItsHeader)
{
    std::vector<unsigned char> bytes(kOle1HeaderBytes, 0xEE);
    const std::vector<unsigned char> block = Block(20, "QUORVELX");
    bytes.insert(bytes.end(), block.begin(), block.end());
    IStream* stream = Stream(L"\1Ole10Native", bytes);
    HGLOBAL read = nullptr;
    ASSERT_EQ(kErrNone, ReadNativeStream(stream, true, &read));
    EXPECT_EQ(20u, GlobalSize(read));
    GlobalFree(read);
    stream->Release();
}

struct DamagedCase {
    const char* name;
    uint32_t sizeField;
    size_t bytesInStream;
};

TEST_F(NativeStream, DamagedSizeFieldsRefusedWithoutAllocating)
{
    const DamagedCase cases[] = {
        {"below the minimum", 11, 11},
        {"larger than the stream", 4096, 64},
        {"huge", 0xFFFFFFF0u, 64},
        {"wraps when four are added", 0xFFFFFFFFu, 64},
    };
    for (const DamagedCase& c : cases) {
        std::vector<unsigned char> bytes(c.bytesInStream, 'Q');
        std::memcpy(bytes.data(), &c.sizeField, sizeof(c.sizeField));
        IStream* stream = Stream(L"CONTENTS", bytes);
        SeamArmFault(kSeamAlloc, 1, true);
        HGLOBAL read = nullptr;
        EXPECT_NE(kErrNone, ReadNativeStream(stream, false, &read)) << c.name;
        EXPECT_EQ(0, SeamCallsCounted()) << c.name << ": an allocation was tried";
        EXPECT_EQ(nullptr, read) << c.name;
        SeamDisarm();
        stream->Release();
    }
}

TEST(ContainerSizes, EmptyDrawingAndTruncatedHimetric)
{
    const SIZEL empty = DrawingHimetricSize(RECT{0, 0, 0, 0});
    EXPECT_EQ(2540, empty.cx);
    EXPECT_EQ(2540, empty.cy);
    const SIZEL odd = DrawingHimetricSize(RECT{100, 100, 701, 701});
    EXPECT_EQ(2544, odd.cx);
    EXPECT_EQ(2544, odd.cy);
}

TEST(ContainerSizes, StdScalePicksTheZoom)
{
    struct Case {
        int numerator, denominator, zoom;
    } const cases[] = {{1, 1, 0}, {1, 2, 500}, {3, 4, 750}, {9, 10, 0}, {5, 4, 1500}, {2, 1, 2000}, {1, 0, 0},
                       {-1, 2, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(c.zoom, StdScaleZoom(c.numerator, c.denominator)) << c.numerator << "/" << c.denominator;
}

TEST(ServerObject, CountsReferencesAndAnswersItsInterfaces)
{
    auto* object = new OleServerObject(kOleEmbedding);
    EXPECT_EQ(1u, object->AddRef());
    IUnknown* identity = nullptr;
    IUnknown* again = nullptr;
    IOleObject* ole = nullptr;
    ASSERT_EQ(S_OK, object->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&ole)));
    ASSERT_EQ(S_OK, ole->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)));
    IPersistFile* file = nullptr;
    ASSERT_EQ(S_OK, ole->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)));
    ASSERT_EQ(S_OK, file->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&again)));
    EXPECT_EQ(identity, again) << "one identity whichever interface is asked";
    void* none = reinterpret_cast<void*>(1);
    EXPECT_EQ(E_NOINTERFACE, object->QueryInterface(IID_IDropTarget, &none));
    EXPECT_EQ(nullptr, none);
    EXPECT_EQ(5u, object->References());
    again->Release();
    file->Release();
    identity->Release();
    ole->Release();
    EXPECT_EQ(0u, object->Release()) << "a last release frees an object without a document";
}

TEST(ServerObject, FactoryRefusesAggregationAndKeepsLocksAtZero)
{
    IClassFactory* factory = DrawingClassFactory();
    void* out = reinterpret_cast<void*>(1);
    auto* outer = reinterpret_cast<IUnknown*>(factory);
    EXPECT_EQ(E_NOINTERFACE, factory->CreateInstance(outer, IID_IUnknown, &out));
    EXPECT_EQ(nullptr, out);
    const long before = ClassFactoryLocks();
    EXPECT_EQ(S_OK, factory->LockServer(FALSE));
    EXPECT_EQ(S_OK, factory->LockServer(FALSE));
    EXPECT_EQ(before > 0 ? before - 1 : 0, ClassFactoryLocks());
    EXPECT_EQ(S_OK, factory->LockServer(TRUE));
    EXPECT_EQ(S_OK, factory->LockServer(FALSE));
}

TEST(ServerObject, TwentySixthObjectOfADocumentRefusedAndFreedSlotReused)
{
    HWND window = CreateWindowA("STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, window);
    OleDocument* document = OleDocumentOf(window);
    std::vector<OleServerObject*> made;
    for (int i = 0; i < kOleObjectSlots; ++i) {
        OleServerObject* object = nullptr;
        ASSERT_EQ(kErrNone, CreateServerObject(document, kOleLinkedItem, &object)) << i;
        made.push_back(object);
    }
    OleServerObject* extra = nullptr;
    EXPECT_EQ(kErrListFull, CreateServerObject(document, kOleLinkedItem, &extra));
    EXPECT_EQ(nullptr, extra);
    made[3]->Close();
    ASSERT_EQ(kErrNone, CreateServerObject(document, kOleLinkedItem, &extra));
    EXPECT_EQ(3, extra->index);
    EXPECT_EQ(kOleObjectSlots, document->count);
    ReleaseOleDocObjects(window);
    EXPECT_EQ(nullptr, FindOleDocument(window));
    DestroyWindow(window);
}

} // namespace
