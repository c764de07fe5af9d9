// The settings file and the builder derived from our own path: whatever the path, the
// settings file is the path's stem with ".ini", and the builder is "VKB.exe" in the path's
// directory, with double-byte characters never split.
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "History/SettingsPath.h"
#include "builder/BuilderPath.h"

namespace {

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// Single-byte code pages, by the standard library's searches.
std::string SettingsPathSingleByte(const std::string& exe) {
    const std::size_t separator = exe.find_last_of("\\:");
    const std::size_t dot = exe.rfind('.');
    if (dot != std::string::npos && (separator == std::string::npos || dot > separator)) {
        return exe.substr(0, dot) + ".ini";
    }
    return exe + ".ini";
}

std::string BuilderPathSingleByte(const std::string& exe) {
    const std::size_t separator = exe.find_last_of("\\/");
    std::size_t dirEnd = separator == std::string::npos ? 0 : separator + 1;
    if (dirEnd < 2 && exe.size() >= 2 && exe[1] == ':') {
        dirEnd = 2;
    }
    if (dirEnd == 0) {
        return "VKB.exe";
    }
    std::string dir = exe.substr(0, dirEnd);
    if (dir.back() != '\\' && dir.back() != '/') {
        dir += '\\';
    }
    return dir + "VKB.exe";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    const LeadByteTest isLead = fuzz::PickLeadByteTest(data);
    const std::string exe = data.ConsumeRemainingBytesAsString();
    const std::vector<bool> starts = fuzz::CharacterStarts(exe, isLead);
    auto separatorAt = [&](std::size_t i, const char* separators) {
        return starts[i] && std::string(separators).find(exe[i]) != std::string::npos;
    };

    const std::string settings = SettingsPathFor(exe, isLead);
    FUZZ_CHECK(EndsWith(settings, ".ini"));
    const std::string stem = settings.substr(0, settings.size() - 4);
    FUZZ_CHECK(exe.compare(0, stem.size(), stem) == 0);
    // What was cut off is the extension: from the last full stop that starts a character,
    // with no directory or drive separator after it; nothing when there is no such stop.
    const std::size_t cut = stem.size();
    FUZZ_CHECK(cut == exe.size() || (starts[cut] && exe[cut] == '.'));
    for (std::size_t i = cut + 1; i < exe.size(); ++i) {
        FUZZ_CHECK(!separatorAt(i, "\\:."));
    }
    if (cut == exe.size()) {
        for (std::size_t i = exe.size(); i-- > 0 && !separatorAt(i, "\\:");) {
            FUZZ_CHECK(!(starts[i] && exe[i] == '.'));
        }
    }

    const std::string builder = BuilderPathFor(exe, isLead);
    FUZZ_CHECK(EndsWith(builder, "VKB.exe"));
    std::string dir = builder.substr(0, builder.size() - 7);
    if (!dir.empty() && exe.compare(0, dir.size(), dir) != 0) {
        // Only a bare drive "X:" gains the backslash.
        FUZZ_CHECK(dir.size() == 3 && dir[1] == ':' && dir[2] == '\\');
        dir.pop_back();
    }
    FUZZ_CHECK(exe.compare(0, dir.size(), dir) == 0);
    // The directory is everything up to the last separator that starts a character.
    FUZZ_CHECK(dir.empty() || dir.size() == exe.size() || starts[dir.size()]);
    for (std::size_t i = dir.size(); i < exe.size(); ++i) {
        FUZZ_CHECK(!separatorAt(i, "\\/"));
    }
    if (dir.empty()) {
        FUZZ_CHECK(builder == "VKB.exe");
        FUZZ_CHECK(!(exe.size() >= 2 && starts[1] && exe[1] == ':'));
    }

    if (isLead == NoLeadBytes) {
        FUZZ_CHECK(settings == SettingsPathSingleByte(exe));
        FUZZ_CHECK(builder == BuilderPathSingleByte(exe));
    }
    return 0;
}
