// Settings held in memory, with every call written down and failures on request: the
// settings file of the native tests.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "History/CustomIniFile.h"
#include "shared/Exceptions.h"

using Keys = std::map<std::string, std::string>;

// Settings held in memory, with every call written down and failures on request.
class MemoryIni : public History::TCustomIniFile {
public:
    MemoryIni() : History::TCustomIniFile("C:\\Apps\\front.ini") {}

    std::string ReadValue(const std::string& section, const std::string& key,
                          const std::string& defaultValue) override {
        calls.push_back("read " + section + " " + key + " default=" + defaultValue);
        if (key == failReadKey)
            throw shared::Exception("read failed");
        auto s = sections.find(section);
        if (s == sections.end())
            return defaultValue;
        auto k = s->second.find(key);
        return k == s->second.end() ? defaultValue : k->second;
    }

    void WriteValue(const std::string& section, const std::string& key,
                    const std::string& value) override {
        if (key == failWriteKey)
            throw shared::EIniFileException("Unable to write to " + FileName());
        calls.push_back("write " + section + " " + key + "=" + value);
        sections[section][key] = value;
    }

    void RemoveSection(const std::string& section) override {
        if (failRemove || section == failSection)
            throw shared::EIniFileException("Unable to write to " + FileName());
        calls.push_back("remove " + section);
        sections.erase(section);
    }

    void Flush() override { calls.push_back("flush"); }

    std::map<std::string, Keys> sections;
    std::vector<std::string> calls;
    std::string failReadKey, failWriteKey;
    bool failRemove = false;
    std::string failSection;
};
