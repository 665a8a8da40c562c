#include "clientlink/form4.h"
#include "clientlink/groundinfocontroller.h"
#include "console/consolestate.h"
#include "fakes/fakeplatform.h"

#include <QApplication>
#include <QFocusEvent>
#include <QTest>
#include <gtest/gtest.h>

using namespace tarvos;

namespace {

class Form4Test : public ::testing::Test {
protected:
    Form4 &form() { return ground.window(); }
    QStringList callsigns() {
        QStringList out;
        for (Field *f : form().Text1)
            out << f->text();
        return out;
    }
    QStringList expectRows(QStringList rows) {
        while (rows.size() < 10)
            rows << QString();
        return rows;
    }
    static bool isGreen(QCheckBox *box) {
        return box->palette().color(QPalette::Window) == QColor(0, 255, 0);
    }

    ConsoleState state;
    tarvos::testing::FakePlatform fake;
    GroundInfoController ground{state, fake.stacking};
};

} // namespace

TEST_F(Form4Test, ControlsAsDefined) {
    Form4 &f = form();
    EXPECT_EQ(f.windowTitle(), "Ground-Info");
    EXPECT_EQ(f.size(), QSize(157, 250));
    EXPECT_EQ(f.Label1->text(), "Callsign       cl   st  tx   t/o");
    auto *text3 = f.findChild<Field *>("Text1(3)");
    ASSERT_EQ(text3, f.Text1[3]);
    EXPECT_EQ(text3->geometry(), QRect(0, 77, 64, 19));
    EXPECT_EQ(text3->accessibleName(), "Callsign row 3");
    for (const char *name : {"Check1(9)", "Check2(9)", "Check3(9)", "Command1(9)"})
        EXPECT_NE(f.findChild<QWidget *>(name), nullptr) << name;
    EXPECT_EQ(f.Command1[0]->text(), QString::fromUtf8("Lö"));
    EXPECT_EQ(f.Command1[0]->toolTip(), "deletes the entry");
    EXPECT_TRUE(f.Command1[1]->toolTip().isEmpty());
    EXPECT_EQ(f.Command2->text(), "ZAP");
    EXPECT_EQ(f.Command2->toolTip(), "remove empty lines");
    EXPECT_EQ(f.Command2->geometry(), QRect(0, 224, 127, 22));
    EXPECT_EQ(f.Command3->text(), "A");
    EXPECT_EQ(f.Command3->toolTip(), "clears all entries");
    EXPECT_TRUE(fake.stacking.isTopmost(&f));
    EXPECT_FALSE(f.isVisible());
}

TEST_F(Form4Test, ButtonsAndFieldsWorkOnTheRows) {
    EXPECT_EQ(ground.enter("DLH1"), 0);
    EXPECT_EQ(ground.enter("AFR2"), 1);
    EXPECT_EQ(ground.enter("BER3"), 2);
    EXPECT_TRUE(form().Check1[2]->isChecked() && form().Check2[2]->isChecked());
    EXPECT_FALSE(form().Check3[2]->isChecked());

    // A double click empties the row and leaves the gap; "ZAP" closes it.
    QTest::mouseDClick(form().Text1[1], Qt::LeftButton);
    EXPECT_EQ(callsigns(), expectRows({"DLH1", "", "BER3"}));
    EXPECT_FALSE(form().Check1[1]->isChecked());
    QTest::mouseClick(form().Command2, Qt::LeftButton);
    EXPECT_EQ(callsigns(), expectRows({"DLH1", "BER3"}));
    EXPECT_TRUE(form().Check2[1]->isChecked());

    // Typing and ticking reach the rows; leaving the field writes capitals.
    QTest::keyClicks(form().Text1[5], "ewg7");
    form().Check3[5]->click();
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(form().Text1[5], &out);
    EXPECT_EQ(form().Text1[5]->text(), "EWG7");
    EXPECT_EQ(ground.rows().row(5), (GroundRow{"EWG7", {false, false, true}}));

    // "Lö" deletes and closes the gaps.
    QTest::mouseClick(form().Command1[0], Qt::LeftButton);
    EXPECT_EQ(callsigns(), expectRows({"BER3", "EWG7"}));
    EXPECT_TRUE(form().Check3[1]->isChecked());

    QTest::mouseClick(form().Command3, Qt::LeftButton);
    EXPECT_EQ(callsigns(), expectRows({}));
    EXPECT_FALSE(form().Check3[1]->isChecked());
}

TEST_F(Form4Test, CheckColoursFollowTheMode) {
    for (int i = 0; i < 10; ++i)
        EXPECT_TRUE(isGreen(form().Check1[i]) && isGreen(form().Check2[i])) << i;
    ground.setGroundCheckMode(1);
    EXPECT_EQ(state.groundcheckmode, 1);
    EXPECT_TRUE(isGreen(form().Check1[4]));
    EXPECT_FALSE(isGreen(form().Check2[4]));
    EXPECT_EQ(form().Check2[4]->palette().color(QPalette::Window),
              QApplication::palette().color(QPalette::Button));
    EXPECT_FALSE(isGreen(form().Check3[4]));
    ground.enter("DLH1");
    EXPECT_FALSE(form().Check2[0]->isChecked());
    ground.setGroundCheckMode(2);
    EXPECT_TRUE(isGreen(form().Check2[9]));
}

TEST_F(Form4Test, ClosingDiscardsTheRowsHidingKeepsThem) {
    QWidget main;
    main.setGeometry(100, 0, 743, 118);
    main.show();
    ground.placeBeside(main);
    EXPECT_EQ(form().pos(), QPoint(main.frameGeometry().right() + 1, 0));

    ground.enter("DLH1");
    ground.toggle();
    EXPECT_TRUE(form().isVisible());
    EXPECT_EQ(state.showgroundwindow, 0);
    ground.toggle();
    EXPECT_FALSE(form().isVisible());
    EXPECT_EQ(form().Text1[0]->text(), "DLH1");

    ground.toggle();
    QTest::mouseClick(form().Label1, Qt::LeftButton);
    EXPECT_EQ(form().frameGeometry().top(), 773);
    ground.setGroundCheckMode(1);
    Form4 *old = &form();
    old->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(ground.hasWindow());
    EXPECT_EQ(ground.rows().row(0), GroundRow{});
    EXPECT_EQ(state.showgroundwindow, 0);

    // The press after a frame close hides the closed window; the next one shows it again,
    // empty, topmost, where it stood, with the colours of the current mode.
    ground.toggle();
    EXPECT_EQ(state.showgroundwindow, 1);
    ground.toggle();
    EXPECT_TRUE(form().isVisible());
    EXPECT_EQ(callsigns(), expectRows({}));
    EXPECT_TRUE(fake.stacking.isTopmost(&form()));
    EXPECT_EQ(form().frameGeometry().top(), 773);
    EXPECT_FALSE(isGreen(form().Check2[0]));
}

TEST_F(Form4Test, FullWindowTakesNoEntry) {
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(ground.enter(QString("AC%1").arg(i)), i);
    EXPECT_EQ(ground.enter("DLH123"), -1);
    EXPECT_EQ(form().Text1[9]->text(), "AC9");
}
