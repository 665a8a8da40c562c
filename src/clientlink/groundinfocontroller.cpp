#include "clientlink/groundinfocontroller.h"

#include "clientlink/form4.h"
#include "console/consolestate.h"
#include "console/twips.h"
#include "platform/platform.h"

namespace tarvos {

GroundInfoController::GroundInfoController(ConsoleState &state, WindowStacking &stacking,
                                           QObject *parent)
    : QObject(parent), m_state(state), m_stacking(stacking) {}

GroundInfoController::~GroundInfoController() {
    delete m_window.data();
}

Form4 &GroundInfoController::window() {
    if (!m_window) {
        auto *form = new Form4;
        m_window = form;
        if (m_placed)
            form->move(m_position);
        form->setCheckColours(m_state.groundcheckmode);
        form->showRows(m_rows);
        connectWindow(*form);
        m_stacking.setTopmost(form, true);
    }
    return *m_window;
}

void GroundInfoController::connectWindow(Form4 &form) {
    for (int i = 0; i < Form4::kRows; ++i) {
        Field *field = form.Text1[static_cast<std::size_t>(i)];
        connect(field, &QLineEdit::textEdited, this,
                [this, i](const QString &text) { m_rows.setCallsign(i, text); });
        connect(field, &Field::focusLeft, this, [this, field, i] {
            const QString upper = field->text().toUpper();
            m_rows.setCallsign(i, upper);
            if (field->text() != upper)
                field->setText(upper);
        });
        connect(field, &Field::doubleClicked, this, [this, i] {
            m_rows.clearrow(i);
            refresh();
        });
        for (int c = 0; c < 3; ++c) {
            connect(form.check(i, c), &QCheckBox::clicked, this,
                    [this, i, c](bool checked) { m_rows.setCheck(i, c, checked); });
        }
        connect(form.Command1[static_cast<std::size_t>(i)], &QPushButton::clicked, this, [this, i] {
            m_rows.clearrow(i);
            m_rows.topit();
            refresh();
        });
    }
    connect(form.Command2, &QPushButton::clicked, this, [this] {
        m_rows.topit();
        refresh();
    });
    connect(form.Command3, &QPushButton::clicked, this, [this] {
        m_rows.clearAll();
        refresh();
    });
    connect(form.Label1, &Caption::clicked, this,
            [this] { m_window->move(m_window->x(), px(Form4::kParkedTopTwips)); });
    connect(&form, &Form4::closed, this, &GroundInfoController::windowClosed);
}

void GroundInfoController::refresh() {
    if (m_window)
        m_window->showRows(m_rows);
}

void GroundInfoController::windowClosed() {
    // The window goes with its rows; the next use builds it again where it stood.
    m_rows.clearAll();
    if (m_window) {
        m_position = m_window->frameGeometry().topLeft();
        m_placed = true;
        m_window->deleteLater();
        m_window.clear();
    }
}

void GroundInfoController::placeBeside(const QWidget &mainWindow) {
    const QRect frame = mainWindow.frameGeometry();
    m_position = QPoint(frame.left() + frame.width(), 0);
    m_placed = true;
    // The window itself is made when first needed, at this place.
    if (m_window)
        m_window->move(m_position);
}

int GroundInfoController::enter(const QString &callsign) {
    const int row = m_rows.enter(callsign, m_state.groundcheckmode);
    window();
    refresh();
    return row;
}

void GroundInfoController::toggle() {
    if (m_state.showgroundwindow == 1) {
        Form4 &form = window();
        form.setWindowState(form.windowState() & ~Qt::WindowMinimized);
        form.show();
        m_state.showgroundwindow = 0;
    } else {
        if (m_window)
            m_window->hide();
        m_state.showgroundwindow = 1;
    }
}

void GroundInfoController::setGroundCheckMode(int mode) {
    m_state.groundcheckmode = mode;
    window().setCheckColours(mode);
}

void GroundInfoController::closeWindow() {
    if (m_window)
        m_window->close();
}

} // namespace tarvos
