// What a path names: its folder, its file name and that name's parts. One set of rules for
// every use, so the builder, the settings file, the title and the error box's caption always
// agree on where the program lies and what it is called. Windows-free; texts are in the ANSI
// code page, and a trail byte that looks like '\\', '/', ':' or '.' is never taken for one.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "shared/CodePage.h"

namespace shared {

// The folder part: up to and including the last '\\' or '/', or the drive "X:" of a
// drive-relative name; "" for a name without a folder. A colon after that starts a stream name.
std::string FolderOf(const std::string& path, LeadByteTest isLead = NoLeadBytes);
// The file name after the folder, without a stream name (the ":alt" of "V.exe:alt").
std::string FileNameOf(const std::string& path, LeadByteTest isLead = NoLeadBytes);
// A file name up to its last full stop: "a.b.exe" gives "a.b"; the whole name when it has none.
std::string BaseNameOf(const std::string& name, LeadByteTest isLead = NoLeadBytes);
// A file name up to its first full stop: "a.b.exe" gives "a".
std::string StemOf(const std::string& name, LeadByteTest isLead = NoLeadBytes);

// How the ANSI calls reach a file whose full path the code page may not hold, and the files
// named after it beside it.
struct TReachablePath {
    std::string path; // "" where the file cannot be reached
    // Its path has characters that the code page lacks, and the system keeps no short name.
    bool beyondCodePage = false;
};
// exactPath: the full path where the code page holds every character of it; exactName: its
// file name alone, likewise; shortPath: the system's short form of the full path, where it has
// one that the code page holds. The exact path where there is one; else the short path with
// the file's own name kept where that is exact, so that the files named after it keep their
// names; else none.
TReachablePath ReachablePath(const std::optional<std::string>& exactPath,
                             const std::optional<std::string>& exactName,
                             const std::optional<std::string>& shortPath,
                             LeadByteTest isLead = NoLeadBytes);

} // namespace shared
