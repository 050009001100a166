#include "ole/ole_formats.h"

#include <shlobj.h>

#include <cstring>
#include <cwchar>

#include "common/clipboard_formats.h"
#include "common/io_seam.h"
#include "common/string_helpers.h"
#include "resources/resource_ids.h"

FORMATETC OleFormatTable[kOleFormatCount] = {};

const CLSID kDrawingClass = {0x5A3E9D21, 0x7C44, 0x4B19, {0x9E, 0x2A, 0x1D, 0x6F, 0x30, 0xB8, 0x7C, 0x55}};
const CLSID kDrawingNoLinkClass = {0x5A3E9D22, 0x7C44, 0x4B19, {0x9E, 0x2A, 0x1D, 0x6F, 0x30, 0xB8, 0x7C, 0x55}};

const wchar_t kContentsStream[] = L"CONTENTS";
const wchar_t kNativeUserType[] = L"Tessary.2";

namespace {

// The descriptor's fixed part before its strings, and the size it claims.
const DWORD kDescriptorHead = sizeof(OBJECTDESCRIPTOR);
static_assert(sizeof(OBJECTDESCRIPTOR) == 52, "the strings start at offset 52");
const LONG kDescriptorExtent = 3000;

FORMATETC Entry(UINT format, DWORD medium)
{
    return FORMATETC{static_cast<CLIPFORMAT>(format), nullptr, DVASPECT_CONTENT, -1, medium};
}

bool IsLinkEntry(int index)
{
    return index == kOleLinkSource || index == kOleLinkSourceDescriptor;
}

} // namespace

void InitOleFormatTable()
{
    OleFormatTable[kOleNative] = Entry(NativeClipFormat, TYMED_HGLOBAL);
    OleFormatTable[kOleEmbedSource] = Entry(EmbedSourceFormat, TYMED_ISTORAGE);
    OleFormatTable[kOleObjectDescriptor] = Entry(ObjectDescriptorFormat, TYMED_HGLOBAL);
    OleFormatTable[kOleMetafilePict] = Entry(CF_METAFILEPICT, TYMED_MFPICT);
    OleFormatTable[kOleBitmap] = Entry(CF_BITMAP, TYMED_GDI);
    OleFormatTable[kOleLinkSource] = Entry(LinkSourceFormat, TYMED_ISTREAM);
    OleFormatTable[kOleLinkSourceDescriptor] = Entry(LinkSourceDescriptorFormat, TYMED_HGLOBAL);
    OleFormatTable[kOleEnhMetafile] = Entry(CF_ENHMETAFILE, TYMED_ENHMF);
    OleFormatTable[kOleDib] = Entry(CF_DIB, TYMED_HGLOBAL);
}

int FindOleFormat(const FORMATETC* request, int entries)
{
    if (!request || !(request->dwAspect & DVASPECT_CONTENT))
        return -1;
    for (int i = 0; i < entries; ++i) {
        const FORMATETC& entry = OleFormatTable[i];
        if (entry.cfFormat && entry.cfFormat == request->cfFormat && (entry.tymed & request->tymed))
            return i;
    }
    return -1;
}

HRESULT QueryOleFormat(const FORMATETC* request, int entries, bool links)
{
    const int index = FindOleFormat(request, entries);
    if (index < 0 || (IsLinkEntry(index) && !links))
        return S_FALSE;
    return S_OK;
}

HRESULT EnumOleFormats(int entries, bool links, IEnumFORMATETC** out)
{
    FORMATETC offered[kOleFormatCount];
    UINT count = 0;
    for (int i = 0; i < entries; ++i)
        if (links || !IsLinkEntry(i))
            offered[count++] = OleFormatTable[i];
    return SHCreateStdEnumFmtEtc(count, offered, out);
}

HGLOBAL MakeObjectDescriptor(DWORD status, const wchar_t* source)
{
    char typeName[kStringBufferSize];
    LoadStrOrBlank(IDS_DRAWING_TYPE_NAME, typeName);
    wchar_t userType[kStringBufferSize];
    if (!MultiByteToWideChar(CP_ACP, 0, typeName, -1, userType, kStringBufferSize))
        userType[0] = L'\0';
    if (!source)
        source = userType;
    const DWORD typeBytes = static_cast<DWORD>((wcslen(userType) + 1) * sizeof(wchar_t));
    const DWORD sourceBytes = static_cast<DWORD>((wcslen(source) + 1) * sizeof(wchar_t));
    HGLOBAL block = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE | GMEM_ZEROINIT,
                                    kDescriptorHead + typeBytes + sourceBytes);
    auto* descriptor = block ? static_cast<OBJECTDESCRIPTOR*>(GlobalLock(block)) : nullptr;
    if (!descriptor) {
        if (block)
            GlobalFree(block);
        return nullptr;
    }
    descriptor->cbSize = kDescriptorHead + typeBytes + sourceBytes;
    descriptor->clsid = kDrawingClass;
    descriptor->dwDrawAspect = DVASPECT_CONTENT;
    descriptor->sizel = {kDescriptorExtent, kDescriptorExtent};
    descriptor->pointl = {0, 0};
    descriptor->dwStatus = status;
    descriptor->dwFullUserTypeName = kDescriptorHead;
    descriptor->dwSrcOfCopy = kDescriptorHead + typeBytes;
    auto* bytes = reinterpret_cast<unsigned char*>(descriptor);
    std::memcpy(bytes + kDescriptorHead, userType, typeBytes);
    std::memcpy(bytes + kDescriptorHead + typeBytes, source, sourceBytes);
    GlobalUnlock(block);
    return block;
}

HRESULT WriteDrawingClassAndType(IStorage* storage)
{
    HRESULT result = WriteClassStg(storage, kDrawingClass);
    if (SUCCEEDED(result))
        result = WriteFmtUserTypeStg(storage, static_cast<CLIPFORMAT>(NativeClipFormat),
                                     const_cast<LPOLESTR>(kNativeUserType));
    return result;
}
