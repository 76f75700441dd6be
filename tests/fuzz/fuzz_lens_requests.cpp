// The virtual lens's side of the wire: the input arrives from the host as requests,
// firmware blocks or noise, and the answers go out on a fresh pseudo-terminal of each run.
// The first byte picks the built-in lens; then each step starts with a control byte:
//   00xxxxxx  a request framed with a good checksum: function, length byte, data
//             (bit 5 adds 256 to the length)
//   01xxxxxx  a firmware block with a good checksum: number, 1024 bytes of data
//   1xxxxxxx  (control & 63) + 1 bytes as they are
// so that the checks are passed often enough to reach what lies behind them.
#include "Crc16.h"
#include "Frame.h"
#include "FuzzInput.h"
#include "LensEngine.h"
#include "LensProfile.h"
#include "LensState.h"

#include <QTemporaryDir>

#include <cstdlib>
#include <memory>
#include <vector>

using namespace kelvara;
using namespace kelvara::sim;

namespace {

const std::vector<LensProfile>& lenses() {
    static const std::vector<LensProfile> all = [] {
        std::vector<LensProfile> profiles;
        for (const QString& name : LensProfile::presetNames())
            profiles.push_back(*LensProfile::preset(name));
        return profiles;
    }();
    return all;
}

QString linkPath() {
    static QTemporaryDir dir;
    return dir.filePath(QStringLiteral("ttyKLVfuzz"));
}

QByteArray step(fuzz::FuzzInput& input, quint8& packet) {
    const std::uint8_t control = input.byte();
    if (control & 0x80)
        return input.take(control % 64 + 1);
    if (control & 0x40) {
        const quint8 number = input.byte();
        QByteArray data = input.take(1024);
        data.resize(1024, '\0');
        const quint16 crc = Crc16::xmodem(data);
        return char(0x02) + QByteArray(1, char(number)) + char(~number) + data + char(crc >> 8) +
               char(crc & 0xFF);
    }
    Frame request;
    request.packet = ++packet;
    request.function = input.byte();
    request.data = input.take(input.byte() + (control & 0x20 ? 256 : 0));
    return request.encode();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput input(data, size);
    const LensProfile& lens = lenses()[input.byte() % lenses().size()];
    LensEngine engine(std::make_shared<LensState>(lens), linkPath());
    QString error;
    if (!engine.plugIn(&error))
        std::abort();
    quint8 packet = 0;
    while (!input.atEnd())
        engine.receive(step(input, packet));
    return 0;
}
