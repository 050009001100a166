// The page measures and drawing area a document takes from its printer.
#pragma once
#include <windows.h>

#include "objects/view_record.h"

const int kFreeDrawingSide = 30000;
const int kPageAreaShort = 4800;
const int kPageAreaLong = 6000;
const int kPageOverlap = 100;

// Device margins as given, margins the same with negatives as 0, printable
// size the page less the margins, each printable side that differs from the
// page's shrunk by the overlap.
void ApplyPageMeasures(ViewRecord* view, const SIZE& pageSize, const RECT& deviceMargins);
// 30000 x 30000, or a page-sized area (flag 0x10) upright or across by the
// DEVMODE's orientation.
void SetDrawingAreaFromFlags(ViewRecord* view, HGLOBAL devMode);
// The DEVMODE's orientation (1 portrait), 1 without a block.
int DevModeOrientation(HGLOBAL devMode);
