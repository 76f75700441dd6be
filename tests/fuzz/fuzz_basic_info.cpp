// The basic-information record as a lens may send it: the value decode, its encode, and
// the model that derives the ranges, limit positions and capability answers from it.
#include "FuzzEnvironment.h"
#include "model/BasicInfo.h"
#include "model/BasicInfoViewModel.h"

#include <cstdlib>

using namespace kelvara;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Bytes record(data, data + size);
    const std::optional<BasicInfo> info = BasicInfo::decode(record);
    if (info.has_value() != (size == BasicInfo::SIZE))
        std::abort();
    // Writing back what was read changes no byte.
    if (info && info->encode() != record)
        std::abort();

    BasicInfoViewModel model;
    fuzz::parseRecord(model, record);
    const SettingLimits limits = model.settingLimits();
    if (limits.limitPositions != int(model.limitPosition().size()) ||
        model.ringAngleMin() > model.ringAngleMax() || model.irisAngleMin() > model.irisAngleMax())
        std::abort();
    (void)model.infLimitPositions();
    (void)model.modLimitPositions();
    (void)model.identityHeader();
    for (int bit = -1; bit <= 32; ++bit)
        (void)model.isSettingSupported(bit);
    for (int function = -1; function <= 32; ++function)
        (void)model.isButtonFunctionSupported(function);
    return 0;
}
