// The settings file: seven lines, CR LF, in the program's folder. Read once at start-up,
// rewritten whole after every option change.

#include <dirent.h>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <optional>
#include <random>
#include <string_view>

#include "match/frm_gioco.h"
#include "media/names.h"

namespace {

constexpr const char* kSettingsName = "dolvset.kvq";
constexpr int kLines = 7;
// Only the head of the file is read: seven short lines fit in it many times over, and a huge
// or endless file costs neither time nor memory.
constexpr std::size_t kReadLimit = 4096;
// A temporary file of a save this old was left by a run that ended in the middle of a save.
constexpr std::time_t kStaleSeconds = 60;

constexpr std::array<const char*, 5> kDefaultNames{"", "You", "Right", "Top", "Left"};

// Temporary files of a save are named this, followed by six random letters or digits.
std::string temporary_prefix() { return std::string(".") + kSettingsName + "."; }

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

// The first bytes of the file, one more than the limit when there are more; nothing when it is
// not a regular file. Opened without blocking, so that a FIFO never holds the start.
std::optional<std::string> read_head(const std::filesystem::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    std::optional<std::string> bytes;
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        bytes.emplace(kReadLimit + 1, '\0');
        std::size_t done = 0;
        while (done < bytes->size()) {
            const ssize_t n = ::read(fd, bytes->data() + done, bytes->size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            done += std::size_t(n);
        }
        bytes->resize(done);
    }
    ::close(fd);
    return bytes;
}

// Whether the bytes are well-formed UTF-8: no over-long form, no surrogate, nothing past U+10FFFF.
bool is_utf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char c = s[i];
        int more = 0;
        char32_t cp = 0, least = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xe0) == 0xc0) {
            more = 1, cp = c & 0x1f, least = 0x80;
        } else if ((c & 0xf0) == 0xe0) {
            more = 2, cp = c & 0x0f, least = 0x800;
        } else if ((c & 0xf8) == 0xf0) {
            more = 3, cp = c & 0x07, least = 0x10000;
        } else {
            return false;
        }
        if (s.size() - i <= std::size_t(more)) return false;
        for (int k = 1; k <= more; ++k) {
            const unsigned char next = s[i + k];
            if ((next & 0xc0) != 0x80) return false;
            cp = cp << 6 | (next & 0x3f);
        }
        if (cp < least || cp > 0x10ffff || (cp >= 0xd800 && cp <= 0xdfff)) return false;
        i += std::size_t(more) + 1;
    }
    return true;
}

// Drops a character that the read limit cut in two, so that the cut alone never makes a UTF-8
// line look like another character set.
void drop_cut_character(std::string& s) {
    for (std::size_t back = 1; back <= 3 && back <= s.size(); ++back) {
        const unsigned char c = s[s.size() - back];
        if ((c & 0xc0) == 0x80) continue;  // a continuation byte: look further back
        const std::size_t length = c >= 0xf0 ? 4 : c >= 0xe0 ? 3 : c >= 0xc0 ? 2 : 1;
        if (length > back) s.resize(s.size() - back);
        return;
    }
}

std::string latin1_to_utf8(std::string_view s) {
    std::string out;
    for (const char ch : s) {
        const unsigned char c = ch;
        if (c < 0x80) {
            out.push_back(ch);
        } else {
            out.push_back(char(0xc0 | c >> 6));
            out.push_back(char(0x80 | (c & 0x3f)));
        }
    }
    return out;
}

// The folder a file is in; "." for a bare name.
std::filesystem::path folder_of(const std::filesystem::path& file) {
    return file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
}

// Where a save puts the settings: the path itself, or, when it is a symbolic link (settings kept
// elsewhere), the end of its chain of links, each relative one read from its own link's folder.
// Nothing when that end exists and is not a regular file (a link to /dev/null keeps nothing, a
// FIFO or a folder is someone else's), or when the links loop: a save must never write into or
// replace such a thing. A missing end is fine: the save makes it, and the link then works.
std::optional<std::filesystem::path> save_target(std::filesystem::path file) {
    for (int links = 0; links <= 40; ++links) {  // the kernel's own limit on a chain of links
        struct stat st {};
        if (::lstat(file.c_str(), &st) != 0) {
            if (errno == ENOENT) return file;
            return std::nullopt;
        }
        if (S_ISREG(st.st_mode)) return file;
        if (!S_ISLNK(st.st_mode)) return std::nullopt;
        std::error_code error;
        const std::filesystem::path next = std::filesystem::read_symlink(file, error);
        if (error) return std::nullopt;
        // Joined without tidying: the kernel reads "folder/../x" as the link itself would.
        file = next.is_absolute() ? next : folder_of(file) / next;
    }
    return std::nullopt;
}

