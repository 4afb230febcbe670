#pragma once
// What the settings-saving tests need beyond the harness: the per-user
// settings file, as the program finds it, files and folders that nobody may
// write, not even root, and a full disk, while a test runs.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

// A settings file's text in the Unicode forms the program reads besides the
// code page: UTF-16 with its byte-order mark, UTF-8 with its signature.
std::string Utf16File(const std::wstring& text);
std::string Utf8File(const std::wstring& text);

// Zoomorb\Zoomorb.ini in the user's roaming application data, found through
// the shell as the program finds it.
std::wstring PerUserSettingsPath();
// Writes the per-user settings file, making its folder where needed.
void WritePerUserSettings(const std::string& bytes);

// The user's roaming application data moved to `folder` while the object
// lives, as for a user of another name: the shell names that folder from the
// user's shell folders in the registry, which this changes and puts back.
// Folders it has to make it removes again, where they are left empty.
// Should the test program be killed meanwhile, scripts/wine-env.sh puts the
// registry back at the next prepare_wine_prefix.
class RoamingAppDataAt {
public:
    explicit RoamingAppDataAt(const std::wstring& folder);
    ~RoamingAppDataAt();
    RoamingAppDataAt(const RoamingAppDataAt&) = delete;
    RoamingAppDataAt& operator=(const RoamingAppDataAt&) = delete;

private:
    std::optional<std::wstring> previous_;
    std::vector<std::wstring> made_;
};

// A file system of 16 KB (tmpfs) mounted on the program's folder while the
// object lives, with a link to the program in it, and unmounted when it goes,
// also when the test fails. Its size binds root as any user: tmpfs keeps no
// blocks for root. Needs root; should the test program be killed before it
// unmounts, scripts/wine-env.sh unmounts at the next prepare_wine_prefix.
class FullSmallDisk {
public:
    explicit FullSmallDisk(const std::wstring& folder);
    ~FullSmallDisk();
    FullSmallDisk(const FullSmallDisk&) = delete;
    FullSmallDisk& operator=(const FullSmallDisk&) = delete;

    // Whether it is mounted, with the program in it.
    bool Ready() const { return mounted_ && linked_; }
    // Fills the space left with a file of its own: true once the disk is full.
    bool Fill() const;

private:
    std::wstring folder_;
    std::wstring unixFolder_;
    bool mounted_ = false;
    bool linked_ = false;
};

// Existing files and folders made unwritable with `chattr +i` while the
// object lives, and writable again when it goes, also when the test fails.
// Needs root and a file system with the immutable attribute (ext4, xfs,
// btrfs); should the test program be killed before it undoes a lock,
// scripts/wine-env.sh undoes it at the next prepare_wine_prefix.
class WriteLock {
public:
    explicit WriteLock(std::vector<std::wstring> paths);
    ~WriteLock();
    WriteLock(const WriteLock&) = delete;
    WriteLock& operator=(const WriteLock&) = delete;

    // Whether chattr made every path unwritable.
    bool Locked() const { return locked_; }

private:
    std::vector<std::wstring> paths_;
    bool locked_ = false;
};

}  // namespace e2e
