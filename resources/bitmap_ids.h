// Bitmaps, cursors, icons and data resources. The pictures are drawn by
// scripts/make-resources.py, which also writes bitmaps.rc and cursors_icons.rc.
// Plain #defines only: windres reads this file too.
#pragma once

// Pattern bitmaps (8 x 8, one bit) of the shared pattern brushes, in load order.
#define IDB_PATTERN_DITHER 10001
#define IDB_PATTERN_HANDLES 10002
#define IDB_PATTERN_SPARSE 10003
#define IDB_PATTERN_GRID_HORIZONTAL 10004
#define IDB_PATTERN_GRID_DOT 10005
#define IDB_PATTERN_GRID_VERTICAL 10006
#define IDB_PATTERN_FIRST 10001
#define IDB_PATTERN_LAST 10006

// Mark of the "none" colour swatch.
#define IDB_SWATCH_TRANSPARENT 1100

// Menu bitmaps: line widths 1 to 8 pt (1203 .. 1210) and the two dashes.
#define IDB_WIDTH_FIRST 1203
#define IDB_WIDTH_LAST 1210
#define IDB_DASH_DOTTED 1302
#define IDB_DASH_DASHED 1303
// Text alignment (bitmap id = command id 620..623, 630..633, 640..643),
// bullets (650..654), line shapes (2401..2447) and array styles (1612..1683)
// use their command ids; the command id tables are in menu_ids.h.
// Shapes: 3011 + shape type (3013 .. 3036 for the types 2 .. 25).
#define IDB_SHAPE_BASE 3011
#define IDB_SHAPE_FIRST 3013
#define IDB_SHAPE_LAST 3036

// Tool palette: tools 108..113 are bitmap id + 2899 (3007 .. 3012); the
// toggles 215..221 and commands 500..511 are id + 3000; a toggle in its mixed
// look shows its bitmap + 10000 (13215 .. 13219).
#define IDB_TOOL_OFFSET 2899
#define IDB_TOOL_FIRST 3007
#define IDB_TOOL_LAST 3012
#define IDB_PALETTE_OFFSET 3000
#define IDB_TOGGLE_FIRST 3215
#define IDB_TOGGLE_LAST 3221
#define IDB_COMMAND_FIRST 3500
#define IDB_COMMAND_LAST 3511
#define IDB_MIXED_OFFSET 10000
#define IDB_MIXED_FIRST 13215
#define IDB_MIXED_LAST 13219
#define IDB_PREVIEW_HELP 3511

// Colors and shadows: shadow kinds 4000..4005, shadow directions 4010..4013.
#define IDB_SHADOW_KIND_FIRST 4000
#define IDB_SHADOW_KIND_LAST 4005
#define IDB_SHADOW_DIR_FIRST 4010
#define IDB_SHADOW_DIR_LAST 4013

// Arrowheads: end kinds 1..23 are 2001 + kind; start kinds 0..23 are 2051 +
// kind (2051 also shows "no marker" at the end); displacement and size buttons.
#define IDB_ARROW_END_BASE 2001
#define IDB_ARROW_END_FIRST 2002
#define IDB_ARROW_END_LAST 2024
#define IDB_ARROW_START_BASE 2051
#define IDB_ARROW_START_FIRST 2051
#define IDB_ARROW_START_LAST 2074
#define IDB_ARROW_END_NORMAL 2101
#define IDB_ARROW_END_DISPLACED 2102
#define IDB_ARROW_START_NORMAL 2111
#define IDB_ARROW_START_DISPLACED 2112
#define IDB_ARROW_SIZE_FIRST 2153
#define IDB_ARROW_SIZE_LAST 2155

// Spin buttons of the angle and scale dialogs.
#define IDB_SPIN_DOWN 1800
#define IDB_SPIN_UP 1801

// The 18 application cursors: index 0 is resource 1000, 2 is 1002 and 9..17
// are 1009..1017; the others are system cursors.
#define IDCUR_ARROW 1000
#define IDCUR_HELP 1002
#define IDCUR_MOVE_START 1009
#define IDCUR_ZOOM_IN 1010
#define IDCUR_ZOOM_OUT 1011
#define IDCUR_MOVE 1012
#define IDCUR_HOOK 1013
#define IDCUR_PENCIL 1014
#define IDCUR_PLACE 1015
#define IDCUR_ATTACHMENT 1016
#define IDCUR_ROTATE 1017

// Icons, in the order the registry counts them (",1" drawing, ",3" template,
// ",4" library).
#define IDI_PROGRAM 1001
#define IDI_DRAWING 1002
#define IDI_DRAWING_EARLIER 1003
#define IDI_TEMPLATE 1004
#define IDI_LIBRARY 1006
#define ICON_INDEX_DRAWING 1
#define ICON_INDEX_TEMPLATE 3
#define ICON_INDEX_LIBRARY 4

// The standard colour styles: resource type "STDSTYLE", id 1000.
#define RESOURCE_TYPE_STDSTYLE "STDSTYLE"
#define IDR_STDSTYLE 1000
