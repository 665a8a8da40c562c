#pragma once

#include <QDateTime>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

namespace tarvos {

class MessageBox;

// A data file that is created with its default lines, and announced, the first time an
// operation needs it and does not find it.
struct DefaultFile {
    QString name;
    QStringList lines;
    QString message;
};

// The folder of the data files and the rules they share: Windows-1252 (or UTF-8) text read
// line by line, atomic replacement, whole-line appends, and creation with defaults.
class DataDir {
public:
    explicit DataDir(QString directory);

    const QString &directory() const { return m_directory; }
    QString path(const QString &name) const;
    bool exists(const QString &name) const;

    enum class Status { Ok, Missing, Unreadable };
    struct ReadResult {
        Status status = Status::Missing;
        QStringList lines;
    };

    // Reads the whole file. Files are small except ICAO.txt, so lines() keeps the last read and
    // reads again only when the file's modification time or size changed.
    ReadResult read(const QString &name) const;
    ReadResult lines(const QString &name) const;

    // Replaces the file atomically (temporary file, then rename): a crash or a full disk leaves
    // the old file or the new one, never a half. Lines are written in Windows-1252 with CR LF.
    bool replace(const QString &name, const QStringList &lines) const;
    // The same in UTF-8, for a table whose names go beyond Windows-1252 (a made ICAO.txt);
    // its readers take valid UTF-8 as UTF-8.
    bool replaceUtf8(const QString &name, const QStringList &lines) const;

    // Adds whole lines after the last one, atomically as replace does: every byte the file held
    // stays as it was (a last line without its line end gets CR LF first), and the new lines
    // are written in the file's own encoding (UTF-8 where it is read so, else Windows-1252)
    // with CR LF. False, and the file untouched, when it cannot be read or written.
    bool appendLines(const QString &name, const QStringList &lines) const;

    // The same for a file of the console's own, taken byte for byte.
    bool replaceBytes(const QString &name, const QByteArray &bytes) const;
    std::optional<QByteArray> readBytes(const QString &name) const;

    // Adds one whole line at the end; on a failed or short write the file is cut back to its
    // former length, so no earlier line is ever touched.
    bool append(const QString &name, const QString &line) const;

    enum class Outcome { Existing, Created, BuiltIn };
    struct OpenResult {
        Outcome outcome = Outcome::Existing;
        QStringList lines;
        bool wasMissing() const { return outcome != Outcome::Existing; }
    };

    // The file's lines; a missing file is written with its defaults and its message is shown.
    // Where the file cannot be written, the defaults are used from memory and the controller is
    // told so once per file and run instead of on every use.
    OpenResult openOrCreate(const DefaultFile &file, MessageBox &messages) const;

private:
    struct CacheEntry {
        QDateTime modified;
        qint64 size = -1;
        QStringList lines;
    };

    QString m_directory;
    mutable QHash<QString, CacheEntry> m_cache;
    mutable QSet<QString> m_warned;
};

// The folder for the data files: the one named on the command line, else the program's own
// folder when it is writable and not that of an installed program, else the desktop's per-user
// data folder for Tarvos.
QString chooseDataDirectory(const QString &commandLineDir, const QString &programDir,
                            const QString &userDataDir);

} // namespace tarvos
