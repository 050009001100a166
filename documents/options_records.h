// Tags and record layouts of the options file shared by its writer and reader.
#pragma once
#include <windows.h>

#include <cstdint>

const uint16_t kOptGeneral = 0x0800;
const uint16_t kOptRulers = 0x0801;
const uint16_t kOptPath = 0x0802;
const uint16_t kOptRecentFile = 0x0803;
const uint16_t kOptDefaultFace = 0x0804;
const uint16_t kOptLibraryBlock = 0x8805;
const uint16_t kOptLibraryWindow = 0x0806;
const uint16_t kOptLibraryFolder = 0x0807;
const uint16_t kOptLibraryFile = 0x0808;
const uint16_t kOptFont = 0x0809;
const uint16_t kOptDefaultFont = 0x080A;
const uint16_t kOptToolbarBlock = 0x8810;
const uint16_t kOptToolbarSlot = 0x0811;
const uint16_t kOptColorTable = 0x0008;
const uint16_t kOptStyleBlock = 0x8820;
const uint16_t kOptStyleShadow = 0x0821;
const uint16_t kOptStyleColors = 0x0822;
const uint16_t kOptStyleName = 0x0823;
const uint16_t kOptSymbolFontBlock = 0x8831;
const uint16_t kOptSymbolFontEnd = 0x4830;  // not the usual closer of 0x8831

const uint32_t kOptGeneralSize = 40;
const uint32_t kOptGeneralShortSize = 30;
const uint32_t kOptFontSize = 92;
const uint32_t kOptRulersSize = 24;
const uint32_t kOptLibraryWindowSize = 12;
const uint32_t kOptToolbarSlotSize = 18;
const uint32_t kOptColorTableSize = 194;
const uint32_t kOptStyleShadowSize = 8;
const uint32_t kOptStyleColorsSize = 30;
const int kOptPathCount = 7;       // indices 0..6; 7 is the attached library
const int kOptFontFaceArea = 64;

// The LOGFONT of a font record and back; `bytes` holds `length` bytes and
// fields past them are left as they are. The face is cut to 31 characters.
void PackFontRecord(const LOGFONTA& font, uint8_t* bytes);
void UnpackFontRecord(const uint8_t* bytes, uint32_t length, LOGFONTA* font, bool withFace);
