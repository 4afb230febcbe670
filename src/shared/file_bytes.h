#pragma once
// Whole files by their Unicode names, for the settings files: read and
// written where the ANSI profile functions cannot name them, and put back as
// they were when a save cannot complete.

#include <optional>
#include <string>

namespace Zoomorb_B {

struct FileContent {
    enum class State { Missing, Read, Unreadable };
    State state = State::Missing;
    std::string bytes;
    bool operator==(const FileContent& other) const { return state == other.state && bytes == other.bytes; }
};

FileContent ReadFileBytes(const std::wstring& path);
// Makes the file hold exactly `bytes`, creating it where it is missing; its
// attributes and permissions stay. True when every byte was written.
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);

// A file as it was when the snapshot was taken, to put back.
class FileSnapshot {
public:
    explicit FileSnapshot(std::wstring path);
    // Makes the file what it was: the old bytes again, or gone where there
    // was none. True when it is as it was (also when it never changed);
    // false when it cannot be put back, or when it could not be read then
    // and can now, so whether it changed is unknown.
    bool Restore() const;

private:
    std::wstring path_;
    FileContent before_;
};

}  // namespace Zoomorb_B
