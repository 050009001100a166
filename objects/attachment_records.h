// The attachment of an object: record (117, object id) of the drawing's
// store, holding a name (a path or a web address), its NUL, and the tag
// "$atype=" with the type's digit.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

enum AttachmentType : int {
    kAttachDrawing = 0,
    kAttachWebPage = 1,
    kAttachDocument = 2,
    kAttachProgram = 3,
};
const int kAttachTypeCount = 4;
// The name buffer: 260 characters and the NUL.
const int kAttachNameSize = 261;
// A record holds at least this much after its header: name, NUL and tag.
const DWORD kAttachPayloadMinimum = 271;

// The type tagged after the name's NUL within `size` bytes of payload; 0
// when there is no tag or the name runs to the end unterminated.
int ParseAttachType(const char* payload, DWORD size);
// Writes the tag for `type` right after the name's NUL; false when the
// payload is too small to hold it.
bool AppendAttachType(char* payload, DWORD size, int type);
// The name out of a payload, never read past `size` bytes: an unterminated
// name ends at the record's end.
void ReadAttachName(const char* payload, DWORD size, char* name);

// Name and type of an object's attachment; kStoreErrNotFound without one.
ErrorCode ReadAttachment(int store, int objectId, char* name, int* type);
// Creates or rewrites the attachment (the record keeps a before-image for undo).
ErrorCode WriteAttachment(int store, int objectId, const char* name, int type);
// Deletes the attachment; kStoreErrNotFound without one.
ErrorCode DeleteAttachment(int store, int objectId);
bool ObjectIdHasAttachment(int store, int objectId);

// A path moved below the program's folder: the path's first folder is
// dropped and the rest placed under `programFile`'s folder. D:\Charts\Flow\a.tyr
// with the program C:\Prog\x.exe gives C:\Prog\Flow\a.tyr. A path with no
// folder below its first one stays as it is. False when the result would
// not fit kAttachNameSize (out is then unchanged).
bool RelocatePathUnder(const char* path, const char* programFile, char* out);
// The same under the running program's own folder, in place.
bool RelocateAttachmentPath(char* path);
