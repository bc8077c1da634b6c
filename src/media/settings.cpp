// The settings file: seven lines, CR LF, in the program's folder. Read once at start-up,
// rewritten whole after every option change.

#include <QStringDecoder>
#include <QStringList>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string_view>

#include "match/frm_gioco.h"
#include "media/names.h"

namespace {

constexpr const char* kSettingsName = "dolvset.kvq";
constexpr int kLines = 7;
// Longer lines are cut here: no valid value comes near it, and a huge line costs no memory.
constexpr std::size_t kLineLimit = 4096;

constexpr std::array<const char*, 5> kDefaultNames{"", "You", "Right", "Top", "Left"};

// A whole number with blanks around it, or nothing.
std::optional<long> whole_number(std::string_view line) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!line.empty() && blank(line.front())) line.remove_prefix(1);
    while (!line.empty() && blank(line.back())) line.remove_suffix(1);
    if (!line.empty() && line.front() == '+') line.remove_prefix(1);
    if (line.empty() || line.size() > 12) return std::nullopt;
    long value = 0;
    const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), value);
    if (error != std::errc() || end != line.data() + line.size()) return std::nullopt;
    return value;
}


std::string number_line(long value) {
    // Numbers are written with a blank for the sign before them and one blank after.
    return (value < 0 ? std::to_string(value) : " " + std::to_string(value)) + " ";
}

// Writes the file whole beside the old one, then puts it in its place: a crash or a full disk
// never leaves a truncated settings file.
bool write_atomically(const std::filesystem::path& target, const std::string& bytes) {
    std::string temp = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = mkstemp(temp.data());
    if (fd < 0) return false;
    struct stat old {};
    fchmod(fd, stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);
    std::size_t done = 0;
    bool ok = true;
    while (ok && done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) done += std::size_t(n);
    }
    ok = ok && fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && std::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
}

}  // namespace

void frmGioco::Set_Read() {
    play_rate = 2;
    card_rustle = 1;
    for (int i = 1; i <= 4; ++i) player_names[i] = kDefaultNames[i];
    song_index = 0;

    std::ifstream in(program_dir_ / kSettingsName, std::ios::binary);
    if (!in) return;

    std::array<std::string, kLines> raw;
    int count = 0;
    while (count < kLines && in.peek() != std::char_traits<char>::eof()) {
        std::string& line = raw[count++];
        char c;
        while (in.get(c) && c != '\n') {
            if (line.size() < kLineLimit) line.push_back(c);
        }
        if (!line.empty() && line.back() == '\r') line.pop_back();
    }

    // Text in UTF-8 where it is valid, otherwise one byte per character.
    std::string joined;
    for (int i = 0; i < count; ++i) joined += raw[i] + '\n';
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString decoded = utf8(QByteArrayView(joined.data(), qsizetype(joined.size())));
    if (utf8.hasError()) decoded = QString::fromLatin1(joined.data(), qsizetype(joined.size()));
    const QStringList lines = decoded.split(QLatin1Char('\n'));

    const auto number = [&](int index, long low, long high) -> std::optional<long> {
        if (index >= count) return std::nullopt;
        const auto value = whole_number(raw[index]);
        if (!value || *value < low || *value > high) return std::nullopt;
        return value;
    };
    if (const auto rate = number(0, 1, 3)) play_rate = std::uint8_t(*rate);
    if (const auto rustle = number(1, 0, 1)) card_rustle = std::uint8_t(*rustle);
    for (int i = 1; i <= 4; ++i) {
        if (1 + i < count) player_names[i] = media::clean_name(lines[1 + i].toStdString());
    }
    if (const auto mode = number(6, -32768, 32767)) song_index = std::int16_t(*mode);
}

void frmGioco::Set_Write() {
    std::string bytes;
    bytes += number_line(play_rate) + "\r\n";
    bytes += number_line(card_rustle) + "\r\n";
    for (int i = 1; i <= 4; ++i) bytes += player_names[i] + "\r\n";
    bytes += number_line(all[0].Checked() ? 101 : 0) + "\r\n";
    // A folder that cannot be written keeps the values in the window; nothing more to do.
    write_atomically(program_dir_ / kSettingsName, bytes);
}
