// Left engine fan speed N1; the small needle marks 0 to 9.
#include "../instruments/spool_speed.h"

namespace {
using namespace tj20;
using Gauge = engine_instruments::SpoolSpeedGauge<engine_instruments::Spool{sim::Engine1N1, 100, 10, 1}>;
}  // namespace

TJ20_GAUGE(rl_tj20_engine1_n1, Gauge::definition())
