// network.txt: created once with its defaults, read with QSettings, re-read when it changed,
// never rewritten while it exists.
#include "console/networkconfig.h"
#include "platform/desktopconventions.h"

#include "fakes/qtprint.h"
#include "fakes/testfiles.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tarvos;
using tarvos::testing::fileBytes;
using tarvos::testing::writeFile;

namespace {

NetworkSettings defaults() {
    return defaultNetworkSettings("/home/ctl/.wine/drive_c/Programme/ProController/shortcut.txt");
}

TEST(NetworkConfig, DefaultsAreTodaysSources) {
    const NetworkSettings d = defaults();
    EXPECT_EQ(d.status, "https://api.ivao.aero/v2/tracker/whazzup");
    EXPECT_EQ(d.update, "");
    EXPECT_EQ(d.ipecho, "https://api.ipify.org");
    EXPECT_EQ(metarUrl(d.metarNetwork, "EDDT"),
              "https://tgftp.nws.noaa.gov/data/observations/metar/stations/EDDT.TXT");
    EXPECT_EQ(metarUrl(d.metarNoaa, "EDDT"),
              "https://aviationweather.gov/api/data/metar?ids=EDDT&format=raw");
    EXPECT_EQ(metarUrl(d.metarNoaa, "ED&T X"),
              "https://aviationweather.gov/api/data/metar?ids=ED%26T%20X&format=raw")
        << "a typed code stays one query value";
    EXPECT_EQ(atcClientShortcutFileInWine(QString(), "/home/ctl"),
              "/home/ctl/.wine/drive_c/Programme/ProController/shortcut.txt");
    EXPECT_EQ(atcClientShortcutFileInWine("/opt/pc/", "/home/ctl"),
              "/opt/pc/drive_c/Programme/ProController/shortcut.txt");
#ifdef Q_OS_WIN
    EXPECT_EQ(defaultNetworkSettings().atcShortcuts, "C:\\Programme\\ProController\\shortcut.txt");
#endif
}

TEST(NetworkConfig, PathsAreTakenAsWrittenBackslashesIncluded) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/network.txt";
    const struct {
        QByteArray line;
        QString path;
    } rows[] = {
        {"atc-shortcuts=C:\\Sim\\new\\table\\shortcut.txt", "C:\\Sim\\new\\table\\shortcut.txt"},
        {"atc-shortcuts = \"D:\\Pro Controller\\shortcut.txt\" ",
         "D:\\Pro Controller\\shortcut.txt"},
        {"atc-shortcuts=\\\\server\\share\\shortcut.txt", "\\\\server\\share\\shortcut.txt"},
        {"atc-shortcuts=/home/ctl/sc.txt\n[other]\natc-shortcuts=C:\\x", "/home/ctl/sc.txt"},
        {"atc-shortcuts=\"/home/ctl/a,b.txt\"", "/home/ctl/a,b.txt"},
    };
    for (const auto &row : rows) {
        writeFile(path, "# mine\n" + row.line + "\n");
        EXPECT_EQ(NetworkConfig(dir.path(), defaults()).settings().atcShortcuts, row.path)
            << row.line.constData();
    }
    // The default written into a new file reads back as it was, backslashes and all.
    NetworkSettings windows = defaults();
    windows.atcShortcuts = "C:\\Programme\\ProController\\shortcut.txt";
    QTemporaryDir fresh;
    EXPECT_EQ(NetworkConfig(fresh.path(), windows).settings().atcShortcuts, windows.atcShortcuts);
}

TEST(NetworkConfig, CreatedOnceWithDefaultsThatReadBack) {
    QTemporaryDir dir;
    NetworkConfig config(dir.path(), defaults());
    const NetworkSettings s = config.settings();
    ASSERT_TRUE(QFileInfo::exists(config.path()));
    EXPECT_EQ(s.status, defaults().status);
    EXPECT_EQ(s.metarNoaa, defaults().metarNoaa);
    EXPECT_EQ(s.atcShortcuts, defaults().atcShortcuts);
    EXPECT_EQ(s.airports, "https://davidmegginson.github.io/ourairports-data/");

    // The file as written holds every key, so that the controller sees what to edit, and
    // comments; QSettings reads it back as the defaults even with every default changed.
    const QByteArray text = fileBytes(config.path());
    for (const char *key : {"\nnetwork=ivao\n", "\nstatus=", "\nupdate=\n",
                            "\nipecho=", "\nmetar-network=", "\nmetar-noaa=", "\natc-shortcuts=",
                            "\nairports=https://davidmegginson.github.io/ourairports-data/\n"})
        EXPECT_TRUE(text.contains(key)) << key;
    EXPECT_TRUE(text.startsWith("# "));
    NetworkSettings other = defaults();
    other.update = "http://127.0.0.1:8080/upd.txt";
    other.status = "http://a/b?x=1&y=2,3";
    QTemporaryDir dir2;
    NetworkConfig config2(dir2.path(), other);
    EXPECT_EQ(config2.settings().update, other.update);
    EXPECT_EQ(config2.settings().status, other.status);
    NetworkConfig reread(dir2.path(), defaults());
    EXPECT_EQ(reread.settings().status, other.status);
}

