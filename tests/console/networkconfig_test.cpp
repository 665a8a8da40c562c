// network.txt: created once with its defaults, read with QSettings, re-read when it changed,
// never rewritten while it exists.
#include "console/networkconfig.h"

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
    return defaultNetworkSettings(QString(), "/home/ctl");
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
    EXPECT_EQ(d.atcShortcuts, "/home/ctl/.wine/drive_c/Programme/ProController/shortcut.txt");
    EXPECT_EQ(defaultNetworkSettings("/opt/pc/", "/home/ctl").atcShortcuts,
              "/opt/pc/drive_c/Programme/ProController/shortcut.txt");
}

TEST(NetworkConfig, CreatedOnceWithDefaultsThatReadBack) {
    QTemporaryDir dir;
    NetworkConfig config(dir.path(), defaults());
    const NetworkSettings s = config.settings();
    ASSERT_TRUE(QFileInfo::exists(config.path()));
    EXPECT_EQ(s.status, defaults().status);
    EXPECT_EQ(s.metarNoaa, defaults().metarNoaa);
    EXPECT_EQ(s.atcShortcuts, defaults().atcShortcuts);

    // The file as written holds every key, so that the controller sees what to edit, and
    // comments; QSettings reads it back as the defaults even with every default changed.
    const QByteArray text = fileBytes(config.path());
    for (const char *key : {"\nstatus=", "\nupdate=\n",
                            "\nipecho=", "\nmetar-network=", "\nmetar-noaa=", "\natc-shortcuts="})
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

TEST(NetworkConfig, UnwritableFolderServesTheDefaults) {
    NetworkConfig config("/nonexistent/folder/for/tarvos", defaults());
    EXPECT_EQ(config.settings().status, defaults().status);
    EXPECT_FALSE(QFileInfo::exists(config.path()));
}

} // namespace
