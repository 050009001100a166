// What the clipboard and drag data objects share: both render every format
// from the clipboard scratch store when a program asks for it.
#pragma once
#include <windows.h>
#include <ole2.h>

#include "common/clipboard_formats.h"
#include "ole/clipboard_data_object.h"
#include "ole/ole_formats.h"

class ScratchDataObject : public IDataObject {
public:
    virtual ~ScratchDataObject() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override
    {
        if (!out)
            return E_POINTER;
        if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDataObject)) {
            *out = static_cast<IDataObject*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    // The objects live for the whole run; the count is kept for the record.
    ULONG STDMETHODCALLTYPE AddRef() override { return ++count_; }
    ULONG STDMETHODCALLTYPE Release() override { return count_ > 0 ? --count_ : 0; }

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override
    {
        if (!medium || QueryGetData(format) != S_OK || !Rendered())
            return DV_E_FORMATETC;
        *medium = {};
        return RenderScratchFormat(FindOleFormat(format, Entries()), medium, Links(), Path());
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* format, STGMEDIUM* medium) override
    {
        if (!format || !medium || format->cfFormat != EmbedSourceFormat || !(format->tymed & TYMED_ISTORAGE) ||
            medium->tymed != TYMED_ISTORAGE || !medium->pstg || !Rendered())
            return DV_E_FORMATETC;
        return SUCCEEDED(WriteScratchContents(medium->pstg)) ? S_OK : STG_E_WRITEFAULT;
    }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override
    {
        return QueryOleFormat(format, Entries(), Links());
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override
    {
        if (out)
            out->ptd = nullptr;
        return DATA_S_SAMEFORMATETC;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return DV_E_FORMATETC; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override
    {
        if (direction != DATADIR_GET)
            return DV_E_FORMATETC;
        return EnumOleFormats(Entries(), Links(), out);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_FAIL; }

protected:
    // The first rendering of a drag fills the scratch store first.
    virtual bool Rendered() { return true; }
    virtual int Entries() const = 0;
    virtual bool Links() const { return false; }
    virtual const char* Path() const { return nullptr; }

private:
    ULONG count_ = 0;
};
