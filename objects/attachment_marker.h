// Whether an object carries an attachment, and the marker that shows it.
#pragma once
#include <windows.h>

#include "objects/drawing_layout.h"

// 1 when the attachment record (117, object id) exists, else 0.
int HasAttachment(int store, const DrawingObject* object);

// A plus sign in a white square with a black frame, in a rectangle of logical
// units; nothing while a raster picture is being rendered.
void DrawAttachmentMarker(HDC dc, const RECT* rect);
