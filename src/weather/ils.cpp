#include "weather/ils.h"

#include "platform/platform.h"

namespace tarvos {

DefaultFile ilsDefaultFile() {
    return DefaultFile{
        QStringLiteral("ils.txt"),
        {
            QStringLiteral("Berlin Tegel:"),
            QStringLiteral("ILS 08L / 109.10 / ITLE / 081° / 3023m"),
            QStringLiteral("ILS 08R / 108.50 / ITGE / 081° / 2428m"),
            QStringLiteral("ILS 26L / 109.30 / ITGW / 261° / 2428m"),
            QStringLiteral("ILS 26R / 110.10 / ITLW / 261° / 3023m"),
            QString(),
            QStringLiteral("Berlin Tempelhof:"),
            QStringLiteral("ILS 09R / 109.70 / IDBR / 086° / 1840m"),
            QStringLiteral("ILS 27L / 109.50 / IDLB / 266° / 1840m"),
            QString(),
            QStringLiteral("Berlin Schönefeld:"),
            QStringLiteral("ILS 07R / 110.70 / ISSE / 067° / 3000m"),
            QStringLiteral("ILS 25L / 109.90 / ISSW / 247° / 3000m"),
            QStringLiteral("ILS 25R / 110.30 / ISLR / 247° / 2700m"),
        },
        QStringLiteral(
            "Es wurde die Datei ils.txt erstellt. Wenn Sie nicht in Berlin controllen sollten, "
            "dann können sie jetzt selber mit einem normalen Texteditor diese Datei nach Ihren "
            "Wünschen für Ihren Flughafen editieren! Ansonsten drücken Sie jetzt noch zweimal "
            "den ILS-Button. Diese Meldung erscheint nur, wenn die Datei ils.txt vorher noch "
            "nicht vorhanden war."),
    };
}

QString ilsPanelText(const QStringList &ilsLines) {
    QString text;
    for (const QString &line : ilsLines)
        text += line + QStringLiteral("\r\n");
    return text;
}

namespace {

// Takes the creation notice for the panel and passes every other message on.
class PanelNotice final : public MessageBox {
public:
    PanelNotice(const QString &notice, MessageBox &others) : m_notice(notice), m_others(others) {}
    void show(const QString &text, Icon icon) override {
        if (text != m_notice)
            m_others.show(text, icon);
    }
    void open(const QString &text, Icon icon) override {
        if (text != m_notice)
            m_others.open(text, icon);
    }

private:
    const QString &m_notice;
    MessageBox &m_others;
};

} // namespace

QString loadils(const DataDir &dir, MessageBox &messages) {
    const DefaultFile file = ilsDefaultFile();
    PanelNotice notice(file.message, messages);
    const DataDir::OpenResult result = dir.openOrCreate(file, notice);
    if (result.outcome == DataDir::Outcome::Created)
        return file.message;
    return ilsPanelText(result.lines);
}

} // namespace tarvos
