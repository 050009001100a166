// The Draw menu's attachment commands on the active drawing's selection:
// Attach a File, Open Attached File and Clear Attachment.
#pragma once

int AttachFile();
int OpenAttachedFile();
int ClearAttachment();
// Unless windows stay maximized for attached drawings, a maximized active
// document window gives way to cascaded ones.
void CascadeDocumentWindows();
