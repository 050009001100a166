// Reading the options file: signature, header and the records of the body.
#include <cstring>

#include "common/handle_words.h"
#include "common/io_seam.h"
#include "objects/app_options.h"
#include "documents/options_file.h"
#include "documents/options_file_read.h"
#include "documents/options_records.h"
#include "documents/record_stream.h"
#include "documents/recent_files.h"
#include "documents/attached_library_atom.h"

bool OptionsFileIsPrevious = false;

namespace {

const int kPreviousGeneration = 2;

OptionsPayload Payload(uint32_t length) { return OptionsPayload(StreamPayload(), length); }

void ReadGeneral(OptionsRecord* options, const OptionsPayload& payload)
{
    payload.U16(0, &options->printOptions);
    payload.U16(2, &options->flags);
    payload.I16(4, &options->exportPictureType);
    payload.I16(6, &options->importPictureType);
    payload.I16(8, &options->tipNumber);
    payload.I16(10, &options->footerPosition);
    payload.U32(12, &options->reserved);
    for (uint32_t index = 0; index < 6; ++index)
        payload.I16(16 + 2 * index, &options->drawingDefaults[index]);
    int32_t charSet = options->defaultFont.lfCharSet;
    payload.U16(28, &charSet);
    options->defaultFont.lfCharSet = static_cast<BYTE>(charSet);
    if (payload.Length() >= kOptGeneralSize) {
        payload.I16(30, &options->quickPreviews);
        int32_t symbolCharacter = options->symbolCharacter;
        payload.I16(32, &symbolCharacter);
        options->symbolCharacter = static_cast<int16_t>(symbolCharacter);
        payload.I16(34, &options->symbolFont);
        payload.I16(36, &options->moreFlags);
        payload.I16(38, &options->attachmentType);
    }
    if (OptionsFileIsPrevious)
        options->flags |= kOptionFlagTemplateChooser;
}

void ReadRulers(RulerScale* rulers, const OptionsPayload& payload)
{
    payload.I16(0, &rulers->shown);
    payload.I16(2, &rulers->screenUnit);
    payload.Double(4, &rulers->majorLength);
    payload.I16(12, &rulers->divisions);
    if (payload.Length() >= kOptRulersSize) {
        payload.Double(14, &rulers->labelValue);
        payload.I16(22, &rulers->labelUnit);
        return;
    }
    // The earlier short form knows no label: inches, or centimetres.
    rulers->labelValue = 1.0;
    if (rulers->majorLength == 100.0) {
        rulers->labelUnit = 1;
        rulers->screenUnit = 1;
    } else {
        rulers->labelUnit = 4;
        rulers->screenUnit = 0;
        rulers->majorLength = 100.0;
    }
}

void ReadPath(OptionsRecord* options, const OptionsPayload& payload)
{
    if (OptionsFileIsPrevious || !payload.Holds(0, 2))
        return;
    int32_t index = -1;
    payload.U16(0, &index);
    char* fields[kOptPathCount] = {options->drawingsFolder, options->exportFolder, options->importFolder,
                                   options->librariesFolder, options->templatePath, options->lastLibrary,
                                   options->keyword};
    if (index >= 0 && index < kOptPathCount) {
        payload.String(2, fields[index], kOptionsPathSize);
    } else if (index == kOptPathCount) {
        char path[kOptionsPathSize] = {};
        payload.String(2, path, kOptionsPathSize);
        if (AttachedLibraryAtom)
            GlobalDeleteAtom(AttachedLibraryAtom);
        AttachedLibraryAtom = GlobalAddAtomA(path);
    }
}

void ReadColorTable(OptionsRecord* options, const OptionsPayload& payload)
{
    int32_t count = 0;
    payload.U16(0, &count);
    for (int32_t index = 0; index < count && index < kColorTableEntries; ++index) {
        if (!payload.Holds(2 + 4 * index, 4))
            break;
        payload.U32(2 + 4 * index, reinterpret_cast<uint32_t*>(&options->colorTable[index]));
    }
}

ErrorCode ReadBodyRecord(HFILE file, uint16_t tag, uint32_t length, void*, bool* recognised)
{
    OptionsRecord* options = Options();
    const OptionsPayload payload = Payload(length);
    *recognised = true;
    switch (tag) {
    case kOptGeneral:
        ReadGeneral(options, payload);
        return kErrNone;
    case kOptFont:
        UnpackFontRecord(payload.Bytes(), length, &options->footerFont, true);
        return kErrNone;
    case kOptDefaultFont:
        UnpackFontRecord(payload.Bytes(), length < 28 ? length : 28, &options->defaultFont, false);
        return kErrNone;
    case kOptRulers:
        ReadRulers(&options->rulerDefaults, payload);
        return kErrNone;
    case kOptDefaultFace:
        payload.String(0, options->defaultFont.lfFaceName, LF_FACESIZE);
        return kErrNone;
    case kOptPath:
        ReadPath(options, payload);
        return kErrNone;
    case kOptColorTable:
        ReadColorTable(options, payload);
        return kErrNone;
    case kOptRecentFile: {
        char path[kRecentPathSize] = {};
        payload.String(0, path, kRecentPathSize);
        AppendRecentFile(path);
        return kErrNone;
    }
    case kOptLibraryBlock:
        return ReadLibraryWindowBlock(file);
    case kOptToolbarBlock:
        return ReadToolbarBlock(file);
    case kOptStyleBlock: {
        int32_t count = 0;
        int32_t current = 0;
        payload.U16(0, &count);
        payload.U16(2, &current);
        return ReadStyleBlock(file, count, current);
    }
    case kOptSymbolFontBlock: {
        int32_t count = 0;
        payload.U16(0, &count);
        return ReadSymbolFontBlock(file, count);
    }
    default:
        *recognised = false;
        return kErrNone;
    }
}

// The signature and the header record.
ErrorCode ReadOptionsStart(HFILE file, bool* empty)
{
    char signature[kStreamSignatureSize];
    const UINT got = ReadStreamBytes(file, signature, kStreamSignatureSize);
    *empty = got == 0;
    if (got == 0)
        return kErrNone;
    // A file cut inside its signature is damaged, not empty.
    if (got < static_cast<UINT>(kStreamSignatureSize))
        return kErrStreamRead;
    if (CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, signature, kStreamSignatureSize,
                       kOptionsStreamSignature, kStreamSignatureSize) != CSTR_EQUAL)
        return kErrStreamSignature;
    uint16_t tag = 0;
    uint32_t length = 0;
    ErrorCode code = ReadStreamRecord(file, &tag, &length);
    if (code != kErrNone)
        return code;
    if (tag != kStreamHeaderTag || length < kStreamHeaderSize)
        return kErrStreamSignature;
    const uint8_t* words = StreamPayload();
    const int version = ReadLeI16(words + 6);
    if (version != 0 && version != 2 && version != 3)
        return kErrStreamOptions;
    OptionsFileIsPrevious = ReadLeI16(words) == kPreviousGeneration;
    StreamHeaderWord4 = ReadLeI16(words + 8);
    StreamUnitsPerInch = ReadLeI16(words + 10);
    return kErrNone;
}

} // namespace

ErrorCode ReadOptionsFile(const char* path)
{
    if (!AppOptions)
        return kErrNoMemory;
    ErrorCode code = BeginStreamOperation();
    if (code != kErrNone)
        return code;
    HFILE file = SeamCreateFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
    if (file == HFILE_ERROR) {
        DiscardError(EndStreamOperation(), "the failed open is what is passed up");
        return kErrNotDone;
    }
    OptionsFileIsPrevious = false;
    bool empty = false;
    code = ReadOptionsStart(file, &empty);
    if (code == kErrNone && !empty)
        code = ReadStreamBlock(file, kStreamEndTag, ReadBodyRecord, nullptr);
    const ErrorCode ended = EndStreamOperation();
    if (code == kErrNone)
        code = ended;
    SeamClose(file);
    OptionsFileIsPrevious = false;
    return code;
}
