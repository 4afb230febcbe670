#pragma once
// Whole files by their Unicode names, for the settings files: read, put in
// place whole or not at all, and put back as they were when a save cannot
// complete.

#include <optional>
#include <string>

namespace Zoomorb_B {

struct FileContent {
    // Unreadable: the file is there but could not be opened or read (held
    // by another program without read sharing, or not readable for this user).
    enum class State { Missing, Read, Unreadable };
    State state = State::Missing;
    std::string bytes;
    bool operator==(const FileContent& other) const { return state == other.state && bytes == other.bytes; }
};

FileContent ReadFileBytes(const std::wstring& path);
// Makes the file hold exactly `bytes`, or leaves it as it was: the bytes go
// to a new file beside it, which then takes its place in one step (the
// replaced file's attributes and permissions stay). Where the folder takes
// no new file, the file is written where it is, and its old bytes go back
// when that is cut short. True when the file holds the bytes.
bool ReplaceFileBytes(const std::wstring& path, const std::string& bytes);

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
