#include "tj20/helpers.h"

#include <cstdio>

namespace tj20 {

std::size_t formatText(char* buffer, std::size_t capacity, const char* format, ...) {
    if (!buffer || capacity == 0) return 0;
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(buffer, capacity, format, args);
    va_end(args);
    buffer[capacity - 1] = '\0';
    if (n < 0) {
        buffer[0] = '\0';
        return 0;
    }
    return static_cast<std::size_t>(n) < capacity ? static_cast<std::size_t>(n) : capacity - 1;
}

}  // namespace tj20
