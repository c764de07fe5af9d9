// The builder's parameter string: whatever bytes the fields hold, the builder splits it
// (by the Windows argv rules, re-implemented natively) into exactly our options and values,
// in order.
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "helpers/BuilderInputs.h"
#include "native/ArgvCorpus.h"
#include "native/ArgvSplit.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    BuilderInputs in;
    for (std::string* field :
         {&in.source, &in.output, &in.title, &in.author, &in.build, &in.copyright}) {
        *field = data.ConsumeRandomLengthString();
    }

    // One text in every field: what the builder must receive is written out for it.
    if (!in.source.empty()) {
        FUZZ_CHECK(argv_split::SplitArguments(BuildParameters(argv_corpus::InEveryText(
                       in.source))) == argv_corpus::EveryTextArguments(in.source));
    }
    const std::string parameters = BuildParameters(in);

    bool anyNul = false;
    for (const std::string* field :
         {&in.source, &in.output, &in.title, &in.author, &in.build, &in.copyright}) {
        const std::string quoted = builder::QuoteArgument(*field);
        FUZZ_CHECK(argv_split::SplitArguments(quoted) == std::vector<std::string>{*field});
        // Doubling the backslashes before a quote or the end is all the growth there is.
        FUZZ_CHECK(quoted.size() <= 2 * field->size() + 2);
        if (field->find('"') == std::string::npos && (field->empty() || field->back() != '\\')) {
            FUZZ_CHECK(quoted == '"' + *field + '"');
        }
        anyNul = anyNul || field->find('\0') != std::string::npos;
    }
    // The string goes to the system as a C string: a NUL of our own would cut it short.
    FUZZ_CHECK(anyNul || parameters.find('\0') == std::string::npos);
    return 0;
}
