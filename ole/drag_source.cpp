#include "ole/drag_source.h"

#include "common/app_globals.h"
#include "documents/clipboard_exchange.h"
#include "ole/scratch_data_object.h"
#include "view/clipboard_copy.h"

namespace {

class DragObject final : public ScratchDataObject {
public:
    HWND view = nullptr;
    HGLOBAL objects = nullptr;
    bool needsRender = false;
    char savedPath[MAX_PATH] = "";

    // Puts the scratch store's contents aside and back after the drag.
    void RestoreScratchStore()
    {
        if (needsRender || !savedPath[0])
            return;
        DiscardError(CopyClipboardStoreFile(savedPath), "a lost earlier copy only leaves Paste with the dragged objects");
        savedPath[0] = '\0';
    }

protected:
    int Entries() const override { return kOleServerFormats; }
    bool Rendered() override
    {
        if (!needsRender)
            return true;
        savedPath[0] = '\0';
        if (CopyClipboardStoreFile(savedPath) != kErrNone || CopyObjectsToScratchStore(view, objects) != kErrNone)
            return false;
        needsRender = false;
        return true;
    }
};

class DropSource final : public IDropSource {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override
    {
        if (!out)
            return E_POINTER;
        if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDropSource)) {
            *out = static_cast<IDropSource*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++count_; }
    ULONG STDMETHODCALLTYPE Release() override { return count_ > 0 ? --count_ : 0; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keys) override
    {
        POINT screen = {};
        GetCursorPos(&screen);
        return DragContinuation(escapePressed, keys, screen);
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

private:
    ULONG count_ = 0;
};

DragObject TheDragObject;
DropSource TheDropSource;

} // namespace

HRESULT DragContinuation(BOOL escapePressed, DWORD keys, POINT screen)
{
    if (escapePressed)
        return DRAGDROP_S_CANCEL;
    RECT main = {};
    if (MainWindow && GetWindowRect(MainWindow, &main) && PtInRect(&main, screen))
        return DRAGDROP_S_CANCEL;
    return (keys & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
}

bool RunDragOut(HWND view, HGLOBAL objects, DWORD* effect)
{
    TheDragObject.view = view;
    TheDragObject.objects = objects;
    TheDragObject.needsRender = true;
    TheDragObject.savedPath[0] = '\0';
    *effect = DROPEFFECT_NONE;
    const HRESULT result =
        DoDragDrop(&TheDragObject, &TheDropSource, DROPEFFECT_COPY | DROPEFFECT_MOVE, effect);
    TheDragObject.RestoreScratchStore();
    TheDragObject.objects = nullptr;
    return result == DRAGDROP_S_DROP;
}
