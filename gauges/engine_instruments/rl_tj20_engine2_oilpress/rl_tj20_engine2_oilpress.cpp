// Right engine oil pressure.
#include "../instruments/oil_pressure.h"

namespace {
using namespace tj20;
using Gauge = engine_instruments::OilPressureGauge<sim::Engine2OilPressure, sim::Engine2OilPressure>;
}  // namespace

TJ20_GAUGE(rl_tj20_engine2_oilpress, Gauge::definition())
