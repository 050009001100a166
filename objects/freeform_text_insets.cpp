#include "objects/freeform_text_insets.h"

// The outline does not narrow the text yet: the creator's fractions stay.
void FitFreeformTextInsets(HGLOBAL, DrawingObject*)
{
}
