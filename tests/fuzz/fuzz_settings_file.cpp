// Importing a settings file into a connected lens. The first byte's bit 0 asks for the
// file to be made by the program's own writer (a header and an image, with the checksum
// added), so that the checks are passed often; then come the lens's 256-byte
// basic-information record and the file (or the header and image). A file the lens
// takes is decoded into the settings model within the limits the record sets.
#include "FuzzEnvironment.h"
#include "FuzzInput.h"
#include "controller/SettingsFile.h"
#include "model/BasicInfo.h"
#include "model/BasicInfoViewModel.h"
#include "model/LensSettingViewModel.h"
#include "model/LensSettings.h"

#include <algorithm>
#include <cstdlib>

using namespace kelvara;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput input(data, size);
    const bool signedHere = input.byte() & 1;
    const Bytes record = toBytes(input.take(BasicInfo::SIZE));
    Bytes file = toBytes(input.rest());
    if (signedHere) {
        const auto cut =
            file.begin() + std::ptrdiff_t(std::min(file.size(), SettingsFile::HEADER_SIZE));
        file = SettingsFile::build(Bytes(file.begin(), cut), Bytes(cut, file.end()));
    }

    const std::optional<Bytes> image = SettingsFile::imageFor(file, record);
    if (!image)
        return 0;
    if (image->size() != SettingsFile::BODY_SIZE)
        std::abort();
    // Bytes that no setting holds are kept, and every setting is written back as read.
    const std::optional<LensSettings> settings = LensSettings::decode(*image);
    if (!settings || settings->encode() != *image)
        std::abort();

    BasicInfoViewModel info;
    fuzz::parseRecord(info, record);
    LensSettingViewModel model;
    model.setLimits(info.settingLimits());
    model.setE2p(*image);
    model.parseE2p();
    (void)model.values().encode();
    return 0;
}