TEST(NetworkConfig, ExistingFileIsReadNeverRewrittenAndReReadWhenChanged) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/network.txt";
    const QByteArray mine = "# mine\nstatus = http://127.0.0.1:9/feed\nupdate=\n[other]\nx=1\n";
    writeFile(path, mine);
    NetworkConfig config(dir.path(), defaults());
    EXPECT_EQ(config.settings().status, "http://127.0.0.1:9/feed");
    EXPECT_EQ(config.settings().update, "");                // present, empty
    EXPECT_EQ(config.settings().ipecho, defaults().ipecho); // missing: default
    EXPECT_EQ(fileBytes(path), mine);

    writeFile(path, "status=not a url at all\nipecho=http://127.0.0.1:9/ip\n");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.setFileTime(QDateTime::currentDateTime().addSecs(5),
                         QFileDevice::FileModificationTime);
    }
    EXPECT_EQ(config.settings().status, "not a url at all");
    EXPECT_EQ(config.settings().ipecho, "http://127.0.0.1:9/ip");

    // A removed file is written again with the defaults.
    QFile::remove(path);
    EXPECT_EQ(config.settings().status, defaults().status);
    EXPECT_TRUE(QFileInfo::exists(path));
}

TEST(NetworkConfig, TheNetworkKeyChoosesTheDefaults) {
    const QString vatsim = "https://data.vatsim.net/v3/vatsim-data.json";
    const QString vatsimMetar = "https://metar.vatsim.net/{code}";
    QByteArray created = NetworkConfig::defaultFileText(defaults());
    ASSERT_TRUE(created.contains("\nnetwork=ivao\n"));
    created.replace("\nnetwork=ivao\n", "\nnetwork=vatsim\n");
    const struct {
        QByteArray file;
        Network network;
        QString status, metar;
    } rows[] = {
        {"", Network::Ivao, defaults().status, defaults().metarNetwork},
        {"network=vatsim\n", Network::Vatsim, vatsim, vatsimMetar},
        {" network = VATSIM \n", Network::Vatsim, vatsim, vatsimMetar},
        {"network=elsewhere\n", Network::Ivao, defaults().status, defaults().metarNetwork},
        // The created file's IVAO addresses follow the switch; an address of one's own wins.
        {created, Network::Vatsim, vatsim, vatsimMetar},
        {"network=vatsim\nstatus=http://127.0.0.1:8080/v3/vatsim-data.json\n", Network::Vatsim,
         "http://127.0.0.1:8080/v3/vatsim-data.json", vatsimMetar},
        {"network=ivao\nstatus=" + vatsim.toUtf8() + "\n", Network::Ivao, vatsim,
         defaults().metarNetwork},
    };
    for (const auto &row : rows) {
        QTemporaryDir dir;
        writeFile(dir.path() + "/network.txt", row.file);
        const NetworkSettings s = NetworkConfig(dir.path(), defaults()).settings();
        EXPECT_EQ(s.network, row.network) << row.file.constData();
        EXPECT_EQ(s.status, row.status) << row.file.constData();
        EXPECT_EQ(s.metarNetwork, row.metar) << row.file.constData();
    }
    EXPECT_EQ(metarSourceCaption(Network::Vatsim), "METAR from VATSIM");
    EXPECT_EQ(metarSourceTooltip(Network::Vatsim),
              "with hook: METAR from VATSIM / without hook: METAR from NOAA");
    EXPECT_EQ(metarSourceTooltip(Network::Ivao),
              "with hook: METAR from IVAO / without hook: METAR from NOAA");
}

TEST(NetworkConfig, UnwritableFolderServesTheDefaults) {
    NetworkConfig config("/nonexistent/folder/for/tarvos", defaults());
    EXPECT_EQ(config.settings().status, defaults().status);
    EXPECT_FALSE(QFileInfo::exists(config.path()));
}

} // namespace
