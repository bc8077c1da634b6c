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

// Pixels of the image for which the test holds.
template <class Test>
int count(const QImage& img, QRect area, Test test) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += test(img.pixel(x, y));
    return n;
}

TEST(AssetPictures, RenderAtTheirDesignSizes) {
    std::map<QString, QSize> sizes = {{":/back_upright.svg", {85, 153}}, {":/back_side.svg", {153, 85}},
                                      {":/title.svg", {161, 67}},        {":/icon.svg", {32, 32}},
                                      {":/pointer.svg", {32, 32}}};
    for (int code = 1; code <= 40; ++code) sizes[face(code)] = {85, 153};
    for (const auto& [name, size] : sizes) EXPECT_EQ(render(name).size(), size) << name.toStdString();
}

// The back is one design upright and on its side, mostly dark where faces are mostly white;
// every face differs from the back and from every other face.
TEST(AssetPictures, BackIsOneDesignTurnedAndEveryFaceDiffers) {
    const QImage back = render(":/back_upright.svg"), side = render(":/back_side.svg");
    const QImage turned = back.transformed(QTransform().rotate(90));
    ASSERT_EQ(turned.size(), side.size());
    EXPECT_LT(difference(turned, side), 3.0);
    EXPECT_TRUE(qAlpha(back.pixel(0, 0)) == 0 && qAlpha(side.pixel(0, 0)) == 0);  // rounded corners
    EXPECT_GT(count(back, back.rect(), [](QRgb p) { return qGray(p) < 128; }), 85 * 153 / 2);
    for (int a = 0; a < 40; ++a) {
        ASSERT_FALSE(faces()[a].isNull()) << a + 1;
        EXPECT_NE(faces()[a], back) << a + 1;
        for (int b = a + 1; b < 40; ++b) EXPECT_NE(faces()[a], faces()[b]) << a + 1 << " and " << b + 1;
    }
}

// In the hand the cards overlap and only their left side shows: the corner alone must tell
// the ten cards of a suit apart, and, in the suit's colour, a number's four suits.
TEST(AssetPictures, CornerIndexDiffersWithinEachSuitAndBetweenSuits) {
    const auto corner = [](int code) { return faces()[code - 1].copy(0, 0, 20, 32); };
    for (int a = 1; a <= 40; ++a)
        for (int b = a + 1; b <= 40; ++b) {
            const bool same_suit = (a - 1) / 10 == (b - 1) / 10, same_number = a % 10 == b % 10;
            if (same_suit || same_number) {
                EXPECT_GT(difference(corner(a), corner(b)), same_suit ? 2.0 : 6.0) << "cards " << a << " and " << b;
            }
        }
}

// Transparent outside the rounded corners, a dark border all round, mostly white inside it.
TEST(AssetPictures, FacesAreWhiteCardsWithRoundedCorners) {
    for (int code = 1; code <= 40; ++code) {
        const QImage& img = faces()[code - 1];
        for (QPoint p : {QPoint(0, 0), QPoint(84, 0), QPoint(0, 152), QPoint(84, 152)})
            EXPECT_EQ(qAlpha(img.pixel(p)), 0) << code << " at " << p.x() << "," << p.y();
        for (QPoint p : {QPoint(42, 0), QPoint(0, 76), QPoint(84, 76), QPoint(42, 152)})
            EXPECT_LT(qGray(img.pixel(p)), 110) << code << " at " << p.x() << "," << p.y();
        EXPECT_TRUE(light(img.pixel(42, 2)) && light(img.pixel(2, 76))) << code;
        EXPECT_GT(count(img, QRect(3, 3, 79, 147), light), 79 * 147 / 2) << code << ": the face is not mostly white";
    }
}

// A card on a transparent ground, its top-left corner on the hot spot.
TEST(AssetPictures, PointerIsACardOnATransparentGround) {
    const QImage img = render(":/pointer.svg");
    EXPECT_TRUE(qAlpha(img.pixel(0, 0)) > 128 && qGray(img.pixel(0, 0)) < 110 && light(img.pixel(5, 22)));
    for (QPoint p : {QPoint(31, 0), QPoint(0, 31), QPoint(31, 31)}) EXPECT_EQ(qAlpha(img.pixel(p)), 0);
}

