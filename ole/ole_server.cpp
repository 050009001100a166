#include "ole/ole_server.h"

#include "common/app_globals.h"

#include <ole2.h>

#include <new>

#include "ole/ole_documents.h"
#include "ole/ole_formats.h"
#include "ole/server_object.h"

int OleServerRunning = 0;

namespace {

constexpr ErrorCode kErrOleStart{1};
constexpr ErrorCode kErrOleVersion{-1};
const DWORD kOleMajorVersion = 23;
bool OleStarted = false;
DWORD ClassCookie = 0;

class DrawingFactory final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override
    {
        if (!out)
            return E_POINTER;
        if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IClassFactory)) {
            *out = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    // The factory lives for the whole run; the count is kept for the record.
    ULONG STDMETHODCALLTYPE AddRef() override { return ++count_; }
    ULONG STDMETHODCALLTYPE Release() override { return count_ > 0 ? --count_ : 0; }

    // The object gets its document window when the container gives it a
    // storage (InitNew or Load), so that a loaded drawing is read once.
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID id, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (outer)
            return E_NOINTERFACE;
        auto* object = new (std::nothrow) OleServerObject(kOleEmbedding);
        if (!object)
            return E_OUTOFMEMORY;
        object->closesDocument = true;
        object->AddRef();
        const HRESULT result = object->QueryInterface(id, out);
        object->Release();
        return result;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override
    {
        if (lock)
            ++locks_;
        else if (locks_ > 0)
            --locks_;
        return S_OK;
    }
    long Locks() const { return locks_; }

private:
    ULONG count_ = 0;
    long locks_ = 0;
};

DrawingFactory TheFactory;

} // namespace

IClassFactory* DrawingClassFactory() { return &TheFactory; }

long ClassFactoryLocks() { return TheFactory.Locks(); }

ErrorCode OleStartServer()
{
    if (HIWORD(OleBuildVersion()) != kOleMajorVersion)
        return kErrOleVersion;
    if (FAILED(OleInitialize(nullptr)))
        return kErrOleStart;
    OleStarted = true;
    InitOleFormatTable();
    // Only a program OLE started serves new embeddings: Wine keeps the class
    // registration of a program that was killed, and every later container
    // would wait on that dead process instead of starting a server.
    if (!StartedForEmbedding)
        return kErrNone;
    TheFactory.AddRef();
    if (FAILED(CoRegisterClassObject(kDrawingClass, &TheFactory, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE,
                                     &ClassCookie))) {
        ClassCookie = 0;
        OleUninitialize();
        OleStarted = false;
        return kErrOleStart;
    }
    return kErrNone;
}

void OleRevokeServer()
{
    if (ClassCookie)
        CoRevokeClassObject(ClassCookie);
    ClassCookie = 0;
}

void OleStopServer()
{
    OleRevokeServer();
    if (OleStarted)
        OleUninitialize();
    OleStarted = false;
}
