#pragma once

// UTF-16 text between the program's strings and Qt's, unchanged in both directions.

#include <QString>

#include <string>
#include <string_view>

namespace qb {

inline QString QtText(std::u16string_view s) {
    return QString(reinterpret_cast<const QChar*>(s.data()), static_cast<qsizetype>(s.size()));
}

inline std::u16string TextOf(const QString& s) {
    return std::u16string(reinterpret_cast<const char16_t*>(s.utf16()), s.size());
}

}  // namespace qb
