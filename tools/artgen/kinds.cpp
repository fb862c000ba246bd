#include "kinds.h"

namespace tj20::art {

namespace {
std::vector<Kind>& registry() {
    static std::vector<Kind> kinds;
    return kinds;
}
void registerAll() {
    if (!registry().empty()) return;
    registerPanelKinds();
    registerControlKinds();
    registerLightKinds();
    registerMovingKinds();
}
}  // namespace

void addKind(Kind k) { registry().push_back(std::move(k)); }

const Kind* findKind(const std::string& name) {
    registerAll();
    for (const auto& k : registry())
        if (name == k.name) return &k;
    return nullptr;
}

std::vector<std::string> kindNames() {
    registerAll();
    std::vector<std::string> names;
    for (const auto& k : registry()) names.emplace_back(k.name);
    return names;
}

std::vector<std::string> listOf(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= text.size()) {
        const auto comma = text.find(',', start);
        out.push_back(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return out;
}

}  // namespace tj20::art