// A save that was cut short (the program killed between making its temporary file and putting
// it in place) leaves that file behind, beside the settings it was to replace; the next start
// or save clears it. A young one may belong to a save under way in a second copy of the game,
// and stays. Only names of our own form are looked at.
void remove_stale_temporaries(const std::filesystem::path& dir) {
    DIR* listing = ::opendir(dir.c_str());
    if (!listing) return;
    const std::string prefix = temporary_prefix();
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(listing)) {
        const std::string_view name = entry->d_name;
        if (name.size() != prefix.size() + 6 || !name.starts_with(prefix)) continue;
        const std::filesystem::path path = dir / name;
        struct stat st {};
        if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && now - st.st_mtime >= kStaleSeconds)
            ::unlink(path.c_str());
    }
    ::closedir(listing);
}

bool write_all(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(std::size_t(n));
    }
    return true;
}

// A new temporary file in the folder, named as remove_stale_temporaries knows them. Made with
// mode 0666 for the kernel to apply the umask (and a default ACL) to, as to any new file: mkstemp
// would fix it at 0600, and asking for the umask changes it for the whole process.
int make_temporary(const std::filesystem::path& dir, std::string& name) {
    static constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    // O_EXCL keeps the name unique; the randomness only spares retries. Never an exception here.
    std::uint64_t seed = 0;
    if (getrandom(&seed, sizeof seed, GRND_NONBLOCK) != ssize_t(sizeof seed))
        seed = std::uint64_t(std::chrono::steady_clock::now().time_since_epoch().count()) ^ std::uint64_t(getpid());
    std::mt19937_64 random(seed);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string suffix;
        for (int i = 0; i < 6; ++i) suffix.push_back(kLetters[random() % kLetters.size()]);
        name = (dir / (temporary_prefix() + suffix)).string();
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Writes the file whole beside the old one, then puts it in its place: a crash or a full disk
// never leaves a truncated settings file. A replaced file keeps its permission bits. Nothing
// when the folder takes no new file.
std::optional<bool> write_atomically(const std::filesystem::path& target, const std::string& bytes) {
    std::string temp;
    const int fd = make_temporary(folder_of(target), temp);
    if (fd < 0) return std::nullopt;
    struct stat old {};
    if (::lstat(target.c_str(), &old) == 0) fchmod(fd, old.st_mode & 07777);
    bool ok = write_all(fd, bytes) && fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && std::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
}

// Where the folder refuses a new file but the file itself may be written (a shared install),
// the file is written over. Only a regular file: never a device or a FIFO the name points to.
bool write_in_place(const std::filesystem::path& target, const std::string& bytes) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    struct stat st {};
    bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && write_all(fd, bytes) &&
              ftruncate(fd, off_t(bytes.size())) == 0 && fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    return ok;
}

}  // namespace

void frmGioco::Set_Read() {
    play_rate = 2;
    card_rustle = 1;
    for (int i = 1; i <= 4; ++i) player_names[i] = kDefaultNames[i];
    song_index = 0;

    const std::filesystem::path file = program_dir_ / kSettingsName;
    if (const auto target = save_target(file)) remove_stale_temporaries(folder_of(*target));
    std::optional<std::string> bytes = read_head(file);
    if (!bytes) return;
    if (bytes->size() > kReadLimit) {
        bytes->resize(kReadLimit);
        drop_cut_character(*bytes);
    }
    if (bytes->starts_with("\xEF\xBB\xBF")) bytes->erase(0, 3);

    // Each line in UTF-8 where it is UTF-8, otherwise one byte per character: a name written by
    // another program in another character set spoils no other line. Decided before any name is cut.
    std::array<std::string, kLines> lines;
    int count = 0;
    for (std::string_view rest = *bytes; count < kLines && !rest.empty(); ++count) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        if (line.ends_with('\r')) line.remove_suffix(1);
        lines[count] = is_utf8(line) ? std::string(line) : latin1_to_utf8(line);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    }

    const auto number = [&](int index, long low, long high) -> std::optional<long> {
        if (index >= count) return std::nullopt;
        const auto value = whole_number(lines[index]);
        if (!value || *value < low || *value > high) return std::nullopt;
        return value;
    };
    if (const auto rate = number(0, 1, 3)) play_rate = std::uint8_t(*rate);
    if (const auto rustle = number(1, 0, 1)) card_rustle = std::uint8_t(*rustle);
    for (int i = 1; i <= 4; ++i) {
        if (1 + i < count) player_names[i] = media::clean_name(lines[1 + i]);
    }
    if (const auto mode = number(6, -32768, 32767)) song_index = std::int16_t(*mode);
}

void frmGioco::Set_Write() {
    std::string bytes;
    bytes += number_line(play_rate) + "\r\n";
    bytes += number_line(card_rustle) + "\r\n";
    for (int i = 1; i <= 4; ++i) bytes += player_names[i] + "\r\n";
    bytes += number_line(all[0].Checked() ? 101 : 0) + "\r\n";
    // Settings that cannot be written at all, or lead to something that is not a file, leave the
    // values in the window; nothing more to do.
    const auto target = save_target(program_dir_ / kSettingsName);
    if (!target) return;
    remove_stale_temporaries(folder_of(*target));
    if (!write_atomically(*target, bytes).has_value()) write_in_place(*target, bytes);
}
