// Edit > Options (template VXOPTION).
#pragma once

int RunOptionsDlg();
