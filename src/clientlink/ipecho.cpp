#include "clientlink/ipecho.h"

#include "clientlink/commandwords.h"
#include "console/form1.h"
#include "console/networkconfig.h"
#include "platform/httptransfer.h"
#include "platform/platform.h"

#include <QPointer>

namespace tarvos {

IpEcho::IpEcho(Form1 &form, NetworkConfig &config, HttpTransfer &transfer, Clipboard &clipboard,
               QObject *parent)
    : QObject(parent), m_form(form), m_config(config), m_transfer(transfer),
      m_clipboard(clipboard) {}

QCoro::Task<> IpEcho::fetch(int row) {
    // Another download running does not stop it; a second "ip?" meanwhile joins the same one.
    if (row < 0 || row >= Form1::kRows)
        co_return;
    const QPointer<IpEcho> self(this);
    const FetchResult result = co_await m_transfer.fetch(QUrl(m_config.settings().ipecho));
    if (!self)
        co_return;
    if (!result.ok) {
        m_form.Text11[row]->setText(ipEchoFailedText());
        co_return;
    }
    // The service answers with the bare address; a line end after it is no part of it.
    const QString reply = QString::fromUtf8(result.body).trimmed();
    m_form.Text11[row]->setText(reply);
    m_clipboard.clear();
    m_clipboard.setText(ipEchoSentence(reply));
}

} // namespace tarvos
