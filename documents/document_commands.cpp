// The document commands live in document_window.cpp (making windows),
// document_open.cpp (New and Open), document_save*.cpp (Save and Save As),
// document_close.cpp (the prompt and closing), document_save_file.cpp (SetDocumentFile) and
// drive_removal.cpp.
#include "documents/document_commands.h"
