#include "view/selection_access.h"

#include "common/window_helpers.h"
#include "objects/view_record.h"
#include "documents/view_children.h"
#include "objects/view_record_word.h"

HGLOBAL ViewDrawingHandle(HWND view)
{
    HGLOBAL viewHandle = GetViewRecordHandle(view);
    if (!viewHandle)
        return nullptr;
    void* record = GlobalLock(viewHandle);
    HGLOBAL drawing = record ? GetViewDrawingHandle(record) : nullptr;
    GlobalUnlock(viewHandle);
    return drawing;
}

HGLOBAL ActiveDrawingHandle()
{
    HWND document = GetActiveDocWindow(nullptr);
    return document ? ViewDrawingHandle(DocumentViewOf(document)) : nullptr;
}

ViewDrawingDC::ViewDrawingDC(HWND view) : view_(view)
{
    dc_ = view ? GetDC(view) : nullptr;
    if (!dc_)
        return;
    SetWindowOrgEx(dc_, 0, 0, &oldOrigin_);
    GetClientRect(view, &clip_);
    DPtoLP(dc_, reinterpret_cast<POINT*>(&clip_), 2);
}

ViewDrawingDC::~ViewDrawingDC()
{
    if (!dc_)
        return;
    SetWindowOrgEx(dc_, oldOrigin_.x, oldOrigin_.y, nullptr);
    ReleaseDC(view_, dc_);
}

DrawingObject MakeGroupProxy(const GroupEntry* row, bool selected)
{
    DrawingObject proxy = {};
    proxy.kind = kKindShape;
    proxy.shapeType = 2;
    proxy.bounds = row->bounds;
    proxy.frame = row->frame;
    proxy.inner = row->frame;
    proxy.textFrame = row->frame;
    proxy.rotation = row->rotation;
    proxy.sizingConstraint = row->sizingConstraint;
    proxy.width = row->frame.right - row->frame.left;
    proxy.height = row->frame.bottom - row->frame.top;
    proxy.optionFlags = (row->flags & kGroupNoTransform) ? static_cast<uint32_t>(kOptionNoTransform) : 0u;
    proxy.stateFlags = selected ? static_cast<uint32_t>(kStateSelected) : 0u;
    proxy.groupIndex = -1;
    proxy.groupKey = 0;
    proxy.textRecordId = 0;
    proxy.linkCount = 0;
    proxy.labelPartnerId = kNoObjectId;
    return proxy;
}
