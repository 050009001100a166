#include "frame/registry_check.h"

// Least version until registration lands: the registry is left alone.
ErrorCode CheckRegistration()
{
    return kErrNone;
}
