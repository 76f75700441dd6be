#pragma once

#include <QString>
#include <QStringList>

namespace kelvara {

// Why a serial port cannot serve as the lens adapter, with what the user can do about
// it. The texts are derived from the value in the installed language.
struct PortProblem {
    enum Kind { NoSuchDevice, PermissionDenied, Busy, NotAdapter };

    Kind kind = NoSuchDevice;
    QString path;
    // PermissionDenied
    QString owner;
    QString group;
    QString mode;
    bool ruleInstalled = false;
    // Busy: "name (pid)" of each holder seen; empty when none could be seen
    QStringList holders;
    bool modemManager = false;
    // NotAdapter: hex USB ids
    QString vendorId;
    QString productId;

    // What is wrong, and the one step that fixes it.
    QString text() const;
    QString fix() const;
    // Both on one line, for a terminal.
    QString line() const { return text() + QStringLiteral("; ") + fix(); }
    // The text id of the window's message for a connection that failed for this reason.
    const char* messageId() const;

    friend bool operator==(const PortProblem&, const PortProblem&) = default;
};

} // namespace kelvara
