#include "libraries/library_colors.h"

// No library window keeps a palette until the library windows exist; the
// palette is then left as it is.
void MergeLibraryColors(LOGPALETTE*)
{
}
