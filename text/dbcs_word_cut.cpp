#include "text/dbcs_word_cut.h"

#include <windows.h>

#include "objects/text_block.h"

bool IsSystemLeadByte(unsigned char value) { return IsDBCSLeadByte(value) != 0; }

bool BeginsDoubleByteChar(const char* text, int position, LeadBytePredicate isLead)
{
    if (position < 0 || !isLead(static_cast<unsigned char>(text[position])))
        return false;
    int leads = 0;
    for (int i = position - 1; i >= 0 && isLead(static_cast<unsigned char>(text[i])); --i)
        ++leads;
    return leads % 2 == 0;
}

int FindDbcsWordCut(const char* text, int wordStart, int fit, LeadBytePredicate isLead)
{
    int cut = fit;
    while (cut > wordStart && !BeginsDoubleByteChar(text, cut, isLead) &&
           !(cut - 2 >= wordStart && BeginsDoubleByteChar(text, cut - 2, isLead)))
        --cut;
    if (cut <= wordStart)
        return -1;
    const char before = text[cut - 1];
    if (before == kSoftHyphen || before == kTabCharacter || before == kParagraphEnd || before == ' ')
        return -1;
    return cut;
}
