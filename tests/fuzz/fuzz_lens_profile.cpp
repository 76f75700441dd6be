// The virtual lens's profile reader over arbitrary JSON. A profile it accepts must give
// a record that the program's own decoder reads back to the same lens.
#include "LensProfile.h"
#include "model/BasicInfo.h"

#include <cstdlib>

using namespace kelvara;
using namespace kelvara::sim;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QString error;
    const std::optional<LensProfile> lens = LensProfile::fromJson(
        QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), &error);
    if (!lens) {
        if (error.isEmpty())
            std::abort(); // a refusal always says why
        return 0;
    }
    if (lens->factorySettings.size() != LensProfile::kSettingsSize)
        std::abort();
    const std::optional<BasicInfo> info = BasicInfo::decode(toBytes(lens->record()));
    if (!info || info->modelName != lens->modelName || info->productName != lens->productName ||
        info->mount != lens->mount || info->versionMajor != lens->versionMajor ||
        info->versionMinor != lens->versionMinor)
        std::abort();
    return 0;
}
