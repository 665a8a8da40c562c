#include "console/datadir.h"

#include "console/textcodec.h"
#include "platform/platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

namespace tarvos {

DataDir::DataDir(QString directory) : m_directory(std::move(directory)) {}

QString DataDir::path(const QString &name) const {
    return QDir(m_directory).filePath(name);
}

bool DataDir::exists(const QString &name) const {
    return QFileInfo(path(name)).isFile();
}

DataDir::ReadResult DataDir::read(const QString &name) const {
    ReadResult result;
    QFile file(path(name));
    if (!file.exists())
        return result;
    if (!file.open(QIODevice::ReadOnly)) {
        result.status = Status::Unreadable;
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.status = Status::Unreadable;
        return result;
    }
    result.status = Status::Ok;
    result.lines = splitDataLines(decodeDataText(bytes));
    return result;
}

DataDir::ReadResult DataDir::lines(const QString &name) const {
    const QFileInfo info(path(name));
    if (!info.isFile()) {
        m_cache.remove(name);
        return ReadResult{info.exists() ? Status::Unreadable : Status::Missing, {}};
    }
    auto it = m_cache.find(name);
    if (it != m_cache.end() && it->modified == info.lastModified() && it->size == info.size())
        return ReadResult{Status::Ok, it->lines};
    ReadResult result = read(name);
    if (result.status == Status::Ok)
        m_cache.insert(name, CacheEntry{info.lastModified(), info.size(), result.lines});
    else
        m_cache.remove(name);
    return result;
}

std::optional<QByteArray> DataDir::readBytes(const QString &name) const {
    QFile file(path(name));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

static QByteArray encodeLines(const QStringList &lines, bool utf8 = false) {
    QString text;
    for (const QString &line : lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    return utf8 ? text.toUtf8() : encodeWindows1252(text);
}

// QSaveFile writes a temporary file beside the old one, syncs it to the disk and renames it over
// the old one, so that the old file stays whole until the new one is.
bool DataDir::replaceBytes(const QString &name, const QByteArray &bytes) const {
    QSaveFile file(path(name));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        file.commit();
        return false;
    }
    return file.commit();
}

bool DataDir::replace(const QString &name, const QStringList &lines) const {
    return replaceBytes(name, encodeLines(lines));
}

bool DataDir::replaceUtf8(const QString &name, const QStringList &lines) const {
    return replaceBytes(name, encodeLines(lines, true));
}

bool DataDir::appendLines(const QString &name, const QStringList &lines) const {
    std::optional<QByteArray> bytes = readBytes(name);
    if (!bytes)
        return false;
    if (!bytes->isEmpty() && !bytes->endsWith('\n'))
        *bytes += "\r\n";
    *bytes += encodeLines(lines, isUtf8WithMultibyte(*bytes));
    return replaceBytes(name, *bytes);
}

bool DataDir::append(const QString &name, const QString &line) const {
    QFile file(path(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const qint64 before = file.size();
    const QByteArray bytes = encodeLines({line});
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    if (!written) {
        file.resize(before);
        return false;
    }
    return true;
}

DataDir::OpenResult DataDir::openOrCreate(const DefaultFile &file, MessageBox &messages) const {
    const ReadResult existing = lines(file.name);
    if (existing.status == Status::Ok)
        return OpenResult{Outcome::Existing, existing.lines};
    if (existing.status == Status::Missing && replace(file.name, file.lines)) {
        messages.show(file.message);
        return OpenResult{Outcome::Created, file.lines};
    }
    if (!m_warned.contains(file.name)) {
        m_warned.insert(file.name);
        messages.show(QStringLiteral("The file %1 could not be %2 in %3. Tarvos uses its "
                                     "built-in lines for it until the file can be %2.")
                          .arg(file.name,
                               existing.status == Status::Missing ? QStringLiteral("created")
                                                                  : QStringLiteral("read"),
                               QDir::toNativeSeparators(m_directory)));
    }
    return OpenResult{Outcome::BuiltIn, file.lines};
}

static bool canCreateFilesIn(const QString &dir) {
    if (dir.isEmpty() || !QFileInfo(dir).isDir())
        return false;
    QTemporaryFile probe(QDir(dir).filePath(QStringLiteral(".tarvos-probe-XXXXXX")));
    return probe.open();
}

// An installed program has its launcher entry in the installation's share folder, or its
// installer's uninstaller beside it. Its folder holds programs, not a controller's tables, even
// where it is writable (run as root or administrator).
static bool isInstalledProgramDir(const QString &dir) {
    return QFileInfo::exists(dir + QStringLiteral("/../share/applications/tarvos.desktop")) ||
           QFileInfo::exists(dir + QStringLiteral("/Uninstall.exe"));
}

QString chooseDataDirectory(const QString &commandLineDir, const QString &programDir,
                            const QString &userDataDir) {
    if (!commandLineDir.isEmpty()) {
        // A folder named for a new airport is made, so that its squawk.txt and log.txt have a
        // place to go.
        const QString directory = QDir(commandLineDir).absolutePath();
        QDir().mkpath(directory);
        return directory;
    }
    if (!isInstalledProgramDir(programDir) && canCreateFilesIn(programDir))
        return programDir;
    QDir().mkpath(userDataDir);
    return userDataDir;
}

} // namespace tarvos
