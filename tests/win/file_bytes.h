#pragma once
// Whole files as bytes, for tests that check exactly what was written, and a
// file of the user's set aside while a test runs.

#include <windows.h>

#include <fstream>
#include <optional>
#include <sstream>
#include <string>

namespace test_files {

inline std::string ReadBytes(const std::wstring& path) {
    std::ifstream file(path.c_str(), std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

inline void WriteBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream file(path.c_str(), std::ios::binary | std::ios::trunc);
    file << bytes;
}

// A file removed while the object lives and put back as it was when it goes;
// when there was none, what a test left there goes, with its folder if that
// is left empty. For files outside the test's own folders, such as the
// user's per-user settings.
class SetAsideFile {
public:
    explicit SetAsideFile(std::wstring path) : path_(std::move(path)) {
        if (GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES) bytes_ = ReadBytes(path_);
        DeleteFileW(path_.c_str());
    }
    ~SetAsideFile() {
        const std::wstring folder = path_.substr(0, path_.find_last_of(L'\\'));
        if (bytes_) {
            CreateDirectoryW(folder.c_str(), nullptr);
            WriteBytes(path_, *bytes_);
        } else {
            DeleteFileW(path_.c_str());
            RemoveDirectoryW(folder.c_str());
        }
    }
    SetAsideFile(const SetAsideFile&) = delete;
    SetAsideFile& operator=(const SetAsideFile&) = delete;

private:
    std::wstring path_;
    std::optional<std::string> bytes_;
};

// "倍率" in code page 932, the settings key as it lies in the file.
inline const std::string kMagnificationKeyBytes = "\x94\x7B\x97\xA6";

}  // namespace test_files
