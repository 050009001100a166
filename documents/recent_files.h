// The recent-file list of the File menu (ids from 120).
#pragma once
#include <windows.h>

#include <cstdint>

#include "common/error_codes.h"
#include "common/handle_words.h"

const int kRecentFileCount = 4;
const int kRecentPathSize = 262;  // 261 characters and the terminator
const int kFirstRecentFileId = 120;

#pragma pack(push, 2)
struct RecentFileList {
    uint32_t ownHandle;       // handle token of this block
    int32_t count;            // entries in use, 0..4
    int32_t changed;          // the menu must be rebuilt
    int32_t firstId;          // command id of the first menu item
    int32_t order[kRecentFileCount];   // entry numbers, most recent first
    char folder[kRecentPathSize];      // current folder with a trailing backslash
    char paths[kRecentFileCount][kRecentPathSize];
};
#pragma pack(pop)
CHECK_FIELD_OFFSET(RecentFileList, order, 16);
CHECK_FIELD_OFFSET(RecentFileList, folder, 32);
CHECK_FIELD_OFFSET(RecentFileList, paths, 294);

// Locked for the whole run; none before LoadOptions and after SaveAndFreeOptions.
extern RecentFileList* RecentFiles;

// Makes the empty list, marked changed; 10004 when it cannot be had.
ErrorCode CreateRecentFileList();
void FreeRecentFileList();
// Appends a path read from the options file at the end of the order while
// fewer than four are held.
void AppendRecentFile(const char* path);

// Each does nothing (GetRecentFile yields "") while the list does not exist.
void AddRecentFile(const char* path);
void RemoveRecentFile(int commandId);
void GetRecentFile(int commandId, char* path);
void BuildRecentFilesMenu(HMENU fileMenu);
void UpdateRecentFolder();
// text is a 262-byte buffer; what would pass 261 characters is cut.
void DoubleAmpersands(char* text);
