// The settings files as the program reads and saves them, against the
// system's real profile functions.

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>

#include "file_bytes.h"
#include "forms/handles.h"
#include "forms/text.h"
#include "shared/settings.h"

namespace {

using test_files::ReadBytes;
using test_files::WriteBytes;

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::optional<std::string> ReadIfThere(const std::wstring& path) {
    if (!Exists(path)) return std::nullopt;
    return ReadBytes(path);
}

const std::string kKey = test_files::kMagnificationKeyBytes;

enum class Encoding { CodePage, Utf16LittleEndian, Utf8 };

// A settings file's text in an encoding, "K" standing for the key "倍率":
// in a code page, its code-page-932 bytes among the system's code page.
std::string Encoded(const std::wstring& text, Encoding encoding) {
    std::wstring withKey = text;
    for (size_t at = withKey.find(L'K'); at != std::wstring::npos; at = withKey.find(L'K', at + 1))
        withKey.replace(at, 1, L"倍率");
    switch (encoding) {
        case Encoding::CodePage: {
            std::string bytes;
            for (const wchar_t c : text) bytes += c == L'K' ? kKey : forms::ToCodePage(std::wstring(1, c), CP_ACP);
            return bytes;
        }
        case Encoding::Utf16LittleEndian:
            return "\xFF\xFE" + std::string(reinterpret_cast<const char*>(withKey.data()), withKey.size() * 2);
        case Encoding::Utf8:
            return "\xEF\xBB\xBF" + forms::Narrow(withKey);
    }
    return {};
}

// The value as the system's own profile functions read it: in a code-page
// file the key is what its bytes say in the system's code page.
std::wstring SystemRead(const std::wstring& file, Encoding encoding) {
    const std::wstring key = encoding == Encoding::CodePage ? forms::FromCodePage(kKey, CP_ACP) : L"倍率";
    wchar_t value[256] = {};
    GetPrivateProfileStringW(L"Section", key.c_str(), L"", value, 256, file.c_str());
    return value;
}

// The settings file lives beside the program, so these tests use the test
// program's own directory and remove the file again. A per-user value would
// be read first: the user's per-user file is set aside meanwhile.
class SettingsFile : public testing::Test {
protected:
    void SetUp() override {
        perUser_.emplace(Zoomorb_B::PerUserSettingsFilePath());
        path_ = Zoomorb_B::SettingsFilePath();
        DeleteFileW(path_.c_str());
        Zoomorb_B::Magnification = 0;
    }
    void TearDown() override { DeleteFileW(path_.c_str()); }

    int32_t LoadWith(const std::string& fileBytes) {
        WriteBytes(path_, fileBytes);
        Zoomorb_B::Magnification = 0;
        Zoomorb_B::LoadSettings();
        return Zoomorb_B::Magnification;
    }

    std::optional<test_files::SetAsideFile> perUser_;
    std::wstring path_;
};

TEST_F(SettingsFile, NoFileGivesTheDefaultAndCreatesNothing) {
    Zoomorb_B::LoadSettings();
    EXPECT_EQ(Zoomorb_B::Magnification, 200);
    EXPECT_EQ(Zoomorb_B::IniKey, L"倍率");
    EXPECT_EQ(Zoomorb_B::IniValue, L"");
    EXPECT_FALSE(Exists(path_));
}

TEST_F(SettingsFile, StoredValuesAreReadAsNumbers) {
    EXPECT_EQ(LoadWith("[Section]\r\n" + kKey + "=\r\n"), 200);
    EXPECT_EQ(LoadWith("[Section]\r\n" + kKey + "= 150 \r\n"), 150);
    EXPECT_EQ(LoadWith("[Section]\r\n" + kKey + "=150.5\r\n"), 150);
    EXPECT_EQ(LoadWith("[Section]\r\n" + kKey + "=150.6\r\n"), 151);
    EXPECT_EQ(LoadWith("[Section]\r\n" + kKey + "=1000\r\n"), 1000);
    EXPECT_EQ(LoadWith("[Section]\r\n" + kKey + "= 300\r\n"), 300);
}

TEST_F(SettingsFile, UnusableValuesFallBackToTheDefault) {
    for (const char* value : {"-50", "0", "abc"}) {
        SCOPED_TRACE(value);
        EXPECT_EQ(LoadWith("[Section]\r\n" + kKey + "=" + value + "\r\n"), 200);
    }
}

// Only the settings dialog writes the per-user file, so a value there that
// the dialog could not have saved is not the user's choice: the file beside
// the program decides, read as ever.
TEST_F(SettingsFile, APerUserValueCountsOnlyWhenTheDialogCouldHaveSavedIt) {
    const struct {
        const char* perUser;
        int32_t read;
    } cases[] = {{"9999", 350}, {"abc", 350}, {"-5", 350}, {"5", 350},   {"150.5", 350}, {"1e2", 350},
                 {"+100", 350}, {"100.0", 350}, {"0100", 350}, {"050", 350}, {"10", 10},   {"500", 500},
                 {" 300", 300}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.perUser);
        const std::wstring perUser = Zoomorb_B::PerUserSettingsFilePath();
        CreateDirectoryW(perUser.substr(0, perUser.find_last_of(L'\\')).c_str(), nullptr);
        WriteBytes(perUser, "[Section]\r\n" + kKey + "=" + c.perUser + "\r\n");
        EXPECT_EQ(LoadWith("[Section]\r\n" + kKey + "=350\r\n"), c.read);
    }
}

