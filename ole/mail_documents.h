// File > Send: the active document (0) or all open documents (1) by mail.
#pragma once

int SendDocumentsByMail(int all);
