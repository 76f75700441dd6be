// The virtual lens's side of the wire: the input, cut into pieces it chooses, arrives
// from the host as requests, firmware blocks or noise; the answers go out on a fresh
// pseudo-terminal of each run. The first byte picks the built-in lens.
#include "FuzzEnvironment.h"
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

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzz::start(argc, argv);
    if (lenses().empty() || linkPath().isEmpty())
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput input(data, size);
    const LensProfile& lens = lenses()[input.byte() % lenses().size()];
    LensEngine engine(std::make_shared<LensState>(lens), linkPath());
    QString error;
    if (!engine.plugIn(&error))
        std::abort();
    while (!input.atEnd())
        engine.receive(input.piece());
    return 0;
}
