// One flight on the default panel, from a parked aircraft on battery-off back to it. The
// points are those the scenarios use (see scenarios/engine_start.scn, demo.scn).
#include "flight.h"

#include <stdexcept>
#include <string>

#include "tj20/ids.h"
#include "tj20host/sim_ids.h"

namespace tj20::soak {

namespace {

class Pilot {
public:
    explicit Pilot(host::Panel& panel) : panel_(panel), start_(panel.cycleCount()) {}

    void click(const char* gauge, int x, int y) {
        if (!panel_.mouse(gauge, x, y))
            throw std::runtime_error(std::string("the flight clicks no area: ") + gauge + " " + std::to_string(x) +
                                     "," + std::to_string(y));
    }
    void hold(const char* gauge, int x, int y, int cycles) {
        if (!panel_.hold(gauge, x, y, cycles))
            throw std::runtime_error(std::string("the flight holds no area: ") + gauge);
    }
    void run(int cycles) { panel_.run(cycles); }
    void sim(SimVar var, double value) { panel_.sim().set(var.id, value); }
    // The rest of the flight's cycles.
    void finish() {
        const auto used = panel_.cycleCount() - start_;
        if (used > static_cast<std::uint64_t>(FlightCycles)) throw std::runtime_error("the flight outran its cycles");
        run(FlightCycles - static_cast<int>(used));
    }
    host::Panel& panel() { return panel_; }

private:
    host::Panel& panel_;
    std::uint64_t start_;
};

void parked(Pilot& p) {
    p.sim(sim::OnGround, 1);
    for (auto gear : {sim::GearHandle, sim::NoseGear, sim::LeftGear, sim::RightGear}) p.sim(gear, 16383);
    p.sim(sim::OutsideAirTemperature, 15);
    p.sim(sim::LeftTankQuantity, 5000);
    p.sim(sim::RightTankQuantity, 5000);
    p.sim(sim::Altitude, 0);
    p.sim(sim::RadioHeight, 0);
    p.sim(sim::IndicatedAirspeed, 0);
}

void powerUp(Pilot& p) {
    p.click("rl_tj20_apucntrl", 169, 222);    // battery on
    p.click("rl_tj20_engstrtcntrl", 30, 60);  // start pump on
    p.click("rl_tj20_apucntrl", 145, 129);    // APU start lever to RUN
    p.click("rl_tj20_apucntrl", 145, 129);    // and to START
    p.click("rl_tj20_apucntrl", 159, 59);     // APU air on
    p.run(300);
}

void engineStart(Pilot& p) {
    p.click("rl_tj20_pneuxfeed", 30, 200);     // left crossfeed open
    p.click("rl_tj20_engstrtcntrl", 115, 60);  // ignition to 2
    p.click("rl_tj20_pedestal", 250, 500);     // left fuel lever to CUTOFF
    p.click("rl_tj20_engstrtcntrl", 180, 80);  // left start switch to START
    p.click("rl_tj20_engstrtcntrl", 180, 80);
    p.run(151);
    p.click("rl_tj20_pedestal", 250, 500);  // fuel lever to RUN at 15 % N2
    p.run(500);
}

void takeoffSetup(Pilot& p) {
    p.sim(sim::OutsideAirTemperature, 20);
    p.click("rl_tj20_main_trp", 25, 210);  // T.O. rating
    p.run(2);
    p.click("rl_tj20_main_dfgs", 180, 90);  // autothrottle armed
    p.run(18);
    p.sim(sim::IndicatedAirspeed, 40);
    p.run(1);
}

// Up to 5000 ft and back down through the minimums calls, 10 ft a cycle.
void climbAndDescent(Pilot& p) {
    p.sim(sim::OnGround, 0);
    p.sim(sim::IndicatedAirspeed, 160);
    const auto at = [&](int feet) {
        p.sim(sim::Altitude, feet);
        p.sim(sim::RadioHeight, feet * 0.3048);
        p.run(1);
    };
    for (int feet = 0; feet <= 5000; feet += 10) at(feet);
    for (int feet = 5000; feet >= 0; feet -= 10) at(feet);
    p.sim(sim::OnGround, 1);
    p.sim(sim::IndicatedAirspeed, 0);
    p.run(18);
}

void shutdown(Pilot& p) {
    p.click("rl_tj20_main_dfgs", 180, 90);  // autothrottle off
    p.click("rl_tj20_pedestal", 250, 500);  // left fuel lever to CUTOFF
    p.run(300);
    p.click("rl_tj20_engstrtcntrl", 85, 60);  // ignition back to 1
    p.click("rl_tj20_pneuxfeed", 30, 200);    // left crossfeed closed
    p.click("rl_tj20_apucntrl", 159, 35);     // APU air off
    p.click("rl_tj20_apucntrl", 145, 100);    // APU start lever to OFF
    p.click("rl_tj20_engstrtcntrl", 30, 60);  // start pump off
    p.click("rl_tj20_apucntrl", 169, 222);    // battery off
    p.run(600);
    p.click("rl_tj20_pedestal", 250, 500);  // left fuel lever back where it was parked
}

}  // namespace

void flyOnce(host::Panel& panel) {
    Pilot p(panel);
    parked(p);
    powerUp(p);
    engineStart(p);
    takeoffSetup(p);
    climbAndDescent(p);
    shutdown(p);
    p.finish();
}

}  // namespace tj20::soak
