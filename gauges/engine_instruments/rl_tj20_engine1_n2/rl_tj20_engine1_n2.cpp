// Left engine core speed N2; the small needle marks 0 to 8 and follows the speed up to 105 percent.
#include "../instruments/spool_speed.h"

namespace {
using namespace tj20;
using Gauge = engine_instruments::SpoolSpeedGauge<engine_instruments::Spool{sim::Engine1N2, 105, 5, 2}>;
}  // namespace

TJ20_GAUGE(rl_tj20_engine1_n2, Gauge::definition())
