#include <cstring>

#include "common/handle_words.h"
#include "documents/options_file_read.h"
#include "documents/options_strings.h"

void OptionsPayload::I16(uint32_t offset, int32_t* target) const
{
    if (Holds(offset, 2))
        *target = ReadLeI16(bytes_ + offset);
}

void OptionsPayload::U16(uint32_t offset, int32_t* target) const
{
    if (Holds(offset, 2))
        *target = ReadLeU16(bytes_ + offset);
}

void OptionsPayload::U16(uint32_t offset, uint16_t* target) const
{
    if (Holds(offset, 2))
        *target = ReadLeU16(bytes_ + offset);
}

void OptionsPayload::U32(uint32_t offset, uint32_t* target) const
{
    if (Holds(offset, 4))
        *target = ReadLeU32(bytes_ + offset);
}

void OptionsPayload::Double(uint32_t offset, double* target) const
{
    if (Holds(offset, 8))
        std::memcpy(target, bytes_ + offset, 8);
}

void OptionsPayload::String(uint32_t offset, char* target, size_t size) const
{
    if (offset > length_)
        return;
    CopyBoundedString(target, size, reinterpret_cast<const char*>(bytes_ + offset), length_ - offset);
}
