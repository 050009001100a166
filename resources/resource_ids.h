// Ids shared by the resource script and the code.
#pragma once

#define IDS_LOAD_FAILED 0
#define IDS_APP_TITLE 502
