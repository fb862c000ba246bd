// Right engine pressure ratio; its limit mark counts from 0.80.
#include "../instruments/epr.h"

namespace {
using namespace tj20;
using Gauge = engine_instruments::EprGauge<engine_instruments::Epr{sim::Engine2EprInput, 80},
                                           sim::RamAirTemperatureScaled, sim::Engine2EprInput>;
}  // namespace

TJ20_GAUGE(rl_tj20_engine2_epr, Gauge::definition())
