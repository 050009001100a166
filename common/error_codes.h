// Layer 2, common/: platform helpers and program-wide globals every folder uses.

// Result codes of the whole program. 0 is success; a caller stops at the first
// non-zero code and passes it up. Store codes are 1..33 (store/store_errors.h),
// record-stream codes 1001..1004, the application's own from 10001.
#pragma once
#include <cstdint>
#include <type_traits>

// An enumeration of named codes says so by specialising this, so its names
// turn into an ErrorCode without a cast.
template <typename Named>
struct IsErrorCodeEnum : std::false_type {};

// A result the compiler does not let a caller drop: pass it up, roll back, or
// say why it may be dropped (DiscardError). Integers from files, kind
// procedures or Windows become codes, and codes integers, only on purpose.
struct [[nodiscard]] ErrorCode {
    int32_t value = 0;

    constexpr ErrorCode() = default;
    constexpr explicit ErrorCode(int32_t number) : value(number) {}
    template <typename Named, typename = std::enable_if_t<IsErrorCodeEnum<Named>::value>>
    constexpr ErrorCode(Named named) : value(static_cast<int32_t>(named))
    {
    }

    constexpr explicit operator bool() const { return value != 0; }

    friend constexpr bool operator==(ErrorCode a, ErrorCode b) { return a.value == b.value; }
    friend constexpr bool operator!=(ErrorCode a, ErrorCode b) { return a.value != b.value; }
    friend constexpr bool operator==(ErrorCode a, int32_t b) { return a.value == b; }
    friend constexpr bool operator!=(ErrorCode a, int32_t b) { return a.value != b; }
    friend constexpr bool operator==(int32_t a, ErrorCode b) { return a == b.value; }
    friend constexpr bool operator!=(int32_t a, ErrorCode b) { return a != b.value; }

    // Streams (test messages, logs) show the number.
    template <typename Stream>
    friend Stream& operator<<(Stream& out, ErrorCode code)
    {
        out << code.value;
        return out;
    }
};

static_assert(sizeof(ErrorCode) == sizeof(int32_t), "an ErrorCode is returned like an int");
static_assert(std::is_trivially_copyable<ErrorCode>::value, "an ErrorCode is returned in a register");

// Drops a code on purpose; `why` says why losing it is harmless.
inline void DiscardError(ErrorCode code, const char* why)
{
    static_cast<void>(code);
    static_cast<void>(why);
}

enum AppErrorCode : int32_t {
    kErrNone = 0,
    kErrStringOrFormat = 10001,   // a string or clipboard format fails to load or register
    kErrWindowOrCursor = 10002,   // a window class, window or cursor fails to be made
    kErrFile = 10003,             // a file fails to open, read or write
    kErrNoMemory = 10004,         // out of memory
    kErrNoPrinterContext = 10005, // no printer information context for a new document
    kErrDiskFull = 10006,         // a file's length cannot be set
    kErrLaterVersion = 10008,     // the file was made by a later version
    kErrOutsideDrawing = 10009,   // the change would put objects outside the drawing area
    kErrTooManyObjects = 10010,   // more than 16,000 objects in a drawing
    kErrTooManyLinks = 10011,     // more than 6000 links in a drawing
    kErrBadMetafile = 10013,      // a metafile that cannot be used
};
template <>
struct IsErrorCodeEnum<AppErrorCode> : std::true_type {};

// Nothing to work on, or an argument out of range: the operation did nothing.
constexpr ErrorCode kErrNotDone{1};

// Record-stream codes.
enum StreamErrorCode : int32_t {
    kErrStreamFirst = 1001,
    kErrStreamLast = 1004,
};
template <>
struct IsErrorCodeEnum<StreamErrorCode> : std::true_type {};