TEST_F(SettingsFile, OtherKeysAndSectionsAreNotSeen) {
    EXPECT_EQ(LoadWith("[Other]\r\n" + kKey + "=150\r\n"), 200);
    EXPECT_EQ(LoadWith("[Section]\r\nMagnification=150\r\n"), 200);
}

TEST_F(SettingsFile, WritingReplacesOnlyOurKeyAndUsesCodePage932) {
    WriteBytes(path_, "[Other]\r\nx=1\r\n[Section]\r\nkeep=me\r\n" + kKey + "= 150\r\n");
    Zoomorb_B::WriteIniString(L"Section", L"倍率", L" 300", path_);
    const std::string bytes = ReadBytes(path_);
    EXPECT_NE(bytes.find("[Other]"), std::string::npos);
    EXPECT_NE(bytes.find("x=1"), std::string::npos);
    EXPECT_NE(bytes.find("keep=me"), std::string::npos);
    EXPECT_NE(bytes.find(kKey + "="), std::string::npos) << bytes;
    EXPECT_EQ(bytes.find("150"), std::string::npos);
    EXPECT_EQ(Zoomorb_B::ReadIniString(L"Section", L"倍率", path_), L"300");
    Zoomorb_B::LoadSettings();
    EXPECT_EQ(Zoomorb_B::Magnification, 300);
}

TEST_F(SettingsFile, WritingCreatesTheFile) {
    Zoomorb_B::WriteIniString(L"Section", L"倍率", L" 50", path_);
    const std::string bytes = ReadBytes(path_);
    EXPECT_EQ(bytes.rfind("[Section]", 0), 0u) << bytes;
    EXPECT_NE(bytes.find(kKey + "="), std::string::npos);
    Zoomorb_B::LoadSettings();
    EXPECT_EQ(Zoomorb_B::Magnification, 50);
}

TEST_F(SettingsFile, LongValuesAreCutAtTheBuffer) {
    const std::string longValue(400, '7');
    WriteBytes(path_, "[Section]\r\n" + kKey + "=" + longValue + "\r\n");
    EXPECT_EQ(Zoomorb_B::ReadIniString(L"Section", L"倍率", path_).size(), 255u);
    Zoomorb_B::LoadSettings();
    EXPECT_EQ(Zoomorb_B::Magnification, 200);  // far beyond 32 bits: not usable
}

