#include "ole/mail_documents.h"

// Least version until mail lands: nothing is sent.
int SendDocumentsByMail(int)
{
    return 0;
}
