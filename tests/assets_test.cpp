// The game's own pictures, sound, songs and texts: that each loads, has the size the
// table expects, and can be told apart from the others at a glance.
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QString>
#include <QStringDecoder>
#include <QStringList>
#include <QTransform>
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

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

// The 40 faces, rendered once for all the tests that look at them.
const std::vector<QImage>& faces() {
    static const std::vector<QImage> images = [] {
        std::vector<QImage> v;
        for (int code = 1; code <= 40; ++code) v.push_back(render(face(code)));
        return v;
    }();
    return images;
}

bool light(QRgb p) { return qAlpha(p) == 255 && qRed(p) >= 225 && qGreen(p) >= 225 && qBlue(p) >= 225; }

// Mean difference per channel between two images of one size, 0..255.
double difference(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q)) +
                   std::abs(qAlpha(p) - qAlpha(q));
        }
    return sum / (4.0 * a.width() * a.height());
}

TEST(AssetPictures, LoadWithTheirDesignSizes) {
    init_assets();
    const std::map<QString, QSize> sizes = {
        {QStringLiteral(":/back_upright.svg"), {85, 153}}, {QStringLiteral(":/back_side.svg"), {153, 85}},
        {QStringLiteral(":/title.svg"), {161, 67}},        {QStringLiteral(":/icon.svg"), {32, 32}},
        {QStringLiteral(":/pointer.svg"), {32, 32}}};
    for (const auto& [name, size] : sizes) {
        QSvgRenderer renderer(name);
        EXPECT_TRUE(renderer.isValid()) << name.toStdString();
        EXPECT_EQ(renderer.defaultSize(), size) << name.toStdString();
    }
    for (int code = 1; code <= 40; ++code) {
        QSvgRenderer renderer(face(code));
        EXPECT_TRUE(renderer.isValid()) << code;
        EXPECT_EQ(renderer.defaultSize(), QSize(85, 153)) << code;
    }
}

TEST(AssetPictures, EveryFaceAndTheBackAreDifferent) {
    const QImage back = render(QStringLiteral(":/back_upright.svg"));
    ASSERT_FALSE(back.isNull());
    for (int a = 0; a < 40; ++a) {
        ASSERT_FALSE(faces()[a].isNull()) << a + 1;
        EXPECT_NE(faces()[a], back) << a + 1;
        for (int b = a + 1; b < 40; ++b) EXPECT_NE(faces()[a], faces()[b]) << a + 1 << " and " << b + 1;
    }
}

// In the hand the cards overlap and only their left side shows: the corner alone must
// tell the ten cards of a suit apart.
TEST(AssetPictures, CornerIndexDiffersWithinEachSuit) {
    for (int suit = 0; suit < 4; ++suit) {
        std::vector<QImage> corners;
        for (int n = 0; n < 10; ++n) corners.push_back(faces()[suit * 10 + n].copy(0, 0, 20, 32));
        for (int a = 0; a < 10; ++a)
            for (int b = a + 1; b < 10; ++b)
                EXPECT_GT(difference(corners[a], corners[b]), 2.0)
                    << "suit " << suit + 1 << ": numbers " << a + 1 << " and " << b + 1;
    }
}

// The corners of a suit share its colour, so cards of different suits differ there too.
TEST(AssetPictures, CornerIndexDiffersBetweenSuits) {
    for (int n = 0; n < 10; ++n)
        for (int a = 0; a < 4; ++a)
            for (int b = a + 1; b < 4; ++b)
                EXPECT_GT(difference(faces()[a * 10 + n].copy(0, 0, 20, 32), faces()[b * 10 + n].copy(0, 0, 20, 32)),
                          6.0)
                    << "number " << n + 1 << ", suits " << a + 1 << " and " << b + 1;
}

TEST(AssetPictures, FacesAreWhiteCardsWithRoundedCorners) {
    for (int code = 1; code <= 40; ++code) {
        const QImage& img = faces()[code - 1];
        // outside the rounded corners the table shows through
        for (const QPoint p : {QPoint(0, 0), QPoint(84, 0), QPoint(0, 152), QPoint(84, 152)})
            EXPECT_EQ(qAlpha(img.pixel(p)), 0) << code << " at " << p.x() << "," << p.y();
        // a dark border all round
        for (const QPoint p : {QPoint(42, 0), QPoint(0, 76), QPoint(84, 76), QPoint(42, 152)})
            EXPECT_LT(qGray(img.pixel(p)), 110) << code << " at " << p.x() << "," << p.y();
        // and a white ground just inside it
        EXPECT_TRUE(light(img.pixel(42, 2))) << code;
        EXPECT_TRUE(light(img.pixel(2, 76))) << code;
        int white = 0;
        for (int y = 3; y < 150; ++y)
            for (int x = 3; x < 82; ++x) white += light(img.pixel(x, y));
        EXPECT_GT(white, 79 * 147 / 2) << code << ": the face is not mostly white";
    }
}

