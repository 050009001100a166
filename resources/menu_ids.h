// Menu resources and command ids. A command id's hundreds choose its menu;
// the ranges from 1100 up are the entries of attribute lists, each mapped to
// an attribute code and an index. Plain #defines only: windres reads this too.
#pragma once

// Menu and accelerator resources (resource names are compared without case).
#define MENU_MAIN "MDMenu"
#define ACCEL_MAIN "MDMenu"
#define MENU_RIGHT "RIGHTMENU"
#define MENU_LIBRARY "VXLIBMENU"

// Positions of the menu bar's popups (one more while a maximized document
// window puts its system menu first).
#define MENU_POS_FILE 0
#define MENU_POS_EDIT 1
#define MENU_POS_VIEW 2
#define MENU_POS_SHAPES 3
#define MENU_POS_LINES 4
#define MENU_POS_TEXT 5
#define MENU_POS_DRAW 6
#define MENU_POS_LIBRARIES 7
#define MENU_POS_WINDOW 8
#define MENU_POS_HELP 9
#define MENU_POPUP_COUNT 10

// Positions of the right-button menu's popups.
#define RIGHT_POS_SHAPE 0
#define RIGHT_POS_LINE 1
#define RIGHT_POS_BACKGROUND 2
#define RIGHT_POS_TEXT 3
#define RIGHT_POS_ARRAY_STYLES 4
#define RIGHT_POS_LINE_SHAPES 5
#define RIGHT_POS_LIBRARY 6
#define RIGHT_POPUP_COUNT 7

// 101..199 File.
#define IDM_FILE_NEW 101
#define IDM_FILE_OPEN 102
#define IDM_FILE_CLOSE 103
#define IDM_FILE_SAVE 104
#define IDM_FILE_SAVE_AS 105
#define IDM_FILE_PRINT_SETUP 106
#define IDM_FILE_PRINT 107
#define IDM_FILE_EXPORT 108
#define IDM_FILE_IMPORT 109
#define IDM_FILE_EXIT 110
#define IDM_FILE_SEND_ONE 112
#define IDM_FILE_SEND_ALL 113
#define IDM_FILE_PRINT_PREVIEW 114
#define IDM_FILE_RECENT_FIRST 120
#define IDM_FILE_NEW_BLANK 150
#define IDM_FILE_PRINT_NOW 151

// 201..299 Edit.
#define IDM_EDIT_UNDO 201
#define IDM_EDIT_CUT 202
#define IDM_EDIT_COPY 203
#define IDM_EDIT_PASTE 204
#define IDM_EDIT_CLEAR 205
#define IDM_EDIT_DUPLICATE 206
#define IDM_EDIT_COLORS_AND_SHADOWS 207
#define IDM_EDIT_TOOLBAR 208
#define IDM_EDIT_OPTIONS 209
#define IDM_EDIT_SELECT_ALL 218

// 301..399 View.
#define IDM_VIEW_FIT_WINDOW 301
#define IDM_VIEW_ZOOM_50 302
#define IDM_VIEW_ZOOM_75 303
#define IDM_VIEW_ZOOM_100 304
#define IDM_VIEW_ZOOM_150 305
#define IDM_VIEW_ZOOM_200 306
#define IDM_VIEW_FIT_PAGE 307
#define IDM_VIEW_ZOOM_CUSTOM 308
#define IDM_VIEW_SHOW_TOOLBAR 314
#define IDM_VIEW_RULERS_AND_GRID 315
#define IDM_VIEW_SHOW_GRID 316
#define IDM_VIEW_ZOOM_IN 325
#define IDM_VIEW_ZOOM_OUT 326

// 401..499 Shapes.
#define IDM_SHAPES_TEXT_SIZING 401
#define IDM_SHAPES_SHAPE_SIZING 402
#define IDM_SHAPES_EDIT_OUTLINE 403

// 501..599 Lines.
#define IDM_LINES_ARROWHEADS 501
#define IDM_LINES_JOIN 502
#define IDM_LINES_SHOW_LENGTH 503
#define IDM_LINES_TEXT_ALONG 504
#define IDM_LINES_TEXT_HORIZONTAL 505

