#include "frame/queue_probe.h"

namespace {

const char kProbeName[] = "TessaryPlus.QueueProbe";

} // namespace

UINT QueueProbeMessage()
{
    static const UINT message = RegisterWindowMessageA(kProbeName);
    return message;
}

void AnswerQueueProbe(HWND window, WPARAM token)
{
    SetPropA(window, kProbeName, reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(token)));
}
