// The server object: what a container or a link holds of a drawing. One
// object carries IPersistStorage, IPersistFile, IDataObject, IOleObject and
// IOleItemContainer, counts its references and keeps what the container
// gave it.
#pragma once
#include <windows.h>
#include <ole2.h>

#include "common/error_codes.h"

enum OleObjectState : int {
    kOleFileDocument = 0,
    kOleEmbedding = 1,
    kOleLinkedItem = 2,
    kOleClosed = 3,
};

enum OleNotification : int {
    kNotifySave,
    kNotifyClose,
    kNotifyRename,
    kNotifySaveObject,
    kNotifyDataChange,
    kNotifyShowWindow,
    kNotifyHideWindow,
    kNotifyShowObject,
};

struct OleDocument;

class OleServerObject final : public IPersistStorage,
                              public IPersistFile,
                              public IDataObject,
                              public IOleObject,
                              public IOleItemContainer {
public:
    explicit OleServerObject(int objectState);

    // Set when a container or a link made it: its last release closes it.
    bool closesDocument = false;
    // Its container closed it through IOleObject and needs no telling.
    bool closeAsked = false;
    int state;
    int index = -1;
    OleDocument* document = nullptr;

    IUnknown* Identity() { return static_cast<IOleObject*>(this); }
    ULONG References() const { return count_; }
    HWND View() const;
    HWND DocumentWindow() const;
    void Notify(OleNotification what);
    // Closed: out of its document's list, everything held released, its
    // stubs disconnected. The object may be gone when this returns.
    void Close();
    // Lets go of the storage, stream, site and advise holders.
    void ReleaseHeld();
    // The container document's name from SetHostNames, "" for none.
    void ContainerDocumentName(char* text, int size) const;

    // IUnknown, shared by every interface.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IPersist, IPersistStorage and IPersistFile.
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* id) override;
    HRESULT STDMETHODCALLTYPE IsDirty() override;
    HRESULT STDMETHODCALLTYPE InitNew(IStorage* storage) override;
    HRESULT STDMETHODCALLTYPE Load(IStorage* storage) override;
    HRESULT STDMETHODCALLTYPE Save(IStorage* storage, BOOL sameAsLoad) override;
    HRESULT STDMETHODCALLTYPE SaveCompleted(IStorage* storage) override;
    HRESULT STDMETHODCALLTYPE HandsOffStorage() override;
    HRESULT STDMETHODCALLTYPE Load(LPCOLESTR name, DWORD mode) override;
    HRESULT STDMETHODCALLTYPE Save(LPCOLESTR name, BOOL remember) override;
    HRESULT STDMETHODCALLTYPE SaveCompleted(LPCOLESTR name) override;
    HRESULT STDMETHODCALLTYPE GetCurFile(LPOLESTR* name) override;

    // IDataObject.
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override;
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override;
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink, DWORD* connection) override;
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD connection) override;
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA** out) override;

    // IOleObject.
    HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override;
    HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) override;
    HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR application, LPCOLESTR document) override;
    HRESULT STDMETHODCALLTYPE Close(DWORD saveOption) override;
    HRESULT STDMETHODCALLTYPE SetMoniker(DWORD which, IMoniker* moniker) override;
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD assign, DWORD which, IMoniker** out) override;
    HRESULT STDMETHODCALLTYPE InitFromData(IDataObject* data, BOOL creation, DWORD reserved) override;
    HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD reserved, IDataObject** out) override;
    HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG message, IOleClientSite* site, LONG index, HWND parent,
                                     LPCRECT rect) override;
    HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB** out) override;
    HRESULT STDMETHODCALLTYPE Update() override;
    HRESULT STDMETHODCALLTYPE IsUpToDate() override;
    HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* id) override;
    HRESULT STDMETHODCALLTYPE GetUserType(DWORD form, LPOLESTR* type) override;
    HRESULT STDMETHODCALLTYPE SetExtent(DWORD aspect, SIZEL* size) override;
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, SIZEL* size) override;
    HRESULT STDMETHODCALLTYPE Advise(IAdviseSink* sink, DWORD* connection) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD connection) override;
    HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA** out) override;
    HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD aspect, DWORD* status) override;
    HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE* palette) override;

    // IParseDisplayName, IOleContainer and IOleItemContainer.
    HRESULT STDMETHODCALLTYPE ParseDisplayName(IBindCtx* context, LPOLESTR name, ULONG* eaten,
                                               IMoniker** out) override;
    HRESULT STDMETHODCALLTYPE EnumObjects(DWORD flags, IEnumUnknown** out) override;
    HRESULT STDMETHODCALLTYPE LockContainer(BOOL lock) override;
    HRESULT STDMETHODCALLTYPE GetObject(LPOLESTR item, DWORD speed, IBindCtx* context, REFIID id,
                                        void** out) override;
    HRESULT STDMETHODCALLTYPE GetObjectStorage(LPOLESTR item, IBindCtx* context, REFIID id, void** out) override;
    HRESULT STDMETHODCALLTYPE IsRunning(LPOLESTR item) override;

private:
    ~OleServerObject();
    // Puts a native block into the object's document (a new document
    // window when it has none yet).
    HRESULT LoadBlock(HGLOBAL block);
    HRESULT WriteContents(IStorage* storage, IStream** kept);
    void ShowDocument();
    bool LastReferenceCloses(ULONG remaining) const;

    ULONG count_ = 0;
    bool ole1_ = false;
    ATOM containerApp_ = 0;
    ATOM containerDoc_ = 0;
    DWORD itemCookie_ = 0;
    IStorage* storage_ = nullptr;
    IStream* stream_ = nullptr;
    IOleClientSite* site_ = nullptr;
    IOleAdviseHolder* oleHolder_ = nullptr;
    IDataAdviseHolder* dataHolder_ = nullptr;
};

// The class factory of the drawing class; one for the run.
IClassFactory* DrawingClassFactory();
// The zoom (per mille, 0 for 100 per cent) a container's StdScale asks for.
int StdScaleZoom(int numerator, int denominator);
// HIMETRIC size of a length in 1/600 inch, truncated.
LONG UnitsToHimetric(LONG units);
// The size a container is told: an empty drawing counts 600 by 600 units.
SIZEL DrawingHimetricSize(const RECT& extents);
