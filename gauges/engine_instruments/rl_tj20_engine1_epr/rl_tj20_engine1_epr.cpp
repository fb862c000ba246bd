// Left engine pressure ratio; its limit mark counts from 0, shown at 0.80 until it passes it.
#include "../instruments/epr.h"

namespace {
using namespace tj20;
using Gauge = engine_instruments::EprGauge<engine_instruments::Epr{sim::Engine1EprInput, 0}, sim::EprEntry276,
                                           sim::RamAirTemperatureScaled, sim::Engine1EprInput>;
}  // namespace

TJ20_GAUGE(rl_tj20_engine1_epr, Gauge::definition())