// 601..699 Text.
#define IDM_TEXT_TYPEFACE 601
#define IDM_TEXT_SUPERSCRIPT 602
#define IDM_TEXT_SUBSCRIPT 603
#define IDM_TEXT_UNDERLINE 604
#define IDM_TEXT_BOLD 606
#define IDM_TEXT_ITALIC 607
#define IDM_TEXT_SHADOW 608
#define IDM_TEXT_INSERT_SYMBOL 609
// Alignment: 620 + 10 * row + column digit; rows 62x top, 64x middle, 63x
// bottom; digits 0 left, 1 right, 2 centre, 3 flush.
#define IDM_TEXT_ALIGN_TOP 620
#define IDM_TEXT_ALIGN_BOTTOM 630
#define IDM_TEXT_ALIGN_MIDDLE 640
#define IDM_TEXT_ALIGN_LEFT_DIGIT 0
#define IDM_TEXT_ALIGN_RIGHT_DIGIT 1
#define IDM_TEXT_ALIGN_CENTER_DIGIT 2
#define IDM_TEXT_ALIGN_FLUSH_DIGIT 3
// Bullets: 650 + bullet kind (0 none, 1 hollow circle, 2 solid circle,
// 3 hollow square, 4 solid square).
#define IDM_TEXT_BULLET_NONE 650
#define IDM_TEXT_BULLET_HOLLOW_CIRCLE 651
#define IDM_TEXT_BULLET_SOLID_CIRCLE 652
#define IDM_TEXT_BULLET_HOLLOW_SQUARE 653
#define IDM_TEXT_BULLET_SOLID_SQUARE 654

// 701..799 Draw.
#define IDM_DRAW_BRING_TO_FRONT 701
#define IDM_DRAW_SEND_TO_BACK 702
#define IDM_DRAW_LOCK 703
#define IDM_DRAW_USE_SNAPS 705
#define IDM_DRAW_LINES_LINK 706
#define IDM_DRAW_SHAPES_LINK 707
#define IDM_DRAW_HIDE_SHADOW 708
#define IDM_DRAW_FLIP_HORIZONTAL 709
#define IDM_DRAW_FLIP_VERTICAL 710
#define IDM_DRAW_GROUP 711
#define IDM_DRAW_UNGROUP 712
#define IDM_DRAW_CENTER_ON_PAGE 713
#define IDM_DRAW_ALIGN_LEFTS 720
#define IDM_DRAW_ALIGN_RIGHTS 721
#define IDM_DRAW_ALIGN_CENTERS 722
#define IDM_DRAW_ALIGN_TOPS 723
#define IDM_DRAW_ALIGN_MIDDLES 724
#define IDM_DRAW_ALIGN_BOTTOMS 725
#define IDM_DRAW_SAME_WIDTH 730
#define IDM_DRAW_SAME_HEIGHT 731
#define IDM_DRAW_SAME_SIZE 732
#define IDM_DRAW_OPEN_ATTACHMENT 740
#define IDM_DRAW_ATTACH_FILE 741
#define IDM_DRAW_CLEAR_ATTACHMENT 745
#define IDM_DRAW_SPACE_HORIZONTAL 750
#define IDM_DRAW_SPACE_VERTICAL 751
#define IDM_DRAW_SPACE_BOTH 752
#define IDM_DRAW_ROTATE_HORIZONTAL 760
#define IDM_DRAW_ROTATE_UP 761
#define IDM_DRAW_ROTATE_DOWN 763
#define IDM_DRAW_ROTATE_ANGLE 764

// 801..899 Window; the MDI client numbers the document windows from 820.
#define IDM_WINDOW_CASCADE 807
#define IDM_WINDOW_TILE 808
#define IDM_WINDOW_FIRST_CHILD 820

// 901..999 Help, hints and help mode.
#define IDM_HELP_SEARCH 901
#define IDM_HELP_CONTENTS 902
#define IDM_HELP_MENUS 903
#define IDM_HELP_USING_HELP 904
#define IDM_HELP_ABOUT 905
#define IDM_HELP_TIPS 906
#define IDM_HELP_WEB_PAGE 908
#define IDM_HINT_CONNECTOR 994
#define IDM_HINT_SHAPE_LINK 995
#define IDM_HINT_LINE_LINK 996
#define IDM_HINT_MENU_SELECTION 997
#define IDM_HELP_MODE_ON 998
#define IDM_HELP_MODE_OFF 999
// F1 in a menu or a dialog.
#define IDM_CONTEXT_HELP 30001

// 1001..1099 Libraries (also the library window's menu and its right-button popup).
#define IDM_LIB_OPEN 1001
#define IDM_LIB_CREATE 1002
#define IDM_LIB_CLOSE 1003
#define IDM_LIB_ADD_VEXLET 1004
#define IDM_LIB_EDIT_VEXLET 1005
#define IDM_LIB_REMOVE_VEXLET 1006
#define IDM_LIB_SMALL_BUTTONS 1007
#define IDM_LIB_MEDIUM_BUTTONS 1008
#define IDM_LIB_LARGE_BUTTONS 1009
#define IDM_LIB_NAMES 1010
#define IDM_LIB_DETACH_TOOLBAR 1011
// 1050 + row + 1: the open library windows listed at the end of the menu.
#define IDM_LIB_WINDOW_BASE 1050

