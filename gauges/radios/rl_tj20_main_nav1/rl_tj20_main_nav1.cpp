// NAV1 control head. Turning the course down also steps the simulator's course down by one
// before setting it; turning it up only sets it.
#include "../heads/nav_head.h"

namespace {
using namespace tj20;
using Head = radio_heads::NavHead<radio_heads::NavReceiver{sim::Nav1Frequency, sim::Nav1Course, key::Nav1WholeDown,
                                                           key::Nav1WholeUp, key::Nav1FractionDown, key::Nav1FractionUp,
                                                           key::Nav1CourseDecrease, KeyEvent{0}, key::Nav1CourseSet}>;
}  // namespace

TJ20_GAUGE(rl_tj20_main_nav1, .sim = Head::simvars, .elements = Head::elements, .areas = Head::areas,
           .update = Head::update, .reset = Head::reset)
