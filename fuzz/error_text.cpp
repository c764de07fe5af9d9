// The texts of the error boxes: the full stop rule on any message and code page, and the
// generic box's fixed layout whatever the class name, module name and message hold.
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "app/ErrorText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    const shared::LeadByteTest isLead = fuzz::PickLeadByteTest(data);
    const auto address = data.ConsumeIntegral<std::uintptr_t>();
    const std::string className = data.ConsumeRandomLengthString(64);
    const std::string module = data.ConsumeRandomLengthString(300);
    const std::string message = data.ConsumeRemainingBytesAsString();

    // At most one full stop, after a last character whose (lead) byte is above the stop.
    const std::string box = app::ErrorBoxText(message, isLead);
    bool wantStop = false;
    if (!message.empty()) {
        const std::vector<bool> starts = fuzz::CharacterStarts(message, isLead);
        std::size_t last = message.size() - 1;
        while (!starts[last]) {
            --last;
        }
        wantStop = static_cast<unsigned char>(message[last]) > static_cast<unsigned char>('.');
    }
    FUZZ_CHECK(box == (wantStop ? message + "." : message));

    // Any address, as a crash report might carry: it is only printed, never followed.
    const auto* where = reinterpret_cast<const void*>(address); // NOLINT(performance-no-int-to-ptr)
    const std::string generic = app::GenericErrorText(className, module, where, message);
    const std::string head = "Exception " + className + " in module " + module + " at ";
    FUZZ_CHECK(generic.compare(0, head.size(), head) == 0);
    const std::size_t digits = 2 * sizeof(void*);
    FUZZ_CHECK(generic.size() >= head.size() + digits + 3);
    std::uintptr_t shown = 0;
    for (std::size_t i = head.size(); i < head.size() + digits; ++i) {
        const char c = generic[i];
        FUZZ_CHECK((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'));
        shown = shown * 16 + static_cast<std::uintptr_t>(c <= '9' ? c - '0' : c - 'A' + 10);
    }
    FUZZ_CHECK(shown == address);
    const bool stop = !message.empty() && message.back() != '.';
    FUZZ_CHECK(generic.substr(head.size() + digits) ==
               ".\r\n" + message + (stop ? "." : "") + "\r\n");

    // Any class name: read without overrunning it, and never read into nothing.
    const std::string readable = app::ReadableTypeName(className);
    FUZZ_CHECK(readable == className || !readable.empty());
    return 0;
}
