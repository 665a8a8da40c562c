#include "console/networkconfig.h"

#include "platform/desktopconventions.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStringList>
#include <QUrl>

namespace tarvos {

namespace {

// QSettings reads "a,b" as a list; a URL with a comma is one value.
QString stringValue(const QSettings &settings, const QString &key, const QString &fallback) {
    if (!settings.contains(key))
        return fallback;
    const QVariant value = settings.value(key);
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

// The value of `key` as written in the file: the text after "=" of its last line before the
// first section, without surrounding quotes; null when no line sets it.
QString writtenValue(const QString &path, const QString &key) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString value;
    for (const QByteArray &raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(QLatin1Char('[')))
            break;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0 || line.left(equals).trimmed() != key)
            continue;
        value = line.mid(equals + 1).trimmed();
        if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) &&
            value.endsWith(QLatin1Char('"')))
            value = value.mid(1, value.size() - 2);
        if (value.isNull())
            value = QLatin1String("");
    }
    return value;
}

// A path: as written when it holds a backslash (Windows writes paths so), else as QSettings
// reads it.
QString pathValue(const QSettings &settings, const QString &key, const QString &fallback) {
    const QString written = writtenValue(settings.fileName(), key);
    if (written.contains(QLatin1Char('\\')))
        return written;
    return stringValue(settings, key, fallback);
}

} // namespace

NetworkSettings defaultNetworkSettings(const QString &atcShortcuts) {
    NetworkSettings s;
    s.status = QStringLiteral("https://api.ivao.aero/v2/tracker/whazzup");
    s.ipecho = QStringLiteral("https://api.ipify.org");
    s.metarNetwork =
        QStringLiteral("https://tgftp.nws.noaa.gov/data/observations/metar/stations/{code}.TXT");
    s.metarNoaa =
        QStringLiteral("https://aviationweather.gov/api/data/metar?ids={code}&format=raw");
    s.atcShortcuts = atcShortcuts;
    s.airports = QStringLiteral("https://davidmegginson.github.io/ourairports-data/");
    return s;
}

NetworkSettings defaultNetworkSettings() {
    return defaultNetworkSettings(atcClientShortcutFile());
}

NetworkSettings networkDefaults(NetworkSettings defaults, Network network) {
    defaults.network = network;
    if (network == Network::Vatsim) {
        defaults.status = QStringLiteral("https://data.vatsim.net/v3/vatsim-data.json");
        defaults.metarNetwork = QStringLiteral("https://metar.vatsim.net/{code}");
    }
    return defaults;
}

QString metarSourceCaption(Network network) {
    return network == Network::Vatsim ? QStringLiteral("METAR from VATSIM")
                                      : QStringLiteral("METAR from IVAO");
}

QString metarSourceTooltip(Network network) {
    return QLatin1String("with hook: ") + metarSourceCaption(network) +
           QLatin1String(" / without hook: METAR from NOAA");
}

QString metarUrl(const QString &urlTemplate, const QString &code) {
    // The code is percent-encoded: whatever was typed into the field stays one query value.
    QString url = urlTemplate;
    return url.replace(QLatin1String("{code}"), QString::fromLatin1(QUrl::toPercentEncoding(code)));
}

NetworkConfig::NetworkConfig(QString dataDirectory, NetworkSettings defaults)
    : m_directory(std::move(dataDirectory)), m_defaults(std::move(defaults)),
      m_settings(m_defaults) {}

NetworkConfig::NetworkConfig(QString dataDirectory)
    : NetworkConfig(std::move(dataDirectory), defaultNetworkSettings()) {}

QString NetworkConfig::path() const {
    return m_directory + QLatin1Char('/') + QLatin1String(kNetworkFileName);
}

