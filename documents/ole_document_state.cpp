#include "documents/ole_document_state.h"

namespace {

const char kStateProperty[] = "TessaryOleState";

int PropertyState(HWND view)
{
    return view ? static_cast<int>(reinterpret_cast<INT_PTR>(GetPropA(view, kStateProperty))) : 0;
}

void SetPropertyState(HWND view, int state)
{
    if (!view)
        return;
    if (state)
        SetPropA(view, kStateProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(state)));
    else
        RemovePropA(view, kStateProperty);
}

ErrorCode NoContainer(HWND) { return kErrNone; }
void NothingFor(HWND) {}

} // namespace

OleDocumentHooks OleDocumentCalls = {PropertyState, SetPropertyState, NoContainer, NothingFor, NothingFor,
                                     NothingFor};

int GetOleObjectState(HWND view) { return OleDocumentCalls.getState(view); }

void SetOleObjectState(HWND view, int state) { OleDocumentCalls.setState(view, state); }

ErrorCode UpdateEmbeddingContainer(HWND view) { return OleDocumentCalls.updateContainer(view); }
