#pragma once

#include <QDateTime>
#include <QString>

namespace tarvos {

// The online network the controller works on. It picks the defaults of the status feed and the
// network's METAR source and the name on the METAR box; the status body itself decides how it is
// read, so either network's feed works under either value.
enum class Network { Ivao, Vatsim };

// Where the network is: the values of network.txt in the data folder.
struct NetworkSettings {
    Network network = Network::Ivao;
    QString status;       // the status feed URL
    QString update;       // the version file URL; empty: no update server yet
    QString ipecho;       // the URL that answers with the caller's IP address
    QString metarNetwork; // METAR page template, "{code}" standing for the airport
    QString metarNoaa;    // the second METAR source, the same kind of template
    QString atcShortcuts; // path of the ATC client's own shortcut file
    QString airports;     // the folder of OurAirports' files; empty: no open data fetched
};

inline constexpr auto kNetworkFileName = "network.txt";

// The values that a missing key takes, with the ATC client's shortcut file at `atcShortcuts`.
NetworkSettings defaultNetworkSettings(const QString &atcShortcuts);

// The same, with the shortcut file where the ATC client's installation puts it on this desktop.
NetworkSettings defaultNetworkSettings();

// `defaults` for `network`: VATSIM has a status feed and a METAR service of its own; IVAO's
// are the defaults as they come.
NetworkSettings networkDefaults(NetworkSettings defaults, Network network);

// The METAR box's caption and tooltip for the network: "METAR from IVAO", "METAR from VATSIM".
QString metarSourceCaption(Network network);
QString metarSourceTooltip(Network network);

// A METAR URL from a template of network.txt: every "{code}" becomes the airport code.
QString metarUrl(const QString &urlTemplate, const QString &code);

// network.txt: plain `key=value` lines without a section and `#` comment lines, read with
// QSettings in INI format. The file is written once with commented defaults the first time the
// network is used (quietly: it is ours, not one of the controller's tables), never rewritten
// while it exists, and read again whenever its modification time or size changed. A key that is
// missing takes its default; a key that is present keeps its value, even an empty one. The key
// `network` (ivao or vatsim) chooses which network's defaults the others take; an address that is
// still the other network's default, as a file created for it holds it, counts as unwritten, so
// that changing the one line switches the network. A path
// that holds a backslash (C:\Sim\shortcut.txt) is taken as written, where QSettings would read
// its backslashes as escapes.
class NetworkConfig {
public:
    NetworkConfig(QString dataDirectory, NetworkSettings defaults);
    explicit NetworkConfig(QString dataDirectory);

    // The values now; creates the file when it is missing and re-reads it when it changed. When
    // the file can neither be read nor written, the defaults serve.
    const NetworkSettings &settings();

    QString path() const;

    // The text written into a new network.txt for these defaults.
    static QByteArray defaultFileText(const NetworkSettings &defaults);

private:
    void createIfMissing() const;
    void read();

    QString m_directory;
    NetworkSettings m_defaults;
    NetworkSettings m_settings;
    QDateTime m_modified;
    qint64 m_size = -1;
};

} // namespace tarvos
