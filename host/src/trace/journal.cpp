#include "tj20host/journal.h"

#include <algorithm>

namespace tj20::host {

Journal::Journal(std::size_t capacity) : capacity_(std::max<std::size_t>(1, capacity)) {}

void Journal::add(Event event) {
    if (event.kind == Event::Kind::Sound) {
        const SoundRecord& s = event.sound;
        const auto sameAlias = [&](const PlayingSound& p) { return p.alias == s.alias; };
        if (s.call == SoundRecord::Call::Play && s.repeat && !s.alias.empty() &&
            std::none_of(playing_.begin(), playing_.end(), sameAlias))
            playing_.push_back({s.alias, s.path});
        else if (s.call == SoundRecord::Call::Stop)
            std::erase_if(playing_, sameAlias);
        else if (s.call == SoundRecord::Call::Terminate)
            playing_.clear();
    }
    if (timeline_.size() == capacity_) timeline_.pop_front();
    timeline_.push_back(std::move(event));
    ++journaled_;
    // Listeners do not add or remove listeners while they are told.
    for (std::size_t i = 0; i < listeners_.size(); ++i) listeners_[i].second(timeline_.back());
}

void Journal::note(std::uint64_t cycle, double tick, std::string text) {
    Event e;
    e.kind = Event::Kind::Note;
    e.cycle = cycle;
    e.tick = tick;
    e.text = std::move(text);
    add(std::move(e));
}

std::vector<KeyEventRecord> Journal::keyEventsSince(std::uint64_t seq, std::string_view gauge) const {
    std::vector<KeyEventRecord> out;
    for (std::uint64_t i = std::max(seq, first()); i < end(); ++i) {
        const Event& e = at(i);
        if (e.kind == Event::Kind::KeyEvent && (gauge.empty() || e.key.gauge == gauge)) out.push_back(e.key);
    }
    return out;
}

std::vector<SoundRecord> Journal::soundsSince(std::uint64_t seq) const {
    std::vector<SoundRecord> out;
    for (std::uint64_t i = std::max(seq, first()); i < end(); ++i)
        if (at(i).kind == Event::Kind::Sound) out.push_back(at(i).sound);
    return out;
}

int Journal::listen(Listener listener) {
    listeners_.emplace_back(nextListener_, std::move(listener));
    return nextListener_++;
}

void Journal::unlisten(int id) {
    std::erase_if(listeners_, [id](const auto& l) { return l.first == id; });
}

}  // namespace tj20::host
