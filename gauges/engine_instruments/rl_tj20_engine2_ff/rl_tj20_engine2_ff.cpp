// Right engine fuel flow and the fuel-used counter, lettered in regular type.
#include "../instruments/fuel_flow.h"

namespace {
using namespace tj20;
using Gauge = engine_instruments::FuelFlowGauge<engine_instruments::FuelFlow{sim::Engine2FuelFlow, 400}>;
}  // namespace

TJ20_GAUGE(rl_tj20_engine2_ff, Gauge::definition())