// Opens audio unless the game's device code has done so already in this process; it stays
// open for whoever comes next. Gives the bytes one second of sound takes in the mixer.
std::optional<int> open_audio() {
    int rate = 0, channels = 0;
    Uint16 format = 0;
    if (Mix_QuerySpec(&rate, &format, &channels) == 0 &&
        (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0 || Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0 ||
         Mix_QuerySpec(&rate, &format, &channels) == 0))
        return {};
    return rate * channels * SDL_AUDIO_BITSIZE(format) / 8;
}

std::string read_file(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(AssetSound, CardRustleIsAShortMonoPcmWave) {
    const auto path = kAssets / "carta.wav";
    const std::string b = read_file(path);
    ASSERT_GE(b.size(), 44u);
    EXPECT_EQ(b.substr(0, 4) + b.substr(8, 8), "RIFFWAVEfmt ");
    EXPECT_EQ(b.substr(20, 4), std::string("\1\0\1\0", 4));  // PCM, mono
    EXPECT_EQ(b.substr(34, 2), std::string("\x10\0", 2));     // 16-bit
    const auto bytes_per_second = open_audio();
    if (!bytes_per_second) GTEST_SKIP() << "no audio device to load the sound: " << SDL_GetError();
    Mix_Chunk* chunk = Mix_LoadWAV(path.string().c_str());
    ASSERT_NE(chunk, nullptr) << Mix_GetError();
    const double seconds = double(chunk->alen) / *bytes_per_second;
    Mix_FreeChunk(chunk);
    EXPECT_TRUE(seconds > 0.05 && seconds < 0.3) << seconds << " s";
}

// A standard MIDI file's play time in seconds by its tempo map, up to its last event; nothing
// when the file is malformed or a track does not close with the end-of-track event. Counts the
// notes struck.
std::optional<double> midi_seconds(const std::string& b, int& note_ons) try {
    std::size_t pos = 8;
    const auto at = [&](std::size_t i) { return unsigned(static_cast<unsigned char>(b.at(i))); };
    const auto number = [&](int bytes) {  // big-endian
        std::uint32_t v = 0;
        while (bytes-- > 0) v = v << 8 | at(pos++);
        return v;
    };
    const auto variable = [&] {
        std::uint32_t v = 0;
        for (unsigned c = 0x80; c & 0x80; v = v << 7 | (c & 0x7f)) c = at(pos++);
        return v;
    };
    if (b.compare(0, 8, std::string("MThd\0\0\0\6", 8)) != 0) return {};
    const std::uint32_t format = number(2), tracks = number(2), division = number(2);
    if (format > 1 || (division & 0x8000)) return {};
    std::map<std::uint32_t, std::uint32_t> tempo{{0, 500000}};  // tick -> microseconds per quarter
    std::uint32_t last_tick = 0;
    for (std::uint32_t t = 0; t < tracks; ++t) {
        if (b.compare(pos, 4, "MTrk") != 0) return {};
        pos += 4;
        const std::size_t length = number(4), end = pos + length;
        if (end > b.size()) return {};
        unsigned status = 0, meta = 0;
        for (std::uint32_t tick = 0; pos < end; last_tick = std::max(last_tick, tick)) {
            tick += variable();
            const unsigned c = at(pos++);
            meta = c == 0xff ? at(pos++) : 0;
            if (c == 0xff || c == 0xf0 || c == 0xf7) {  // meta and system exclusive events
                const std::size_t data = variable(), next = pos + data;
                if (meta == 0x51) tempo[tick] = number(3);
                pos = next;
            } else {  // channel events
                status = c & 0x80 ? c : status;
                pos -= c & 0x80 ? 0 : 1;                 // running status: that byte was data
                pos += (status & 0xe0) == 0xc0 ? 1 : 2;  // program change and pressure carry one byte
                note_ons += (status & 0xf0) == 0x90 && at(pos - 1) > 0;
            }
        }
        if (pos != end || meta != 0x2f) return {};
    }
    double micros = 0;
    for (auto i = tempo.begin(); i != tempo.end() && i->first < last_tick; ++i) {
        const std::uint32_t until = std::next(i) == tempo.end() ? last_tick : std::min(std::next(i)->first, last_tick);
        micros += double(until - i->first) * i->second / division;
    }
    return micros / 1e6;
} catch (const std::out_of_range&) {
    return {};  // an event runs past the end of the file
}

TEST(AssetSongs, MusicFolderHoldsOnlyPlayableSongs) {
    std::vector<std::filesystem::path> files;
    for (const auto& e : std::filesystem::directory_iterator(kAssets / "music")) files.push_back(e.path());
    EXPECT_TRUE(files.size() == 2 || files.size() == 3) << files.size();
    const bool audio = open_audio().has_value();
    for (const auto& f : files) {
        const std::string name = f.filename().string();
        ASSERT_EQ(f.extension(), ".mid") << name;  // anything else in the folder would stop the song list
        int note_ons = 0;
        const std::optional<double> seconds = midi_seconds(read_file(f), note_ons);
        ASSERT_TRUE(seconds) << name << " is malformed or a track lacks its end";
        EXPECT_GT(note_ons, 100) << name;
        EXPECT_TRUE(*seconds > 20 && *seconds < 120) << name << ": " << *seconds << " s";
        if (!audio) continue;
        Mix_Music* music = Mix_LoadMUS(f.string().c_str());
        EXPECT_NE(music, nullptr) << name << ": " << Mix_GetError();
        if (music) Mix_FreeMusic(music);
    }
    if (!audio) GTEST_SKIP() << "no audio device to load the songs: " << SDL_GetError();
}

// A text resource as lines, or nothing when it is missing or not UTF-8.
std::optional<QStringList> text_lines(const char* resource) {
    init_assets();
    QFile file(QString::fromLatin1(resource));
    if (!file.open(QIODevice::ReadOnly)) return {};
    QStringDecoder decode(QStringDecoder::Utf8);
    QString text = decode(file.readAll());
    if (decode.hasError()) return {};
    if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
    return text.split(QLatin1Char('\n'));
}

TEST(AssetTexts, RulesHaveThreeSectionsAndTheKeyFacts) {
    const auto lines = text_lines(":/rules.txt");
    ASSERT_TRUE(lines);
    const qsizetype how = lines->indexOf("How to play"), points = lines->indexOf("Points calculation");
    ASSERT_GT(how, 5) << "the introduction comes first";
    ASSERT_GT(points, how + 3);
    EXPECT_TRUE(lines->size() >= 35 && lines->size() <= 55) << lines->size();
    const QString intro = lines->mid(0, how).join(' '), play = lines->mid(how, points - how).join(' ');
    for (const char* fact : {"Dolvaro a calvone", "four players", "40-card", "3, 2, 1, 10, 9, 8, 7, 6, 5, 4",
                             "Ace of bastoni", "11 points", "21 points", "110 points"})
        EXPECT_TRUE(intro.contains(QLatin1String(fact))) << fact;
    EXPECT_TRUE(play.contains(QLatin1String("10 cards")) && play.contains(QLatin1String("right")));
    EXPECT_TRUE(lines->mid(points).join(' ').contains(QLatin1String("110 points")));
}

TEST(AssetTexts, InfoHasFourLines) {
    const auto lines = text_lines(":/info.txt");
    ASSERT_TRUE(lines);
    ASSERT_EQ(lines->size(), 4);
    EXPECT_EQ((*lines)[0].trimmed(), "Dolvaro a calvone 1.2");
    EXPECT_TRUE((*lines)[0].startsWith(' ') && (*lines)[0].endsWith(' '));  // centred
    EXPECT_EQ((*lines)[1], "Cards from Piacenza");
    EXPECT_TRUE((*lines)[2].contains(QLatin1String("Orbenza")));
    EXPECT_FALSE((*lines)[3].trimmed().isEmpty());
}

}  // namespace