TEST(AssetPictures, BackIsOneDesignInTwoOrientations) {
    const QImage upright = render(QStringLiteral(":/back_upright.svg"));
    const QImage side = render(QStringLiteral(":/back_side.svg"));
    ASSERT_FALSE(upright.isNull());
    ASSERT_FALSE(side.isNull());
    const QImage turned = upright.transformed(QTransform().rotate(90));
    ASSERT_EQ(turned.size(), side.size());
    EXPECT_LT(difference(turned, side), 3.0);
    EXPECT_EQ(qAlpha(upright.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(side.pixel(0, 0)), 0);
    // not a face: mostly dark, where faces are mostly white
    int dark = 0;
    for (int y = 0; y < upright.height(); ++y)
        for (int x = 0; x < upright.width(); ++x) dark += qGray(upright.pixel(x, y)) < 128;
    EXPECT_GT(dark, upright.width() * upright.height() / 2);
}

TEST(AssetPictures, PointerIsACardOnATransparentGround) {
    const QImage img = render(QStringLiteral(":/pointer.svg"));
    ASSERT_FALSE(img.isNull());
    // the hot spot is the card's top-left corner
    EXPECT_GT(qAlpha(img.pixel(0, 0)), 128);
    EXPECT_LT(qGray(img.pixel(0, 0)), 110);
    EXPECT_TRUE(light(img.pixel(5, 22)));
    for (const QPoint p : {QPoint(31, 0), QPoint(0, 31), QPoint(31, 31)}) EXPECT_EQ(qAlpha(img.pixel(p)), 0);
}

// ---------------------------------------------------------------------------------------
// Sound and songs, loaded as the game loads them.

// Opens audio unless the game's own device code has done so already in this process; it
// stays open for whoever comes next. Returns the sample rate and channel count in use.
bool audio_open(int& rate, int& channels, int& bytes_per_sample) {
    Uint16 format = 0;
    if (Mix_QuerySpec(&rate, &format, &channels) == 0) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
        if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) return false;
        if (Mix_QuerySpec(&rate, &format, &channels) == 0) return false;
    }
    bytes_per_sample = SDL_AUDIO_BITSIZE(format) / 8;
    return true;
}

std::string read_file(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t le(const std::string& b, size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b.at(at + i));
    return v;
}

