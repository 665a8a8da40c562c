#include "console/widgets.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDialog>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>

namespace tarvos {

QColor colourFromValue(int value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

int valueFromColour(const QColor &colour) {
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

QString controlName(const QString &name, int index) {
    return index < 0 ? name : QStringLiteral("%1(%2)").arg(name).arg(index);
}

namespace {

// One event filter for every control kind: a left press and a release over the control is a
// click, a left double click a double click.
class ClickFilter final : public QObject {
public:
    ClickFilter(QWidget *control, std::function<void()> clicked,
                std::function<void()> doubleClicked)
        : QObject(control), m_clicked(std::move(clicked)),
          m_doubleClicked(std::move(doubleClicked)) {}

    bool eventFilter(QObject *watched, QEvent *event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            m_pressed = static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton;
            break;
        case QEvent::MouseButtonRelease: {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            const auto *widget = static_cast<QWidget *>(watched);
            if (m_pressed && mouse->button() == Qt::LeftButton &&
                widget->rect().contains(mouse->position().toPoint())) {
                m_pressed = false;
                // A handler may close the window that owns the control; the event then
                // goes no further.
                QPointer<QObject> alive(watched);
                m_clicked();
                return alive.isNull();
            }
            m_pressed = false;
            break;
        }
        case QEvent::MouseButtonDblClick:
            if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
                QPointer<QObject> alive(watched);
                m_doubleClicked();
                return alive.isNull();
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    std::function<void()> m_clicked;
    std::function<void()> m_doubleClicked;
    bool m_pressed = false;
};

// A window of the console itself, as opposed to a message box or another program.
bool isConsoleWindow(const QWidget *widget) {
    return widget && !qobject_cast<const QDialog *>(widget->window());
}

// Whether the last focus that left a control with its window moved into another console
// window. Set by an application-wide filter that sees the leaving control's focus-out before
// the next control's focus-in.
bool g_windowSwitchWithinConsole = false;

class WindowSwitchWatcher final : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override {
        // Focus events also pass through objects that are no controls (the style); only a
        // control's own focus-out counts.
        const auto *widget = qobject_cast<QWidget *>(watched);
        if (widget && event->type() == QEvent::FocusOut &&
            static_cast<QFocusEvent *>(event)->reason() == Qt::ActiveWindowFocusReason) {
            g_windowSwitchWithinConsole =
                isConsoleWindow(widget) && isConsoleWindow(QApplication::activeWindow());
        }
        return false;
    }
};

void watchWindowSwitches() {
    static QPointer<WindowSwitchWatcher> watcher;
    if (!watcher && qApp) {
        watcher = new WindowSwitchWatcher;
        watcher->setParent(qApp);
        qApp->installEventFilter(watcher);
    }
}

} // namespace

void reportClicks(QWidget *control, std::function<void()> clicked,
                  std::function<void()> doubleClicked) {
    auto *filter = new ClickFilter(control, std::move(clicked), std::move(doubleClicked));
    if (auto *area = qobject_cast<QAbstractScrollArea *>(control))
        area->viewport()->installEventFilter(filter);
    else
        control->installEventFilter(filter);
}

Field::Field(QWidget *parent) : QLineEdit(parent) {
    reportClicks(
        this, [this] { emit clicked(); }, [this] { emit doubleClicked(); });
    watchWindowSwitches();
}

void Field::setTextColour(int value) {
    const bool changed = value != m_colour;
    m_colour = value;
    QPalette p = palette();
    p.setColor(QPalette::Text, colourFromValue(value));
    setPalette(p);
    if (changed)
        emit colourChanged();
}

// Focus that comes and goes with the whole window is a move between fields only when it goes
// from one console window to another (from the ground-info window into a strip, say).
// Switching to another program (the ATC client) and back, or a message box opening and
// closing, is none: the handlers would otherwise overwrite the clipboard the controller just
// filled elsewhere.
void Field::focusInEvent(QFocusEvent *event) {
    QLineEdit::focusInEvent(event);
    bool counts = event->reason() != Qt::PopupFocusReason;
    if (event->reason() == Qt::ActiveWindowFocusReason)
        counts = g_windowSwitchWithinConsole && isConsoleWindow(this);
    g_windowSwitchWithinConsole = false;
    if (counts)
        emit focusEntered();
}

void Field::focusOutEvent(QFocusEvent *event) {
    QLineEdit::focusOutEvent(event);
    bool counts = event->reason() != Qt::PopupFocusReason;
    if (event->reason() == Qt::ActiveWindowFocusReason)
        counts = isConsoleWindow(this) && isConsoleWindow(QApplication::activeWindow());
    if (counts)
        emit focusLeft();
}

void Field::keyPressEvent(QKeyEvent *event) {
    emit keyPressed(event->key(), event->modifiers());
    QLineEdit::keyPressEvent(event);
}

Caption::Caption(const QString &text, QWidget *parent) : QLabel(parent) {
    // Captions show what servers, feeds and data files sent: as text, never as markup.
    setTextFormat(Qt::PlainText);
    setText(text);
    reportClicks(
        this, [this] { emit clicked(); }, [this] { emit doubleClicked(); });
}

Panel::Panel(QWidget *parent) : QPlainTextEdit(parent) {
    reportClicks(
        this, [this] { emit clicked(); }, [this] { emit doubleClicked(); });
}

void Panel::setText(const QString &text) {
    m_text = text;
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    setPlainText(shown);
}

Button::Button(const QString &caption, QWidget *parent) : QPushButton(caption, parent) {
    setFocusPolicy(Qt::StrongFocus);
}

QFont consoleFont() {
    QFont font = QApplication::font();
    font.setPixelSize(11);
    return font;
}

void nameControl(QWidget *widget, const QString &objectName, const QString &accessibleName,
                 const QString &toolTip) {
    widget->setObjectName(objectName);
    if (!accessibleName.isEmpty())
        widget->setAccessibleName(accessibleName);
    if (!toolTip.isEmpty())
        widget->setToolTip(toolTip);
}

} // namespace tarvos
