// The Draw menu's Attach commands on the selected object.
#pragma once

int OpenAttachedFile();
int AttachFile();
int ClearAttachment();
