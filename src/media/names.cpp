#include "media/names.h"

#include <QList>
#include <QString>
#include <QTextBoundaryFinder>

#include <algorithm>

#include "match/table_state.h"

namespace media {

namespace {

// Characters that steer the text instead of showing: C0, DEL and C1 controls (a C1 line break
// among them), the bidirectional embeddings, overrides and isolates, which would turn the rest
// of the table's text around, and the line and paragraph separators.
bool control(char32_t c) {
    return c < 0x20 || (c >= 0x7f && c <= 0x9f) || (c >= 0x202a && c <= 0x202e) || (c >= 0x2066 && c <= 0x2069) ||
           c == 0x2028 || c == 0x2029;
}

}  // namespace

std::string clean_name(std::string_view utf8) {
    // Bytes that are not UTF-8 come out as the replacement character, never as a half character.
    const QString text = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
    QString name;
    int characters = 0;
    qsizetype cut = -1;
    for (const char32_t c : text.toUcs4()) {
        if (control(c)) continue;
        if (characters++ == kNameLimit) cut = name.size();
        name.append(QString::fromUcs4(&c, 1));
    }
    if (cut < 0) return name.toStdString();
    // Too long: cut where a character the reader sees ends, so that neither half of a pair of
    // code units nor a letter without its accent is left at the end.
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, name);
    graphemes.setPosition(cut);
    if (!graphemes.isAtBoundary()) cut = graphemes.toPreviousBoundary();
    return name.left(std::max<qsizetype>(cut, 0)).toStdString();
}

}  // namespace media
