#include "console/widgets.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

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

Field::Field(QWidget *parent) : QLineEdit(parent) {}

void Field::setTextColour(int value) {
    m_colour = value;
    QPalette p = palette();
    p.setColor(QPalette::Text, colourFromValue(value));
    setPalette(p);
}

void Field::mousePressEvent(QMouseEvent *event) {
    m_pressed = true;
    QLineEdit::mousePressEvent(event);
}

void Field::mouseReleaseEvent(QMouseEvent *event) {
    QLineEdit::mouseReleaseEvent(event);
    if (m_pressed && event->button() == Qt::LeftButton && rect().contains(event->pos())) {
        m_pressed = false;
        emit clicked();
    }
}

void Field::mouseDoubleClickEvent(QMouseEvent *event) {
    QLineEdit::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

// Focus that comes and goes with the whole window (the controller switching to the ATC client
// and back, a message box opening and closing) is no move between fields: the handlers would
// otherwise overwrite the clipboard the controller just filled elsewhere.
static bool movesBetweenFields(const QFocusEvent *event) {
    return event->reason() != Qt::ActiveWindowFocusReason &&
           event->reason() != Qt::PopupFocusReason;
}

void Field::focusInEvent(QFocusEvent *event) {
    QLineEdit::focusInEvent(event);
    if (movesBetweenFields(event))
        emit focusEntered();
}

void Field::focusOutEvent(QFocusEvent *event) {
    QLineEdit::focusOutEvent(event);
    if (movesBetweenFields(event))
        emit focusLeft();
}

void Field::keyPressEvent(QKeyEvent *event) {
    emit keyPressed(event->key(), event->modifiers());
    QLineEdit::keyPressEvent(event);
}

Caption::Caption(const QString &text, QWidget *parent) : QLabel(text, parent) {}

void Caption::mouseReleaseEvent(QMouseEvent *event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->pos()))
        emit clicked();
}

void Caption::mouseDoubleClickEvent(QMouseEvent *event) {
    QLabel::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

Panel::Panel(QWidget *parent) : QPlainTextEdit(parent) {}

void Panel::setText(const QString &text) {
    m_text = text;
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    setPlainText(shown);
}

void Panel::mouseReleaseEvent(QMouseEvent *event) {
    QPlainTextEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        emit clicked();
}

void Panel::mouseDoubleClickEvent(QMouseEvent *event) {
    QPlainTextEdit::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
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
    widget->setAccessibleName(accessibleName);
    if (!toolTip.isEmpty())
        widget->setToolTip(toolTip);
}

} // namespace tarvos
