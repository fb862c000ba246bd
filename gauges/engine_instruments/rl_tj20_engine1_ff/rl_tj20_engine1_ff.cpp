// Left engine fuel flow and the fuel-used counter, lettered in thin type.
#include "../instruments/fuel_flow.h"

namespace {
using namespace tj20;
using Gauge = engine_instruments::FuelFlowGauge<engine_instruments::FuelFlow{sim::Engine1FuelFlow, 100}>;
}  // namespace

TJ20_GAUGE(rl_tj20_engine1_ff, Gauge::definition())
