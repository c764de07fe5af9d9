#include "History/History.h"

#include "History/CustomIniFile.h"
#include "shared/Exceptions.h"

namespace History {

namespace {

void CheckArguments(const TCustomIniFile* ini, const std::string& section) {
    if (ini == nullptr) {
        throw shared::Exception("IniFile not assigned");
    }
    if (section.empty()) {
        throw shared::Exception("Section is not set!");
    }
}

} // namespace

void THistory::LoadFromIni(TCustomIniFile* ini, const std::string& section) {
    CheckArguments(ini, section);
    try {
        items_.clear();
        for (int i = 0; i < maxItems_; ++i) {
            std::string value = ini->ReadValue(section, std::to_string(i), std::string());
            if (!value.empty()) {
                items_.push_back(std::move(value));
            }
        }
    } catch (...) {
        // The combo box must show what did load, so the notification comes first.
        Change();
        throw;
    }
    Change();
}

void THistory::SaveToIni(TCustomIniFile* ini, const std::string& section) {
    CheckArguments(ini, section);
    ini->RemoveSection(section);
    const int count = Count();
    for (int i = 0; i < count; ++i) {
        ini->WriteValue(section, std::to_string(i), items_[static_cast<std::size_t>(i)]);
    }
}

} // namespace History
