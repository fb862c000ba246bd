// NAV2 control head. Each course click steps the simulator's course by one, then sets it.
#include "../heads/nav_head.h"

namespace {
using namespace tj20;
using Head = radio_heads::NavHead<radio_heads::NavReceiver{
    sim::Nav2Frequency, sim::Nav2Course, key::Nav2WholeDown, key::Nav2WholeUp, key::Nav2FractionDown,
    key::Nav2FractionUp, key::Nav2CourseDecrease, key::Nav2CourseIncrease, key::Nav2CourseSet}>;
}  // namespace

TJ20_GAUGE(rl_tj20_main_nav2, .sim = Head::simvars, .elements = Head::elements, .areas = Head::areas,
           .update = Head::update, .reset = Head::reset)
