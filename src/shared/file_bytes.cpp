#include "shared/file_bytes.h"

#include <windows.h>

#include "forms/handles.h"

namespace Zoomorb_B {
namespace {

bool IsMissing(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

}  // namespace

FileContent ReadFileBytes(const std::wstring& path) {
    // Shared for writing too: another program (or the profile functions)
    // may hold it open.
    const HANDLE opened = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
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

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    // Opened rather than created anew, which a hidden or system file refuses.
    const HANDLE opened = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return false;
    const forms::UniqueKernelHandle file(opened);
    DWORD written = 0;
    if (!bytes.empty() &&
        (!WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
         written != bytes.size()))
        return false;
    return SetEndOfFile(file.Get()) != FALSE;
}

FileSnapshot::FileSnapshot(std::wstring path) : path_(std::move(path)), before_(ReadFileBytes(path_)) {}

bool FileSnapshot::Restore() const {
    const FileContent now = ReadFileBytes(path_);
    if (now == before_) return true;
    switch (before_.state) {
        case FileContent::State::Missing:
            return DeleteFileW(path_.c_str()) != FALSE;
        case FileContent::State::Read:
            return WriteFileBytes(path_, before_.bytes);
        case FileContent::State::Unreadable:
            break;
    }
    return false;
}

}  // namespace Zoomorb_B
