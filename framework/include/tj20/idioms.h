// The idioms the gauges share: following the overhead panel lighting, the flash of a warning
// light, a latch that fires once on a rising condition, and a panel switch that keeps a
// simulator toggle in step.
#pragma once

#include "tj20/elements.h"
#include "tj20/helpers.h"
#include "tj20/keys.h"
#include "tj20/shared_var.h"

namespace tj20 {

// The overhead panel lighting as a gauge sees it: a copy of the lighting switch ("ohpanel")
// taken at every update. The gauge's lettering overlay shows the copy and is always drawn lit;
// its needles and drums are drawn lit while the copy is 1.
class PanelLighting {
public:
    constexpr explicit PanelLighting(const Bound& ohpanel) : ohpanel_(&ohpanel) {}
    void follow() { copy_ = ohpanel_->get(); }
    u32 get() const { return copy_; }
    // The overlay icon: image 0 without lettering, 1 with it.
    constexpr Element overlay(abi::u32 bitmap, Point at = {}) const {
        return icon(bitmap, at, 2, Source(&copy_)).alwaysLit();
    }
    // Lit while the panel lighting is on.
    constexpr Cond lit() const { return Cond::cellEquals(&copy_, 1); }

private:
    const Bound* ohpanel_;
    u32 copy_ = 0;
};

// The flash of a warning light on the simulator's tick counter (18 ticks a second): lit for
// the first `litTicks` of every `periodTicks`.
constexpr bool flashLit(double tick, u32 litTicks = 9, u32 periodTicks = 18) {
    return saturate<u32>(tick) % periodTicks < litTicks;
}

// Fires once when its condition rises, then holds until released, so an action (a sound, a
// key event) happens once per occurrence however long the condition lasts.
class Latch {
public:
    // True on the call where the condition holds while the latch is open; the latch closes.
    bool rises(bool condition) {
        if (!condition || closed_) return false;
        closed_ = true;
        return true;
    }
    void release() { closed_ = false; }
    bool closed() const { return closed_; }

private:
    bool closed_ = false;
};

// A panel switch that mirrors a simulator toggle (battery, lights): the toggle event goes
// out only while the simulator reads the opposite position exactly, 1.0 for on and 0.0 for
// off, so the two never drift apart and an agreeing simulator is left alone.
inline void followToggle(u32 position, double simulator, KeyEvent toggle) {
    if ((position == 1 && simulator == 0.0) || (position == 0 && simulator == 1.0)) send(toggle);
}

}  // namespace tj20
