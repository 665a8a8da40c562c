// Every control of every window as a screen reader finds it: what the accessibility bridge
// hands to the desktop's accessibility bus is the accessible interface's name, so that name is
// what is checked here.

#include "app/companions.h"
#include "clientlink/form4.h"
#include "clientlink/form5.h"
#include "clientlink/groundinfocontroller.h"
#include "console/form2.h"
#include "console/networkconfig.h"
#include "fakes/consolefixture.h"
#include "platform/qtplatform.h"
#include "strips/form3.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QMessageBox>

using namespace tarvos;
using namespace tarvos::testing;

namespace {

QString spokenName(QWidget *w) {
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
    return iface ? iface->text(QAccessible::Name) : QString();
}

// A control that shows a caption: its name must be that caption, now and after a change.
bool isCaptioned(QWidget *w) {
    return qobject_cast<QAbstractButton *>(w) || qobject_cast<Caption *>(w);
}

QString captionOf(QWidget *w) {
    if (auto *b = qobject_cast<QAbstractButton *>(w))
        return b->text();
    return static_cast<Caption *>(w)->text();
}

void setCaption(QWidget *w, const QString &text) {
    if (auto *b = qobject_cast<QAbstractButton *>(w))
        b->setText(text);
    else
        static_cast<Caption *>(w)->setText(text);
}

class AccessibilityTest : public ConsoleTest {
protected:
    QList<QWidget *> windows() {
        Companions &c = console->companions();
        return {&form(), &console->form2(), &c.today(), &c.groundInfo().window(), &c.chart()};
    }
};

TEST_F(AccessibilityTest, EveryControlIsReadByWhatItShowsOrHolds) {
    start();
    int controls = 0;
    for (QWidget *window : windows()) {
        for (QWidget *w : window->findChildren<QWidget *>()) {
            const bool field = qobject_cast<Field *>(w) || qobject_cast<Panel *>(w) ||
                               qobject_cast<QComboBox *>(w) || qobject_cast<QCheckBox *>(w);
            if (w->objectName().isEmpty() || !(field || isCaptioned(w)))
                continue;
            ++controls;
            const QString where = window->objectName() + QLatin1Char('.') + w->objectName();
            const QString name = spokenName(w);
            EXPECT_NE(name, w->objectName()) << qPrintable(where) << " is read as its object name";
            if (field && !isCaptioned(w)) {
                EXPECT_FALSE(name.isEmpty()) << qPrintable(where) << " has no name";
                continue;
            }
            if (!w->accessibleName().isEmpty()) {
                // A per-row button adds its row to its caption ("Fa row 3"); a button without
                // a caption says what it does.
                EXPECT_TRUE(name.startsWith(captionOf(w))) << qPrintable(where);
                continue;
            }
            const QString before = captionOf(w);
            EXPECT_EQ(name, QString(before).remove(QLatin1Char('&'))) << qPrintable(where);
            setCaption(w, QStringLiteral("12:34 changed"));
            EXPECT_EQ(spokenName(w), "12:34 changed") << qPrintable(where) << " keeps an old name";
            setCaption(w, before);
        }
    }
    EXPECT_GT(controls, 150);
}

TEST_F(AccessibilityTest, ChangingCaptionsAreReadAsTheyStand) {
    start();
    Form1 &f = form();
    f.Command39->click();
    tick(f.Timer1);
    tick(f.Timer1);
    tick(f.Timer1);
    EXPECT_EQ(spokenName(f.Command39), f.Command39->text());
    EXPECT_NE(spokenName(f.Command39), "Timer");
    f.Command9->click();
    Form2 &mini = console->form2();
    mini.Command3->click();
    EXPECT_EQ(spokenName(mini.Command3), "norm");
    f.Label5->setText(QStringLiteral("EDDT_TWR 120.500"));
    EXPECT_EQ(spokenName(f.Label5), "EDDT_TWR 120.500");
    EXPECT_EQ(spokenName(f.Text7[0]), "Callsign row 1");
}

TEST_F(AccessibilityTest, TextFromOutsideIsShownAsText) {
    const QString markup = "EDDT 071220Z 26010KT CAVOK 05/02 Q1013 <b>RMK</b> <font "
                           "color=\"red\" size=\"7\">SHOUT</font>";
    fake.transfer.setBody(QUrl(metarUrl(defaultNetworkSettings().metarNetwork, "EDDT")),
                          markup.toUtf8());
    start();
    Form1 &f = form();
    Form2 &mini = console->form2();
    tick(f.Timer3); // the METAR page comes in through AutoAtis
    ASSERT_EQ(f.Label16->text(), markup);

    // The captions that show what a server, a feed, a data file or a typed word brought.
    const struct {
        const char *source;
        QLabel *label;
    } captions[] = {
        {"METAR page", f.Label16},
        {"freq1.txt", f.Label5},
        {"freq2.txt", f.Label7},
        {"ICAO field", f.Label8},
        {"rw: command word", f.Label18},
        {"mini window: freq1.txt", mini.Label2},
        {"mini window: freq2.txt", mini.Label3},
        {"mini window: airport", mini.Label4},
    };
    for (const auto &c : captions) {
        SCOPED_TRACE(c.source);
        if (c.label != f.Label16)
            c.label->setText(markup);
        EXPECT_EQ(c.label->textFormat(), Qt::PlainText);
        EXPECT_EQ(spokenName(c.label), markup) << "the tags are read as they stand";
    }
    // And every other label of the five windows.
    for (QWidget *window : windows()) {
        for (QLabel *label : window->findChildren<QLabel *>())
            EXPECT_EQ(label->textFormat(), Qt::PlainText) << qPrintable(label->objectName());
    }

    // A message box shows its text as text, too; the one that does not wait for OK is one box.
    QtMessageBox boxes;
    boxes.open(markup, MessageBox::Icon::Information);
    boxes.open(markup + " again", MessageBox::Icon::Information);
    QList<QMessageBox *> open;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible())
            open << box;
    }
    ASSERT_EQ(open.size(), 1);
    EXPECT_EQ(open[0]->textFormat(), Qt::PlainText);
    EXPECT_EQ(open[0]->text(), markup + " again");
    EXPECT_EQ(open[0]->windowTitle(), "Tarvos");
    EXPECT_EQ(open[0]->icon(), QMessageBox::Information);
    EXPECT_EQ(open[0]->windowModality(), Qt::NonModal);
}

} // namespace
