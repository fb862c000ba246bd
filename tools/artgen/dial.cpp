#include "dial.h"

#include <algorithm>
#include <cmath>

namespace tj20::art {

Dial::Dial(const GaugeElement& needle) : pivot_(needle.at) {
    double previous = 0;
    for (std::size_t i = 0; i < needle.scale.size(); ++i) {
        const auto& m = needle.scale[i];
        const double dx = m.point.x - pivot_.x, dy = pivot_.y - m.point.y;
        double a = std::atan2(dx, dy);
        if (i > 0) {
            while (a - previous > M_PI) a -= 2 * M_PI;
            while (previous - a > M_PI) a += 2 * M_PI;
        }
        previous = a;
        values_.push_back(m.value);
        angles_.push_back(a);
        radii_.push_back(std::hypot(dx, dy));
    }
    if (values_.empty()) values_ = {0}, angles_ = {0}, radii_ = {0};
}

DialPoint Dial::at(double value) const {
    std::size_t i = 1;
    while (i + 1 < values_.size() && value > values_[i]) ++i;
    double f = 0;
    if (values_.size() > 1) {
        const double span = values_[i] - values_[i - 1];
        f = span > 0 ? std::clamp((value - values_[i - 1]) / span, 0.0, 1.0) : 1.0;
    } else {
        i = 0;
    }
    const std::size_t lo = values_.size() > 1 ? i - 1 : 0;
    DialPoint p;
    p.angle = angles_[lo] + f * (angles_[i] - angles_[lo]);
    p.radius = radii_[lo] + f * (radii_[i] - radii_[lo]);
    p.x = pivot_.x + p.radius * std::sin(p.angle);
    p.y = pivot_.y - p.radius * std::cos(p.angle);
    return p;
}

}  // namespace tj20::art
