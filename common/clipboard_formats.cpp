#include "common/clipboard_formats.h"

UINT PrivatePictFormat = 0;
UINT PrivateNoPictFormat = 0;
UINT NativeClipFormat = 0;
UINT EmbedSourceFormat = 0;
UINT ObjectDescriptorFormat = 0;
UINT LinkSourceFormat = 0;
UINT LinkSourceDescriptorFormat = 0;
UINT StdScaleFormat = 0;
