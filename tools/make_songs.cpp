// Writes the game's songs as standard MIDI files (format 1, General MIDI programs).
// The three tunes are our own, in the manner of Italian popular music: a barcarola,
// a tarantella and a serenata. Melodies are written note by note below; the
// accompaniment is derived from one chord symbol per half bar.
// Usage: make_songs <output folder>
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "midi_file.h"

namespace {

using midi::kTicksPerQuarter;
using midi::Song;
using midi::Track;
constexpr int kEighth = kTicksPerQuarter / 2;

// Bar lines may touch the notes ("A4:1|B4:2"); spaces around them make tokenising simple.
std::string spaced(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '|') out += " | ";
        else out += c;
    }
    return out;
}

// ---------------------------------------------------------------------------------------
// Notation. A melody is a list of tokens "C#5:2" (pitch, octave, length in eighths) or
// "r:3" (a rest); '|' marks bar lines and is only there for the reader.

int pitch_of(const std::string& name) {
    static const std::map<char, int> base{{'C', 0}, {'D', 2}, {'E', 4}, {'F', 5}, {'G', 7}, {'A', 9}, {'B', 11}};
    size_t i = 0;
    int p = base.at(name[i++]);
    while (i < name.size() && (name[i] == '#' || name[i] == 'b')) p += name[i++] == '#' ? 1 : -1;
    const int octave = std::stoi(name.substr(i));
    return 12 * (octave + 1) + p;
}

struct Note {
    int tick, length, pitch;  // pitch < 0: a rest
};

// Every bar must add up to `bar` ticks: a slip of the pen would shift the rest of the song.
std::vector<Note> parse_melody(const std::string& text, int start, int bar) {
    std::vector<Note> notes;
    std::istringstream in(spaced(text));
    std::string tok;
    int t = start;
    int bar_start = start;
    auto check_bar = [&] {
        if (t - bar_start != bar) throw std::runtime_error("bar of wrong length before tick " + std::to_string(t));
        bar_start = t;
    };
    while (in >> tok) {
        if (tok == "|") {
            check_bar();
            continue;
        }
        const size_t colon = tok.find(':');
        if (colon == std::string::npos) throw std::runtime_error("bad note " + tok);
        const int len = static_cast<int>(std::stod(tok.substr(colon + 1)) * kEighth);
        const std::string name = tok.substr(0, colon);
        notes.push_back({t, len, name == "r" ? -1 : pitch_of(name)});
        t += len;
    }
    check_bar();
    return notes;
}

int bars_in(const std::string& chords) {
    return static_cast<int>(std::count(chords.begin(), chords.end(), '|') + 1);
}

// Moves a pitch by `steps` degrees of the major scale on `tonic` (a pitch class), for a
// second voice in thirds; a note outside the scale moves by the nearest plain interval.
int diatonic(int pitch, int steps, int tonic) {
    static const int major[] = {0, 2, 4, 5, 7, 9, 11};
    const int rel = ((pitch - tonic) % 12 + 12) % 12;
    const int* at = std::find(std::begin(major), std::end(major), rel);
    if (at == std::end(major)) return pitch + (steps * 12) / 7;
    const int degree = static_cast<int>(at - major) + steps;
    const int octave = degree >= 0 ? degree / 7 : -((6 - degree) / 7);
    const int d = degree - 7 * octave;
    return pitch - rel + major[d] + 12 * octave;
}

struct Chord {
    int root;                // pitch class
    std::vector<int> tones;  // intervals above the root
};

Chord parse_chord(const std::string& sym) {
    size_t i = 1;
    int root = pitch_of(sym.substr(0, 1) + "0") % 12;
    while (i < sym.size() && (sym[i] == '#' || sym[i] == 'b')) root += sym[i++] == '#' ? 1 : -1;
    const std::string q = sym.substr(i);
    Chord c{(root + 12) % 12, {0, 4, 7}};
    if (q == "m") c.tones = {0, 3, 7};
    else if (q == "7") c.tones = {0, 4, 7, 10};
    else if (q == "m7") c.tones = {0, 3, 7, 10};
    else if (!q.empty()) throw std::runtime_error("bad chord " + sym);
    return c;
}

