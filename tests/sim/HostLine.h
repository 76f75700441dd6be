#pragma once

#include <QByteArray>
#include <QString>

#include <limits>

// The host end of the serial link: a raw tty opened through the lens's
// symlink, with blocking reads bounded by poll timeouts.
class HostLine {
  public:
    explicit HostLine(const QString& path);
    ~HostLine();
    HostLine(const HostLine&) = delete;
    HostLine& operator=(const HostLine&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    bool reopen();
    void close();

    bool write(const QByteArray& bytes);
    // Until n bytes have arrived or timeoutMs passed; whatever arrived.
    QByteArray read(qsizetype n, int timeoutMs = 2000);
    // Skips to a start marker and returns one whole frame (or what arrived in time).
    QByteArray readFrame(int timeoutMs = 2000);
    // Whatever arrives within ms.
    QByteArray drain(int ms) { return read(std::numeric_limits<qsizetype>::max(), ms); }
    // How many separate reads delivered the last readFrame.
    int lastPieces() const { return pieces_; }

    bool setBaud(unsigned speedConstant);
    // The lens end went away: reads report hang-up or end of file.
    bool hungUp(int timeoutMs);

  private:
    bool waitReadable(int timeoutMs);

    QString path_;
    int fd_ = -1;
    QByteArray buffer_;
    int pieces_ = 0;
};