// A save is whole or not at all. A write that reports success without
// landing (as on some network shares) does not pass for a save: the value
// goes to the per-user file. A file another program holds open, so that it
// cannot be replaced, keeps its bytes and no half-made copy is left beside
// it. A save that fails after the file beside the program was made takes
// that file away again.
TEST_F(SettingsFile, ASaveIsWholeOrUndone) {
    const std::wstring perUser = Zoomorb_B::PerUserSettingsFilePath();
    const std::string besideBytes = "[Other]\nx=1\n[Section]\n" + kKey + "=150\n";
    enum class Fault { WriteBesideClaimsSuccess, BesideHeldOpen, PerUserWriteFails, PerUserUnreadable };
    const struct {
        const char* name;
        std::optional<std::string> besideBefore;
        std::optional<std::string> perUserBefore;
        Fault fault;
        bool saved;
        std::optional<std::string> besideAfter;
        std::optional<std::string> perUserAfter;
    } cases[] = {
        {"a write beside that claims success", besideBytes, std::nullopt, Fault::WriteBesideClaimsSuccess, true,
         besideBytes, "[Section]\r\n" + kKey + "= 300\r\n"},
        {"the file beside held open", besideBytes, std::nullopt, Fault::BesideHeldOpen, true, besideBytes,
         "[Section]\r\n" + kKey + "= 300\r\n"},
        {"a per-user value that cannot go, no file beside before", std::nullopt,
         "[Section]\r\n" + kKey + "=170\r\n", Fault::PerUserWriteFails, false, std::nullopt,
         "[Section]\r\n" + kKey + "=170\r\n"},
        // Its value, which start-up would read first, may hide the one saved.
        {"a per-user file that cannot be read", besideBytes, "[Section]\r\n" + kKey + "=170\r\n",
         Fault::PerUserUnreadable, false, besideBytes, "[Section]\r\n" + kKey + "=170\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteFileW(path_.c_str());
        DeleteFileW(perUser.c_str());
        if (c.besideBefore) WriteBytes(path_, *c.besideBefore);
        if (c.perUserBefore) {
            CreateDirectoryW(perUser.substr(0, perUser.find_last_of(L'\\')).c_str(), nullptr);
            WriteBytes(perUser, *c.perUserBefore);
        }
        // Another program's handle: on the file beside the program reading
        // and writing shared, but not replacing it; on the per-user file
        // nothing shared.
        forms::UniqueKernelHandle held(
            c.fault == Fault::BesideHeldOpen ? CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                           nullptr, OPEN_EXISTING, 0, nullptr)
            : c.fault == Fault::PerUserUnreadable
                ? CreateFileW(perUser.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                : nullptr);
        ASSERT_NE(held.Get(), INVALID_HANDLE_VALUE);
        Zoomorb_B::SetSettingsWriteHook([&](const std::wstring& file, const std::function<bool()>& write) {
            if (c.fault == Fault::WriteBesideClaimsSuccess && file == path_) return true;
            if (c.fault == Fault::PerUserWriteFails && file == perUser) return false;
            return write();
        });
        const Zoomorb_B::SaveResult result = Zoomorb_B::SaveSettings(300);
        Zoomorb_B::SetSettingsWriteHook({});
        EXPECT_EQ(result.saved, c.saved);
        EXPECT_TRUE(result.filesUnchanged);
        EXPECT_EQ(ReadIfThere(path_).value_or("(no file)"), c.besideAfter.value_or("(no file)"));
        held.Reset();
        EXPECT_EQ(ReadIfThere(perUser).value_or("(no file)"), c.perUserAfter.value_or("(no file)"));
        EXPECT_FALSE(Exists(path_ + L".new"));
    }
}

// Settings files as editors and other programs leave them: in the system's
// code page, in UTF-16 (little-endian, with a byte-order mark: the profile
// functions' own Unicode form) or in UTF-8 with a signature, each with its
// key in that encoding, and with lines that end in CR LF, LF or CR alone.
// Our reader, which opens the file by its Unicode name, reads what the
// system's functions read; a save changes the value's text alone, in the
// file's encoding and with its line ends, and the system's functions read
// the new value from it.
TEST(SettingsFileByUnicodeName, ReadsWhatTheProfileFunctionsReadAndKeepsTheEncoding) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"zoomorb-Łódź-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring file = folder + L"\\settings.ini";
    const struct {
        const char* name;
        Encoding encoding;
        // Null: no file. In the text, "K" stands for the key.
        const wchar_t* before;
        const wchar_t* read;
        // After writing 300.
        const wchar_t* after;
    } cases[] = {
        {"no file", Encoding::CodePage, nullptr, L"", L"[Section]\r\nK=300\r\n"},
        {"among other sections", Encoding::CodePage, L"[Other]\r\nx=1\r\n[Section]\r\nkeep=me\r\nK=350\r\n[Last]\r\ny=2\r\n",
         L"350", L"[Other]\r\nx=1\r\n[Section]\r\nkeep=me\r\nK=300\r\n[Last]\r\ny=2\r\n"},
        {"LF", Encoding::CodePage, L"[Section]\nK=350\n", L"350", L"[Section]\nK=300\n"},
        {"CR", Encoding::CodePage, L"[Section]\rK=350\r[Last]\ry=2\r", L"350", L"[Section]\rK=300\r[Last]\ry=2\r"},
        {"mixed line ends", Encoding::CodePage, L"[Section]\r\nK=350\n[Last]\r\ny=2\r\n", L"350",
         L"[Section]\r\nK=300\n[Last]\r\ny=2\r\n"},
        {"CR, the key added", Encoding::CodePage, L"[section]\rkeep=me", L"", L"[section]\rkeep=me\rK=300\r"},
        {"blanks and double quotes", Encoding::CodePage, L"[section]\r\nK = \"350\" \r\n", L"350",
         L"[section]\r\nK=300\r\n"},
        {"single quotes", Encoding::CodePage, L"[Section]\r\nK='350'\r\n", L"350", L"[Section]\r\nK=300\r\n"},
        {"UTF-16", Encoding::Utf16LittleEndian, L"[Other]\r\nx=1\r\n[Section]\r\nK=350\r\n", L"350",
         L"[Other]\r\nx=1\r\n[Section]\r\nK=300\r\n"},
        {"UTF-16, CR, the section added", Encoding::Utf16LittleEndian, L"[Other]\rx=1", L"",
         L"[Other]\rx=1\r[Section]\rK=300\r"},
        {"UTF-8", Encoding::Utf8, L"[Section]\r\nK=350\r\n[Other]\r\nx=1\r\n", L"350",
         L"[Section]\r\nK=300\r\n[Other]\r\nx=1\r\n"},
        {"UTF-8, LF, single quotes", Encoding::Utf8, L"[Section]\nK='350'\n", L"350", L"[Section]\nK=300\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteFileW(file.c_str());
        if (c.before) WriteBytes(file, Encoded(c.before, c.encoding));
        EXPECT_EQ(Zoomorb_B::ReadIniString(L"Section", L"倍率", file), c.read);
        EXPECT_EQ(SystemRead(file, c.encoding), c.read);
        EXPECT_TRUE(Zoomorb_B::WriteIniString(L"Section", L"倍率", L"300", file));
        EXPECT_EQ(ReadBytes(file), Encoded(c.after, c.encoding));
        EXPECT_EQ(SystemRead(file, c.encoding), L"300");
    }
    DeleteFileW(file.c_str());
    RemoveDirectoryW(folder.c_str());
}

}  // namespace
