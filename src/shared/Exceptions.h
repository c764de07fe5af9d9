// The program's error classes. Every failure is an exception carrying a message text;
// the application frame shows whatever escapes an event handler.
#pragma once

#include <exception>
#include <string>
#include <utility>

namespace shared {

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}

    const std::string& Message() const { return message_; }
    const char* what() const noexcept override { return message_.c_str(); }
    virtual const char* ClassName() const { return "Exception"; }

private:
    std::string message_;
};

// An abort that is reported nowhere.
class EAbort : public Exception {
public:
    EAbort() : Exception("Operation aborted") {}
    const char* ClassName() const override { return "EAbort"; }
};

class EIniFileException : public Exception {
public:
    using Exception::Exception;
    const char* ClassName() const override { return "EIniFileException"; }
};

class EOutOfResources : public Exception {
public:
    using Exception::Exception;
    const char* ClassName() const override { return "EOutOfResources"; }
};

// Runs every step, also those after one that failed, then raises the first failure again:
// one step's failure must not cost the others their work, and the user hears of it once.
template <typename... Steps> void RunEach(Steps&&... steps) {
    std::exception_ptr first;
    auto run = [&first](const auto& step) {
        try {
            step();
        } catch (...) {
            if (!first)
                first = std::current_exception();
        }
    };
    (run(steps), ...);
    if (first)
        std::rethrow_exception(first);
}

} // namespace shared
