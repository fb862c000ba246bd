// What happened while the panel ran, as one timeline: key events, sounds, shared-variable
// changes, window visibility, what the icons show (image and visibility) and notes, in
// order, each stamped with the cycle and tick it happened in.
//
// The timeline is bounded: it keeps the latest `capacity()` events and forgets the oldest, so
// an hour-long run holds no more than a short one. Every event has a sequence number (0 for
// the first ever journaled) that stays its own as older events go; readers keep their place
// by it. Readers that must see every event (the trace printers) listen instead: each
// listener is told of every event as it is journaled.
//
// `keyEvents` and `sounds` read the timeline's key events and sound calls since their own
// mark; `clear()` moves the mark to now (nothing is removed from the timeline).
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tj20::host {

struct KeyEventRecord {
    std::uint32_t id = 0;
    std::uint32_t value = 0;  // as the gauge sent it: a negative value in two's complement
    std::uint64_t cycle = 0;
    std::string gauge;  // the gauge whose callback sent it
};

struct SoundRecord {
    enum class Call { Play, Stop, Terminate } call = Call::Play;
    std::string path;   // as passed, "sound\..."
    std::string alias;  // empty for a one-shot
    bool repeat = false;
    std::uint64_t cycle = 0;
};

struct Event {
    enum class Kind { KeyEvent, Sound, SharedChange, Window, Element, Note } kind = Kind::Note;
    std::uint64_t cycle = 0;
    double tick = 0;
    std::string subject;       // variable, window or gauge name
    std::uint64_t before = 0;  // shared values, window visibility, icon images
    std::uint64_t after = 0;
    std::string element;     // icons: "x,y" or "x,y[n]" on the gauge, as scenarios address it
    bool wasVisible = true;  // icons: visibility before and after
    bool visible = true;
    KeyEventRecord key;
    SoundRecord sound;
    std::string text;  // notes (scenario steps and the like)
};

// A repeating sound now playing: its alias and the path it was started with.
struct PlayingSound {
    std::string alias;
    std::string path;
};

class Journal;

// The records of one kind of event (key events, sound calls) since a mark, oldest first.
template <Event::Kind K, class Record, Record Event::*Field>
class RecordsView {
public:
    class iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = Record;
        using difference_type = std::ptrdiff_t;
        using pointer = const Record*;
        using reference = const Record&;
        iterator() = default;
        iterator(const Journal* journal, std::uint64_t seq) : journal_(journal), seq_(seq) { skip(); }
        reference operator*() const;
        pointer operator->() const { return &**this; }
        iterator& operator++() {
            ++seq_;
            skip();
            return *this;
        }
        iterator operator++(int) {
            iterator was = *this;
            ++*this;
            return was;
        }
        bool operator==(const iterator& other) const { return seq_ == other.seq_; }
        // n records on (for callers that keep their place as a count of records).
        friend iterator operator+(iterator it, std::ptrdiff_t n) {
            for (; n > 0; --n) ++it;
            return it;
        }

    private:
        void skip();
        const Journal* journal_ = nullptr;
        std::uint64_t seq_ = 0;
    };

    explicit RecordsView(const Journal& journal) : journal_(journal) {}
    RecordsView(const RecordsView&) = delete;
    RecordsView& operator=(const RecordsView&) = delete;

    iterator begin() const;
    iterator end() const;
    std::size_t size() const { return static_cast<std::size_t>(std::distance(begin(), end())); }
    bool empty() const { return begin() == end(); }
    const Record& operator[](std::size_t i) const { return *std::next(begin(), static_cast<std::ptrdiff_t>(i)); }
    const Record& at(std::size_t i) const {
        if (i >= size()) throw std::out_of_range("journal: no record " + std::to_string(i));
        return (*this)[i];
    }
    const Record& front() const { return *begin(); }
    const Record& back() const { return (*this)[size() - 1]; }
    // Later reads start after everything journaled so far.
    void clear();
    // Every record since the mark, as a list.
    std::vector<Record> list() const { return {begin(), end()}; }

private:
    const Journal& journal_;
    std::uint64_t mark_ = 0;
};

class Journal {
public:
    static constexpr std::size_t DefaultCapacity = 1 << 14;
    using Listener = std::function<void(const Event&)>;

    explicit Journal(std::size_t capacity = DefaultCapacity);
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    // Appends an event, forgets the oldest beyond the capacity and tells every listener.
    void add(Event event);
    void note(std::uint64_t cycle, double tick, std::string text);

    // The sequence numbers of the kept events: from first() up to, not including, end().
    std::uint64_t first() const { return end() - timeline_.size(); }
    std::uint64_t end() const { return journaled_; }
    const Event& at(std::uint64_t seq) const { return timeline_.at(static_cast<std::size_t>(seq - first())); }
    std::size_t capacity() const { return capacity_; }

    // The kept events, oldest first.
    const std::deque<Event>& events = timeline_;

    // Key events and sound calls since each view's mark.
    RecordsView<Event::Kind::KeyEvent, KeyEventRecord, &Event::key> keyEvents{*this};
    RecordsView<Event::Kind::Sound, SoundRecord, &Event::sound> sounds{*this};

    // The key events sent since a sequence number, optionally by one gauge only.
    std::vector<KeyEventRecord> keyEventsSince(std::uint64_t seq, std::string_view gauge = {}) const;
    // The sound calls since a sequence number.
    std::vector<SoundRecord> soundsSince(std::uint64_t seq) const;

    // The repeating sounds playing now, in the order they started: a repeating play under
    // an alias starts one unless that alias already sounds, a stop ends it, terminating ends
    // them all. Kept as the calls arrive, so it holds however long ago they came.
    const std::vector<PlayingSound>& playing() const { return playing_; }

    // Listeners see every event from now on, as it is journaled; the id removes one.
    int listen(Listener listener);
    void unlisten(int id);

private:
    std::size_t capacity_;
    std::deque<Event> timeline_;
    std::uint64_t journaled_ = 0;
    std::vector<PlayingSound> playing_;
    std::vector<std::pair<int, Listener>> listeners_;
    int nextListener_ = 0;
};

template <Event::Kind K, class Record, Record Event::*Field>
const Record& RecordsView<K, Record, Field>::iterator::operator*() const {
    return journal_->at(seq_).*Field;
}

template <Event::Kind K, class Record, Record Event::*Field>
void RecordsView<K, Record, Field>::iterator::skip() {
    if (!journal_) return;
    if (seq_ < journal_->first()) seq_ = journal_->first();
    while (seq_ < journal_->end() && journal_->at(seq_).kind != K) ++seq_;
}

template <Event::Kind K, class Record, Record Event::*Field>
typename RecordsView<K, Record, Field>::iterator RecordsView<K, Record, Field>::begin() const {
    return iterator(&journal_, mark_);
}

template <Event::Kind K, class Record, Record Event::*Field>
typename RecordsView<K, Record, Field>::iterator RecordsView<K, Record, Field>::end() const {
    return iterator(&journal_, journal_.end());
}

template <Event::Kind K, class Record, Record Event::*Field>
void RecordsView<K, Record, Field>::clear() {
    mark_ = journal_.end();
}

}  // namespace tj20::host
