#include "documents/print_document.h"

HWND PreviewWindow = nullptr;

// Least version until printing lands: nothing is printed or previewed.
int PrintActiveDocument(HWND, BOOL)
{
    return 0;
}

int ShowPrintPreview()
{
    return 0;
}
