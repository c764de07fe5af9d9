// What a path names: its folder, its file name and that name's parts. One set of rules for
// every use, so the builder, the settings file, the title and the error box's caption always
// agree on where the program lies and what it is called. Windows-free; texts are in the ANSI
// code page, and a trail byte that looks like '\\', '/', ':' or '.' is never taken for one.
#pragma once

#include <cstddef>
#include <string>

#include "shared/CodePage.h"

// The folder part: up to and including the last '\\' or '/', or the drive "X:" of a
// drive-relative name; "" for a name without a folder. A colon after that starts a stream name.
std::string FolderOf(const std::string& path, LeadByteTest isLead = NoLeadBytes);
// The file name after the folder, without a stream name (the ":alt" of "V.exe:alt").
std::string FileNameOf(const std::string& path, LeadByteTest isLead = NoLeadBytes);
// A file name up to its last full stop: "a.b.exe" gives "a.b"; the whole name when it has none.
std::string BaseNameOf(const std::string& name, LeadByteTest isLead = NoLeadBytes);
// A file name up to its first full stop: "a.b.exe" gives "a".
std::string StemOf(const std::string& name, LeadByteTest isLead = NoLeadBytes);
