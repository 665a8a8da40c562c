#include "console/form2.h"
#include "console/twips.h"
#include "console/windowmodes.h"
#include "fakes/consolefixture.h"

#include <QMouseEvent>
#include <QTest>

using namespace tarvos;
using namespace tarvos::testing;

namespace {

class WindowModesTest : public ConsoleTest {
protected:
    void SetUp() override {
        ConsoleTest::SetUp();
        start();
    }
    WindowModesController &modes() { return console->windowModes(); }
};

} // namespace

TEST_F(WindowModesTest, HelpPanelsShowAndHide) {
    Form1 &f = form();
    for (QPushButton *button : {f.Command35, f.Command34}) {
        QWidget *panel = button == f.Command35 ? static_cast<QWidget *>(f.Text15) : f.Text14;
        SCOPED_TRACE(qPrintable(button->text()));
        f.setHeightTwips(1760);
        f.Label1->setText("Flugstreifen");
        Form1::setTopTwips(f.Text19, 0);
        button->click();
        EXPECT_EQ(Form1::topTwipsOf(panel), 0);
        EXPECT_EQ(f.heightTwips(), 5595);
        EXPECT_EQ(f.Label1->text(), "DEP");
        EXPECT_EQ(Form1::topTwipsOf(f.Text19), 9120);
        button->click();
        EXPECT_EQ(Form1::topTwipsOf(panel), 5880);
    }
    EXPECT_EQ(f.Text15->geometry(), pxRect(1995, 5880, 7575, 5250));
}

TEST_F(WindowModesTest, PressOnTheBackgroundHidesBothHelpPanels) {
    Form1 &f = form();
    f.Command35->click();
    f.Command34->click();
    QTest::mousePress(&f, Qt::LeftButton, {}, QPoint(f.width() - 2, f.height() - 2));
    EXPECT_EQ(Form1::topTwipsOf(f.Text14), 5880);
    EXPECT_EQ(Form1::topTwipsOf(f.Text15), 5880);
}

TEST_F(WindowModesTest, HelpTexts) {
    const QString help = form().Text15->text();
    const QStringList lines = help.split("\r\n");
    ASSERT_EQ(lines.size(), 49);
    EXPECT_EQ(lines[0], "In diesem Fenster kann mit den Pfeiltasten weiter gescrollt werden.");
    EXPECT_EQ(lines[3],
              "Wird in das Squawk-Feld ein \"a\" eingetippt, so erfolgt eine automatische ");
    EXPECT_EQ(lines[8],
              "In der Datei C:\\squawk.txt ist der erste Wert der S-Wert und der zweite der ");
    EXPECT_EQ(lines[26],
              "In dem Feld unter dem Button\" AutoAtis\",  befindet sich dann die Uhrzeit vom ");
    EXPECT_EQ(lines[47], "Löscht alle Flugstreifen!");
    EXPECT_EQ(lines[48], "");
    const QStringList via = form().Text14->text().split("\r\n");
    EXPECT_EQ(via[0], "Shortcuts für das via-Feld:");
    EXPECT_TRUE(via.contains("EDDT 08:\tEDDI 09:\tEDDB 07:"));
    EXPECT_TRUE(via.contains("EDDT 26:\tEDDI 27:\tEDDB 25:"));
    EXPECT_TRUE(via.contains("b5t  BKD5T\tb6r  BKD6R\tb1s  BELID1S"));
    EXPECT_TRUE(via.contains("g1t  GERGA1T\ts5r  SUI5R"));
    EXPECT_TRUE(via.contains("\ts5q  SUI5Q"));
    EXPECT_EQ(via.count("------------\t------------\t------------"), 2);
}

TEST_F(WindowModesTest, FlightLevelLists) {
    Form1 &f = form();
    struct Case {
        QComboBox *list;
        const char *title, *first, *last;
        int left;
    } cases[] = {{f.Combo2, "IFR 180°-359°", "FL40", "FL430", 100},
                 {f.Combo1, "IFR 000°-179°", "FL50", "FL450", 1800},
                 {f.Combo3, "VFR 180°-359°", "FL45", "FL435", 3480},
                 {f.Combo4, "VFR 000°-179°", "FL55", "FL455", 5280}};
    for (const Case &c : cases) {
        EXPECT_EQ(c.list->currentText(), QString::fromUtf8(c.title));
        EXPECT_EQ(c.list->count(), 20);
        EXPECT_EQ(c.list->itemText(0), c.first);
        EXPECT_EQ(c.list->itemText(19), c.last);
        EXPECT_EQ(c.list->x(), px(c.left));
    }
    EXPECT_EQ(f.Combo2->itemText(3), "FL100");
    f.Command43->click();
    EXPECT_EQ(console->state().levelshidden, 0);
    for (QWidget *w :
         std::initializer_list<QWidget *>{f.Combo1, f.Combo2, f.Combo3, f.Combo4, f.Label20})
        EXPECT_EQ(Form1::topTwipsOf(w), 1040);
    f.Command43->click();
    EXPECT_EQ(console->state().levelshidden, 1);
    EXPECT_EQ(Form1::topTwipsOf(f.Combo4), 6480);
}

