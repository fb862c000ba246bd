// Small helpers every gauge needs: saturating conversion, bounded text, tick deadlines.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <limits>

namespace tj20 {

using u32 = std::uint32_t;

// Float to integer without undefined behaviour: truncates toward zero, clamps to the
// target's range, and maps NaN to 0.
template <class Int>
constexpr Int saturate(double value) {
    if (!(value == value)) return 0;
    constexpr double lo = static_cast<double>(std::numeric_limits<Int>::min());
    constexpr double hi = static_cast<double>(std::numeric_limits<Int>::max());
    if (value <= lo) return std::numeric_limits<Int>::min();
    if (value >= hi) return std::numeric_limits<Int>::max();
    return static_cast<Int>(value);
}

// printf into a fixed buffer, never writing past capacity; the text is always terminated.
// Returns the number of characters written.
std::size_t formatText(char* buffer, std::size_t capacity, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 3, 4)))
#endif
    ;

// A timed action measured on the simulator's tick counter (18 ticks a second). It fires
// once, on the first update whose tick is at or past the deadline, then disarms; arming
// again moves it. A tick counter that steps over the deadline cannot leave it pending.
class Deadline {
public:
    // Deadline at tick + ticks, truncated to a whole tick.
    void arm(double tick, double ticks) {
        at_ = saturate<u32>(tick + ticks);
        armed_ = true;
    }
    void disarm() { armed_ = false; }
    bool armed() const { return armed_; }
    u32 at() const { return at_; }
    // True exactly once, when the deadline is reached.
    bool due(double tick) {
        if (!armed_ || tick < static_cast<double>(at_)) return false;
        armed_ = false;
        return true;
    }

private:
    u32 at_ = 0;
    bool armed_ = false;
};

// Bounded numeric step for gauge state held as plain integers or floats.
template <class T>
constexpr T stepWithin(T value, T delta, T lo, T hi) {
    const T next = value + delta;
    return next < lo ? lo : (next > hi ? hi : next);
}

}  // namespace tj20