QByteArray NetworkConfig::defaultFileText(const NetworkSettings &d) {
    // Comment lines hold no "=": QSettings would read such a line as a key.
    QString text = QStringLiteral(
        "# Where Tarvos finds the network. One key a line, key=value; lines starting with #\n"
        "# are comments. A missing key takes the value shown here. To train offline, point\n"
        "# the URLs at tarvos-netsim (for example http 127.0.0.1 and the port it prints).\n"
        "# A path is taken as written, with backslashes or forward slashes.\n"
        "\n"
        "# The network: ivao or vatsim. With vatsim the status feed and the network's METAR\n"
        "# source below become VATSIM's, as long as they are still IVAO's defaults as written\n"
        "# here, and the METAR box says METAR from VATSIM. An address of your own is kept.\n");
    text += QLatin1String("network=") +
            (d.network == Network::Vatsim ? QLatin1String("vatsim") : QLatin1String("ivao")) +
            QLatin1Char('\n');
    text +=
        QLatin1String("# The status feed of the network (JSON, or records separated by colons)\n");
    text += QLatin1String("status=") + d.status + QLatin1Char('\n');
    text += QLatin1String("# The version file of Tarvos (empty: no update server)\n");
    text += QLatin1String("update=") + d.update + QLatin1Char('\n');
    text += QLatin1String("# A page that answers with the address it sees\n");
    text += QLatin1String("ipecho=") + d.ipecho + QLatin1Char('\n');
    text += QLatin1String("# The two METAR sources; {code} stands for the airport\n");
    text += QLatin1String("metar-network=") + d.metarNetwork + QLatin1Char('\n');
    text += QLatin1String("metar-noaa=") + d.metarNoaa + QLatin1Char('\n');
    text += QLatin1String("# The shortcut file of the ATC client\n");
    text += QLatin1String("atc-shortcuts=") + d.atcShortcuts + QLatin1Char('\n');
    text += QLatin1String(
        "# The open data of the world's aerodromes (OurAirports, public domain): the address\n"
        "# that runways.csv and airports.csv are added to. Tarvos fetches them only when it\n"
        "# needs them: the runways of an airport that rwy.txt does not know, and the names for\n"
        "# a new ICAO.txt. An empty value turns the fetching off.\n");
    text += QLatin1String("airports=") + d.airports + QLatin1Char('\n');
    return text.toUtf8();
}

void NetworkConfig::createIfMissing() const {
    const QString file = path();
    if (QFileInfo::exists(file))
        return;
    QSaveFile out(file);
    // QSaveFile writes a temporary file and renames it: a half-written file never appears. A
    // file that appeared meanwhile is left alone (the rename would replace it, so look again).
    if (!out.open(QIODevice::WriteOnly))
        return;
    out.write(defaultFileText(m_defaults));
    if (QFileInfo::exists(file)) {
        out.cancelWriting();
        return;
    }
    out.commit();
}

const NetworkSettings &NetworkConfig::settings() {
    createIfMissing();
    const QFileInfo info(path());
    if (!info.exists()) {
        m_settings = m_defaults;
        m_modified = {};
        m_size = -1;
        return m_settings;
    }
    if (info.lastModified() != m_modified || info.size() != m_size) {
        m_modified = info.lastModified();
        m_size = info.size();
        read();
    }
    return m_settings;
}

void NetworkConfig::read() {
    const QSettings file(path(), QSettings::IniFormat);
    const QString name = stringValue(file, QStringLiteral("network"), QString()).trimmed();
    Network network = m_defaults.network;
    if (name.compare(QLatin1String("vatsim"), Qt::CaseInsensitive) == 0)
        network = Network::Vatsim;
    else if (name.compare(QLatin1String("ivao"), Qt::CaseInsensitive) == 0)
        network = Network::Ivao;
    const NetworkSettings d = networkDefaults(m_defaults, network);
    // A new file holds IVAO's addresses as defaults, not as a choice of the controller's: under
    // vatsim they follow the network as an unwritten key does. A VATSIM address under ivao is
    // a choice and is kept.
    const NetworkSettings ivao = defaultNetworkSettings(QString());
    const auto address = [&](const char *key, const QString &fallback, const QString &ivaoDefault) {
        const QString value = stringValue(file, QLatin1String(key), fallback);
        return network == Network::Vatsim && value == ivaoDefault ? fallback : value;
    };
    NetworkSettings s;
    s.network = network;
    s.status = address("status", d.status, ivao.status);
    s.update = stringValue(file, QStringLiteral("update"), d.update);
    s.ipecho = stringValue(file, QStringLiteral("ipecho"), d.ipecho);
    s.metarNetwork = address("metar-network", d.metarNetwork, ivao.metarNetwork);
    s.metarNoaa = stringValue(file, QStringLiteral("metar-noaa"), d.metarNoaa);
    s.atcShortcuts = pathValue(file, QStringLiteral("atc-shortcuts"), d.atcShortcuts);
    s.airports = stringValue(file, QStringLiteral("airports"), d.airports).trimmed();
    m_settings = s;
}

} // namespace tarvos
