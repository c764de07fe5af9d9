// The first opening of each picker, each in a start of its own.
#include <stdexcept>

#include "Driver.h"
#include "gui/ControlIds.h"
#include "helpers/WinDrive.h"

namespace driver {

namespace {

enum class Picker { folder, save };

// One program and one of its pickers; the buttons carry the same ids in every program.
struct PickerCase {
    Program program;
    Picker picker;
    Samples opened;
};

// Each picker leaves its mark: the browser its folder tree, the save dialog its name field.
bool IsPicker(HWND dialog, Picker picker) {
    if (picker == Picker::folder)
        return FindWindowExA(dialog, nullptr, "SysTreeView32", nullptr) != nullptr;
    return windrive::FileNameField(dialog) != nullptr;
}

// Starts the program afresh, clicks the picker's button once it is shown and idle, and times
// until a visible dialog of that process is there; then cancels it and closes the program.
void TimeOnePicker(PickerCase& c, bool record) {
    TempDir dir;
    const std::string exe = dir / BaseName(c.program.exe);
    CopyInto(c.program.exe, exe);
    Sleep(kSettleMs);
    Process process(exe, dir.Path());
    HWND button = ControlOf(process.WaitForWindow(c.program.windowClass.c_str()),
                            c.picker == Picker::folder ? gui::idBtnBrowseSrc : gui::idBtnBrowseOut);
    // The start's own tail (first paint, the window manager) stays out of what is timed.
    Sleep(kSettleMs);
    HWND dialog = nullptr;
    const double clicked = NowMs();
    PostMessageA(button, BM_CLICK, 0, 0);
    if (!WaitUntil([&] {
            return (dialog = windrive::FindTopLevelWindow(process.Pid(), "#32770")) != nullptr;
        }))
        Fail(c.program.label + ": no dialog opened");
    const double openedAt = NowMs();
    if (!WaitUntil([&] { return IsPicker(dialog, c.picker); }))
        throw std::runtime_error(c.program.label + ": the dialog that opened is not the picker");
    windrive::Press(dialog, IDCANCEL);
    if (!WaitUntil([&] { return !IsWindow(dialog); }))
        throw std::runtime_error(c.program.label + ": the picker did not close on Cancel");
    if (DWORD code = process.Close())
        throw std::runtime_error(c.program.label + ": exit code " + std::to_string(code));
    if (record)
        c.opened.Add(openedAt - clicked);
}

} // namespace

// Every program opens each picker once per round, each time in a start of its own; the same
// picker of all programs side by side, the order turning each round.
int Pickers(int reps, const std::vector<std::string>& programArgs) {
    std::vector<PickerCase> cases;
    for (Picker picker : {Picker::folder, Picker::save})
        for (const std::string& arg : programArgs)
            cases.push_back({ParseProgram(arg), picker, {}});
    constexpr int kWarmUp = 2;
    for (int rep = 0; rep < kWarmUp + reps; ++rep) {
        for (size_t i = 0; i < cases.size(); ++i)
            TimeOnePicker(cases[(i + static_cast<size_t>(rep)) % cases.size()], rep >= kWarmUp);
        Progress("\rpickers: round %d/%d", rep + 1, kWarmUp + reps);
    }
    Progress("\n");
    for (const PickerCase& c : cases)
        c.opened.Report("pickers." + c.program.label +
                        (c.picker == Picker::folder ? ".folder_ms" : ".save_ms"));
    return 0;
}

} // namespace driver
