#include "BadInput.h"

namespace badinput {

namespace {

// Wine drops a message to another process whose text is much over 256 KB (the sender just
// waits), so longer texts go in as slices of this size.
constexpr size_t kSlice = 256 * 1024;

// Sends with a long timeout: a megabyte of text takes the edit control a while to lay out.
constexpr DWORD kSlowSendMs = 60000;
LRESULT SendSlow(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return windrive::Send(hwnd, msg, wp, lp, kSlowSendMs);
}

// The edit field a control's text lives in: the combo boxes keep theirs in a child.
HWND EditOf(HWND control) {
    char cls[32] = {};
    GetClassNameA(control, cls, sizeof cls);
    return lstrcmpiA(cls, "ComboBox") == 0 ? FindWindowExA(control, nullptr, "Edit", nullptr)
                                           : control;
}

} // namespace

void PutText(HWND control, const std::string& text) {
    if (text.size() <= kSlice) {
        SendSlow(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        return;
    }
    HWND edit = EditOf(control);
    ASSERT_NE(edit, nullptr);
    SendSlow(edit, EM_SETLIMITTEXT, 0, 0);
    SendSlow(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    for (size_t at = 0; at < text.size(); at += kSlice) {
        const std::string slice = text.substr(at, kSlice);
        SendSlow(edit, EM_SETSEL, at, static_cast<LPARAM>(at));
        SendSlow(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(slice.c_str()));
    }
}

std::string TextOf(HWND control) {
    return GetText(control, kSlowSendMs);
}

std::string Repeated(const std::string& unit, size_t size) {
    std::string s;
    s.reserve(size + unit.size());
    while (s.size() < size)
        s += unit;
    s.resize(size);
    return s;
}

BadInput::Outcome BadInput::PressCreate(AppProcess& p) {
    const size_t records = ReadRecording(app_.Path()).size();
    const std::set<DWORD> running = winproc::ChildProcessIds(p.Pid());
    Outcome out;
    {
        ButtonPress press(p.Control(gui::idBtnCreate));
        WaitUntil([&] { return press.Done() || FindDialog(OfProcess(p.Pid())) || !p.Running(); });
        if (FindDialog(OfProcess(p.Pid())))
            if (const auto box = AnswerDialog(OfProcess(p.Pid())))
                out.box = box->text;
        if (!Alive(p))
            return out;
        EXPECT_TRUE(press.WaitDone()) << "the click did not end after its box";
        EXPECT_EQ(FindDialog(OfProcess(p.Pid())), nullptr) << "a second box";
    }
    // A builder that the click started is our child by now, or has ended after writing
    // its record: once none of them runs, the log holds all they wrote.
    EXPECT_TRUE(WaitUntil([&] {
        for (DWORD child : winproc::ChildProcessIds(p.Pid()))
            if (running.count(child) == 0)
                return false;
        return true;
    })) << "a builder did not end";
    const std::vector<Recording> log = ReadRecording(app_.Path());
    for (size_t i = records; i < log.size(); ++i)
        out.started.push_back(log[i].cmdline);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(p.MainWindow()) != FALSE; }))
        << "the window stays disabled after the box";
    return out;
}

// A settings file that cannot be written: the box on close, a clean exit, and the file as
// it was, its other sections, comments and blank lines included. `lock` makes the file
// unwritable once the lists are loaded (reading must not be what fails) and returns what
// holds it so; false when this system cannot make it so.
void BadInput::ExpectUnwritableFileKept(const std::function<bool(UniqueHandle&)>& lock) {
    const std::string before = "; kept by hand\r\n"
                               "[other]\r\n"
                               "key=value \"quoted\" 100%s\r\n"
                               "\r\n"
                               "[source]\r\n"
                               "0=C:\\old\r\n"
                               "[out]\r\n"
                               "0=old.vkpak\r\n"
                               "[tail]\r\n"
                               "x=1\r\n";
    WriteFileText(SettingsPath(), before);
    auto p = Start();
    ExpectLists(*p, {"C:\\old"}, {"old.vkpak"}, "as loaded");
    UniqueHandle held;
    if (!lock(held)) {
        EXPECT_EQ(p->CloseAndWait(), 0u);
        SetFileAttributesA(SettingsPath().c_str(), FILE_ATTRIBUTE_NORMAL);
        GTEST_SKIP() << "this system lets the program write the file anyway";
    }
    Fill(*p, {Folder("new"), "new.vkpak"});
    ASSERT_TRUE(Create(*p).has_value());

    p->Close();
    auto box = AnswerDialog(OfProcess(p->Pid()));
    ASSERT_TRUE(box.has_value()) << "no box on close";
    EXPECT_EQ(box->text, "Unable to write to " + SettingsPath() + ".");
    EXPECT_EQ(box->caption, "Veskmaker");
    EXPECT_EQ(p->WaitForExit(), 0u);

    held.Reset();
    SetFileAttributesA(SettingsPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadFileText(SettingsPath()), before);
}

} // namespace badinput
