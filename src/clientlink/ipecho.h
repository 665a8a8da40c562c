#pragma once

#include <QCoroTask>
#include <QObject>

namespace tarvos {

class Clipboard;
class Form1;
class HttpTransfer;
class NetworkConfig;

// "ip?": the own address from the IP-echo service into the row's Remarks, and a sentence with
// it on the clipboard for the pilot who asks.
class IpEcho : public QObject {
    Q_OBJECT
public:
    IpEcho(Form1 &form, NetworkConfig &config, HttpTransfer &transfer, Clipboard &clipboard,
           QObject *parent = nullptr);

    // A failed download puts nothing on the clipboard and says so in the Remarks.
    QCoro::Task<> fetch(int row);

private:
    Form1 &m_form;
    NetworkConfig &m_config;
    HttpTransfer &m_transfer;
    Clipboard &m_clipboard;
};

} // namespace tarvos
