#include "libraries/attached_library_atom.h"

ATOM AttachedLibraryAtom = 0;
