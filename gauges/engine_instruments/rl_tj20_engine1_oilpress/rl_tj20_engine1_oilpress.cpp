// Left engine oil pressure. The first table entry is refreshed and read by nothing.
#include "../instruments/oil_pressure.h"

namespace {
using namespace tj20;
using Gauge =
    engine_instruments::OilPressureGauge<sim::Engine1OilPressure, sim::OilPressureEntry232, sim::Engine1OilPressure>;
}  // namespace

TJ20_GAUGE(rl_tj20_engine1_oilpress, Gauge::definition())