// 1100..1199 shading swatches (attribute 9, index id - 1100); the menu offers 1101..1106.
#define IDM_SHADING_BASE 1100
#define IDM_SHADING_FIRST 1101
#define IDM_SHADING_LAST 1106
// 1200..1299 border widths (attribute 7, index id - 1200).
#define IDM_BORDER_WIDTH_BASE 1200
#define IDM_BORDER_NONE 1200
#define IDM_BORDER_HAIRLINE 1201
#define IDM_BORDER_1PT 1206
#define IDM_BORDER_2PT 1212
#define IDM_BORDER_3PT 1218
#define IDM_BORDER_4PT 1224
#define IDM_BORDER_5PT 1230
// 1300..1399 border dashes (attribute 8, index id - 1300).
#define IDM_BORDER_DASH_BASE 1300
#define IDM_BORDER_DOTTED 1302
#define IDM_BORDER_DASHED 1303
// 1400..1499 shape types (attribute 50, shape type id - 1399): 1401..1424 are types 2..25.
#define IDM_SHAPE_TYPE_BASE 1399
#define IDM_SHAPE_TYPE_FIRST 1401
#define IDM_SHAPE_TYPE_LAST 1424
// 1601..1699 array styles (attribute 83, index id - 1601).
#define IDM_ARRAY_STYLE_BASE 1601
#define IDM_ARRAY_HORIZ_BOTH 1612
#define IDM_ARRAY_H_BOTH_STAGGER 1616
#define IDM_ARRAY_HORIZ 1618
#define IDM_ARRAY_STAGGER 1622
#define IDM_ARRAY_HORIZ_LINEAR 1626
#define IDM_ARRAY_VERT_LEFT 1630
#define IDM_ARRAY_VERT_RIGHT 1631
#define IDM_ARRAY_VERT_BOTH 1633
#define IDM_ARRAY_V_BOTH_STAGGER 1637
#define IDM_ARRAY_VERT_LINEAR 1646
#define IDM_ARRAY_FISH_H 1650
#define IDM_ARRAY_FISH_H_UPPER 1651
#define IDM_ARRAY_FISH_DOUBLE_H 1652
#define IDM_ARRAY_FISH_STAGGER_H 1656
#define IDM_ARRAY_FISH_REVERSE_H 1662
#define IDM_ARRAY_FISH_V 1671
#define IDM_ARRAY_FISH_DOUBLE_V 1673
#define IDM_ARRAY_FISH_STAGGER_V 1677
#define IDM_ARRAY_FISH_V_REVERSE 1681
#define IDM_ARRAY_FISH_DOUBLE_REVERSE 1683
// 1800..1899 line widths (attribute 36, index id - 1800).
#define IDM_LINE_WIDTH_BASE 1800
#define IDM_LINE_HAIRLINE 1801
#define IDM_LINE_1PT 1806
#define IDM_LINE_2PT 1812
#define IDM_LINE_3PT 1818
#define IDM_LINE_4PT 1824
#define IDM_LINE_5PT 1830
#define IDM_LINE_6PT 1836
#define IDM_LINE_7PT 1842
#define IDM_LINE_8PT 1848
// 1901..1999 line dashes (attribute 37, index id - 1900).
#define IDM_LINE_DASH_BASE 1900
#define IDM_LINE_DOTTED 1902
#define IDM_LINE_DASHED 1903
// 2401..2499 line shapes (attribute 61, code id - 2400); 2400 itself is the
// plain Change Line Shape item and does nothing.
#define IDM_LINE_SHAPE_BASE 2400
#define IDM_LINE_SHAPE_PLACE 2400
#define IDM_LINE_TYPE_PLAIN 2401
#define IDM_LINE_TYPE_COMM 2402
#define IDM_LINE_TYPE_DIGITAL 2403
#define IDM_LINE_TYPE_ARC 2404
// Connector routes: 2400 + 0x10 (square corners) or 0x20 (arc corners)
// + 4 * start side + end side; sides 0 left, 1 top, 2 right, 3 bottom.
#define IDM_ROUTE_SQUARE_BASE 2416
#define IDM_ROUTE_ARC_BASE 2432
// 3001..3099 line colours, 3101..3199 fill colours (3149 none), 3201..3299
// text colours, 3301..3399 background colours (3349 none), 3401..3499 border
// colours; entry i of the colour table is base + i.
#define IDM_LINE_COLOR_BASE 3001
#define IDM_FILL_COLOR_BASE 3101
#define IDM_FILL_COLOR_NONE 3149
#define IDM_TEXT_COLOR_BASE 3201
#define IDM_BACK_COLOR_BASE 3301
#define IDM_BACK_COLOR_NONE 3349
#define IDM_BORDER_COLOR_BASE 3401
// The colour popups of the resources hold the first 16 colours; the rest
// (and the "none" swatches) are added when the menus are built.
#define MENU_COLOR_ITEMS_IN_RESOURCE 16
#define MENU_COLOR_TABLE_SIZE 48