// Chords, one or two per bar: "D | G | A7 | Am,E | ..."; each bar is `bar` ticks long.
std::vector<std::pair<int, Chord>> parse_chords(const std::string& text, int start, int bar) {
    std::vector<std::pair<int, Chord>> out;
    std::istringstream in(spaced(text));
    std::string tok;
    int t = start;
    while (in >> tok) {
        if (tok == "|") continue;
        std::vector<std::string> parts;
        std::stringstream ps(tok);
        std::string piece;
        while (std::getline(ps, piece, ',')) parts.push_back(piece);
        const int each = bar / static_cast<int>(parts.size());
        for (size_t k = 0; k < parts.size(); ++k) out.push_back({t + static_cast<int>(k) * each, parse_chord(parts[k])});
        t += bar;
    }
    return out;
}

// The pitch of chord tone `degree` (0 root, 1 third, 2 fifth, 3 seventh or octave) at or above `low`.
int chord_pitch(const Chord& c, int degree, int low) {
    const int n = static_cast<int>(c.tones.size());
    const int octave_up = degree / n;
    int p = c.root + c.tones[degree % n] + 12 * octave_up;
    while (p < low) p += 12;
    return p;
}

// ---------------------------------------------------------------------------------------

Track make_track(const std::string& name, int channel, int program, int volume, int pan, int reverb = 40) {
    Track t{name, channel, {}};
    t.program(0, program);
    t.control(0, 7, volume);
    t.control(0, 10, pan);
    t.control(0, 91, reverb);
    return t;
}

// Plays a melody; notes on strong beats (every `strong` ticks) are a little louder.
void play_melody(Track& t, const std::vector<Note>& notes, int velocity, int strong, int transpose = 0,
                 double legato = 0.92) {
    for (const auto& n : notes) {
        if (n.pitch < 0) continue;
        const int accent = n.tick % strong == 0 ? 10 : 0;
        t.note(n.tick, std::max(30, static_cast<int>(n.length * legato)), n.pitch + transpose, velocity + accent);
    }
}

// ---------------------------------------------------------------------------------------
// Barcarola: a boat song in 6/8, flute over a rocking guitar.

