// The service dispatch every gauge shares.
#include "host.h"
#include "tj20/gauge.h"

namespace tj20::detail {

constinit Areas<0> frameOnlyAreas{};
constinit const abi::u32 emptyArguments[1] = {0};

namespace {
constinit abi::u32 firstDrawDone = 0;

void install(const abi::HostFunctions& h) {
    forgetFormattedTexts(gaugeDefinition.elements.root);
    for (Owned* v : gaugeOwned.items) {
        if (!v) break;
        h.register_var_by_name(v->cell(), abi::SharedVarType, v->name());
    }
}

void initialise(const abi::HostFunctions& h) {
    sound::bind();
    for (Bound* v : gaugeBound.items) {
        if (!v) break;
        h.initialize_var_by_name(v->record(), v->name());
    }
}

void update(const abi::HostFunctions& h) {
    sound::rebind();
    for (std::size_t i = 0; i < gaugeDefinition.sim.count; ++i) h.lookup_var(&gaugeDefinition.sim.records[i]);
    if (gaugeDefinition.update) gaugeDefinition.update();
}

void draw() {
    if (firstDrawDone) return;
    firstDrawDone = 1;
    if (gaugeDefinition.reset) gaugeDefinition.reset();
}

void kill(const abi::HostFunctions& h) {
    sound::rebind();
    sound::terminate();
    sound::release();
    for (Owned* v : gaugeOwned.items) {
        if (!v) break;
        h.unregister_var_by_name(v->name());
    }
}
}  // namespace

void TJ20_CALL service(abi::GaugeHeader*, abi::i32 code, abi::u32) {
    const abi::HostFunctions* h = host();
    if (!h) return;
    switch (code) {
        case abi::ServiceInstall:
            install(*h);
            break;
        case abi::ServiceInitialise:
            initialise(*h);
            break;
        case abi::ServiceUpdate:
            update(*h);
            break;
        case abi::ServiceDraw:
            draw();
            break;
        case abi::ServiceKill:
            kill(*h);
            break;
        default:
            break;
    }
}

}  // namespace tj20::detail
