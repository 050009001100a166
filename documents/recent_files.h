// The recent-file list of the File menu (ids from 120).
#pragma once
#include <windows.h>

// Each does nothing (GetRecentFile yields "") while the list does not exist.
void AddRecentFile(const char* path);
void RemoveRecentFile(int commandId);
void GetRecentFile(int commandId, char* path);
void BuildRecentFilesMenu(HMENU fileMenu);
void UpdateRecentFolder();
void DoubleAmpersands(char* text);
