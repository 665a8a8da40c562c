#include "platform/qtplatform.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QUrl>
#include <QWidget>
#include <QWindow>

namespace tarvos {

QString QtClipboard::text() const {
    return QGuiApplication::clipboard()->text();
}

void QtClipboard::clear() {
    QGuiApplication::clipboard()->clear();
}

void QtClipboard::setText(const QString &text) {
    QGuiApplication::clipboard()->setText(text);
}

void QtMessageBox::show(const QString &text, Icon icon) {
    QMessageBox box(icon == Icon::Information ? QMessageBox::Information : QMessageBox::NoIcon,
                    QStringLiteral("Tarvos"), text, QMessageBox::Ok);
    box.setObjectName(QStringLiteral("TarvosMessage"));
    box.exec();
}

void QtBeeper::beep() {
    QApplication::beep();
}

bool DesktopEditorLauncher::openTextFile(const QString &path) {
    // The desktop's default application for text files first; then the editor the user named
    // (Linux) or Notepad, which every Windows has (Windows).
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        return true;
#ifdef Q_OS_WIN
    return QProcess::startDetached(QStringLiteral("notepad.exe"), {QDir::toNativeSeparators(path)});
#else
    for (const char *variable : {"VISUAL", "EDITOR"}) {
        const QString editor = qEnvironmentVariable(variable).trimmed();
        if (editor.isEmpty())
            continue;
        QStringList words = QProcess::splitCommand(editor);
        if (words.isEmpty())
            continue;
        const QString program = words.takeFirst();
        words << path;
        if (QProcess::startDetached(program, words))
            return true;
    }
    return false;
#endif
}

QDateTime SystemClock::now() const {
    return QDateTime::currentDateTime();
}

QSize QtScreenInfo::sizePixels() const {
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize(1024, 768);
}

void QtWindowStacking::setTopmost(QWidget *window, bool topmost) {
    if (!window)
        return;
    // Setting the flag on the native window keeps it where it is; QWidget::setWindowFlag would
    // hide the window and show it again.
    window->winId();
    if (QWindow *handle = window->windowHandle())
        handle->setFlag(Qt::WindowStaysOnTopHint, topmost);
}
} // namespace tarvos
