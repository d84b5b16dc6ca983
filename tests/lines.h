#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

// The lines of text, each ended by `ending`; text after the last line end fails the test.
inline std::vector<std::string> SplitLines(std::string_view text, std::string_view ending)
{
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t end; (end = text.find(ending, from)) != std::string_view::npos; from = end + ending.size())
        lines.emplace_back(text.substr(from, end - from));
    EXPECT_EQ(from, text.size()) << "text after the last line end";
    return lines;
}
