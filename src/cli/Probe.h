#pragma once

#include "link/Bytes.h"

#include <QObject>
#include <QString>

#include <functional>

namespace kelvara {

// `probe`: open the adapter, ask how the lens is attached, read the basic-information
// record and both settings blocks, disconnect and close. Ends with finished(exitCode).
class Probe : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    void start();

signals:
    void finished(int exitCode);

private:
    using Step = std::function<void(const Bytes& data)>;
    void read(bool area, std::uint8_t addressHigh, const QString& title, Step next);
    void disconnectAndClose();
    void fail(const QString& reason);
    void succeed();

    bool done_ = false;
};

} // namespace kelvara
