#include "strips/striplogcontroller.h"

#include "console/datadir.h"
#include "console/form1.h"
#include "platform/platform.h"
#include "strips/stripboard.h"
#include "strips/striplog.h"

#include <QDir>
#include <QFile>

namespace tarvos {

StripLogController::StripLogController(Form1 &form, DataDir &data, Clock &clock,
                                       EditorLauncher &editor, MessageBox &messages,
                                       StripBoardController &board, QObject *parent)
    : QObject(parent), m_form(form), m_data(data), m_clock(clock), m_editor(editor),
      m_messages(messages) {
    connect(&board, &StripBoardController::aboutToDeleteRow, this, &StripLogController::log);
    connect(m_form.Command7, &QPushButton::clicked, this, &StripLogController::openLog);
}

void StripLogController::log(int r) {
    const auto fields = m_form.row(r);
    const StripFields row{fields[0]->text(), fields[1]->text(), fields[2]->text(),
                          fields[3]->text(), fields[4]->text()};
    const QString ground = groundInfoEntry(row);
    if (!ground.isEmpty())
        emit departureLogged(ground);

    // The row is rewritten as it is logged: dot placeholders, each field cut to its width.
    const StripFields normal = normalisedStrip(row);
    for (const auto &[column, text] :
         {std::pair{0, normal.callsign}, std::pair{1, normal.dest}, std::pair{2, normal.via},
          std::pair{3, normal.squawk}, std::pair{4, normal.remarks}})
        fields[column]->setText(text);

    // A failed write (a read-only folder, a full disk) loses this line only; it is not
    // reported and the delete goes on.
    m_data.append(kLogFileName,
                  logLine(row, m_clock.now(), m_form.Text5->text(), m_form.Text4->text()));
}

void StripLogController::openLog() {
    const QString path = m_data.path(kLogFileName);
    if (!QFile::exists(path)) {
        // An empty log is opened rather than none: the editor then shows where strips will go.
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Append);
    }
    if (!m_editor.openTextFile(path)) {
        m_messages.show(
            QStringLiteral("No text editor could be started for %1. Set VISUAL or EDITOR, or "
                           "open the file by hand.")
                .arg(QDir::toNativeSeparators(path)));
    }
}

} // namespace tarvos
