// The settings dialog in-process: its words in each UI language, what
// Form_Load shows for a stored value, the scroll bar's steps and Change
// events, what OK writes, the gradient in the picture box's persistent
// image, the dialog's place and size, a layout where nothing overlaps, what
// assistive technology is told, and its colours in a high-contrast theme.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <iterator>
#include <optional>
#include <thread>
#include <vector>

#include "annotation_store.h"
#include "file_bytes.h"
#include "forms/handles.h"
#include "forms/high_contrast.h"
#include "forms/program.h"
#include "forms/screen.h"
#include "forms/text.h"
#include "settings_dialog/zoomorb_p.h"
#include "shared/settings.h"
#include "shared/window_utilities.h"

namespace zoomorb::settings_dialog {
namespace {

using test_files::ReadBytes;
using test_files::WriteBytes;

const std::string kKey = test_files::kMagnificationKeyBytes;
constexpr LANGID kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
constexpr LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

class SettingsDialogTest : public testing::Test {
protected:
    void SetUp() override {
        perUser_.emplace(Zoomorb_B::PerUserSettingsFilePath());
        path_ = Zoomorb_B::SettingsFilePath();
        DeleteFileW(path_.c_str());
        Zoomorb_B::Magnification = 200;
        Zoomorb_B::UnreadableSettingsFile.clear();
    }
    void TearDown() override {
        forms::SetHighContrastHook({});
        DeleteFileW(path_.c_str());
    }

    void Scroll(Zoomorb_P& dialog, WORD code, WORD position = 0) {
        SendMessageW(dialog.Pic_C.Hwnd(), WM_HSCROLL, MAKEWPARAM(code, position),
                     reinterpret_cast<LPARAM>(dialog.Bairitu.Hwnd()));
    }

    std::optional<test_files::SetAsideFile> perUser_;
    std::wstring path_;
};

// The rows of a button's face that its caption's ink reaches, as the
// button draws itself into a picture (its frame and focus mark left out).
int CaptionInkRows(HWND button) {
    RECT area{};
    GetClientRect(button, &area);
    forms::UniqueMemoryDc memory(CreateCompatibleDC(nullptr));
    BITMAPINFO format{};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), area.right, -area.bottom, 1, 32, BI_RGB};
    void* bits = nullptr;
    forms::UniqueBitmap picture(CreateDIBSection(memory.Get(), &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    forms::SelectionScope selected(memory.Get(), picture.Get());
    SendMessageW(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.Get()), PRF_CLIENT);
    const COLORREF ink = GetSysColor(COLOR_BTNTEXT);
    int top = area.bottom, bottom = -1;
    for (int y = 4; y < area.bottom - 4; ++y) {
        for (int x = 4; x < area.right - 4; ++x) {
            if (GetPixel(memory.Get(), x, y) != ink) continue;
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    return bottom < top ? 0 : bottom - top + 1;
}

// Listens, as a screen reader does, for the system's news that the value
// of a window's own accessible object changed.
class ValueChanges {
public:
    ValueChanges()
        : hook_(SetWinEventHook(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr, &Heard,
                                GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT)) {
        s_windows = &windows_;
    }
    ~ValueChanges() {
        UnhookWinEvent(hook_);
        s_windows = nullptr;
    }
    ValueChanges(const ValueChanges&) = delete;
    ValueChanges& operator=(const ValueChanges&) = delete;

    // How often `window` was named since the last call, once the news
    // waiting for this thread has been taken.
    int TakeFor(HWND window) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        const int count = static_cast<int>(std::count(windows_.begin(), windows_.end(), window));
        windows_.clear();
        return count;
    }

private:
    static void CALLBACK Heard(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
        if (s_windows && object == OBJID_CLIENT && child == CHILDID_SELF) s_windows->push_back(window);
    }
    static inline std::vector<HWND>* s_windows = nullptr;
    HWINEVENTHOOK hook_;
    std::vector<HWND> windows_;
};

// The words come from the string table of the user's UI language: Japanese,
// or English for every other language. The caption, which a second start
// looks for, and the credit line stay as they are.
TEST_F(SettingsDialogTest, TheWordsFollowTheUserInterfaceLanguage) {
    const struct {
        LANGID uiLanguage;
        const wchar_t* magnification;
        const wchar_t* escNote;
        const wchar_t* value;
    } cases[] = {
        {kJapanese, L"倍率(&M)", L"注 ： セーバーの終了はESCキーのみ", L"200％"},
        {kEnglish, L"&Magnification", L"Note: only the Esc key ends the saver", L"200%"},
        {MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), L"&Magnification", L"Note: only the Esc key ends the saver",
         L"200%"},
        {MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), L"&Magnification",
         L"Note: only the Esc key ends the saver", L"200%"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.uiLanguage);
        Zoomorb_P dialog(c.uiLanguage);
        dialog.Load();
        EXPECT_EQ(dialog.lbl0.Caption(), c.magnification);
        EXPECT_EQ(dialog.Label1.Caption(), c.escNote);
        EXPECT_EQ(dialog.lbl_Bairitu.Caption(), c.value);
        EXPECT_EQ(dialog.Cmd_End.Caption(), L"OK");
        EXPECT_EQ(dialog.lbl9.Caption(), L"Designed by Quorvat Ver.1.1.0");
        EXPECT_EQ(dialog.Caption(), L"Zoomorb Saver");
        dialog.Unload();
    }
}

