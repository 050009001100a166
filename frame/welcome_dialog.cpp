#include "frame/welcome_dialog.h"

// Least version until the Welcome dialog lands: it counts as cancelled.
INT_PTR RunWelcomeDialog(const char*, int*, int)
{
    return 0;
}
