#include "console/datadir.h"
#include "fakes/fakeplatform.h"
#include "strips/form3.h"
#include "strips/striplog.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace tarvos;

namespace {

class Form3Test : public ::testing::Test {
protected:
    void log(const char *callsign, const QDateTime &when) {
        ASSERT_TRUE(
            data.append(kLogFileName, logLine({callsign, "", "", "", ""}, when, "26L", "")));
    }

    QTemporaryDir tmp;
    DataDir data{tmp.path()};
    tarvos::testing::FakePlatform fake;
    Form3 form{data, fake.clock, fake.screen};
};

} // namespace

TEST_F(Form3Test, ControlsAndPlaceWhenCreated) {
    EXPECT_EQ(form.Label1->text(), "Alle Flugstreifen von heute");
    EXPECT_EQ(form.Label2->text(), "0 Flugzeuge");
    EXPECT_EQ(form.Command1->text(), QString::fromUtf8("zurück"));
    EXPECT_EQ(form.findChild<QWidget *>("Text1"), form.Text1);
    EXPECT_TRUE(form.Timer1->isActive() && form.Timer1->isSingleShot());
    EXPECT_EQ(form.Timer1->interval(), 200);
    // Centred on the 1024 pixel wide screen, top edge at 6000 twips.
    EXPECT_EQ(form.pos(), QPoint((1024 - 800) / 2, 400));
}

TEST_F(Form3Test, ListsTodaysStripsOnly) {
    const QDateTime now = fake.clock.current;
    const QDateTime yesterday = now.addDays(-1);
    log("A1", yesterday);
    log("B2", now);
    log("C3", now.addSecs(-3600));
    log("D4", yesterday);
    log("E5", now);
    form.testit();
    EXPECT_EQ(form.count(), 3);
    EXPECT_EQ(form.Label2->text(), "3 Flugzeuge");
    const QStringList shown = form.Text1->text().split("\r\n");
    ASSERT_EQ(shown.size(), 4);
    EXPECT_TRUE(shown[0].startsWith("B2") && shown[1].startsWith("C3") &&
                shown[2].startsWith("E5") && shown[3].isEmpty());

    // Each refresh starts again from zero; without a log the list is empty.
    QFile::remove(data.path(kLogFileName));
    form.testit();
    EXPECT_EQ(form.Label2->text(), "0 Flugzeuge");
    EXPECT_TRUE(form.Text1->text().isEmpty());
}

TEST_F(Form3Test, TodayShowsItUnderTheMainWindowAndFillsItOnce) {
    QWidget main;
    main.setGeometry(200, 30, 743, 100);
    main.show();
    form.Timer1->stop();
    log("B2", fake.clock.current);
    QSignalSpy fired(form.Timer1, &QTimer::timeout);
    form.showToday(main);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.frameGeometry().top(), main.frameGeometry().bottom() + 1 + 1);
    EXPECT_EQ(form.Label2->text(), "0 Flugzeuge");
    ASSERT_TRUE(fired.wait(2000));
    EXPECT_EQ(form.Label2->text(), "1 Flugzeuge");
    EXPECT_FALSE(form.Timer1->isActive());

    QTest::mouseClick(form.Command1, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.Label2->text(), "1 Flugzeuge");
}
