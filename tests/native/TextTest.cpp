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
    const std::string text(100, 'x');
    std::vector<std::size_t> sizes;
    auto copy = [&](char* buffer, std::size_t size) {
        sizes.push_back(size);
        const std::size_t n = std::min(text.size(), size - 1);
        std::memcpy(buffer, text.data(), n);
        buffer[n] = '\0';
        return n;
    };
    EXPECT_EQ(shared::ReadGrowing(16, 1024, 2, copy), text);
    EXPECT_EQ(sizes, (std::vector<std::size_t>{16, 32, 64, 128}));
    // 101 bytes hold the text and its zero, but one byte of slack says it may have been cut.
    sizes.clear();
    EXPECT_EQ(shared::ReadGrowing(101, 1024, 1, copy), text);
    EXPECT_EQ(sizes, (std::vector<std::size_t>{101, 202}));
    sizes.clear();
    EXPECT_EQ(shared::ReadGrowing(16, 64, 2, copy), std::string(63, 'x'));
    EXPECT_EQ(sizes.back(), 64u);
    EXPECT_EQ(shared::ReadGrowing(16, 64, 2, [](char*, std::size_t) { return std::size_t{0}; }),
              "");
}
