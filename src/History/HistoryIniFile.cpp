// The history's persistence through a settings file of its own (Windows only).
#include "History/History.h"
#include "History/IniFile.h"

namespace History {

void THistory::LoadFromIniFile(const std::string& path, const std::string& section) {
    // Released, and so flushed, on every path out, the error paths included.
    TIniFile ini(path);
    LoadFromIni(&ini, section);
}

void THistory::SaveToIniFile(const std::string& path, const std::string& section) {
    TIniFile ini(path);
    SaveToIni(&ini, section);
}

} // namespace History
