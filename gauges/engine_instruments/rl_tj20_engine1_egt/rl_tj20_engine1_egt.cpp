// Left engine exhaust gas temperature: 0 °C at 479.61 °R. The second table entry is refreshed
// and read by nothing.
#include "../instruments/egt.h"

namespace {
using namespace tj20;
using Gauge = engine_instruments::EgtGauge<engine_instruments::Egt{sim::Engine1Egt, 479.61, 0, 0.55556},
                                           sim::Engine1Egt, sim::EgtEntryA>;
}  // namespace

TJ20_GAUGE(rl_tj20_engine1_egt, Gauge::definition())
