// Standard MIDI files (format 1, General MIDI programs): tracks of timed channel events and the
// bytes of a whole song. make_songs writes the game's songs with it, and the tests their short ones.
#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace midi {

constexpr int kTicksPerQuarter = 480;

struct Event {
    int tick;
    int order;  // at the same tick: note-offs (0) before controls (1) before note-ons (2)
    std::vector<std::uint8_t> bytes;
};

struct Track {
    std::string name;
    int channel = 0;
    std::vector<Event> events;

    void control(int tick, int controller, int value) {
        events.push_back({tick, 1, {std::uint8_t(0xB0 | channel), std::uint8_t(controller), std::uint8_t(value)}});
    }
    void program(int tick, int prog) {
        events.push_back({tick, 1, {std::uint8_t(0xC0 | channel), std::uint8_t(prog)}});
    }
    void note(int tick, int length, int pitch, int velocity) {
        velocity = std::clamp(velocity, 1, 127);
        events.push_back({tick, 2, {std::uint8_t(0x90 | channel), std::uint8_t(pitch), std::uint8_t(velocity)}});
        events.push_back({tick + length, 0, {std::uint8_t(0x80 | channel), std::uint8_t(pitch), 0}});
    }
    int end_tick() const {
        int t = 0;
        for (const auto& e : events) t = std::max(t, e.tick);
        return t;
    }
};

struct Song {
    std::string title;
    int tempo_bpm;    // quarter notes per minute
    int beats, unit;  // time signature
    std::vector<Track> tracks;
};

inline void put_var(std::string& out, std::uint32_t v) {
    std::uint8_t buf[5];
    int n = 0;
    buf[n++] = v & 0x7f;
    while (v >>= 7) buf[n++] = 0x80 | (v & 0x7f);
    while (n) out += char(buf[--n]);
}
inline void put_be(std::string& out, std::uint32_t v, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) out += char((v >> (8 * i)) & 0xff);
}
inline std::string meta(int type, const std::string& data) {
    std::string s;
    s += char(0xff);
    s += char(type);
    put_var(s, static_cast<std::uint32_t>(data.size()));
    return s + data;
}

// One track chunk; `head` holds meta events at tick 0; the end-of-track comes at `end`.
inline std::string track_chunk(const std::string& head, std::vector<Event> events, int end) {
    std::stable_sort(events.begin(), events.end(),
                     [](const Event& a, const Event& b) { return a.tick != b.tick ? a.tick < b.tick : a.order < b.order; });
    std::string data;
    put_var(data, 0);
    data += head;
    int now = 0;
    for (const auto& e : events) {
        put_var(data, static_cast<std::uint32_t>(e.tick - now));
        now = e.tick;
        data.append(e.bytes.begin(), e.bytes.end());
    }
    put_var(data, static_cast<std::uint32_t>(std::max(0, end - now)));
    data += meta(0x2f, "");
    std::string chunk = "MTrk";
    put_be(chunk, static_cast<std::uint32_t>(data.size()), 4);
    return chunk + data;
}

// The whole file: a first track with the title, time signature and tempo, then one track per
// instrument; every track ends `breath` ticks after the last event of any.
inline std::string song_bytes(const Song& song, int breath = kTicksPerQuarter) {
    int end = 0;
    for (const auto& t : song.tracks) end = std::max(end, t.end_tick());
    end += breath;

    std::string head0 = meta(0x03, song.title);
    std::string ts;
    ts += char(song.beats);
    ts += char(song.unit == 8 ? 3 : 2);
    ts += char(song.unit == 8 ? 36 : 24);
    ts += char(8);
    head0 += std::string(1, 0) + meta(0x58, ts);
    std::string tempo;
    put_be(tempo, 60000000u / static_cast<std::uint32_t>(song.tempo_bpm), 3);
    head0 += std::string(1, 0) + meta(0x51, tempo);

    std::string out = "MThd";
    put_be(out, 6, 4);
    put_be(out, 1, 2);  // format 1
    put_be(out, static_cast<std::uint32_t>(song.tracks.size() + 1), 2);
    put_be(out, kTicksPerQuarter, 2);
    out += track_chunk(head0, {}, end);
    for (const auto& t : song.tracks) out += track_chunk(meta(0x03, t.name), t.events, end);
    return out;
}

inline void write_song(const Song& song, const std::filesystem::path& file, int breath = kTicksPerQuarter) {
    std::ofstream f(file, std::ios::binary);
    f << song_bytes(song, breath);
    if (!f) throw std::runtime_error("cannot write " + file.string());
}

}  // namespace midi
