#include "text/object_text_messages.h"

// No text attribute is applied until the text engine exists.
ErrorCode ApplyObjectTextMessage(void*, void*, int, int, INT_PTR, INT_PTR)
{
    return kErrNone;
}