TEST(AssetSound, CardRustleIsAShortMonoPcmWave) {
    const auto path = kAssets / "carta.wav";
    const std::string b = read_file(path);
    ASSERT_GE(b.size(), 44u);
    EXPECT_EQ(b.substr(0, 4), "RIFF");
    EXPECT_EQ(b.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(le(b, 20, 2), 1u);   // PCM
    EXPECT_EQ(le(b, 22, 2), 1u);   // mono
    EXPECT_EQ(le(b, 34, 2), 16u);  // 16-bit
    const std::uint32_t rate = le(b, 24, 4);
    EXPECT_TRUE(rate == 22050 || rate == 44100) << rate;

    int mix_rate = 0, channels = 0, bytes = 0;
    ASSERT_TRUE(audio_open(mix_rate, channels, bytes)) << SDL_GetError();
    Mix_Chunk* chunk = Mix_LoadWAV(path.string().c_str());
    ASSERT_NE(chunk, nullptr) << Mix_GetError();
    const double seconds = static_cast<double>(chunk->alen) / (mix_rate * channels * bytes);
    Mix_FreeChunk(chunk);
    EXPECT_GT(seconds, 0.05);
    EXPECT_LT(seconds, 0.3);
}

// What the test needs to know of a standard MIDI file.
struct MidiSummary {
    bool ok = false;
    std::string error;
    int format = -1;
    int tracks = 0;
    int note_ons = 0;
    bool every_track_ends = false;
    double seconds = 0;
};

MidiSummary read_midi(const std::string& b) {
    MidiSummary m;
    auto fail = [&](const std::string& why) {
        m.error = why;
        return m;
    };
    auto be = [&](size_t at, int bytes) {
        std::uint32_t v = 0;
        for (int i = 0; i < bytes; ++i) v = (v << 8) | static_cast<unsigned char>(b.at(at + i));
        return v;
    };
    if (b.size() < 14 || b.compare(0, 4, "MThd") != 0 || be(4, 4) != 6) return fail("no header");
    m.format = static_cast<int>(be(8, 2));
    const int count = static_cast<int>(be(10, 2));
    const std::uint32_t division = be(12, 2);
    if (division & 0x8000) return fail("time code division");
    std::map<std::uint32_t, std::uint32_t> tempo;  // tick -> microseconds per quarter
    std::uint32_t last_tick = 0;
    size_t pos = 14;
    m.every_track_ends = true;
    for (int t = 0; t < count; ++t) {
        if (pos + 8 > b.size() || b.compare(pos, 4, "MTrk") != 0) return fail("missing track");
        const size_t end = pos + 8 + be(pos + 4, 4);
        if (end > b.size()) return fail("track past the end of the file");
        pos += 8;
        std::uint32_t tick = 0;
        unsigned status = 0;
        bool ended = false;
        auto var = [&]() {
            std::uint32_t v = 0;
            unsigned char c;
            do {
                if (pos >= end) throw std::out_of_range("number past the track");
                c = static_cast<unsigned char>(b[pos++]);
                v = (v << 7) | (c & 0x7f);
            } while (c & 0x80);
            return v;
        };
        try {
            while (pos < end) {
                if (ended) return fail("events after the end of a track");
                tick += var();
                unsigned c = static_cast<unsigned char>(b.at(pos));
                if (c == 0xff) {
                    const unsigned type = static_cast<unsigned char>(b.at(pos + 1));
                    pos += 2;
                    const std::uint32_t len = var();
                    if (type == 0x51 && len == 3) tempo[tick] = be(pos, 3);
                    if (type == 0x2f) ended = len == 0;
                    pos += len;
                } else if (c == 0xf0 || c == 0xf7) {
                    ++pos;
                    pos += var();
                } else {
                    if (c & 0x80) {
                        status = c;
                        ++pos;
                    }
                    if (!status) return fail("data byte without a status");
                    const unsigned kind = status & 0xf0;
                    const int data = kind == 0xc0 || kind == 0xd0 ? 1 : 2;
                    if (kind == 0x90 && static_cast<unsigned char>(b.at(pos + 1)) > 0) ++m.note_ons;
                    pos += data;
                }
                last_tick = std::max(last_tick, tick);
            }
        } catch (const std::out_of_range&) {
            return fail("event cut short");
        }
        if (pos != end) return fail("event crosses the end of a track");
        m.every_track_ends = m.every_track_ends && ended;
        ++m.tracks;
    }
    // play time: walk the tempo changes up to the last event
    double micros = 0;
    std::uint32_t at = 0, current = 500000;
    for (const auto& [tick, value] : tempo) {
        if (tick >= last_tick) break;
        micros += static_cast<double>(tick - at) * current / division;
        at = tick;
        current = value;
    }
    micros += static_cast<double>(last_tick - at) * current / division;
    m.seconds = micros / 1e6;
    m.ok = true;
    return m;
}

// The reader itself, on a file made here: one track, a tempo change after two seconds.
TEST(AssetSongs, ReaderMeasuresAKnownFile) {
    auto track = [](const std::string& events) {
        const auto n = events.size();
        return std::string("MTrk") + char(n >> 24) + char(n >> 16) + char(n >> 8) + char(n) + events;
    };
    const std::string header = std::string("MThd\0\0\0\6\0\0\0\1\0\x60", 14);  // format 0, 96 per quarter
    // 1 s per quarter; note on; after 2 quarters (2 s) tempo halves; 4 more quarters (2 s)
    std::string events = std::string("\0\xff\x51\x03\x0f\x42\x40", 7) + std::string("\0\x90\x3c\x40", 4) +
                         std::string("\x81\x40\xff\x51\x03\x07\xa1\x20", 8) + std::string("\x83\x00\x80\x3c\x00", 5);
    const MidiSummary open_ended = read_midi(header + track(events));
    ASSERT_TRUE(open_ended.ok) << open_ended.error;
    EXPECT_FALSE(open_ended.every_track_ends);
    EXPECT_EQ(open_ended.note_ons, 1);
    EXPECT_NEAR(open_ended.seconds, 4.0, 1e-9);

    const MidiSummary ended = read_midi(header + track(events + std::string("\0\xff\x2f\0", 4)));
    ASSERT_TRUE(ended.ok) << ended.error;
    EXPECT_TRUE(ended.every_track_ends);
    EXPECT_FALSE(read_midi(header + track(events).substr(0, 20)).ok);
}

std::vector<std::filesystem::path> songs() {
    std::vector<std::filesystem::path> v;
    for (const auto& e : std::filesystem::directory_iterator(kAssets / "music")) v.push_back(e.path());
    std::sort(v.begin(), v.end());
    return v;
}

TEST(AssetSongs, MusicFolderHoldsOnlyPlayableSongs) {
    const auto files = songs();
    EXPECT_GE(files.size(), 2u);
    EXPECT_LE(files.size(), 3u);
    int rate = 0, channels = 0, bytes = 0;
    ASSERT_TRUE(audio_open(rate, channels, bytes)) << SDL_GetError();
    for (const auto& f : files) {
        const std::string name = f.filename().string();
        // anything else in the folder would stop the song list
        ASSERT_EQ(f.extension(), ".mid") << name;
        const MidiSummary m = read_midi(read_file(f));
        ASSERT_TRUE(m.ok) << name << ": " << m.error;
        EXPECT_TRUE(m.format == 0 || m.format == 1) << name;
        EXPECT_TRUE(m.every_track_ends) << name;
        EXPECT_GT(m.note_ons, 100) << name;
        EXPECT_GT(m.seconds, 20.0) << name;
        EXPECT_LT(m.seconds, 120.0) << name;
        Mix_Music* music = Mix_LoadMUS(f.string().c_str());
        EXPECT_NE(music, nullptr) << name << ": " << Mix_GetError();
        if (music) Mix_FreeMusic(music);
    }
}

// ---------------------------------------------------------------------------------------
// Texts.

QString text(const QString& resource, bool& valid_utf8) {
    init_assets();
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly)) {
        valid_utf8 = false;
        return {};
    }
    QStringDecoder decode(QStringDecoder::Utf8);
    const QString s = decode(file.readAll());
    valid_utf8 = !decode.hasError();
    return s;
}