TEST_F(WindowModesTest, SeparationStopwatch) {
    Form1 &f = form();
    f.Command39->click();
    EXPECT_TRUE(f.Timer1->isActive());
    f.Command39->click();
    EXPECT_TRUE(f.Timer1->isActive()) << "at 0 seconds a click does not stop it";
    for (int i = 0; i < 75; ++i)
        modes().stopwatchTick();
    EXPECT_EQ(f.Command39->text(), " 1: 15");
    f.Command39->click();
    EXPECT_FALSE(f.Timer1->isActive());
    EXPECT_EQ(f.Command39->text(), "Timer");
    console->state().sepminutes = 58;
    console->state().sepseconds = 59;
    modes().stopwatchTick();
    EXPECT_EQ(f.Command39->text(), " 0: 0");
}

TEST_F(WindowModesTest, MiniWindowReplacesTheConsole) {
    Form1 &f = form();
    f.show();
    f.Text1->setText("260");
    f.Text3->setText("1013");
    f.Text18->setText("B");
    f.Label2->setText("TL60");
    f.Label5->setText("APP 119.62");
    int chartHidden = 0;
    QObject::connect(&console->windowModes(), &WindowModesController::chartNotWanted,
                     [&] { ++chartHidden; });
    f.Command9->click();
    ASSERT_TRUE(console->hasForm2());
    Form2 &mini = console->form2();
    EXPECT_FALSE(f.isVisible());
    EXPECT_FALSE(f.isEnabled());
    EXPECT_TRUE(mini.isVisible());
    EXPECT_EQ(mini.Text1->text(), "260");
    EXPECT_EQ(mini.Text3->text(), "1013");
    EXPECT_EQ(mini.Text7->text(), "B");
    EXPECT_EQ(mini.Label1->text(), "TL60");
    EXPECT_EQ(mini.Label2->text(), "APP 119.62");
    EXPECT_EQ(mini.Label4->text(), "EDDT");
    EXPECT_EQ(chartHidden, 1);
    EXPECT_TRUE(fake.stacking.isTopmost(&mini));
    EXPECT_EQ(mini.Command3->toolTip(), "minimize the windows again");

    f.Text1->setText("270");
    EXPECT_EQ(mini.Text1->text(), "260") << "the copy is made once";

    mini.Command3->click();
    EXPECT_EQ(mini.Command3->text(), "norm");
    EXPECT_EQ(mini.topTwips(), -310);
    mini.Command3->click();
    EXPECT_EQ(mini.Command3->text(), "mini");
    EXPECT_EQ(mini.topTwips(), 0);

    mini.Command1->click();
    EXPECT_FALSE(mini.isVisible());
    EXPECT_TRUE(f.isVisible());
    EXPECT_TRUE(f.isEnabled());
    EXPECT_EQ(f.heightTwips(), 1760);

    f.Command9->click();
    mini.Command2->click();
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(f.heightTwips(), 5580);
    EXPECT_EQ(console->state().stripshidden, 1) << "DEP of the mini window leaves the flag";

    // Closing the mini window through its frame is "Back": the console never stays hidden.
    f.Command9->click();
    ASSERT_FALSE(f.isVisible());
    mini.close();
    EXPECT_FALSE(mini.isVisible());
    EXPECT_TRUE(f.isVisible());
    EXPECT_TRUE(f.isEnabled());
    console->shutdown();
    EXPECT_FALSE(mini.isVisible());
}

TEST_F(WindowModesTest, ClickHiddenPanels) {
    Form1 &f = form();
    f.Text20->show();
    f.Text23->show();
    emit f.Text20->clicked();
    emit f.Text23->clicked();
    EXPECT_TRUE(f.Text20->isHidden());
    EXPECT_TRUE(f.Text23->isHidden());
    Form1::setTopTwips(f.Text22, 315);
    emit f.Text22->doubleClicked();
    EXPECT_EQ(Form1::topTwipsOf(f.Text22), 7320);
    Form1::setTopTwips(f.Text22, 315);
    tick(f.Timer5);
    EXPECT_EQ(Form1::topTwipsOf(f.Text22), 7320);
    EXPECT_FALSE(f.Timer5->isActive());
}
