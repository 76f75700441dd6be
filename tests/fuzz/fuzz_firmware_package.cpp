// Firmware package decoding: the first 64 bytes are the catalogue's key text, the rest
// the package as downloaded.
#include "FuzzInput.h"
#include "firmware/DecodeFirmware.h"

#include <cstdlib>

using namespace kelvara;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput input(data, size);
    const QString keyText = QString::fromLatin1(input.take(2 * DecodeFirmware::keyLength));
    const QByteArray package = input.rest();

    std::vector<OutputDecrypt> images;
    DecodeFirmware decoder;
    const int count = decoder.decode(package, images, keyText);
    if (count < 0 || std::size_t(count) != images.size())
        std::abort();
    std::size_t used = 0;
    for (const OutputDecrypt& image : images) {
        // Every image handed on is whole and passed its check.
        if (image.odata.size() != std::size_t(image.dataSize) ||
            image.odata.size() > std::size_t(DecodeFirmware::binaryDataLengthMax))
            std::abort();
        used += std::size_t(FwHeaderInfo::headerLength) + image.odata.size();
    }
    if (used > std::size_t(package.size()) ||
        (decoder.wholePackage() && used != std::size_t(package.size())))
        std::abort();
    return 0;
}
