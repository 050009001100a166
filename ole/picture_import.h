// Importing pictures: File > Import and dropped picture files.
#pragma once

int DoImportCommand();
int ImportDroppedFile(const char* path);
