// The program's registered clipboard formats, 0 until start-up registers them.
#pragma once
#include <windows.h>

extern UINT PrivatePictFormat;     // VXPICT: the scratch store holds the copied objects
extern UINT PrivateNoPictFormat;   // VXNPICT
extern UINT NativeClipFormat;      // Tessary.2
extern UINT EmbedSourceFormat;
extern UINT ObjectDescriptorFormat;
extern UINT LinkSourceFormat;
extern UINT LinkSourceDescriptorFormat;
extern UINT StdScaleFormat;
