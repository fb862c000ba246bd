// Placeholder command line until the scenario runner lands: loads a configuration and runs N cycles.
#include <iostream>

#include "tj20host/panel.h"
#include "tj20host/trace.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: tj20host <panel.cfg> <module dir> [cycles]\n";
        return 2;
    }
    try {
        auto panel = tj20::host::Panel::load(tj20::host::PanelConfig::read(argv[1]), {argv[2]});
        panel->run(argc > 3 ? std::stoi(argv[3]) : 18);
        tj20::host::TracePrinter(panel->journal(), std::cout, false).flush();
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 2;
    }
}
