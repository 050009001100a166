#include "common/handle_tokens.h"

#include <vector>

namespace {

// Slot i holds token i + 1; freed slots are reused.
std::vector<HGLOBAL> tokenHandles;
std::vector<uint32_t> freeTokens;
size_t tokensInUse = 0;

bool IsLive(uint32_t token)
{
    return token != 0 && token <= tokenHandles.size() && tokenHandles[token - 1];
}

} // namespace

uint32_t AddHandleToken(HGLOBAL handle)
{
    ++tokensInUse;
    if (!freeTokens.empty()) {
        const uint32_t token = freeTokens.back();
        freeTokens.pop_back();
        tokenHandles[token - 1] = handle;
        return token;
    }
    tokenHandles.push_back(handle);
    return static_cast<uint32_t>(tokenHandles.size());
}

HGLOBAL TokenHandle(uint32_t token)
{
    return IsLive(token) ? tokenHandles[token - 1] : nullptr;
}

void SetTokenHandle(uint32_t token, HGLOBAL handle)
{
    if (IsLive(token))
        tokenHandles[token - 1] = handle;
}

void FreeHandleToken(uint32_t token)
{
    if (!IsLive(token))
        return;
    tokenHandles[token - 1] = nullptr;
    freeTokens.push_back(token);
    --tokensInUse;
}

size_t TokensInUse() { return tokensInUse; }