Song barcarola() {
    Song s{"Barcarola", 150, 6, 8, {}};
    const int bar = 6 * kEighth;
    const std::string a =
        "A4:3 F#4:1 G4:1 A4:1 | B4:3 D5:1 C#5:1 B4:1 | A4:2 G4:1 E4:2 C#5:1 | D5:4 r:1 A4:1 |"
        "D5:3 C#5:1 B4:1 A4:1 | B4:3 G4:1 F#4:1 E4:1 | A4:2 G4:1 E4:2 C#4:1 | D4:5 r:1";
    const std::string a_chords = "D | G | A7 | D | D,A7 | Em | A7 | D";
    const std::string a2 =
        "A4:3 F#4:1 G4:1 A4:1 | B4:3 D5:1 C#5:1 B4:1 | A4:2 G4:1 E4:2 C#5:1 | D5:4 r:1 F#5:1 |"
        "F#5:3 D5:1 C#5:1 B4:1 | B4:3 G4:1 A4:1 B4:1 | A4:2 C#5:1 E5:2 C#5:1 | D5:5 r:1";
    const std::string a2_chords = "D | G | A7 | D | Bm | G | A7 | D";
    const std::string b =
        "F#5:3 C#5:1 D5:1 E5:1 | D5:3 F#5:1 E5:1 D5:1 | B4:2 C#5:1 D5:2 B4:1 | C#5:5 r:1 |"
        "E5:3 C#5:1 B4:1 A4:1 | F#5:3 D5:1 E5:1 F#5:1 | G#5:2 F#5:1 E5:2 D5:1 | C#5:3 A4:2 r:1";
    const std::string b_chords = "F#m | Bm | E7 | A | A | D | E7 | A7";
    const std::string coda = "D5:3 A4:3 | D5:6";
    const std::string coda_chords = "D | D";

    // intro of two bars, then A A2 B A2 B A coda
    std::vector<std::pair<std::string, std::string>> form = {
        {"", "D | D"}, {a, a_chords}, {a2, a2_chords}, {b, b_chords}, {a2, a2_chords},
        {b, b_chords}, {a, a_chords}, {coda, coda_chords}};
    Track flute = make_track("Flute", 0, 73, 100, 70);
    Track violin = make_track("Violin", 1, 40, 70, 40);
    Track guitar = make_track("Guitar", 2, 24, 96, 80);
    Track bass = make_track("Bass", 3, 32, 90, 64, 20);
    int t = 0;
    int section = 0;
    for (const auto& [melody, chords] : form) {
        const auto cs = parse_chords(chords, t, bar);
        const int bars = bars_in(chords);
        if (!melody.empty()) {
            const auto notes = parse_melody(melody, t, bar);
            play_melody(flute, notes, 78, 3 * kEighth);
            // from the second half on, a violin sings along a third below
            if (section >= 4) {
                auto second = notes;
                for (auto& n : second)
                    if (n.pitch >= 0) n.pitch = diatonic(n.pitch, -2, 2);
                play_melody(violin, second, 58, 3 * kEighth);
            }
        }
        for (size_t i = 0; i < cs.size(); ++i) {
            const auto& [at, c] = cs[i];
            const int span = (i + 1 < cs.size() ? cs[i + 1].first : t + bars * bar) - at;
            // rocking arpeggio: low root, third, fifth, octave, fifth, third
            const int pattern[] = {0, 1, 2, 3, 2, 1};
            for (int k = 0; k < span / kEighth; ++k) {
                const int deg = pattern[k % 6];
                const int p = deg == 3 ? chord_pitch(c, 0, 50) + 12 : chord_pitch(c, deg, deg == 0 ? 50 : 53);
                guitar.note(at + k * kEighth, 2 * kEighth, p, k % 3 == 0 ? 62 : 50);
            }
            bass.note(at, 3 * kEighth - 20, chord_pitch(c, 0, 38), 80);
            if (span >= bar) bass.note(at + 3 * kEighth, 3 * kEighth - 20, chord_pitch(c, 2, 38), 68);
        }
        t += bars * bar;
        ++section;
    }
    // the last chord rings on
    guitar.note(t, 4 * kEighth, pitch_of("D3"), 50);
    guitar.note(t, 4 * kEighth, pitch_of("A3"), 46);
    guitar.note(t, 4 * kEighth, pitch_of("F#4"), 46);
    s.tracks = {flute, violin, guitar, bass};
    return s;
}

// ---------------------------------------------------------------------------------------
// Tarantella: quick 6/8 in A minor, accordion, guitar, bass and tambourine.