// In every language the labels lie inside the picture box and clear of each
// other and of the controls, at whatever DPI this runs (the end-to-end tests
// run it again at 144 and 192), and the value label's font draws its percent
// sign: a font without it shows an empty box.
TEST_F(SettingsDialogTest, NothingOverlapsAndThePercentSignHasAGlyph) {
    for (const LANGID language : {kJapanese, kEnglish}) {
        SCOPED_TRACE(language);
        Zoomorb_P dialog(language);
        dialog.Load();
        dialog.Bairitu.SetValue(500);
        const RECT box{0, 0, static_cast<LONG>(dialog.Pic_C.ScaleWidth()),
                       static_cast<LONG>(dialog.Pic_C.ScaleHeight())};
        const struct {
            const char* name;
            RECT area;
        } parts[] = {
            {"the magnification's caption", dialog.lbl0.PixelRect()}, {"the credit line", dialog.lbl9.PixelRect()},
            {"the value", dialog.lbl_Bairitu.PixelRect()},           {"the note", dialog.Label1.PixelRect()},
            {"the link", dialog.lbl_URL.PixelRect()},                {"the picture", dialog.Picture1.PixelRect()},
            {"the scroll bar", dialog.Bairitu.PixelRect()},          {"the button", dialog.Cmd_End.PixelRect()},
        };
        for (auto part = std::begin(parts); part != std::end(parts); ++part) {
            if (IsRectEmpty(&part->area)) continue;
            RECT inside{};
            IntersectRect(&inside, &part->area, &box);
            EXPECT_TRUE(EqualRect(&inside, &part->area)) << part->name << " reaches beyond the picture box";
            for (auto other = part + 1; other != std::end(parts); ++other) {
                RECT overlap{};
                if (IntersectRect(&overlap, &part->area, &other->area))
                    ADD_FAILURE() << part->name << " overlaps " << other->name;
            }
        }
        forms::WindowDc screen(nullptr);
        forms::SelectionScope font(screen.Get(), dialog.lbl_Bairitu.Font());
        const std::wstring& value = dialog.lbl_Bairitu.Caption();
        WORD glyph = 0;
        ASSERT_EQ(GetGlyphIndicesW(screen.Get(), &value.back(), 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS), 1u);
        EXPECT_NE(glyph, 0xFFFF) << "no glyph for the percent sign of " << forms::Narrow(value);
        dialog.Unload();
    }
}

