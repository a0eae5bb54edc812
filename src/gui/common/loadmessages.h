#pragma once

// The messages of a league read that failed, shared by every way a league is read.

#include <QString>

#include <optional>

namespace vantrel {

inline QString NoBaseNameMessage() {
    return QStringLiteral("Es trat ein Fehler beim Lesen der Dateien auf!");
}
inline QString TeamFileMessage() {
    return QStringLiteral("Es trat ein Fehler beim Lesen der Team-Datei auf!");
}
inline QString RosterFileMessage() {
    return QStringLiteral("Es trat ein Fehler beim Lesen der Rooster-Datei auf!");
}
inline QString GeometryMessage() {
    return QString::fromUtf8(
        "Es trat ein Fehler beim Berechnen der relevanten Eintragsgrößen auf...!");
}

// The base of a chosen league file: the path up to its last "." (folder names included);
// none when the path has no ".".
inline std::optional<QString> LeagueBaseName(const QString& chosen) {
    const qsizetype dot = chosen.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? std::nullopt : std::optional<QString>(chosen.left(dot));
}

}  // namespace vantrel
