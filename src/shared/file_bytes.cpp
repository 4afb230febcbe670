#include "shared/file_bytes.h"

#include <windows.h>

#include "forms/handles.h"

namespace Zoomorb_B {
namespace {

bool IsMissing(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

bool WriteAll(HANDLE file, const std::string& bytes) {
    DWORD written = 0;
    return bytes.empty() ||
           (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size());
}

enum class Staging { Written, FolderRefuses, Failed };

// The new bytes in a file of their own, on the disk before it takes the old
// file's place, so that no moment shows a file cut short.
Staging Stage(const std::wstring& staged, const std::string& bytes) {
    // One left by a save that was cut short (a power loss) is out of date.
    DeleteFileW(staged.c_str());
    const HANDLE created =
        CreateFileW(staged.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (created == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT ? Staging::FolderRefuses
                                                                            : Staging::Failed;
    }
    const forms::UniqueKernelHandle file(created);
    return WriteAll(file.Get(), bytes) && FlushFileBuffers(file.Get()) ? Staging::Written : Staging::Failed;
}

// For a file in a folder that takes no new file, though the file itself may
// be written (an administrator's choice): written over, and its old bytes
// written back when the write is cut short. They fit: the file held them.
bool WriteInPlace(const std::wstring& path, const std::string& bytes) {
    const FileContent before = ReadFileBytes(path);
    if (before.state != FileContent::State::Read) return false;
    const HANDLE opened =
        CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return false;
    const forms::UniqueKernelHandle file(opened);
    if (WriteAll(file.Get(), bytes) && SetEndOfFile(file.Get()) && FlushFileBuffers(file.Get())) return true;
    if (SetFilePointer(file.Get(), 0, nullptr, FILE_BEGIN) == 0 && WriteAll(file.Get(), before.bytes))
        SetEndOfFile(file.Get());
    return false;
}

}  // namespace

FileContent ReadFileBytes(const std::wstring& path) {
    // Shared for every use: another program (or a save of ours) may write or
    // replace it meanwhile.
    const HANDLE opened = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE)
        return FileContent{IsMissing(GetLastError()) ? FileContent::State::Missing : FileContent::State::Unreadable,
                           {}};
    const forms::UniqueKernelHandle file(opened);
    FileContent content{FileContent::State::Read, {}};
    char buffer[4096];
    DWORD read = 0;
    for (;;) {
        if (!ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr))
            return FileContent{FileContent::State::Unreadable, {}};
        if (read == 0) return content;
        content.bytes.append(buffer, read);
    }
}

bool ReplaceFileBytes(const std::wstring& path, const std::string& bytes) {
    const std::wstring staged = path + L".new";
    switch (Stage(staged, bytes)) {
        case Staging::Written:
            break;
        case Staging::FolderRefuses:
            return WriteInPlace(path, bytes);
        case Staging::Failed:
            DeleteFileW(staged.c_str());
            return false;
    }
    // ReplaceFile keeps the replaced file's attributes and permissions, and
    // refuses a read-only file, as a write to it would.
    const bool placed = GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES
                            ? MoveFileExW(staged.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH) != FALSE
                            : ReplaceFileW(path.c_str(), staged.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                                           nullptr, nullptr) != FALSE;
    if (!placed) DeleteFileW(staged.c_str());
    return placed;
}

FileSnapshot::FileSnapshot(std::wstring path) : path_(std::move(path)), before_(ReadFileBytes(path_)) {}

bool FileSnapshot::Restore() const {
    const FileContent now = ReadFileBytes(path_);
    if (now == before_) return true;
    switch (before_.state) {
        case FileContent::State::Missing:
            return DeleteFileW(path_.c_str()) != FALSE;
        case FileContent::State::Read:
            return ReplaceFileBytes(path_, before_.bytes);
        case FileContent::State::Unreadable:
            break;
    }
    return false;
}

}  // namespace Zoomorb_B
