// The byte level of the stream layer. Files are read ahead and written behind
// in 64 KiB pieces, so a stream costs one system call per piece, not one per
// field; a memory stream goes straight to its block.
#include <cstring>

#include "common/file_helpers.h"
#include "documents/record_stream.h"
#include "documents/stream_state.h"

namespace {

const UINT kFileBufferSize = 0x10000;

enum class FileMode { kIdle, kReading, kWriting };

struct FileBufferState {
    HFILE file = HFILE_ERROR;
    FileMode mode = FileMode::kIdle;
    UINT position = 0;     // next byte of the buffer to hand out
    UINT filled = 0;       // bytes in the buffer
    bool lengthKnown = false;
    uint64_t unread = 0;   // bytes of the file behind the buffer
};

unsigned char fileBuffer[kFileBufferSize];
FileBufferState fileState;

bool IsFailedCount(UINT count) { return count == static_cast<UINT>(HFILE_ERROR); }

bool FlushWriteBuffer()
{
    if (fileState.filled == 0)
        return true;
    UINT written = WriteFileBytes(fileState.file, fileBuffer, fileState.filled);
    bool complete = !IsFailedCount(written) && written == fileState.filled;
    fileState.filled = 0;
    return complete;
}

void AttachForReading(HFILE file)
{
    if (fileState.mode == FileMode::kReading && fileState.file == file)
        return;
    DiscardError(ReleaseStreamFile(), "a writer ends through EndStreamOperation, which passes its failure up");
    fileState.file = file;
    fileState.mode = FileMode::kReading;
    LONG length = 0;
    LONG position = SeekFile(file, 0, FILE_CURRENT);
    if (position != HFILE_ERROR && GetFileLength(file, &length) == kErrNone && length >= position) {
        fileState.lengthKnown = true;
        fileState.unread = static_cast<uint64_t>(length - position);
    }
}

bool AttachForWriting(HFILE file)
{
    if (fileState.mode == FileMode::kWriting && fileState.file == file)
        return true;
    if (ReleaseStreamFile() != kErrNone)
        return false;
    fileState.file = file;
    fileState.mode = FileMode::kWriting;
    return true;
}

void NoteRead(UINT count)
{
    fileState.unread = count < fileState.unread ? fileState.unread - count : 0;
}

} // namespace

UINT StreamSourceRead(HFILE file, void* destination, UINT count)
{
    if (StreamMemory.block) {
        long copied = ReadMemoryBytes(destination, static_cast<long>(count));
        return copied > 0 ? static_cast<UINT>(copied) : 0;
    }
    AttachForReading(file);
    auto* out = static_cast<unsigned char*>(destination);
    UINT done = 0;
    while (done < count) {
        if (fileState.position < fileState.filled) {
            UINT take = fileState.filled - fileState.position;
            if (take > count - done)
                take = count - done;
            std::memcpy(out + done, fileBuffer + fileState.position, take);
            fileState.position += take;
            done += take;
            continue;
        }
        const UINT wanted = count - done;
        if (wanted >= kFileBufferSize) {
            // A large payload goes straight to its place.
            UINT got = ReadFileBytes(file, out + done, kFileBufferSize);
            if (IsFailedCount(got) || got == 0)
                break;
            NoteRead(got);
            done += got;
            continue;
        }
        UINT got = ReadFileBytes(file, fileBuffer, kFileBufferSize);
        fileState.position = 0;
        fileState.filled = 0;
        if (IsFailedCount(got) || got == 0)
            break;
        NoteRead(got);
        fileState.filled = got;
    }
    return done;
}

bool StreamSourceLeft(HFILE file, uint64_t* left)
{
    if (StreamMemory.block) {
        *left = StreamMemory.position < StreamMemory.size ? StreamMemory.size - StreamMemory.position : 0;
        return true;
    }
    AttachForReading(file);
    if (!fileState.lengthKnown)
        return false;
    *left = fileState.unread + (fileState.filled - fileState.position);
    return true;
}

bool StreamTargetWrite(HFILE file, const void* source, UINT count)
{
    if (StreamMemory.block)
        return WriteMemoryBytes(source, static_cast<long>(count)) == static_cast<long>(count);
    if (!AttachForWriting(file))
        return false;
    auto* in = static_cast<const unsigned char*>(source);
    while (count > 0) {
        if (fileState.filled == 0 && count >= kFileBufferSize) {
            UINT written = WriteFileBytes(file, in, kFileBufferSize);
            if (IsFailedCount(written) || written != kFileBufferSize)
                return false;
            in += kFileBufferSize;
            count -= kFileBufferSize;
            continue;
        }
        UINT take = kFileBufferSize - fileState.filled;
        if (take > count)
            take = count;
        std::memcpy(fileBuffer + fileState.filled, in, take);
        fileState.filled += take;
        in += take;
        count -= take;
        if (fileState.filled == kFileBufferSize && !FlushWriteBuffer())
            return false;
    }
    return true;
}

ErrorCode FlushStreamWrites(HFILE file)
{
    if (fileState.mode != FileMode::kWriting || fileState.file != file)
        return kErrNone;
    if (!FlushWriteBuffer())
        return kErrStreamWrite;
    return kErrNone;
}

ErrorCode ReleaseStreamFile()
{
    ErrorCode code = kErrNone;
    if (fileState.mode == FileMode::kWriting && !FlushWriteBuffer())
        code = kErrStreamWrite;
    if (fileState.mode == FileMode::kReading && fileState.filled > fileState.position) {
        // The caller finds its file where the stream ended, not where we read to.
        SeekFile(fileState.file, -static_cast<LONG>(fileState.filled - fileState.position), FILE_CURRENT);
    }
    fileState = FileBufferState{};
    return code;
}

void ResetStreamFile() { fileState = FileBufferState{}; }

UINT ReadStreamBytes(HFILE file, void* destination, UINT count)
{
    return StreamSourceRead(file, destination, count);
}

ErrorCode WriteStreamBytes(HFILE file, const void* source, UINT count)
{
    if (!StreamTargetWrite(file, source, count))
        return kErrStreamWrite;
    return kErrNone;
}
