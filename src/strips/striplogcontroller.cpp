#include "strips/striplogcontroller.h"

#include "console/datadir.h"
#include "console/form1.h"
#include "platform/platform.h"
#include "strips/stripboard.h"
#include "strips/striplog.h"

#include <QDir>
#include <QFile>

namespace tarvos {

StripLogController::StripLogController(ConsoleContext context, StripBoardController &board,
                                       std::function<void(const QString &)> groundEntry,
                                       QObject *parent)
    : QObject(parent), m(std::move(context)), m_board(board),
      m_groundEntry(std::move(groundEntry)) {
    m.hooks.logStrip = [this](int r) { log(r); };
    connect(m.form1.Command7, &QPushButton::clicked, this, &StripLogController::openLog);
}

void StripLogController::log(int r) {
    const auto fields = m.form1.row(r);
    const StripFields row{fields[0]->text(), fields[1]->text(), fields[2]->text(),
                          fields[3]->text(), fields[4]->text()};
    const QString ground = groundInfoEntry(row);
    if (!ground.isEmpty() && m_groundEntry)
        m_groundEntry(ground);

    // The row is rewritten as it is logged: dot placeholders, each field cut to its width.
    const StripFields normal = normalisedStrip(row);
    for (const auto &[column, text] :
         {std::pair{0, normal.callsign}, std::pair{1, normal.dest}, std::pair{2, normal.via},
          std::pair{3, normal.squawk}, std::pair{4, normal.remarks}})
        fields[column]->setText(text);

    // A failed write (a read-only folder, a full disk) loses this line only; it is not
    // reported and the delete goes on.
    m.data.append(kLogFileName, logLine(row, m.platform.clock->now(), m.form1.Text5->text(),
                                        m.form1.Text4->text()));
}

void StripLogController::openLog() {
    const QString path = m.data.path(kLogFileName);
    if (!QFile::exists(path)) {
        // An empty log is opened rather than none: the editor then shows where strips will go.
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Append);
    }
    if (!m.platform.editor->openTextFile(path)) {
        m.platform.messages->show(
            QStringLiteral("No text editor could be started for %1. Set VISUAL or EDITOR, or "
                           "open the file by hand.")
                .arg(QDir::toNativeSeparators(path)));
    }
}

} // namespace tarvos