TEST_F(SettingsDialogTest, LoadShowsTheStoredMagnificationOrTheDefault) {
    const struct {
        int32_t stored;
        int16_t shown;
        const wchar_t* label;
    } cases[] = {{150, 150, L"150％"}, {500, 500, L"500％"}, {750, 200, L"200％"},
                 {5, 200, L"200％"},   {100000, 200, L"200％"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        Zoomorb_B::Magnification = c.stored;
        Zoomorb_P dialog(kJapanese);
        dialog.Load();
        EXPECT_EQ(dialog.Bairitu.Value(), c.shown);
        EXPECT_EQ(GetScrollPos(dialog.Bairitu.Hwnd(), SB_CTL), c.shown);
        EXPECT_EQ(dialog.lbl_Bairitu.Caption(), c.label);
    }
}

TEST_F(SettingsDialogTest, TheLabelFollowsEveryStepButNotADraggedThumb) {
    Zoomorb_P dialog(kJapanese);
    dialog.Load();
    Scroll(dialog, SB_LINERIGHT);
    EXPECT_EQ(dialog.lbl_Bairitu.Caption(), L"210％");
    Scroll(dialog, SB_PAGELEFT);
    EXPECT_EQ(dialog.lbl_Bairitu.Caption(), L"160％");
    Scroll(dialog, SB_THUMBTRACK, 300);
    EXPECT_EQ(dialog.Bairitu.Value(), 160);
    EXPECT_EQ(dialog.lbl_Bairitu.Caption(), L"160％");
    Scroll(dialog, SB_THUMBPOSITION, 300);
    Scroll(dialog, SB_ENDSCROLL);
    EXPECT_EQ(dialog.lbl_Bairitu.Caption(), L"300％");
    EXPECT_EQ(GetScrollPos(dialog.Bairitu.Hwnd(), SB_CTL), 300);
    // Steps stop at the ends; the magnification never reaches 0.
    Scroll(dialog, SB_LEFT);
    Scroll(dialog, SB_LINELEFT);
    EXPECT_EQ(dialog.Bairitu.Value(), 10);
    Scroll(dialog, SB_RIGHT);
    Scroll(dialog, SB_PAGERIGHT);
    EXPECT_EQ(dialog.Bairitu.Value(), 500);
    EXPECT_EQ(dialog.lbl_Bairitu.Caption(), L"500％");
}

TEST_F(SettingsDialogTest, OkWritesTheValueUnderTheCodePage932KeyAndEnds) {
    WriteBytes(path_, "[Other]\r\nkeep=1\r\n[Section]\r\nmine=yes\r\n" + kKey + "=150\r\n");
    Zoomorb_P dialog(kJapanese);
    dialog.Load();
    dialog.Bairitu.SetValue(50);
    EXPECT_EQ(dialog.lbl_Bairitu.Caption(), L"50％");
    dialog.Cmd_End.Press();
    EXPECT_FALSE(dialog.IsLoaded());
    EXPECT_EQ(forms::RequestedExitCode(), 0) << "OK did not end the program";
    EXPECT_EQ(Zoomorb_B::IniKey, L"倍率");
    EXPECT_EQ(Zoomorb_B::IniValue, L" 50");
    EXPECT_EQ(Zoomorb_B::ReadIniString(L"Section", L"倍率", path_), L"50");
    const std::string bytes = ReadBytes(path_);
    EXPECT_NE(bytes.find(kKey + "= 50\r\n"), std::string::npos) << bytes;
    EXPECT_EQ(bytes.find("=150"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("[Other]\r\nkeep=1\r\n"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("mine=yes\r\n"), std::string::npos) << bytes;
}

// The text of the message box that `action` shows on this thread, closed
// with OK as soon as it is read; empty when none shows within 10 s.
std::wstring TextOfMessageBoxDuring(const std::function<void()>& action) {
    std::wstring text;
    std::thread reader([&] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
            const HWND box = FindWindowW(L"#32770", L"Zoomorb");
            DWORD owner = 0;
            if (box && GetWindowThreadProcessId(box, &owner) && owner == GetCurrentProcessId()) {
                for (HWND child = FindWindowExW(box, nullptr, L"Static", nullptr); child;
                     child = FindWindowExW(box, child, L"Static", nullptr)) {
                    wchar_t part[512] = {};
                    GetWindowTextW(child, part, 512);
                    text += part;
                }
                PostMessageW(box, WM_COMMAND, IDOK, 0);
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    });
    action();
    reader.join();
    return text;
}

// A save that no file takes is said, in the user's language, with the file
// it was meant for; the dialog stays open with the choice still in it.
TEST_F(SettingsDialogTest, AFailedSaveIsSaidInTheUsersLanguageAndTheDialogStays) {
    Zoomorb_B::SetSettingsWriteHook([](const std::wstring&, const std::function<bool()>&) {
        return false;  // no file takes it
    });
    Zoomorb_P dialog(kJapanese);
    dialog.Load();
    dialog.Bairitu.SetValue(300);
    const std::wstring text = TextOfMessageBoxDuring([&] { dialog.Cmd_End.Press(); });
    Zoomorb_B::SetSettingsWriteHook({});
    EXPECT_EQ(text.rfind(L"設定を次のファイルに保存できませんでした", 0), 0u) << forms::Narrow(text);
    EXPECT_NE(text.find(Zoomorb_B::PerUserSettingsFilePath()), std::wstring::npos) << forms::Narrow(text);
    EXPECT_NE(text.find(L"設定は変更されていません"), std::wstring::npos) << forms::Narrow(text);
    EXPECT_TRUE(dialog.IsLoaded());
    EXPECT_EQ(dialog.Bairitu.Value(), 300);
    EXPECT_EQ(GetFileAttributesW(path_.c_str()), INVALID_FILE_ATTRIBUTES);
    dialog.Unload();
}

TEST_F(SettingsDialogTest, ClosingTheWindowSavesNothing) {
    Zoomorb_P dialog;
    dialog.Show();
    dialog.Bairitu.SetValue(50);
    SendMessageW(dialog.Hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(dialog.IsLoaded());
    EXPECT_EQ(GetFileAttributesW(path_.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(SettingsDialogTest, TheGradientFillsThePictureBoxRowByRow) {
    Zoomorb_P dialog;
    dialog.Show();
    ASSERT_EQ(dialog.Pic_C.ScaleHeight(), 208);
    const struct {
        int row;
        COLORREF colour;
    } rows[] = {{0, RGB(0, 0, 30)},        {1, RGB(3, 3, 33)},       {50, RGB(151, 151, 181)},
                {103, RGB(220, 220, 250)}, {104, RGB(220, 220, 250)}, {105, RGB(220, 220, 250)},
                {150, RGB(169, 169, 199)}, {207, RGB(3, 3, 33)}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.row);
        EXPECT_EQ(GetPixel(dialog.Pic_C.hDC(), 0, r.row), r.colour);
        EXPECT_EQ(GetPixel(dialog.Pic_C.hDC(), 377, r.row), r.colour);
    }
}

TEST_F(SettingsDialogTest, TheDialogIsCentredAtItsLoadedSize) {
    Zoomorb_P dialog;
    dialog.Load();
    RECT outer{};
    GetWindowRect(dialog.Hwnd(), &outer);
    EXPECT_EQ(outer.right - outer.left, 386);
    EXPECT_EQ(outer.bottom - outer.top, 235);
    EXPECT_NEAR(outer.left, (forms::ScreenWidthPixels() - 386) / 2, 1);
    EXPECT_NEAR(outer.top, (forms::ScreenHeightPixels() - 235) / 2, 1);
    RECT picture{};
    GetWindowRect(dialog.Picture1.Hwnd(), &picture);
    EXPECT_EQ(picture.right - picture.left, 124);
    EXPECT_EQ(picture.bottom - picture.top, 132);
}

TEST_F(SettingsDialogTest, TheAnimationsStartAndEndWhereTheMouseWasAtLoad) {
    SetCursorPos(500, 300);
    Zoomorb_P dialog;
    dialog.Load();
    EXPECT_EQ(Zoomorb_B::AnimOriginX, 500);
    EXPECT_EQ(Zoomorb_B::AnimOriginY, 300);
}

// The pointer a control shows, as the system asks for it when the mouse is
// over the control.
HCURSOR PointerOver(HWND control) {
    RECT area{};
    GetWindowRect(control, &area);
    SetCursorPos((area.left + area.right) / 2, (area.top + area.bottom) / 2);
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    SendMessageW(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
}

TEST_F(SettingsDialogTest, TheButtonAndTheScrollBarShowTheHand) {
    Zoomorb_P dialog;
    dialog.Show();
    const HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
    EXPECT_EQ(PointerOver(dialog.Cmd_End.Hwnd()), hand);
    EXPECT_EQ(PointerOver(dialog.Bairitu.Hwnd()), hand);
    EXPECT_NE(PointerOver(dialog.Picture1.Hwnd()), hand);
}

// The keys go where they went before another window took them, a message
// box or another program: the dialog has the focus back on its control.
TEST_F(SettingsDialogTest, TheFocusComesBackToItsControl) {
    Zoomorb_P dialog;
    dialog.Show();
    EXPECT_EQ(GetFocus(), dialog.Bairitu.Hwnd()) << "the scroll bar has not the focus at open";
    SetFocus(dialog.Cmd_End.Hwnd());
    forms::UniqueWindow other(CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                              nullptr, nullptr, nullptr));
    SetActiveWindow(other.Get());
    ASSERT_NE(GetFocus(), dialog.Cmd_End.Hwnd());
    SetActiveWindow(dialog.Hwnd());
    EXPECT_EQ(GetFocus(), dialog.Cmd_End.Hwnd());
}

// The labels are drawn, so what they say reaches a screen reader through
// the windows they belong to: the scroll bar is named by its label, without
// the access key, and valued by the shown percentage, kept current, and
// listeners are told when that value changes; the dialog is described by
// the note. All of it goes with the dialog.
TEST_F(SettingsDialogTest, AssistiveTechnologyIsToldWhatTheLabelsSay) {
    test_accessibility::AnnotationStore annotations;
    const struct {
        LANGID uiLanguage;
        const wchar_t* name;
        const wchar_t* value;
        const wchar_t* valueAfterAStep;
        const wchar_t* description;
    } cases[] = {
        {kJapanese, L"倍率", L"200％", L"210％", L"注 ： セーバーの終了はESCキーのみ"},
        {kEnglish, L"Magnification", L"200%", L"210%", L"Note: only the Esc key ends the saver"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.uiLanguage);
        {
            Zoomorb_P dialog(c.uiLanguage);
            dialog.Load();
            const HWND bar = dialog.Bairitu.Hwnd();
            EXPECT_EQ(annotations.Text(bar, PROPID_ACC_NAME), c.name);
            EXPECT_EQ(annotations.Text(bar, PROPID_ACC_VALUE), c.value);
            ValueChanges changes;
            Scroll(dialog, SB_LINERIGHT);
            EXPECT_EQ(annotations.Text(bar, PROPID_ACC_VALUE), c.valueAfterAStep);
            EXPECT_EQ(changes.TakeFor(bar), 1) << "listeners were not told of the new value";
            EXPECT_EQ(annotations.Text(dialog.Hwnd(), PROPID_ACC_DESCRIPTION), c.description);
            EXPECT_EQ(annotations.Number(dialog.Hwnd(), PROPID_ACC_ROLE), ROLE_SYSTEM_DIALOG);
            // Unloaded in one case: its windows go, the object stays.
            if (c.uiLanguage == kJapanese) {
                dialog.Unload();
                EXPECT_EQ(annotations.Count(), 0u) << "annotations outlive the dialog's windows";
            }
        }
        EXPECT_EQ(annotations.Count(), 0u) << "annotations outlive the dialog";
    }
}

// In a high-contrast theme the texts take the theme's text colour over its
// window colour, at open and whenever the theme is switched while the
// dialog is open; where high contrast is available but off, as it usually
// is, the dialog keeps its own colours. Wine cannot switch the theme: the
// test answers the system call for it, filling the structure as Windows
// does, and once leaves the answer to Wine, which has no high contrast.
TEST_F(SettingsDialogTest, HighContrastDrawsInTheThemesColours) {
    constexpr DWORD kAvailable =
        HCF_AVAILABLE | HCF_HOTKEYACTIVE | HCF_CONFIRMHOTKEY | HCF_HOTKEYSOUND | HCF_INDICATOR | HCF_HOTKEYAVAILABLE;
    DWORD flags = kAvailable | HCF_HIGHCONTRASTON;
    const auto windowsAnswer = [&flags](UINT action, UINT size, void* data, UINT) -> BOOL {
        auto* state = static_cast<HIGHCONTRASTW*>(data);
        if (action != SPI_GETHIGHCONTRAST || size != sizeof *state || state->cbSize != sizeof *state) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        static wchar_t scheme[] = L"High Contrast Black";
        state->dwFlags = flags;
        state->lpszDefaultScheme = scheme;
        return TRUE;
    };
    forms::SetHighContrastHook(windowsAnswer);
    Zoomorb_P dialog(kEnglish);
    dialog.Show();
    const struct {
        const forms::Label& label;
        COLORREF design;
    } labels[] = {{dialog.lbl9, RGB(255, 255, 255)},
                  {dialog.lbl0, RGB(0, 0, 0)},
                  {dialog.lbl_Bairitu, RGB(0, 0, 0)},
                  {dialog.Label1, GetSysColor(COLOR_BTNTEXT)},
                  {dialog.lbl_URL, RGB(255, 255, 255)}};
    const struct {
        const char* name;
        UINT message;
        WPARAM wParam;
        std::optional<DWORD> flags;  // none: the system's own answer
        bool on;
    } steps[] = {{"opened in high contrast", 0, 0, kAvailable | HCF_HIGHCONTRASTON, true},
                 {"colours changed, high contrast available but off", WM_SYSCOLORCHANGE, 0, kAvailable, false},
                 {"high contrast switched on", WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, kAvailable | HCF_HIGHCONTRASTON,
                  true},
                 {"the system's own answer", WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, std::nullopt, false}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        if (step.flags)
            flags = *step.flags;
        else
            forms::SetHighContrastHook({});
        if (step.message) SendMessageW(dialog.Hwnd(), step.message, step.wParam, 0);
        for (const auto& l : labels)
            EXPECT_EQ(l.label.ForeColor(), step.on ? GetSysColor(COLOR_WINDOWTEXT) : l.design)
                << forms::Narrow(l.label.Caption());
        EXPECT_EQ(dialog.Cmd_End.BackColor(), step.on ? GetSysColor(COLOR_BTNFACE) : RGB(192, 192, 192));
        EXPECT_EQ(GetPixel(dialog.Pic_C.hDC(), 0, 0), step.on ? GetSysColor(COLOR_WINDOW) : RGB(0, 0, 30));
        EXPECT_EQ(GetPixel(dialog.Pic_C.hDC(), 0, 104), step.on ? GetSysColor(COLOR_WINDOW) : RGB(220, 220, 250));
    }
}

TEST_F(SettingsDialogTest, LabelsSizeThemselvesToTheirText) {
    Zoomorb_P dialog(kJapanese);
    const RECT percent = dialog.lbl_Bairitu.PixelRect();
    dialog.lbl_Bairitu.SetCaption(L"100000％");
    const RECT wider = dialog.lbl_Bairitu.PixelRect();
    EXPECT_GT(wider.right, percent.right);
    EXPECT_EQ(wider.left, percent.left);
    EXPECT_EQ(wider.bottom - wider.top, percent.bottom - percent.top);
}

// Moved onto a monitor of another scale: the dialog takes the rectangle the
// system suggests and lays out its controls, picture and fonts (the OK
// button's caption too) at the new DPI; back on the first monitor it is as
// it was.
TEST_F(SettingsDialogTest, ADpiChangeLaysTheDialogOutAnewInTheSuggestedRectangle) {
    Zoomorb_P dialog(kEnglish);
    dialog.Load();
    const auto sizeOf = [](HWND window) {
        RECT area{};
        GetWindowRect(window, &area);
        return SIZE{area.right - area.left, area.bottom - area.top};
    };
    const auto clientOf = [](HWND window) {
        RECT area{};
        GetClientRect(window, &area);
        return SIZE{area.right, area.bottom};
    };
    const SIZE picture96 = clientOf(dialog.Picture1.Hwnd());
    const LONG labelHeight96 = dialog.lbl0.PixelRect().bottom - dialog.lbl0.PixelRect().top;
    const int captionRows96 = CaptionInkRows(dialog.Cmd_End.Hwnd());
    ASSERT_GT(captionRows96, 0) << "the OK button drew no caption";
    const struct {
        WORD dpi;
        RECT suggested;
        SIZE background, bar, ok;
        int pictureTimes2;  // the picture's client size at this DPI, as twice the 96-DPI one times DPI / 96
    } cases[] = {
        {144, {100, 80, 100 + 579, 80 + 352}, {567, 312}, {170, 26}, {116, 32}, 3},
        {192, {50, 40, 50 + 768, 40 + 456}, {756, 416}, {226, 34}, {154, 42}, 4},
        {96, {200, 150, 200 + 386, 150 + 235}, {378, 208}, {113, 17}, {77, 21}, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dpi);
        SendMessageW(dialog.Hwnd(), WM_DPICHANGED, MAKEWPARAM(c.dpi, c.dpi), reinterpret_cast<LPARAM>(&c.suggested));
        RECT outer{};
        GetWindowRect(dialog.Hwnd(), &outer);
        EXPECT_TRUE(EqualRect(&outer, &c.suggested));
        const SIZE background = clientOf(dialog.Pic_C.Hwnd()), bar = sizeOf(dialog.Bairitu.Hwnd()),
                   ok = sizeOf(dialog.Cmd_End.Hwnd()), picture = clientOf(dialog.Picture1.Hwnd());
        EXPECT_EQ(background.cx, c.background.cx);
        EXPECT_EQ(background.cy, c.background.cy);
        EXPECT_EQ(bar.cx, c.bar.cx);
        EXPECT_EQ(bar.cy, c.bar.cy);
        EXPECT_EQ(ok.cx, c.ok.cx);
        EXPECT_EQ(ok.cy, c.ok.cy);
        EXPECT_EQ(picture.cx * 2, picture96.cx * c.pictureTimes2);
        EXPECT_EQ(picture.cy * 2, picture96.cy * c.pictureTimes2);
        // The labels' fonts grow with the DPI.
        const LONG labelHeight = dialog.lbl0.PixelRect().bottom - dialog.lbl0.PixelRect().top;
        EXPECT_NEAR(labelHeight * 2, labelHeight96 * c.pictureTimes2, 4);
        // So does the OK button's caption, which the button draws itself.
        EXPECT_NEAR(CaptionInkRows(dialog.Cmd_End.Hwnd()) * 2, captionRows96 * c.pictureTimes2, 4);
    }
    dialog.Unload();
}

}  // namespace
}  // namespace zoomorb::settings_dialog
