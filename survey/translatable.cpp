#include "survey/translatable.h"

#include <vector>

std::string as_written(const char* polish)
{
    return polish;
}

std::string fill(const std::string& pattern, std::initializer_list<std::string> values)
{
    const std::vector<std::string> given(values);
    std::string text;
    for (std::size_t index = 0; index < pattern.size(); ++index) {
        const char character = pattern[index];
        if (character == '%' && index + 1 < pattern.size() && pattern[index + 1] >= '1' && pattern[index + 1] <= '9') {
            const std::size_t number = static_cast<std::size_t>(pattern[index + 1] - '1');
            if (number < given.size()) {
                text += given[number];
                ++index;
                continue;
            }
        }
        text += character;
    }
    return text;
}
