// The settings file through the system's real profile functions.

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>

#include "file_bytes.h"
#include "shared/settings.h"

namespace {

using test_files::ReadBytes;
using test_files::WriteBytes;

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

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

}  // namespace
