#include "documents/app_options.h"

unsigned char* AppOptions = nullptr;
HGLOBAL ColorStyles = nullptr;
