#include "gui/FilterString.h"

namespace gui {

std::string FilterToDoubleZeroList(const std::string& filter, shared::LeadByteTest isLead) {
    std::string list = filter;
    list += '\0';
    // Scan the filter itself so a stray lead byte at its end cannot pair with the added zero.
    shared::ForEachCharStart(filter, isLead, [&list](std::size_t i) {
        if (list[i] == '|') {
            list[i] = '\0';
        }
    });
    return list;
}

} // namespace gui
