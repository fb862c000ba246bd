// Right engine core speed N2; the small needle marks 0 to 8 and follows the speed up to 100 percent.
#include "../instruments/spool_speed.h"

namespace {
using namespace tj20;
using Gauge = engine_instruments::SpoolSpeedGauge<engine_instruments::Spool{sim::Engine2N2, 100, 5, 2}>;
}  // namespace

TJ20_GAUGE(rl_tj20_engine2_n2, Gauge::definition())
