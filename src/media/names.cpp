#include "media/names.h"

#include <QString>

#include "match/table_state.h"

namespace media {

std::string clean_name(std::string_view utf8) {
    const QString text = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
    QString name;
    for (const QChar c : text) {
        if (c.unicode() >= 0x20 && c.unicode() != 0x7f) name.append(c);
    }
    return name.left(kNameLimit).toStdString();
}

}  // namespace media
