// The message of the user error a call raises: the one helper the tests share for it.
#pragma once

#include <string>

#include "shared/Exceptions.h"

// The message of the Exception (or one derived from it) that the call raises, or "" when it
// raises none.
template <typename F> std::string ErrorOf(F call) {
    try {
        call();
    } catch (const shared::Exception& e) {
        return e.Message();
    }
    return "";
}
