// Layer 1, resources/: the resource script and the ids it shares with the code.

// Ids shared by the resource script and the code: the string table.
// Menu commands are in menu_ids.h, dialog templates and their controls in
// dialog_ids.h, bitmaps, cursors, icons and data resources in bitmap_ids.h.
// Plain #defines only: windres reads this file too.
#pragma once

// Warnings, questions and notices shown from the string table.
#define IDS_LOAD_FAILED 0
#define IDS_NO_PRINTER 2
#define IDS_LATER_VERSION 4
#define IDS_NOT_VERSION_1 5
#define IDS_DISK_FULL 6
#define IDS_OPEN_FAILED 8
#define IDS_TOO_MANY_DOCUMENTS 9
#define IDS_SAVE_FAILED 10
#define IDS_OUT_OF_MEMORY 11
#define IDS_PRINT_SETUP_FAILED 12
#define IDS_TOO_MANY_FONTS 13
#define IDS_TEXT_TOO_LONG 14
#define IDS_PRINT_FAILED 15
#define IDS_UNDO_FAILED 16
#define IDS_DISK_OR_MEMORY 17
#define IDS_IMPORT_UNKNOWN 20
#define IDS_IMPORT_COMPRESSED_BMP 21
#define IDS_EXPORT_EMPTY 23
#define IDS_SELECT_TWO 24
#define IDS_ALIGN_OUTSIDE 25
#define IDS_PRINTER_NOT_GRAPHIC 26
#define IDS_ALIGN_HOOKED 27
#define IDS_MOVE_HOOKED 28
#define IDS_OUTSIDE_DRAWING 29
#define IDS_TOO_MANY_OBJECTS 30
#define IDS_SIZE_HOOKED 31
#define IDS_NOTHING_TO_PRINT 32
#define IDS_SELECT_VEXLET 33
#define IDS_REMOVE_VEXLET 34
#define IDS_TARGET_NO_SIZE 35
#define IDS_NOTHING_SIZABLE 36
#define IDS_LIBRARY_CLOSE_FAILED 40
#define IDS_TOO_MANY_LIBRARIES 43
#define IDS_LIBRARY_ALREADY_OPEN 44
#define IDS_LIBRARY_FULL 46
#define IDS_COPY_VEXLET 47
#define IDS_NO_ATTACHMENT 48
#define IDS_ATTACHMENT_MISSING 49
#define IDS_CLEAR_ATTACHMENTS 50
#define IDS_LIBRARY_READ_ONLY 51
#define IDS_GROUP_LINKS_OMITTED 52
#define IDS_CONVERT_EMBEDDED 53
#define IDS_CONVERT_ON_SAVE 54
#define IDS_SPACE_EVENLY_THREE 55
#define IDS_TOO_MANY_LINKS 56
#define IDS_NO_MAPI 60
#define IDS_ALLOW_DRIVE_REMOVAL 61
#define IDS_DRIVE_REMOVED 62
#define IDS_READ_ONLY_SAVE 63
#define IDS_READ_ONLY_OPEN 64
#define IDS_NO_BROWSER 65
#define IDS_FLIP_HOOKED 66
#define IDS_ADD_DROPPED_OBJECTS 67
#define IDS_NOTHING_TO_CENTER 68
#define IDS_WEB_PAGE_FAILED 73
#define IDS_ATTACHMENT_FAILED 74
#define IDS_DAMAGED_DRAWING 75
#define IDS_FONT_SIZE_RANGE 76  // formatted with the smallest and largest size
#define IDS_SAVED_NOT_HELD 77
#define IDS_FILE_NOT_HELD 78
#define IDS_TOO_LARGE_FOR_METAFILE 79

// Program texts.
#define IDS_VERSION 499
#define IDS_UNTITLED 500
#define IDS_SAVE_CHANGES 501
#define IDS_APP_TITLE 502
#define IDS_OBJECT_IN 504
#define IDS_MENU_CLOSE_AND_RETURN 507
#define IDS_MENU_CLOSE 508
#define IDS_MENU_SAVE_COPY_AS 509
#define IDS_MENU_SAVE_AS 510
#define IDS_MENU_UPDATE 511
#define IDS_MENU_SAVE 512
#define IDS_TEXT_PLACEHOLDER 514
#define IDS_MENU_HIDE_SHADOW 515
#define IDS_MENU_SHOW_SHADOW 516
#define IDS_HELP_FILE 517
#define IDS_OPTIONS_FILE 518
#define IDS_CLIPBOARD_FILE 519
#define IDS_OPTIONS_FILE_200 522
#define IDS_LIBRARY_FOLDER 523
#define IDS_FOOTER_FACE 524
#define IDS_FOOTER_CHARSET 525
#define IDS_OPTIONS_FILE_100 526
#define IDS_PLATFORM 527
// 529, 530 and 531 (default font face, character set and height) are left
// out on purpose: the stock interface font is kept.
#define IDS_DEFAULT_FONT_FACE 529
#define IDS_DEFAULT_FONT_CHARSET 530
#define IDS_DEFAULT_FONT_HEIGHT 531
#define IDS_REGISTRY_VERSION_KEY 532
#define IDS_OPTIONS_FILE_95 534
#define IDS_MENU_CHANGE_LINE_SHAPE 535
#define IDS_MENU_CHANGE_CONNECTOR_SHAPE 536
#define IDS_DRAWINGS_FOLDER 537
#define IDS_WEB_PAGE_ADDRESS 538

