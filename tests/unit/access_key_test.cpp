#include <gtest/gtest.h>

#include "forms/core/access_key.h"

namespace {

// The key a caption marks and the name it gives assistive technology: the
// words as shown, without the mark, and without a parenthesised key.
TEST(AccessKey, MarkedLetterAndSpokenName) {
    const struct {
        const wchar_t* caption;
        wchar_t key;
        const wchar_t* name;
    } cases[] = {
        {L"&Magnification", L'M', L"Magnification"},
        {L"倍率(&M)", L'M', L"倍率"},
        {L"Zoom (&z)", L'Z', L"Zoom"},
        {L"Fish && &Chips", L'C', L"Fish & Chips"},
        {L"R&&D", 0, L"R&D"},
        {L"No key", 0, L"No key"},
        {L"Trailing&", 0, L"Trailing&"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.caption)));
        EXPECT_EQ(forms::AccessKeyOf(c.caption), c.key);
        EXPECT_EQ(forms::WithoutAccessKey(c.caption), c.name);
    }
}

}  // namespace
