#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <optional>

// One headless zelkit-chat peer started for a measurement: its own throw-away settings
// folder, loopback broadcast, the port it is given. Its standard output is read line by line.
class THeadlessProcess final
{
public:
    // port is the udp_port setting; the peer meets the simulators on its byte-swapped value.
    THeadlessProcess(const QString& nick, quint16 port);
    ~THeadlessProcess();
    THeadlessProcess(const THeadlessProcess&) = delete;
    THeadlessProcess& operator=(const THeadlessProcess&) = delete;

    // The program to start: $ZELKIT_CHAT_EXE, else the one this benchmark was built with.
    static QString Program();

    bool Start();
    // Milliseconds since Start().
    qint64 ElapsedMs() const { return FClock.elapsed(); }
    // Waits until a line equal to `line` arrives; the lines before it are dropped. The time
    // since Start() when it came, or nothing on time-out or when the peer ended.
    std::optional<qint64> WaitForLine(const QString& line, int timeoutMs);
    // Waits for the first line for which `accept` is true and returns it.
    std::optional<QString> WaitFor(const std::function<bool(const QString&)>& accept,
                                   int timeoutMs);
    // The `contacts N` reply to /contacts: the N nicknames in the order printed.
    std::optional<QStringList> ReadContacts(int timeoutMs);
    void Send(const QString& line);
    // Reads whatever output arrives within timeoutMs, without splitting it into lines.
    QByteArray ReadRaw(int timeoutMs);
    // CPU time the peer has used so far, user and system, in milliseconds (-1: unknown).
    qint64 CpuMs() const;
    // Sends /quit and waits for the end; kills the peer if it does not go.
    void Quit();

private:
    std::optional<QString> NextLine(int timeoutMs);

    QTemporaryDir FConfigHome;
    QProcess FProcess;
    QElapsedTimer FClock;
    QString FNick;
    quint16 FPort;
};