Song tarantella() {
    Song s{"Tarantella", 144 * 3 / 2, 6, 8, {}};  // a dotted crotchet at 144
    const int bar = 6 * kEighth;
    const std::string a =
        "A4:1 C5:1 E5:1 A5:2 G#5:1 | A5:1 B5:1 A5:1 E5:1 D5:1 C5:1 | F5:2 D5:1 A4:1 D5:1 F5:1 | E5:3 r:1 E5:1 E5:1 |"
        "D5:1 F5:1 A5:1 D6:2 C6:1 | B5:1 A5:1 G#5:1 E5:1 D5:1 B4:1 | C5:1 E5:1 A4:1 B4:2 G#4:1 | A4:3 r:3";
    const std::string a_chords = "Am | Am | Dm | E | Dm | E7 | Am,E | Am";
    const std::string b =
        "G5:1 E5:1 C5:1 G5:1 E5:1 C5:1 | F5:1 D5:1 B4:1 F5:1 D5:1 B4:1 | E5:1 C5:1 A4:1 E5:1 C5:1 A4:1 |"
        "D5:2 E5:1 F5:2 G5:1 | G5:1 E5:1 C5:1 G5:1 E5:1 C5:1 | A5:1 F5:1 D5:1 A5:1 F5:1 D5:1 |"
        "G5:1 F5:1 E5:1 D5:2 B4:1 | B4:2 D5:1 G#4:2 E4:1";
    const std::string b_chords = "C | G7 | Am | G7 | C | Dm | G7 | E7";
    const std::string coda = "A5:1 E5:1 C5:1 B4:2 G#4:1 | A4:2 r:4";
    const std::string coda_chords = "Am,E | Am";

    std::vector<std::pair<std::string, std::string>> form = {
        {"", "Am | E | Am | E"}, {a, a_chords}, {a, a_chords}, {b, b_chords}, {b, b_chords},
        {a, a_chords},           {a, a_chords}, {b, b_chords}, {a, a_chords}, {coda, coda_chords}};
    Track accordion = make_track("Accordion", 0, 21, 100, 60, 30);
    Track clarinet = make_track("Clarinet", 1, 71, 80, 84, 30);
    Track guitar = make_track("Guitar", 2, 25, 84, 88, 25);
    Track bass = make_track("Bass", 3, 32, 96, 64, 10);
    Track drum = make_track("Tambourine", 9, 0, 80, 44, 20);
    int t = 0;
    int section = 0;
    for (const auto& [melody, chords] : form) {
        const auto cs = parse_chords(chords, t, bar);
        const int bars = bars_in(chords);
        if (!melody.empty()) {
            const auto notes = parse_melody(melody, t, bar);
            play_melody(accordion, notes, 80, 3 * kEighth, 0, 0.8);
            // on the repeats a clarinet joins in, a third below
            if (section == 2 || section == 4 || section == 6 || section == 7) {
                auto second = notes;
                for (auto& n : second)
                    if (n.pitch >= 0) n.pitch = diatonic(n.pitch, -2, 0);
                play_melody(clarinet, second, 64, 3 * kEighth, 0, 0.8);
            }
        }
        for (size_t i = 0; i < cs.size(); ++i) {
            const auto& [at, c] = cs[i];
            const int span = (i + 1 < cs.size() ? cs[i + 1].first : t + bars * bar) - at;
            for (int beat = 0; beat < span / (3 * kEighth); ++beat) {
                const int b0 = at + beat * 3 * kEighth;
                bass.note(b0, kEighth + 60, chord_pitch(c, beat % 2 ? 2 : 0, 40), 88);
                for (int k = 1; k <= 2; ++k)
                    for (int d = 0; d < 3; ++d) guitar.note(b0 + k * kEighth, kEighth - 50, chord_pitch(c, d, 55), 52);
            }
        }
        for (int k = 0; k < bars * 6; ++k) drum.note(t + k * kEighth, 60, 54, k % 3 == 0 ? 84 : 52);
        t += bars * bar;
        ++section;
    }
    drum.note(t, 120, 54, 90);
    bass.note(t, 2 * kEighth, pitch_of("A2"), 90);
    s.tracks = {accordion, clarinet, guitar, bass, drum};
    return s;
}

// ---------------------------------------------------------------------------------------
// Serenata: a slow waltz in G, violin over guitar and cello.

