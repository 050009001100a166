// The OLE records of the document windows: each document's list of server
// objects and its registration in the running object table under a file
// moniker of its path.
#pragma once
#include <windows.h>
#include <ole2.h>

#include "common/error_codes.h"
#include "ole/server_object.h"

const int kOleObjectSlots = 25;
const ErrorCode kErrListFull{-1};

// Registration thresholds: references the registrations hold on a
// document's objects without any client using them.
const int kThresholdItemMoniker = 1;
const int kThresholdRegistered = 2;
const int kThresholdBoundLink = 3;

struct OleDocument {
    HWND window = nullptr;
    OleServerObject* slots[kOleObjectSlots] = {};
    int count = 0;
    IMoniker* moniker = nullptr;
    DWORD cookie = 0;
    int threshold = 0;
};

// The records of a document window, or none.
OleDocument* FindOleDocument(HWND document);
// The records, made when the window has none yet.
OleDocument* OleDocumentOf(HWND document);
// Puts the object into the first free slot: 0, or kErrListFull.
ErrorCode AttachServerObject(OleDocument* document, OleServerObject* object);
void DetachServerObject(OleServerObject* object);
// A new object in the document's list: 0, kErrListFull or kErrNoMemory.
ErrorCode CreateServerObject(OleDocument* document, int state, OleServerObject** out);
// Registers the document's file in the running object table (again after a
// rename, telling the clients). 1 when a document with a file gets none.
ErrorCode RegisterDocumentMoniker(HWND document);
// Revokes the registration and closes every object of the document.
void ReleaseOleDocObjects(HWND document);
// The program's documents tell their clients through these.
void NotifyOleObjectsChanged(void* viewRecord);
ErrorCode UpdateEmbeddingContainerFor(HWND view);
int GetOleObjectStateOf(HWND view);
void SetOleObjectStateOf(HWND view, int state);
// The container's document name of the view's first object, "" for none.
void GetOleContainerName(char* text, HWND view, int size);
// Fills the documents' hook table.
void ConnectOleDocuments();
// Set while the server renders for a container, when changes are its own.
extern int OleRenderActive;
