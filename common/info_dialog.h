// The one-time notices and hints (dialog templates INFO_... and HINT_...).
#pragma once

// Shows the notice or hint template with its help topic; 0 when nothing was
// shown.
int ShowInfoDialog(const char* templateName, int helpTopic);
