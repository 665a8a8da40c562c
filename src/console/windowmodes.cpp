#include "console/windowmodes.h"

#include "console/consolestate.h"
#include "console/form1.h"
#include "console/form2.h"
#include "console/numbers.h"
#include "console/twips.h"
#include "platform/platform.h"

namespace tarvos {

namespace {
constexpr int kPanelShownTop = 0;
constexpr int kHelpHiddenTop = 5880;
constexpr int kWeatherPanelHiddenTop = 9120;
constexpr int kLevelsShownTop = 1040;
constexpr int kLevelsHiddenTop = 6480;
constexpr int kUpdateHiddenTop = 7320;
constexpr int kMiniRaisedTop = -310;
} // namespace

WindowModesController::WindowModesController(ConsoleContext context, QObject *parent)
    : QObject(parent), m(std::move(context)) {
    Form1 &f = m.form1;
    connect(f.Check1, &QCheckBox::clicked, this, &WindowModesController::alwaysOnTopClicked);
    connect(f.Command9, &QPushButton::clicked, this, &WindowModesController::mini);
    connect(f.Command34, &QPushButton::clicked, this, [this] { toggleHelp(m.form1.Text14); });
    connect(f.Command35, &QPushButton::clicked, this, [this] { toggleHelp(m.form1.Text15); });
    connect(&f, &Form1::backgroundPressed, this, &WindowModesController::hideHelpPanels);
    connect(f.Command43, &QPushButton::clicked, this, &WindowModesController::toggleLevels);
    connect(f.Command39, &QPushButton::clicked, this, &WindowModesController::stopwatchClicked);
    connect(f.Timer1, &QTimer::timeout, this, &WindowModesController::stopwatchTick);
    connect(f.Text20, &Panel::clicked, f.Text20, &QWidget::hide);
    connect(f.Text23, &Panel::clicked, f.Text23, &QWidget::hide);
    connect(f.Text22, &Field::doubleClicked, this,
            [this] { Form1::setTopTwips(m.form1.Text22, kUpdateHiddenTop); });
    // The update notice goes out of view two seconds after start.
    connect(f.Timer5, &QTimer::timeout, this, [this] {
        Form1::setTopTwips(m.form1.Text22, kUpdateHiddenTop);
        m.form1.Timer5->stop();
    });
}

void WindowModesController::alwaysOnTopClicked() {
    m.platform.stacking->setTopmost(&m.form1, m.form1.Check1->isChecked());
}

void WindowModesController::mini() {
    Form1 &f = m.form1;
    f.setEnabled(false);
    f.hide();
    Form2 &mini = m.form2();
    mini.setEnabled(true);
    mini.show();
    mini.copyFrom(f);
    callHook(m.hooks.hideChart);
}

void WindowModesController::wireForm2(Form2 &form2) {
    connect(form2.Command1, &QPushButton::clicked, this, &WindowModesController::back);
    connect(form2.Command2, &QPushButton::clicked, this, &WindowModesController::backToBoard);
    connect(form2.Command3, &QPushButton::clicked, this, &WindowModesController::miniToggle);
    const QSize screen = m.platform.screen->sizePixels();
    form2.move((screen.width() - form2.frameGeometry().width()) / 2, form2.y());
    m.platform.stacking->setTopmost(&form2, true);
}

void WindowModesController::back() {
    if (m.hasForm2()) {
        m.form2().setEnabled(false);
        m.form2().hide();
    }
    m.form1.setEnabled(true);
    m.form1.show();
}

void WindowModesController::backToBoard() {
    m.form2().Command1->setFocus();
    back();
    m.form1.setHeightTwips(Form1::kBoardHeight);
}

void WindowModesController::miniToggle() {
    Form2 &mini = m.form2();
    mini.Command1->setFocus();
    if (mini.Command3->text() == QLatin1String("mini")) {
        mini.Command3->setText(QStringLiteral("norm"));
        mini.moveTopTwips(kMiniRaisedTop);
    } else if (mini.Command3->text() == QLatin1String("norm")) {
        mini.Command3->setText(QStringLiteral("mini"));
        mini.moveTopTwips(0);
    }
    m.platform.stacking->setTopmost(&mini, true);
}

void WindowModesController::toggleHelp(QWidget *panel) {
    if (Form1::topTwipsOf(panel) != kPanelShownTop) {
        Form1::setTopTwips(panel, kPanelShownTop);
        panel->raise();
        m.form1.Label1->setText(QStringLiteral("DEP"));
        m.form1.setHeightTwips(Form1::kHelpHeight);
    } else {
        Form1::setTopTwips(panel, kHelpHiddenTop);
    }
    Form1::setTopTwips(m.form1.Text19, kWeatherPanelHiddenTop);
}

void WindowModesController::hideHelpPanels() {
    Form1::setTopTwips(m.form1.Text14, kHelpHiddenTop);
    Form1::setTopTwips(m.form1.Text15, kHelpHiddenTop);
}

void WindowModesController::toggleLevels() {
    Form1 &f = m.form1;
    const bool show = m.state.levelshidden == 1;
    const int top = show ? kLevelsShownTop : kLevelsHiddenTop;
    for (QWidget *w :
         std::initializer_list<QWidget *>{f.Combo1, f.Combo2, f.Combo3, f.Combo4, f.Label20}) {
        Form1::setTopTwips(w, top);
        if (show)
            w->raise();
    }
    if (show)
        f.Label20->stackUnder(f.Combo2);
    m.state.levelshidden = show ? 0 : 1;
}

void WindowModesController::stopwatchClicked() {
    Form1 &f = m.form1;
    if (!f.Timer1->isActive())
        f.Timer1->start();
    if (m.state.sepseconds > 0) {
        m.state.sepminutes = 0;
        m.state.sepseconds = 0;
        f.Timer1->stop();
        f.Command39->setText(QStringLiteral("Timer"));
    }
    f.Command8->setFocus();
}

void WindowModesController::stopwatchTick() {
    ConsoleState &s = m.state;
    s.sepseconds += 1;
    if (s.sepseconds >= 60) {
        s.sepminutes += 1;
        s.sepseconds = 0;
    }
    if (s.sepminutes >= 59) {
        s.sepminutes = 0;
        s.sepseconds = 0;
    }
    m.form1.Command39->setText(numberText(s.sepminutes) + QLatin1Char(':') +
                               numberText(s.sepseconds));
}

} // namespace tarvos
