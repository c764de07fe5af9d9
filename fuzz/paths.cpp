// The settings file and the builder derived from our own path: whatever the path, both lie in
// one folder, the path's own, or neither is named at all; the settings file is the file name's
// base with ".ini", and double-byte characters are never split.
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "History/SettingsPath.h"
#include "builder/BuilderPath.h"
#include "shared/Path.h"

namespace {

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// Single-byte code pages, by the standard library's searches.
std::string FolderSingleByte(const std::string& exe) {
    const std::size_t separator = exe.find_last_of("\\/");
    std::size_t end = separator == std::string::npos ? 0 : separator + 1;
    if (end < 2 && exe.size() >= 2 && exe[1] == ':')
        end = 2;
    return exe.substr(0, end);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    const shared::LeadByteTest isLead = fuzz::PickLeadByteTest(data);
    const std::string exe = data.ConsumeRemainingBytesAsString();
    const std::vector<bool> starts = fuzz::CharacterStarts(exe, isLead);

    const std::string folder = shared::FolderOf(exe, isLead);
    const std::string name = shared::FileNameOf(exe, isLead);
    // The folder is a head of the path that ends between characters; the name follows it, up
    // to a stream's colon, and holds no separator that starts a character.
    FUZZ_CHECK(exe.compare(0, folder.size(), folder) == 0);
    FUZZ_CHECK(folder.size() == exe.size() || starts[folder.size()]);
    FUZZ_CHECK(exe.compare(folder.size(), name.size(), name) == 0);
    for (std::size_t i = folder.size(); i < folder.size() + name.size(); ++i)
        FUZZ_CHECK(!(starts[i] && (exe[i] == '\\' || exe[i] == '/' || exe[i] == ':')));

    const std::string settings = History::SettingsPathFor(exe, isLead);
    const std::string builder = builder::BuilderPathFor(exe, isLead);
    FUZZ_CHECK(folder.empty() == settings.empty() && folder.empty() == builder.empty());
    if (!folder.empty()) {
        FUZZ_CHECK(settings.compare(0, folder.size(), folder) == 0 && EndsWith(settings, ".ini"));
        FUZZ_CHECK(settings.substr(folder.size(), settings.size() - folder.size() - 4) ==
                   shared::BaseNameOf(name, isLead));
        FUZZ_CHECK(builder.compare(0, folder.size(), folder) == 0 && EndsWith(builder, "VKB.exe"));
        FUZZ_CHECK(builder.size() - folder.size() - 7 <= 1);
    }
    if (isLead == shared::NoLeadBytes)
        FUZZ_CHECK(folder == FolderSingleByte(exe));
    return 0;
}
