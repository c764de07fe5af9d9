// The builder's inputs as the tests name them, and the arguments the window would read for
// them: each is put into the option of its field, so an option the tests do not name keeps
// its empty value. Shared by the native tests, the Windows tests, the fuzzers and the bench.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "builder/Parameters.h"
#include "gui/Form1Design.h"

struct BuilderInputs {
    std::string source{}, output{}, title{}, author{}, build{}, copyright{};
    bool dev = false, mpXfer = false, isProtected = false;
    std::int32_t priority = 0;
};

inline std::vector<TBuilderArgument> Arguments(const BuilderInputs& in) {
    const std::pair<ControlId, const std::string*> texts[] = {
        {idCmbSource, &in.source}, {idCmbOutput, &in.output}, {idEdtTitle, &in.title},
        {idEdtAuthor, &in.author}, {idEdtBuild, &in.build},   {idEdtCopyright, &in.copyright}};
    const std::pair<ControlId, bool> flags[] = {
        {idCbxDev, in.dev}, {idCbxMpXfer, in.mpXfer}, {idCbxProtected, in.isProtected}};
    std::vector<TBuilderArgument> arguments;
    for (const gui::TBuilderOption& option : gui::kBuilderOptions) {
        TBuilderArgument argument{option.name, option.rule, {}, false, 0};
        for (const auto& [field, text] : texts)
            if (field == option.field)
                argument.text = *text;
        for (const auto& [field, checked] : flags)
            if (field == option.field)
                argument.checked = checked;
        if (option.field == idSpnPriority)
            argument.number = in.priority;
        arguments.push_back(argument);
    }
    return arguments;
}

inline std::string BuildParameters(const BuilderInputs& in, LeadByteTest isLead = NoLeadBytes) {
    return BuildParameters(Arguments(in), isLead);
}
