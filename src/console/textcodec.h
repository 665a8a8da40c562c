#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tarvos {

// Data files are single-byte Windows-1252 text. A file that a modern editor saved as UTF-8
// (valid UTF-8 with at least one multi-byte sequence) is read as UTF-8 instead, so that an
// edited "Türkisch" keeps its umlaut either way.
QString decodeDataText(const QByteArray &bytes);
// Whether `bytes` are read as UTF-8: valid UTF-8 with at least one multi-byte sequence.
bool isUtf8WithMultibyte(const QByteArray &bytes);

// What Tarvos writes is always Windows-1252; a character it cannot hold becomes "?".
QByteArray encodeWindows1252(const QString &text);

// Lines ended by CR LF or LF alone; a last line without line end is a line, a final line end
// does not start another one.
QStringList splitDataLines(const QString &text);

} // namespace tarvos
