// The game's own pictures, sound, songs and texts: that each loads, has the size the table
// expects, and can be told apart from the others at a glance.
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "media/mci_device.h"

using namespace std::string_literals;

// The resources live in a static library; this pulls them into the test program.
[[maybe_unused]] static const bool assets_ready = [] { Q_INIT_RESOURCE(assets); return true; }();

namespace {

const std::filesystem::path kAssets = std::filesystem::path(DOLVARO_SOURCE_DIR) / "assets";

QString face(int code) { return QStringLiteral(":/cards/%1.svg").arg(code, 2, 10, QLatin1Char('0')); }

QImage render(const QString& resource) {
    QSvgRenderer renderer(resource);
    QImage image(renderer.defaultSize(), QImage::Format_RGBA8888);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

// Mean difference per channel between two images of one size and format, 0..255.
double difference(const QImage& a, const QImage& b) {
    double sum = 0;
    for (qsizetype i = 0; i < a.sizeInBytes(); ++i) sum += std::abs(a.constBits()[i] - b.constBits()[i]);
    return sum / double(a.sizeInBytes());
}

// Every picture renders at its size. The back is one design upright and on its side; every face
// differs from the back and from every other face. In the hand the cards overlap and only their
// left side shows: the corner alone must tell the ten cards of a suit apart, and, in the suit's
// colour, a number's four suits.
TEST(AssetPictures, RenderAtTheirSizesAndFacesAndCornersDiffer) {
    std::map<QString, QSize> sizes = {{":/back_upright.svg", {85, 153}}, {":/back_side.svg", {153, 85}},
                                      {":/title.svg", {161, 67}},        {":/icon.svg", {32, 32}},
                                      {":/pointer.svg", {32, 32}}};
    for (int code = 1; code <= 40; ++code) sizes[face(code)] = {85, 153};
    std::map<QString, QImage> images;
    for (const auto& [name, size] : sizes) ASSERT_EQ((images[name] = render(name)).size(), size) << name.toStdString();
    const QImage& back = images[":/back_upright.svg"];
    EXPECT_LT(difference(back.transformed(QTransform().rotate(90)), images[":/back_side.svg"]), 3.0);
    std::set<QByteArray> looks;
    for (const auto& [name, image] : images)
        looks.emplace(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
    EXPECT_EQ(looks.size(), images.size()) << "two pictures look the same";
    const auto corner = [&](int code) { return images[face(code)].copy(0, 0, 20, 32); };
    for (int a = 1; a <= 40; ++a)
        for (int b = a + 1; b <= 40; ++b) {
            const double least = (a - 1) / 10 == (b - 1) / 10 ? 2.0 : a % 10 == b % 10 ? 6.0 : -1;  // suit, number
            EXPECT_GT(difference(corner(a), corner(b)), least) << "corners " << a << " and " << b;
        }
}

// The bytes of a file or resource; none when it cannot be read.
std::string contents(const std::string& name) {
    QFile file(QString::fromStdString(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

TEST(AssetSound, CardRustleIsAShortMonoPcmWave) {
    const std::string b = contents(kAssets / "carta.wav");
    ASSERT_GE(b.size(), 44u);
    // RIFF WAVE, PCM, mono, 16-bit, the samples right after the format.
    EXPECT_EQ(b.substr(0, 4) + b.substr(8, 8) + b.substr(20, 4) + b.substr(34, 6), "RIFFWAVEfmt \1\0\1\0\x10\0data"s);
    const quint32 per_second = qFromLittleEndian<quint32>(&b[28]), bytes = qFromLittleEndian<quint32>(&b[40]);
    EXPECT_TRUE(bytes > 0.05 * per_second && bytes < 0.3 * per_second && 44 + bytes <= b.size()) << bytes << " bytes";
}

// The notes a standard MIDI file strikes; -1 when it is malformed or a track does not close with
// the end-of-track event.
int midi_notes(const std::string& b) try {
    std::size_t pos = 0;
    const auto number = [&](int bytes, std::uint32_t v = 0) {  // big-endian
        while (bytes-- > 0) v = v << 8 | std::uint8_t(b.at(pos++));
        return v;
    };
    const auto variable = [&](std::uint32_t v = 0) {
        for (unsigned c = 0x80; c & 0x80; v = v << 7 | (c & 0x7f)) c = number(1);
        return v;
    };
    // "MThd", six bytes: format 0 or 1, the tracks, ticks per quarter note (not frames).
    const std::uint32_t head = number(4), size = number(4), format = number(2), tracks = number(2), ticks = number(2);
    if (head != 0x4d546864 || size != 6 || format > 1 || ticks & 0x8000) return -1;
    int notes = 0;
    for (std::uint32_t t = 0; t < tracks; ++t) {
        if (number(4) != 0x4d54726b) return -1;  // "MTrk"
        const std::size_t end = number(4) + pos;
        unsigned status = 0, meta = 0;
        while (pos < end) {
            variable();  // the time since the last event
            const unsigned c = number(1);
            meta = c == 0xff ? number(1) : 0;
            if (c == 0xff || c == 0xf0 || c == 0xf7) pos += variable();  // meta and system exclusive events
            else {  // channel events; under the running status the first byte is data
                status = c & 0x80 ? c : (--pos, status);
                pos += (status & 0xe0) == 0xc0 ? 1 : 2;  // program change and pressure carry one byte
                notes += (status & 0xf0) == 0x90 && std::uint8_t(b.at(pos - 1)) > 0;
            }
        }
        if (pos != end || meta != 0x2f) return -1;
    }
    return notes;
} catch (const std::out_of_range&) { return -1; }  // an event runs past the end of the file

TEST(AssetSongs, MusicFolderHoldsOnlyPlayableSongs) {
    // The game's own audio output, opened once for the process.
    const bool audio = media::MciDevice::audio_available();
    const auto songs = std::distance(std::filesystem::directory_iterator(kAssets / "music"), {});
    EXPECT_TRUE(songs == 2 || songs == 3) << songs;
    for (const auto& e : std::filesystem::directory_iterator(kAssets / "music")) {
        ASSERT_EQ(e.path().extension(), ".mid") << e.path();  // anything else in the folder would stop the song list
        EXPECT_GT(midi_notes(contents(e.path())), 100) << e.path() << ": -1 is malformed or lacks a track's end";
        Mix_Music* music = audio ? Mix_LoadMUS(e.path().c_str()) : nullptr;
        EXPECT_TRUE(music || !audio) << e.path() << ": " << Mix_GetError();
        Mix_FreeMusic(music);
    }
    if (!audio) GTEST_SKIP() << "no audio device to load the songs";
}

TEST(AssetTexts, RulesHaveThreeSectionsAndTheKeyFactsAndInfoFourLines) {
    const QString rules = QString::fromStdString(contents(":/rules.txt")),
                  info = QString::fromStdString(contents(":/info.txt"));
    EXPECT_FALSE(rules.isEmpty() || (rules + info).contains(QChar::ReplacementCharacter)) << "missing or not UTF-8";
    const auto lines_of = [](const QString& text) { return text.chopped(text.endsWith('\n') ? 1 : 0).split('\n'); };
    const QStringList lines = lines_of(rules), l = lines_of(info);
    const qsizetype how = lines.indexOf("How to play"), points = lines.indexOf("Points calculation");
    ASSERT_TRUE(how > 5 && points > how + 3 && lines.size() >= 35 && lines.size() <= 55) << lines.size() << " lines";
    const QString intro = lines.mid(0, how).join(' '), play = lines.mid(how, points - how).join(' ');
    for (const char* fact : {"Dolvaro a calvone", "four players", "40-card", "3, 2, 1, 10, 9, 8, 7, 6, 5, 4",
                             "Ace of bastoni", "11 points", "21 points", "110 points"})
        EXPECT_TRUE(intro.contains(QLatin1String(fact))) << fact;
    EXPECT_TRUE(play.contains(QLatin1String("10 cards")) && play.contains(QLatin1String("right")));
    EXPECT_TRUE(lines.mid(points).join(' ').contains(QLatin1String("110 points")));
    ASSERT_EQ(l.size(), 4);
    EXPECT_TRUE(l[0].trimmed() == "Dolvaro a calvone 1.2" && l[0].startsWith(' ') && l[0].endsWith(' ')) << "centred title";
    EXPECT_TRUE(l[1] == "Cards from Piacenza" && l[2].contains(QLatin1String("Orbenza")) && !l[3].trimmed().isEmpty());
}

}  // namespace
