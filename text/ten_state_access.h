// Reaching an editor's state block through its window long 0.
#pragma once
#include <windows.h>

#include "text/ten_state.h"

inline HGLOBAL TenStateHandle(HWND window)
{
    return window ? reinterpret_cast<HGLOBAL>(GetWindowLongPtrA(window, 0)) : nullptr;
}

// Locks the state for one handler and unlocks it when it goes.
class TenStateLock {
public:
    explicit TenStateLock(HWND window) : handle_(TenStateHandle(window))
    {
        state_ = handle_ ? static_cast<TenState*>(GlobalLock(handle_)) : nullptr;
    }
    ~TenStateLock()
    {
        if (state_)
            GlobalUnlock(handle_);
    }
    TenStateLock(const TenStateLock&) = delete;
    TenStateLock& operator=(const TenStateLock&) = delete;
    TenState* get() const { return state_; }
    TenState* operator->() const { return state_; }
    explicit operator bool() const { return state_ != nullptr; }

private:
    HGLOBAL handle_;
    TenState* state_ = nullptr;
};
