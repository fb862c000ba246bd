// The scale of a needle laid on its face: for a value, the direction (clockwise from
// straight up, unwrapped along the table, as the host turns the needle) and the distance
// from the pivot, both interpolated between the two table entries that bracket it.
#pragma once

#include <vector>

#include "geometry.h"

namespace tj20::art {

struct DialPoint {
    double angle = 0;   // radians, clockwise from straight up
    double radius = 0;  // pixels from the pivot
    double x = 0, y = 0;
};

class Dial {
public:
    explicit Dial(const GaugeElement& needle);
    DialPoint at(double value) const;
    double first() const { return values_.front(); }
    double last() const { return values_.back(); }
    const std::vector<double>& values() const { return values_; }
    Pt pivot() const { return pivot_; }

private:
    Pt pivot_;
    std::vector<double> values_, angles_, radii_;
};

}  // namespace tj20::art
