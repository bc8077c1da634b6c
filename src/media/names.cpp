#include "media/names.h"

#include <QList>
#include <QString>
#include <QTextBoundaryFinder>

namespace media {

namespace {

// Characters that steer the text instead of showing: C0, DEL and C1 controls (a C1 line break
// among them), the bidirectional embeddings, overrides and isolates, which would turn the rest
// of the table's text around, and the line and paragraph separators.
bool control(char32_t c) {
    return c < 0x20 || (c >= 0x7f && c <= 0x9f) || (c >= 0x202a && c <= 0x202e) || (c >= 0x2066 && c <= 0x2069) ||
           c == 0x2028 || c == 0x2029;
}

// Bytes that are not UTF-8 come out as the replacement character, never as a half character.
QString from_utf8(std::string_view utf8) { return QString::fromUtf8(utf8.data(), qsizetype(utf8.size())); }

std::vector<QString> graphemes(const QString& text) {
    std::vector<QString> result;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    for (qsizetype start = 0, end; (end = finder.toNextBoundary()) > 0; start = end)
        result.push_back(text.mid(start, end - start));
    return result;
}

QString without_controls(std::string_view utf8) {
    QString shown;
    for (const char32_t c : from_utf8(utf8).toUcs4())
        if (!control(c)) shown.append(QString::fromUcs4(&c, 1));
    return shown;
}

}  // namespace

std::vector<std::string> letters(std::string_view utf8) {
    std::vector<std::string> result;
    for (const QString& letter : graphemes(from_utf8(utf8))) result.push_back(letter.toStdString());
    return result;
}

int shown_characters(std::string_view utf8) { return int(without_controls(utf8).toUcs4().size()); }

bool only_adds_to(std::string_view name, std::string_view text) {
    if (text.size() <= name.size()) return false;
    std::size_t head = 0;
    while (head < name.size() && name[head] == text[head]) ++head;
    // What follows the new part is the rest of the name.
    return text.ends_with(name.substr(head));
}

std::string clean_name(std::string_view utf8) {
    const QString shown = without_controls(utf8);
    // Whole letters only, as long as their characters fit the limit.
    QString name;
    qsizetype characters = 0;
    for (const QString& letter : graphemes(shown)) {
        characters += letter.toUcs4().size();
        if (characters > kNameLimit) break;
        name += letter;
    }
    return name.toStdString();
}

}  // namespace media
