// Right engine exhaust gas temperature: 0 °C at 491.67 °R.
#include "../instruments/egt.h"

namespace {
using namespace tj20;
using Gauge = engine_instruments::EgtGauge<engine_instruments::Egt{sim::Engine2Egt, 459.67, 32, 0.5555555555555556},
                                           sim::Engine2Egt>;
}  // namespace

TJ20_GAUGE(rl_tj20_engine2_egt, Gauge::definition())