TEST(AssetTexts, RulesHaveThreeSectionsAndTheKeyFacts) {
    bool utf8 = false;
    const QString rules = text(QStringLiteral(":/rules.txt"), utf8);
    ASSERT_TRUE(utf8);
    const QStringList lines = rules.split(QLatin1Char('\n'));
    const qsizetype how = lines.indexOf(QStringLiteral("How to play"));
    const qsizetype points = lines.indexOf(QStringLiteral("Points calculation"));
    ASSERT_GT(how, 5) << "the introduction comes first";
    ASSERT_GT(points, how + 3);
    EXPECT_GE(lines.size(), 35);
    EXPECT_LE(lines.size(), 55);
    const QString intro = lines.mid(0, how).join(QLatin1Char(' '));
    for (const char* fact : {"Dolvaro a calvone", "four players", "40-card", "3, 2, 1, 10, 9, 8, 7, 6, 5, 4",
                             "Ace of bastoni", "11 points", "21 points", "110 points"})
        EXPECT_TRUE(intro.contains(QLatin1String(fact))) << fact;
    const QString play = lines.mid(how, points - how).join(QLatin1Char(' '));
    EXPECT_TRUE(play.contains(QLatin1String("10 cards")));
    EXPECT_TRUE(play.contains(QLatin1String("right")));
    EXPECT_TRUE(lines.mid(points).join(QLatin1Char(' ')).contains(QLatin1String("110 points")));
}

TEST(AssetTexts, InfoHasFourLines) {
    bool utf8 = false;
    QString info = text(QStringLiteral(":/info.txt"), utf8);
    ASSERT_TRUE(utf8);
    if (info.endsWith(QLatin1Char('\n'))) info.chop(1);
    const QStringList lines = info.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0].trimmed(), QStringLiteral("Dolvaro a calvone 1.2"));
    EXPECT_TRUE(lines[0].startsWith(QLatin1Char(' ')) && lines[0].endsWith(QLatin1Char(' ')));
    EXPECT_EQ(lines[1], QStringLiteral("Cards from Piacenza"));
    EXPECT_TRUE(lines[2].contains(QLatin1String("Orbenza")));
    EXPECT_FALSE(lines[3].trimmed().isEmpty());
}

}  // namespace
