#include "shared/Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

// A call that copies what fits of a text and says how much it copied, as the system's do: the
// buffer grows until a copy ends short of the buffer's end by more than the slack, and stops
// growing at the limit with what fitted then.
TEST(ReadGrowing, GrowsUntilTheTextFitsAndStopsAtTheLimit) {
    struct Case {
        std::size_t first, limit, slack, length, read; // the text's length, what comes back's
        bool fills; // the call fills the whole buffer and leaves out the zero when it cuts
        std::vector<std::size_t> sizes;
    };
    const Case cases[] = {
        {16, 1024, 2, 100, 100, false, {16, 32, 64, 128}},
        // 101 bytes hold the text and its zero, but one byte of slack says it may have been cut.
        {101, 1024, 1, 100, 100, false, {101, 202}},
        {16, 64, 2, 100, 63, false, {16, 32, 64}},
        {16, 64, 2, 0, 0, false, {16}},
        // As GetModuleFileNameA on XP: the last byte stands where the zero belongs.
        {16, 64, 1, 100, 63, true, {16, 32, 64}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases); // the row
        const std::string text(c.length, 'x');
        std::vector<std::size_t> sizes;
        auto copy = [&](char* buffer, std::size_t size) {
            sizes.push_back(size);
            const std::size_t n = std::min(text.size(), c.fills ? size : size - 1);
            std::memcpy(buffer, text.data(), n);
            if (n < size)
                buffer[n] = '\0';
            return n;
        };
        EXPECT_EQ(shared::ReadGrowing(c.first, c.limit, c.slack, copy), std::string(c.read, 'x'));
        EXPECT_EQ(sizes, c.sizes);
    }
}
