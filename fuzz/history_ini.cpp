// The recent-entry lists over arbitrary settings: any key/value set, any sequence of adds,
// loads, saves and maximum changes, with reads and writes failing on request. The list
// never holds more than MaxItems entries or an empty one, follows a plain model of the
// rules, notifies exactly when promised, and a save loads back to the same list.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "History/History.h"
#include "History/CustomIniFile.h"
#include "shared/SameText.h"
#include "shared/Exceptions.h"

namespace {

using Entries = std::vector<std::string>;

// Settings in memory. Sections and keys match regardless of letter case and the first of
// repeated keys wins, as in the system's settings files.
class MemoryIni : public History::TCustomIniFile {
public:
    MemoryIni() : History::TCustomIniFile("C:\\Tools\\Veskmaker.ini") {}

    struct Line {
        std::string section, key, value;
    };

    const Line* Find(const std::string& section, const std::string& key) const {
        for (const Line& line : lines) {
            if (shared::SameText(line.section, section) && shared::SameText(line.key, key)) {
                return &line;
            }
        }
        return nullptr;
    }

    std::string ReadValue(const std::string& section, const std::string& key,
                          const std::string& defaultValue) override {
        if (failReadKey && key == *failReadKey) {
            throw shared::EIniFileException("read failed");
        }
        const Line* line = Find(section, key);
        return line != nullptr ? line->value : defaultValue;
    }

    void WriteValue(const std::string& section, const std::string& key,
                    const std::string& value) override {
        if (writesBeforeFailure > 0 && --writesBeforeFailure == 0) {
            throw shared::EIniFileException("Unable to write to " + FileName());
        }
        Line* line = const_cast<Line*>(Find(section, key));
        if (line != nullptr) {
            line->value = value;
        } else {
            lines.push_back(Line{section, key, value});
        }
    }

    void RemoveSection(const std::string& section) override {
        lines.erase(
            std::remove_if(lines.begin(), lines.end(),
                           [&](const Line& l) { return shared::SameText(l.section, section); }),
            lines.end());
    }

    void Flush() override {}

    std::vector<Line> lines;
    std::optional<std::string> failReadKey;
    int writesBeforeFailure = 0; // 0: writes never fail
};

Entries EntriesOf(const History::THistory& h) {
    Entries out;
    for (int i = 0; i < h.Count(); ++i) {
        out.push_back(h.Item(i));
    }
    return out;
}

std::size_t Limit(int maxItems) {
    return maxItems > 0 ? static_cast<std::size_t>(maxItems) : 0;
}

std::string PickSection(FuzzedDataProvider& data) {
    switch (data.ConsumeIntegralInRange<int>(0, 3)) {
    case 0:
        return "source";
    case 1:
        return "out";
    case 2:
        return "SOURCE";
    default:
        return data.ConsumeRandomLengthString(16);
    }
}

std::string PickKey(FuzzedDataProvider& data) {
    switch (data.ConsumeIntegralInRange<int>(0, 3)) {
    case 0:
    case 1:
        return std::to_string(data.ConsumeIntegralInRange<int>(0, 41));
    case 2:
        return data.ConsumeBool() ? "00" : " 1";
    default:
        return data.ConsumeRandomLengthString(8);
    }
}

std::string FlipCase(std::string s) {
    for (char& c : s) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 32);
        } else if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c + 32);
        }
    }
    return s;
}

// A missing settings object or section name is refused before anything is touched.
bool RefusedArguments(History::THistory& history, History::TCustomIniFile* ini,
                      const std::string& section, bool save) {
    const std::string expected = ini == nullptr ? "IniFile not assigned" : "Section is not set!";
    try {
        if (save) {
            history.SaveToIni(ini, section);
        } else {
            history.LoadFromIni(ini, section);
        }
    } catch (const shared::Exception& e) {
        return e.Message() == expected;
    }
    return false;
}

// The rules as plainly as they can be put.
struct Model {
    Entries items;
    int maxItems = 5;
    bool placeFirst = true;

