#include "objects/object_text_hooks.h"

namespace {

ErrorCode NoTextMessage(void*, void*, int, int, INT_PTR, INT_PTR) { return kErrNone; }
void NoTextDrawn(HDC, int, void*, void*, int, INT_PTR, INT_PTR, INT_PTR) {}
ErrorCode NoTextReflow(void*, DrawingObject*, int, void*) { return kErrNone; }

} // namespace

ObjectTextHooks ObjectTextCalls = {NoTextMessage, NoTextDrawn, NoTextReflow};
