// The settings file through the system's real profile functions, and by its
// Unicode name where they cannot name it.

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>

#include "file_bytes.h"
#include "shared/profile_file.h"
#include "shared/settings.h"

namespace {

using test_files::ReadBytes;
using test_files::WriteBytes;

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ToAnsi(const std::wstring& path) {
    std::string ansi(path.size() * 2 + 1, '\0');
    ansi.resize(static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, ansi.data(),
                                                        static_cast<int>(ansi.size()), nullptr, nullptr)) - 1);
    return ansi;
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

const std::string kKey = test_files::kMagnificationKeyBytes;

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
    } cases[] = {{"9999", 350}, {"abc", 350}, {"-5", 350}, {"5", 350}, {"150.5", 350},
                 {"10", 10},    {"500", 500}, {" 300", 300}};
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

// Some systems report a write as done that never reached the file; only
// reading it back tells. Such a write beside the program must not pass for
// a save: the value goes to the per-user file instead.
TEST_F(SettingsFile, ASaveCountsOnlyWhatReadsBack) {
    WriteBytes(path_, "[Section]\r\n" + kKey + "=150\r\n");
    Zoomorb_B::SetSettingsWriteHook([&](const std::wstring& file, const std::function<bool()>& write) {
        return file == path_ || write();
    });
    const Zoomorb_B::SaveResult result = Zoomorb_B::SaveSettings(300);
    Zoomorb_B::SetSettingsWriteHook({});
    EXPECT_TRUE(result.saved);
    EXPECT_EQ(result.file, Zoomorb_B::PerUserSettingsFilePath());
    Zoomorb_B::LoadSettings();
    EXPECT_EQ(Zoomorb_B::Magnification, 300);
}

// Where neither a path nor its short form can be spelled in the system's
// code page, the file is read and written by its Unicode name: in the very
// bytes the profile functions read and write for a file they can name.
// (Wine's functions also drop blank lines from the whole file; the
// system's, like ours, leave every other line as it was.)
TEST(SettingsFileByUnicodeName, ReadsAndWritesAsTheProfileFunctionsDo) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring process = std::to_wstring(GetCurrentProcessId());
    const std::wstring folder = std::wstring(temp) + L"zoomorb-Łódź-" + process;
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring byName = folder + L"\\by-name.ini";
    const std::wstring byProfile = std::wstring(temp) + L"zoomorb-profile-" + process + L".ini";
    const std::string other = "[Other]\r\nx=1\r\n";
    const std::string section = "[Section]\r\nkeep=me\r\n" + kKey + "=150\r\n";
    const struct {
        const char* name;
        std::optional<std::string> before;
        std::optional<std::string> value;
    } cases[] = {
        {"no file", std::nullopt, "300"},
        {"no file, removing", std::nullopt, std::nullopt},
        {"another section", other, "300"},
        {"the key among others", other + section + "[Last]\r\ny=2\r\n", "300"},
        {"the key removed", other + section + "[Last]\r\ny=2\r\n", std::nullopt},
        {"the section without the key", "[Section]\r\nkeep=me\r\n[Last]\r\ny=2\r\n", "300"},
        {"no line break at the end", "[Section]\r\nkeep=me", "300"},
        {"blanks and quotes", "[section]\r\n" + kKey + " = \"150\" \r\n", "300"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const std::wstring& file : {byName, byProfile}) {
            DeleteFileW(file.c_str());
            if (c.before) WriteBytes(file, *c.before);
        }
        char buffer[256] = {};
        GetPrivateProfileStringA("Section", kKey.c_str(), "", buffer, sizeof buffer, ToAnsi(byProfile).c_str());
        EXPECT_EQ(Zoomorb_B::ReadProfileValue(byName, "Section", kKey), buffer);
        WritePrivateProfileStringA("Section", kKey.c_str(), c.value ? c.value->c_str() : nullptr,
                                   ToAnsi(byProfile).c_str());
        EXPECT_TRUE(Zoomorb_B::WriteProfileValue(byName, "Section", kKey, c.value));
        EXPECT_EQ(Exists(byName), Exists(byProfile));
        EXPECT_EQ(ReadBytes(byName), ReadBytes(byProfile));
    }
    for (const std::wstring& file : {byName, byProfile}) DeleteFileW(file.c_str());
    RemoveDirectoryW(folder.c_str());
}

}  // namespace
