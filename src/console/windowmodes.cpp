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

WindowModesController::WindowModesController(Form1 &form, ConsoleState &state, ScreenInfo &screen,
                                             WindowStacking &stacking, QObject *parent)
    : QObject(parent), m_form(form), m_state(state), m_screen(screen), m_stacking(stacking) {
    Form1 &f = m_form;
    connect(f.Check1, &QCheckBox::clicked, this, &WindowModesController::alwaysOnTopClicked);
    connect(f.Command9, &QPushButton::clicked, this, &WindowModesController::mini);
    connect(f.Command34, &QPushButton::clicked, this, [this] { toggleHelp(m_form.Text14); });
    connect(f.Command35, &QPushButton::clicked, this, [this] { toggleHelp(m_form.Text15); });
    connect(&f, &Form1::backgroundPressed, this, &WindowModesController::hideHelpPanels);
    connect(f.Command43, &QPushButton::clicked, this, &WindowModesController::toggleLevels);
    connect(f.Command39, &QPushButton::clicked, this, &WindowModesController::stopwatchClicked);
    connect(f.Timer1, &QTimer::timeout, this, &WindowModesController::stopwatchTick);
    connect(f.Text20, &Panel::clicked, f.Text20, &QWidget::hide);
    connect(f.Text23, &Panel::clicked, f.Text23, &QWidget::hide);
    connect(f.Text22, &Field::doubleClicked, this,
            [this] { Form1::setTopTwips(m_form.Text22, kUpdateHiddenTop); });
    // The update notice goes out of view two seconds after start.
    connect(f.Timer5, &QTimer::timeout, this, [this] {
        Form1::setTopTwips(m_form.Text22, kUpdateHiddenTop);
        m_form.Timer5->stop();
    });
}

WindowModesController::~WindowModesController() = default;

Form2 &WindowModesController::miniWindow() {
    if (!m_mini) {
        m_mini = std::make_unique<Form2>();
        wireMini(*m_mini);
    }
    return *m_mini;
}

void WindowModesController::copyWeatherToMini() {
    miniWindow().copyFrom(m_form);
}

void WindowModesController::closeMini() {
    if (m_mini)
        m_mini->closeAtShutdown();
}

void WindowModesController::alwaysOnTopClicked() {
    m_stacking.setTopmost(&m_form, m_form.Check1->isChecked());
}

void WindowModesController::mini() {
    Form1 &f = m_form;
    f.setEnabled(false);
    f.hide();
    Form2 &form2 = miniWindow();
    form2.setEnabled(true);
    form2.show();
    form2.copyFrom(f);
    emit chartNotWanted();
}

void WindowModesController::wireMini(Form2 &form2) {
    connect(form2.Command1, &QPushButton::clicked, this, &WindowModesController::back);
    connect(form2.Command2, &QPushButton::clicked, this, &WindowModesController::backToBoard);
    connect(form2.Command3, &QPushButton::clicked, this, &WindowModesController::miniToggle);
    // Closing the mini window through its frame is "Back": the console must not stay hidden
    // with no window left on the screen.
    connect(&form2, &Form2::closedByUser, this, &WindowModesController::back);
    const QSize screen = m_screen.sizePixels();
    form2.move((screen.width() - form2.frameGeometry().width()) / 2, form2.y());
    m_stacking.setTopmost(&form2, true);
}

void WindowModesController::back() {
    if (m_mini) {
        m_mini->setEnabled(false);
        m_mini->hide();
    }
    m_form.setEnabled(true);
    m_form.show();
}

void WindowModesController::backToBoard() {
    miniWindow().Command1->setFocus();
    back();
    m_form.setHeightTwips(Form1::kBoardHeight);
}

void WindowModesController::miniToggle() {
    Form2 &form2 = miniWindow();
    form2.Command1->setFocus();
    if (form2.Command3->text() == QLatin1String("mini")) {
        form2.Command3->setText(QStringLiteral("norm"));
        form2.moveTopTwips(kMiniRaisedTop);
    } else if (form2.Command3->text() == QLatin1String("norm")) {
        form2.Command3->setText(QStringLiteral("mini"));
        form2.moveTopTwips(0);
    }
    m_stacking.setTopmost(&form2, true);
}

void WindowModesController::toggleHelp(QWidget *panel) {
    if (Form1::topTwipsOf(panel) != kPanelShownTop) {
        Form1::setTopTwips(panel, kPanelShownTop);
        panel->raise();
        m_form.Label1->setText(QStringLiteral("DEP"));
        m_form.setHeightTwips(Form1::kHelpHeight);
    } else {
        Form1::setTopTwips(panel, kHelpHiddenTop);
    }
    Form1::setTopTwips(m_form.Text19, kWeatherPanelHiddenTop);
}

void WindowModesController::hideHelpPanels() {
    Form1::setTopTwips(m_form.Text14, kHelpHiddenTop);
    Form1::setTopTwips(m_form.Text15, kHelpHiddenTop);
}

void WindowModesController::toggleLevels() {
    Form1 &f = m_form;
    const bool show = m_state.levelshidden == 1;
    const int top = show ? kLevelsShownTop : kLevelsHiddenTop;
    for (QWidget *w :
         std::initializer_list<QWidget *>{f.Combo1, f.Combo2, f.Combo3, f.Combo4, f.Label20}) {
        Form1::setTopTwips(w, top);
        if (show)
            w->raise();
    }
    if (show)
        f.Label20->stackUnder(f.Combo2);
    m_state.levelshidden = show ? 0 : 1;
}

void WindowModesController::stopwatchClicked() {
    Form1 &f = m_form;
    if (!f.Timer1->isActive())
        f.Timer1->start();
    if (m_state.sepseconds > 0) {
        m_state.sepminutes = 0;
        m_state.sepseconds = 0;
        f.Timer1->stop();
        f.Command39->setText(QStringLiteral("Timer"));
    }
    f.Command8->setFocus();
}

void WindowModesController::stopwatchTick() {
    ConsoleState &s = m_state;
    s.sepseconds += 1;
    if (s.sepseconds >= 60) {
        s.sepminutes += 1;
        s.sepseconds = 0;
    }
    if (s.sepminutes >= 59) {
        s.sepminutes = 0;
        s.sepseconds = 0;
    }
    m_form.Command39->setText(numberText(s.sepminutes) + QLatin1Char(':') +
                              numberText(s.sepseconds));
}

} // namespace tarvos
