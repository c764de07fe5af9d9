#include "gui/FilterString.h"

std::string FilterToDoubleZeroList(const std::string& filter, LeadByteTest isLead) {
    std::string list = filter;
    list += '\0';
    // Scan the filter itself so a stray lead byte at its end cannot pair with the added zero.
    ForEachCharStart(filter, isLead, [&list](std::size_t i) {
        if (list[i] == '|') {
            list[i] = '\0';
        }
    });
    return list;
}
