#include "weather/ils.h"

#include "fakes/fakeplatform.h"
#include "fakes/testfiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "fakes/qtprint.h"

using namespace tarvos;
using tarvos::testing::FakeMessageBox;
using tarvos::testing::fileBytes;

TEST(IlsPanel, EveryLineEndsWithCrLf) {
    const struct {
        QStringList lines;
        QString text;
    } cases[] = {
        {{}, ""},
        {{""}, "\r\n"},
        {{"Berlin Tegel:", "", "ILS 08L"}, "Berlin Tegel:\r\n\r\nILS 08L\r\n"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ilsPanelText(c.lines), c.text);
}

TEST(IlsPanel, MissingFileIsCreatedAndTheNoticeShownInThePanel) {
    QTemporaryDir tmp;
    DataDir dir(tmp.path());
    FakeMessageBox messages;

    const QString first = loadils(dir, messages);
    EXPECT_EQ(first, QString::fromUtf8(
                         "Es wurde die Datei ils.txt erstellt. Wenn Sie nicht in Berlin "
                         "controllen sollten, dann können sie jetzt selber mit einem normalen "
                         "Texteditor diese Datei nach Ihren Wünschen für Ihren Flughafen "
                         "editieren! Ansonsten drücken Sie jetzt noch zweimal den ILS-Button. "
                         "Diese Meldung erscheint nur, wenn die Datei ils.txt vorher noch nicht "
                         "vorhanden war."));
    EXPECT_TRUE(messages.shown.isEmpty());

    const QByteArray file = "Berlin Tegel:\r\n"
                            "ILS 08L / 109.10 / ITLE / 081\xb0 / 3023m\r\n"
                            "ILS 08R / 108.50 / ITGE / 081\xb0 / 2428m\r\n"
                            "ILS 26L / 109.30 / ITGW / 261\xb0 / 2428m\r\n"
                            "ILS 26R / 110.10 / ITLW / 261\xb0 / 3023m\r\n"
                            "\r\n"
                            "Berlin Tempelhof:\r\n"
                            "ILS 09R / 109.70 / IDBR / 086\xb0 / 1840m\r\n"
                            "ILS 27L / 109.50 / IDLB / 266\xb0 / 1840m\r\n"
                            "\r\n"
                            "Berlin Sch\xf6nefeld:\r\n"
                            "ILS 07R / 110.70 / ISSE / 067\xb0 / 3000m\r\n"
                            "ILS 25L / 109.90 / ISSW / 247\xb0 / 3000m\r\n"
                            "ILS 25R / 110.30 / ISLR / 247\xb0 / 2700m\r\n";
    EXPECT_EQ(fileBytes(dir.path("ils.txt")), file);

    // The next showing reads the file: the same bytes, as text.
    EXPECT_EQ(loadils(dir, messages), QString::fromLatin1(file));
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST(IlsPanel, EditedFileIsShownAsItIs) {
    QTemporaryDir tmp;
    DataDir dir(tmp.path());
    FakeMessageBox messages;
    QFile f(dir.path("ils.txt"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Hamburg:\nILS 23 / 110.50\n");
    f.close();
    EXPECT_EQ(loadils(dir, messages), "Hamburg:\r\nILS 23 / 110.50\r\n");
}