// Length units of the ruler dialog's list: 600 + unit (0 none .. 5 metres).
#define IDS_LENGTH_UNIT_BASE 600
// Unit marks of length labels: 620 + unit mode (621 inch, 622 foot, 623 mm, 624 cm, 625 m).
#define IDS_UNIT_MARK_BASE 620
#define IDS_INCH_MARK 621
#define IDS_FOOT_MARK 622
// The four default library files: 700 .. 703.
#define IDS_DEFAULT_LIBRARY_BASE 700
#define IDS_DEFAULT_LIBRARY_COUNT 4
#define IDS_NORMAL_TEXT 800
#define IDS_PREVIEW_PAGE 820

// File dialog filters and titles, registry texts.
#define IDS_FILTER_DRAWINGS 1000
#define IDS_FILTER_PICTURES 1001
#define IDS_FILTER_LIBRARIES 1003
#define IDS_FILTER_PROGRAMS 1005
#define IDS_FILTER_DOCUMENTS 1006
#define IDS_FILTER_SAVE_AS 1007
#define IDS_TITLE_EXPORT 1050
#define IDS_TITLE_IMPORT 1051
#define IDS_DRAWING_TYPE_NAME 1052
#define IDS_TITLE_SAVE 1053
#define IDS_TITLE_OPEN_LIBRARY 1054
#define IDS_TITLE_CREATE_LIBRARY 1055
#define IDS_TITLE_ATTACH 1056
#define IDS_TITLE_ATTACH_FILE 1057
#define IDS_TITLE_ATTACH_PROGRAM 1058
#define IDS_VERB_EDIT 1060
#define IDS_VERB_PRINT 1061
#define IDS_SHORT_TYPE_NAME 1070
#define IDS_FULL_TYPE_NAME 1071
#define IDS_TEMPLATE_PROGID 1072
#define IDS_TEMPLATE_TYPE_NAME 1073
#define IDS_LIBRARY_PROGID 1074
#define IDS_LIBRARY_TYPE_NAME 1075

#define IDS_TRANSPARENT 1200

// Vexlet editor instructions.
#define IDS_VEXLET_NOT_AUTOMATIC 1400
#define IDS_VEXLET_AUTOMATIC_1 1401
#define IDS_VEXLET_AUTOMATIC_2 1402
#define IDS_VEXLET_MANUAL_1 1403
#define IDS_VEXLET_MANUAL_2 1404

// Printing.
#define IDS_PRINTER_LINE 1602
#define IDS_PRINTING_CANCELLED 1603
#define IDS_FOOTER_PAGE 1605

// Template chooser and library browser.
#define IDS_NO_PREVIEW 1701
#define IDS_EMPTY_DRAWING 1702
#define IDS_CREATE_NEW_LIBRARY 1703
#define IDS_RESULTS_OF_FIND 1704
#define IDS_NONE_FOUND 1705

// Edit menu's first item: 2500 + undo kind, 2501 + undo kind for a redo.
#define IDS_UNDO_BASE 2500
#define IDS_REDO_BASE 2501

// Labels of the text editor's break bars.
#define IDS_BREAK_AREA 2700
#define IDS_BREAK_END 2701

// Edit menu's Paste item: 3000 + text index (0 plain .. 4 metafile).
#define IDS_PASTE_BASE 3000
#define IDS_PASTE_TEXT 3001
#define IDS_PASTE_DRAWING 3002
#define IDS_PASTE_BITMAP 3003
#define IDS_PASTE_METAFILE 3004

#define IDS_NO_STYLE 3100
#define IDS_NEW_STYLE 3101
#define IDS_TEXT_SAMPLE 3102
#define IDS_CENTIMETRES 3501
// Attachment hint lines 3600 + type are not in the table: the line stays empty.
#define IDS_ATTACH_HINT_BASE 3600

// Tool tips: 6000 + the control id of a palette button without window text;
// 6112 + shape type for the shape tools (6114 .. 6137).
#define IDS_TOOLTIP_BASE 6000
#define IDS_SHAPE_TOOLTIP_BASE 6112

// Tips of the Welcome and Tips dialogs: "Tip #" and the tips 7500 .. 7545.
#define IDS_TIP_PREFIX 7499
#define IDS_TIP_FIRST 7500
#define IDS_TIP_LAST 7545
