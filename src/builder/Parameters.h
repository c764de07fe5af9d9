// The parameter string handed to the builder VKB.exe.
#pragma once

#include <cstdint>
#include <string>

#include "shared/CodePage.h"

// Everything the builder is told, as read from the main window.
struct BuilderInputs {
    std::string source, output, title, author, build, copyright;
    bool dev = false, mpXfer = false, isProtected = false;
    std::int32_t priority = 0;
};

// The value as one double-quoted argument that the MS C runtime and CommandLineToArgvW
// split back to exactly the value. Values without a double quote and without a trailing
// backslash come out as the plain value in quotes.
std::string QuoteArgument(const std::string& value, LeadByteTest isLead = NoLeadBytes);

// Options in the builder's fixed order; empty optional texts and priorities of 0 or less
// are left out.
std::string BuildParameters(const BuilderInputs& inputs, LeadByteTest isLead = NoLeadBytes);

// Whether the builder can be started with these parameters: the system passes at most
// 32767 characters, the terminating zero included, as the quoted path, a blank and the
// parameters. A longer line would be cut, and the builder would get other values.
bool FitsOnCommandLine(const std::string& builderPath, const std::string& parameters);