    void Add(const std::string& text) {
        if (text.empty()) {
            return;
        }
        auto found = std::find_if(items.begin(), items.end(),
                                  [&](const std::string& e) { return shared::SameText(e, text); });
        if (found == items.end()) {
            items.insert(items.begin(), text);
            items.resize(std::min(items.size(), Limit(maxItems)));
        } else if (placeFirst) {
            std::rotate(items.begin(), found, found + 1);
        }
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    MemoryIni ini;
    for (int n = data.ConsumeIntegralInRange<int>(0, 40); n > 0; --n) {
        const std::string section = PickSection(data);
        const std::string key = PickKey(data);
        ini.lines.push_back(MemoryIni::Line{section, key, data.ConsumeRandomLengthString(64)});
    }

    History::THistory history;
    Model model;
    int changes = 0;
    history.SetOnChange([&](History::THistory& sender) {
        ++changes;
        FUZZ_CHECK(&sender == &history);
        FUZZ_CHECK(static_cast<std::size_t>(sender.Count()) <= Limit(sender.MaxItems()));
    });
    bool onlyAdded = true; // loads may bring in entries equal but for letter case

    for (int op = 0; op < 200 && data.remaining_bytes() > 0; ++op) {
        changes = 0;
        switch (data.ConsumeIntegralInRange<int>(0, 7)) {
        case 0:
        case 1: {
            std::string text = data.ConsumeRandomLengthString(40);
            if (data.ConsumeBool() && !model.items.empty()) {
                text = FlipCase(model.items[text.size() % model.items.size()]);
            }
            history.Add(text);
            model.Add(text);
            FUZZ_CHECK(changes == (text.empty() ? 0 : 1));
            break;
        }
        case 2: {
            const std::string section = PickSection(data);
            if (section.empty() || data.ConsumeIntegralInRange<int>(0, 15) == 0) {
                FUZZ_CHECK(
                    RefusedArguments(history, section.empty() ? &ini : nullptr, section, false));
                FUZZ_CHECK(changes == 0);
                break;
            }
            if (data.ConsumeBool()) {
                ini.failReadKey = std::to_string(data.ConsumeIntegralInRange<int>(0, 12));
            }
            bool threw = false;
            try {
                history.LoadFromIni(&ini, section);
            } catch (const shared::EIniFileException&) {
                threw = true;
            }
            model.items.clear();
            bool failed = false;
            for (int i = 0; i < model.maxItems && !failed; ++i) {
                failed = ini.failReadKey && *ini.failReadKey == std::to_string(i);
                const MemoryIni::Line* line = ini.Find(section, std::to_string(i));
                if (!failed && line != nullptr && !line->value.empty()) {
                    model.items.push_back(line->value);
                }
            }
            FUZZ_CHECK(threw == failed);
            FUZZ_CHECK(changes == 1);
            ini.failReadKey.reset();
            onlyAdded = false;
            break;
        }
        case 3: {
            const std::string section = PickSection(data);
            if (section.empty() || data.ConsumeIntegralInRange<int>(0, 15) == 0) {
                FUZZ_CHECK(
                    RefusedArguments(history, section.empty() ? &ini : nullptr, section, true));
                FUZZ_CHECK(changes == 0);
                break;
            }
            ini.writesBeforeFailure = data.ConsumeIntegralInRange<int>(0, 12);
            const bool canFail = ini.writesBeforeFailure > 0 &&
                                 ini.writesBeforeFailure <= static_cast<int>(model.items.size());
            bool threw = false;
            try {
                history.SaveToIni(&ini, section);
            } catch (const shared::EIniFileException&) {
                threw = true;
            }
            ini.writesBeforeFailure = 0;
            FUZZ_CHECK(threw == canFail);
            FUZZ_CHECK(changes == 0);
            if (threw) {
                break;
            }
            // Exactly the keys "0" to Count-1 are left in the section.
            std::size_t keys = 0;
            for (const MemoryIni::Line& line : ini.lines) {
                keys += shared::SameText(line.section, section) ? 1 : 0;
            }
            FUZZ_CHECK(keys == model.items.size());
            History::THistory back;
            back.SetMaxItems(model.maxItems);
            back.LoadFromIni(&ini, section);
            FUZZ_CHECK(EntriesOf(back) == model.items);
            break;
        }
        case 4: {
            const int maxItems = data.ConsumeIntegralInRange<int>(-2, 40);
            const bool drops = model.items.size() > Limit(maxItems);
            history.SetMaxItems(maxItems);
            model.items.resize(std::min(model.items.size(), Limit(maxItems)));
            model.maxItems = maxItems;
            FUZZ_CHECK(changes == (drops ? 1 : 0));
            FUZZ_CHECK(history.MaxItems() == maxItems);
            break;
        }
        case 5:
            model.placeFirst = data.ConsumeBool();
            history.SetIfExistsPlaceFirst(model.placeFirst);
            break;
        case 6: {
            const int index = data.ConsumeBool()
                                  ? history.Count() + data.ConsumeIntegralInRange<int>(0, 2)
                                  : data.ConsumeIntegralInRange<int>(INT32_MIN, -1);
            std::string message;
            try {
                history.Item(index);
            } catch (const shared::Exception& e) {
                message = e.Message();
            }
            FUZZ_CHECK(message == "Index out of bounds (" + std::to_string(index) + ")");
            break;
        }
        default: {
            const std::string section = PickSection(data);
            if (data.ConsumeBool()) {
                ini.RemoveSection(section);
            } else {
                const std::string key = PickKey(data);
                ini.WriteValue(section, key, data.ConsumeRandomLengthString(64));
            }
            break;
        }
        }

        const Entries entries = EntriesOf(history);
        FUZZ_CHECK(entries == model.items);
        FUZZ_CHECK(entries.size() <= Limit(history.MaxItems()));
        for (std::size_t i = 0; i < entries.size(); ++i) {
            FUZZ_CHECK(!entries[i].empty());
            for (std::size_t j = i + 1; onlyAdded && j < entries.size(); ++j) {
                FUZZ_CHECK(!shared::SameText(entries[i], entries[j]));
            }
        }
    }
    return 0;
}
