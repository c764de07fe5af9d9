// The builder's inputs as the tests name them, and the arguments the window would read for
// them: the two paths and one option for each row of the design with a switch, in their
// order, so an input the tests do not name keeps its empty value. Shared by the native tests,
// the Windows tests, the fuzzers and the bench.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "builder/Parameters.h"
#include "gui/Form1Design.h"

struct BuilderInputs {
    std::string source{}, output{}, title{}, author{}, build{}, copyright{};
    bool dev = false, mpXfer = false, isProtected = false;
    std::int32_t priority = 0;
};

inline builder::TBuilderArguments Arguments(const BuilderInputs& in) {
    const std::array<std::pair<gui::ControlId, const std::string*>, 6> texts{
        {{gui::idCmbSource, &in.source},
         {gui::idCmbOutput, &in.output},
         {gui::idEdtTitle, &in.title},
         {gui::idEdtAuthor, &in.author},
         {gui::idEdtBuild, &in.build},
         {gui::idEdtCopyright, &in.copyright}}};
    const std::array<std::pair<gui::ControlId, bool>, 3> flags{
        {{gui::idCbxDev, in.dev},
         {gui::idCbxMpXfer, in.mpXfer},
         {gui::idCbxProtected, in.isProtected}}};
    builder::TBuilderArguments arguments = gui::EmptyArguments();
    auto fill = [&](builder::TBuilderArgument& argument) {
        for (const auto& [field, text] : texts)
            if (field == argument.field)
                argument.text = *text;
        for (const auto& [field, checked] : flags)
            if (field == argument.field)
                argument.checked = checked;
        if (argument.field == gui::idSpnPriority)
            argument.number = in.priority;
    };
    fill(arguments.source);
    fill(arguments.output);
    for (builder::TBuilderArgument& option : arguments.options)
        fill(option);
    return arguments;
}

inline std::string BuildParameters(const BuilderInputs& in,
                                   shared::LeadByteTest isLead = shared::NoLeadBytes) {
    return BuildParameters(Arguments(in), isLead);
}

// Every byte from 128 to 255, in order: a text that tries the code page's whole upper half.
inline std::string AllHighBytes() {
    std::string high;
    for (int c = 128; c <= 255; ++c)
        high += static_cast<char>(c);
    return high;
}
