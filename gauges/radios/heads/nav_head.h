// A NAV receiver's control head: the frequency (whole megahertz and fraction knobs, which
// repeat while held) and the course selector, whose knob steps the course one degree at a
// time and sets it in the simulator. Both readouts show the simulator's values.
//
// The course knob steps from the course the head shows: every update takes the simulator's
// course, rounded to the whole degree the readout shows, so the first click after loading
// commands one degree either side of it (a course kept only in the head would start at 0 and
// command 001 or 359).
#pragma once

#include <cmath>

#include "packed_digits.h"

namespace tj20::radio_heads {

struct NavReceiver {
    SimVar frequency, course;
    KeyEvent wholeDown, wholeUp, fractionDown, fractionUp;
    KeyEvent courseDown, courseUp;  // one-degree steps sent before the set; id 0: none
    KeyEvent courseSet;
};

inline constexpr TextStyle NavReadout{Amber, 0x000000, 0x000000, "Quartz", 400};
inline constexpr double KnobFrames = 12;

// The course a readout of "%03.0f" shows, as a whole degree 0 to 359.
inline u32 shownCourse(double course) {
    double c = std::fmod(course, 360.0);
    if (c < 0) c += 360.0;
    return saturate<u32>(std::nearbyint(c)) % 360;
}

template <NavReceiver Receiver>
struct NavHead {
    struct State {
        u32 course = 0;   // degrees; the simulator's course as of the last update
        double knob = 0;  // course knob animation frame, 0 to 11
    };
    static inline State st;

    static inline constinit SimTable<1> simvars{Receiver.course};

    static inline constinit Chain<5> elements{
        image(0x100),
        text({25, 20}, {209, 40}, NavReadout, "%3.2f",
             [](const Element& self) { return frequency(carriedDigits(self)); })
            .carries(Receiver.frequency)
            .alwaysLit(),
        text({160, 20}, {74, 40}, NavReadout, "%03.0f", [](const Element& self) { return self.carried(); })
            .carries(Receiver.course)
            .alwaysLit(),
        icon(0x1100, {162, 72}, 12, [] { return st.knob; }),
        icon(0x1200, {0, 0}, 2, [] { return 0; }).alwaysLit(),
    };

    static void sendStep(KeyEvent step) {
        if (step.id != 0) send(step);
    }
    static void courseUp() {
        st.knob += 1;
        if (st.knob >= KnobFrames) st.knob = 0;
        st.course = st.course > 358 ? 0 : st.course + 1;
        sendStep(Receiver.courseUp);
        send(Receiver.courseSet, st.course);
    }
    static void courseDown() {
        st.knob -= 1;
        if (st.knob <= -1) st.knob = KnobFrames - 1;
        st.course = st.course < 1 ? 359 : st.course - 1;
        sendStep(Receiver.courseDown);
        send(Receiver.courseSet, st.course);
    }

    static inline constinit Areas<6> areas{
        repeat<[] { send(Receiver.wholeUp); }>({76, 54, 35, 29}, Cursor::UpArrow),
        repeat<[] { send(Receiver.wholeDown); }>({42, 54, 33, 29}, Cursor::DownArrow),
        repeat<[] { send(Receiver.fractionUp); }>({76, 84, 35, 27}, Cursor::UpArrow),
        repeat<[] { send(Receiver.fractionDown); }>({42, 84, 33, 27}, Cursor::DownArrow),
        repeat<courseUp>({183, 69, 32, 52}, Cursor::UpArrow),
        repeat<courseDown>({152, 69, 30, 52}, Cursor::DownArrow),
    };

    static void update() { st.course = shownCourse(simvars[Receiver.course]); }
    // The knob starts over; the course stays the simulator's.
    static void reset() { st.knob = 0; }
};

}  // namespace tj20::radio_heads
