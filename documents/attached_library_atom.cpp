#include "documents/attached_library_atom.h"

ATOM AttachedLibraryAtom = 0;
