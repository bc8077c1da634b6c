// The game's own pictures, sound, songs and texts: that each loads, has the size the table
// expects, and can be told apart from the others at a glance.
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QStringDecoder>
#include <QStringList>
#include <QSvgRenderer>
#include <QTransform>
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

using namespace std::string_literals;

// The resources live in a static library; this pulls them into the test program.
static void init_assets() { Q_INIT_RESOURCE(assets); }

namespace {

const std::filesystem::path kAssets = std::filesystem::path(DOLVARO_SOURCE_DIR) / "assets";

QString face(int code) { return QStringLiteral(":/cards/%1.svg").arg(code, 2, 10, QLatin1Char('0')); }

QImage render(const QString& resource) {
    init_assets();
    QSvgRenderer renderer(resource);
    if (!renderer.isValid()) return {};
    QImage image(renderer.defaultSize(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

// Mean difference per channel between two images of one size, 0..255.
double difference(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_RGBA8888), y = b.convertToFormat(QImage::Format_RGBA8888);
    if (x.size() != y.size()) return 255;
    double sum = 0;
    for (qsizetype i = 0; i < x.sizeInBytes(); ++i) sum += std::abs(x.constBits()[i] - y.constBits()[i]);
    return sum / double(x.sizeInBytes());
}

// Every picture renders at its size. The back is one design upright and on its side; every face
// differs from the back and from every other face. In the hand the cards overlap and only their
// left side shows: the corner alone must tell the ten cards of a suit apart, and, in the suit's
// colour, a number's four suits.
TEST(AssetPictures, RenderAtTheirSizesAndFacesAndCornersDiffer) {
    std::map<QString, QSize> sizes = {{":/back_upright.svg", {85, 153}}, {":/back_side.svg", {153, 85}},
                                      {":/title.svg", {161, 67}},        {":/icon.svg", {32, 32}},
                                      {":/pointer.svg", {32, 32}}};
    std::map<QString, QImage> images;
    for (int code = 1; code <= 40; ++code) sizes[face(code)] = {85, 153};
    for (const auto& [name, size] : sizes) {
        images[name] = render(name);
        ASSERT_EQ(images[name].size(), size) << name.toStdString();
    }
    const QImage& back = images[":/back_upright.svg"];
    EXPECT_LT(difference(back.transformed(QTransform().rotate(90)), images[":/back_side.svg"]), 3.0);
    const auto corner = [&](int code) { return images[face(code)].copy(0, 0, 20, 32); };
    for (int a = 1; a <= 40; ++a) {
        EXPECT_NE(images[face(a)], back) << a;
        for (int b = a + 1; b <= 40; ++b) {
            EXPECT_NE(images[face(a)], images[face(b)]) << a << " and " << b;
            const bool same_suit = (a - 1) / 10 == (b - 1) / 10, same_number = a % 10 == b % 10;
            if (!same_suit && !same_number) continue;
            EXPECT_GT(difference(corner(a), corner(b)), same_suit ? 2.0 : 6.0) << "corners " << a << " and " << b;
        }
    }
}

std::string read_file(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(AssetSound, CardRustleIsAShortMonoPcmWave) {
    const std::string b = read_file(kAssets / "carta.wav");
    ASSERT_GE(b.size(), 44u);
    // RIFF WAVE, PCM, mono, 16-bit, the samples right after the format.
    EXPECT_EQ(b.substr(0, 4) + b.substr(8, 8) + b.substr(20, 4) + b.substr(34, 6), "RIFFWAVEfmt \1\0\1\0\x10\0data"s);
    const auto u32 = [&](std::size_t at) {  // little-endian
        return std::uint32_t(std::uint8_t(b[at]) | std::uint8_t(b[at + 1]) << 8 | std::uint8_t(b[at + 2]) << 16 |
                             std::uint8_t(b[at + 3]) << 24);
    };
    const double seconds = double(u32(40)) / u32(28);
    EXPECT_TRUE(seconds > 0.05 && seconds < 0.3 && 44 + u32(40) <= b.size()) << seconds << " s";
}

// The notes a standard MIDI file strikes; nothing when it is malformed or a track does not close
// with the end-of-track event.
std::optional<int> midi_notes(const std::string& b) try {
    std::size_t pos = 8;
    const auto at = [&](std::size_t i) { return unsigned(static_cast<unsigned char>(b.at(i))); };
    const auto number = [&](int bytes, std::uint32_t v = 0) {  // big-endian
        while (bytes-- > 0) v = v << 8 | at(pos++);
        return v;
    };
    const auto variable = [&](std::uint32_t v = 0) {
        for (unsigned c = 0x80; c & 0x80; v = v << 7 | (c & 0x7f)) c = at(pos++);
        return v;
    };
    const std::uint32_t format = number(2), tracks = number(2), division = number(2);
    if (b.compare(0, 8, "MThd\0\0\0\6"s) != 0 || format > 1 || (division & 0x8000)) return {};
    int notes = 0;
    for (std::uint32_t t = 0; t < tracks; ++t) {
        if (b.compare(pos, 4, "MTrk") != 0) return {};
        pos += 4;
        const std::size_t end = number(4) + pos;
        unsigned status = 0, meta = 0;
        while (pos < end) {
            variable();  // the time since the last event
            const unsigned c = at(pos++);
            meta = c == 0xff ? at(pos++) : 0;
            if (c == 0xff || c == 0xf0 || c == 0xf7) {  // meta and system exclusive events
                pos += variable();
            } else {  // channel events
                status = c & 0x80 ? c : status;
                pos -= c & 0x80 ? 0 : 1;                 // running status: that byte was data
                pos += (status & 0xe0) == 0xc0 ? 1 : 2;  // program change and pressure carry one byte
                notes += (status & 0xf0) == 0x90 && at(pos - 1) > 0;
            }
        }
        if (pos != end || meta != 0x2f) return {};
    }
    return notes;
} catch (const std::out_of_range&) {
    return {};  // an event runs past the end of the file
}

// Opens audio unless the game's device code has done so already in this process; it stays
// open for whoever comes next.
bool open_audio() {
    return Mix_QuerySpec(nullptr, nullptr, nullptr) != 0 ||
           (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0 && Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) == 0);
}

TEST(AssetSongs, MusicFolderHoldsOnlyPlayableSongs) {
    std::vector<std::filesystem::path> files;
    for (const auto& e : std::filesystem::directory_iterator(kAssets / "music")) files.push_back(e.path());
    EXPECT_TRUE(files.size() == 2 || files.size() == 3) << files.size();
    const bool audio = open_audio();
    for (const auto& f : files) {
        const std::string name = f.filename().string();
        ASSERT_EQ(f.extension(), ".mid") << name;  // anything else in the folder would stop the song list
        const std::optional<int> notes = midi_notes(read_file(f));
        ASSERT_TRUE(notes) << name << " is malformed or a track lacks its end";
        EXPECT_GT(*notes, 100) << name;
        if (Mix_Music* music = audio ? Mix_LoadMUS(f.string().c_str()) : nullptr) Mix_FreeMusic(music);
        else if (audio) ADD_FAILURE() << name << ": " << Mix_GetError();
    }
    if (!audio) GTEST_SKIP() << "no audio device to load the songs: " << SDL_GetError();
}

// A text resource as lines, or nothing when it is missing or not UTF-8.
std::optional<QStringList> text_lines(const char* resource) {
    init_assets();
    QFile file(QString::fromLatin1(resource));
    QStringDecoder decode(QStringDecoder::Utf8);
    const QString text = file.open(QIODevice::ReadOnly) ? decode(file.readAll()) : QString();
    if (text.isEmpty() || decode.hasError()) return {};
    return text.chopped(text.endsWith(QLatin1Char('\n')) ? 1 : 0).split(QLatin1Char('\n'));
}

TEST(AssetTexts, RulesHaveThreeSectionsAndTheKeyFactsAndInfoFourLines) {
    const auto lines = text_lines(":/rules.txt");
    ASSERT_TRUE(lines);
    const qsizetype how = lines->indexOf("How to play"), points = lines->indexOf("Points calculation");
    ASSERT_TRUE(how > 5 && points > how + 3) << "introduction, how to play, points calculation";
    EXPECT_TRUE(lines->size() >= 35 && lines->size() <= 55) << lines->size();
    const QString intro = lines->mid(0, how).join(' '), play = lines->mid(how, points - how).join(' ');
    for (const char* fact : {"Dolvaro a calvone", "four players", "40-card", "3, 2, 1, 10, 9, 8, 7, 6, 5, 4",
                             "Ace of bastoni", "11 points", "21 points", "110 points"})
        EXPECT_TRUE(intro.contains(QLatin1String(fact))) << fact;
    EXPECT_TRUE(play.contains(QLatin1String("10 cards")) && play.contains(QLatin1String("right")));
    EXPECT_TRUE(lines->mid(points).join(' ').contains(QLatin1String("110 points")));

    const auto info = text_lines(":/info.txt");
    ASSERT_TRUE(info && info->size() == 4);
    const QStringList& l = *info;
    EXPECT_TRUE(l[0].trimmed() == "Dolvaro a calvone 1.2" && l[0].startsWith(' ') && l[0].endsWith(' ')) << "centred title";
    EXPECT_TRUE(l[1] == "Cards from Piacenza" && l[2].contains(QLatin1String("Orbenza")) && !l[3].trimmed().isEmpty());
}

}  // namespace
