#include "documents/recent_files.h"

// Least version until the recent-file list lands.
void AddRecentFile(const char*) {}
void RemoveRecentFile(int) {}
void GetRecentFile(int, char* path) { path[0] = '\0'; }
void BuildRecentFilesMenu(HMENU) {}
void UpdateRecentFolder() {}
void DoubleAmpersands(char*) {}
