#include "documents/ole_document_state.h"

namespace {

const char kStateProperty[] = "TessaryOleState";

} // namespace

// Least version until the OLE server lands: the state rides on the view as a
// window property, and no container is told anything.
int GetOleObjectState(HWND view)
{
    return view ? static_cast<int>(reinterpret_cast<INT_PTR>(GetPropA(view, kStateProperty))) : 0;
}

void SetOleObjectState(HWND view, int state)
{
    if (!view)
        return;
    if (state)
        SetPropA(view, kStateProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(state)));
    else
        RemovePropA(view, kStateProperty);
}

ErrorCode UpdateEmbeddingContainer(HWND) { return kErrNone; }
