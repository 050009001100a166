#include "objects/attachment_marker.h"

#include "objects/rendering_flags.h"
#include "objects/attachment_records.h"

int HasAttachment(int store, const DrawingObject* object)
{
    return ObjectIdHasAttachment(store, object->objectId) ? 1 : 0;
}

void DrawAttachmentMarker(HDC dc, const RECT* rect)
{
    if (RenderingRasterPicture)
        return;
    int saved = SaveDC(dc);
    SelectObject(dc, GetStockObject(BLACK_PEN));
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    Rectangle(dc, rect->left, rect->top, rect->right, rect->bottom);
    POINT corners[2] = {{rect->left, rect->top}, {rect->right, rect->bottom}};
    LPtoDP(dc, corners, 2);
    POINT centre = {(corners[0].x + corners[1].x) / 2, (corners[0].y + corners[1].y) / 2};
    if (corners[1].x - corners[0].x > 5 && corners[1].y - corners[0].y > 5) {
        corners[0].x += 2;
        corners[0].y += 2;
        corners[1].x -= 2;
        corners[1].y -= 2;
    }
    POINT back[3] = {centre, corners[0], corners[1]};
    DPtoLP(dc, back, 3);
    MoveToEx(dc, back[0].x, back[1].y, nullptr);
    LineTo(dc, back[0].x, back[2].y);
    MoveToEx(dc, back[1].x, back[0].y, nullptr);
    LineTo(dc, back[2].x, back[0].y);
    RestoreDC(dc, saved);
}
