#pragma once

#include <QString>

namespace kelvara::sim {

// The "cable": a raw pseudo-terminal whose slave the host opens through a
// stable symlink. We hold a slave descriptor ourselves so the host closing
// and reopening its port never hangs up the master.
class PtyLink {
  public:
    PtyLink() = default;
    PtyLink(const PtyLink&) = delete;
    PtyLink& operator=(const PtyLink&) = delete;
    ~PtyLink() { close(); }

    bool open(const QString& linkPath, QString* error);
    // Closes both ends and removes the symlink if it still points at us.
    void close();

    bool isOpen() const { return master_ >= 0; }
    int masterFd() const { return master_; }
    int slaveFd() const { return slave_; }
    QString devicePath() const { return device_; }

  private:
    int master_ = -1;
    int slave_ = -1;
    QString device_;
    QString link_;
};

} // namespace kelvara::sim
