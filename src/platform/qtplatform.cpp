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

namespace {
// The texts may hold what a server or a data file sent: shown as text, never as markup.
void fill(QMessageBox &box, const QString &text, MessageBox::Icon icon) {
    box.setIcon(icon == MessageBox::Icon::Information ? QMessageBox::Information
                                                      : QMessageBox::NoIcon);
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
}

QMessageBox *newBox() {
    auto *box = new QMessageBox;
    box->setWindowTitle(QStringLiteral("Tarvos"));
    box->setStandardButtons(QMessageBox::Ok);
    box->setObjectName(QStringLiteral("TarvosMessage"));
    return box;
}
} // namespace

QtMessageBox::~QtMessageBox() {
    delete m_open;
}

void QtMessageBox::show(const QString &text, Icon icon) {
    const std::unique_ptr<QMessageBox> box(newBox());
    fill(*box, text, icon);
    box->exec();
}

void QtMessageBox::open(const QString &text, Icon icon) {
    if (!m_open) {
        m_open = newBox();
        m_open->setAttribute(Qt::WA_DeleteOnClose);
        m_open->setWindowModality(Qt::NonModal);
    }
    fill(*m_open, text, icon);
    m_open->show();
    m_open->raise();
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