Song serenata() {
    Song s{"Serenata", 138, 3, 4, {}};
    const int bar = 6 * kEighth;
    const std::string a =
        "D5:4 B4:2 | G5:4 F#5:2 | E5:2 D5:2 C5:2 | B4:4 r:2 | A4:2 B4:2 C5:2 | E5:4 D5:2 | C5:2 B4:2 A4:2 | D5:6";
    const std::string a_chords = "G | G | C | G | Am | C | D7 | D7";
    const std::string a2 =
        "D5:4 B4:2 | G5:4 F#5:2 | E5:2 F#5:1 G5:1 A5:2 | B5:4 r:2 | A5:2 G5:2 E5:2 | D5:2 B4:2 G4:2 |"
        "A4:2 C5:2 F#4:2 | G4:6";
    const std::string a2_chords = "G | G | C | G | Am | G | D7 | G";
    const std::string b =
        "B5:4 A5:2 | G5:2 F#5:2 E5:2 | F#5:2 G5:2 A5:2 | B5:6 | C6:4 B5:2 | A5:2 G5:2 F#5:2 | F#5:2 E5:2 D#5:2 |"
        "E5:6";
    const std::string b_chords = "Em | Em | B7 | Em | Am | D7 | B7 | Em";
    const std::string coda = "B4:2 D5:2 G5:2 | G5:6";
    const std::string coda_chords = "G | G";

    std::vector<std::pair<std::string, std::string>> form = {
        {"", "G | C | D7 | G"}, {a, a_chords}, {a2, a2_chords}, {b, b_chords}, {a2, a2_chords},
        {b, b_chords},          {a2, a2_chords}, {coda, coda_chords}};
    Track violin = make_track("Violin", 0, 40, 100, 56, 50);
    Track oboe = make_track("Oboe", 1, 68, 76, 76, 50);
    Track guitar = make_track("Guitar", 2, 24, 94, 84, 40);
    Track cello = make_track("Cello", 3, 42, 84, 50, 40);
    int t = 0;
    int section = 0;
    for (const auto& [melody, chords] : form) {
        const auto cs = parse_chords(chords, t, bar);
        const int bars = bars_in(chords);
        if (!melody.empty()) {
            const auto notes = parse_melody(melody, t, bar);
            // the oboe takes the tune in the middle, and at the end sings a third under the violin
            if (section == 4) {
                play_melody(oboe, notes, 76, bar);
            } else {
                play_melody(violin, notes, 74, bar, 0, 0.97);
                if (section == 6) {
                    auto second = notes;
                    for (auto& n : second)
                        if (n.pitch >= 0) n.pitch = diatonic(n.pitch, -2, 7);
                    play_melody(oboe, second, 62, bar);
                }
            }
        }
        for (size_t i = 0; i < cs.size(); ++i) {
            const auto& [at, c] = cs[i];
            const int span = (i + 1 < cs.size() ? cs[i + 1].first : t + bars * bar) - at;
            cello.note(at, std::min(span, 2 * kEighth) - 20, chord_pitch(c, 0, 38), 76);
            for (int beat = 1; beat < span / (2 * kEighth); ++beat)
                for (int d = 0; d < 3; ++d)
                    guitar.note(at + beat * 2 * kEighth, 2 * kEighth - 40, chord_pitch(c, d, 55), 46);
            if (span == bar) guitar.note(at, 2 * kEighth, chord_pitch(c, 0, 45), 54);
        }
        t += bars * bar;
        ++section;
    }
    cello.note(t, 4 * kEighth, pitch_of("G2"), 70);
    for (int d : {pitch_of("G3"), pitch_of("B3"), pitch_of("D4"), pitch_of("G4")}) guitar.note(t, 4 * kEighth, d, 46);
    s.tracks = {violin, oboe, guitar, cello};
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_songs <output folder>\n";
        return 2;
    }
    try {
        const std::filesystem::path dir = argv[1];
        std::filesystem::create_directories(dir);
        midi::write_song(barcarola(), dir / "Barcarola.mid");
        midi::write_song(tarantella(), dir / "Tarantella.mid");
        midi::write_song(serenata(), dir / "Serenata.mid");
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    return 0;
}
