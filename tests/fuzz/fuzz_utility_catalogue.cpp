// The utility catalogue reader over an arbitrary answer of the update server.
#include "CatalogueInput.h"
#include "firmware/UtilityInfoFileModel.h"

using namespace kelvara;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    UtilityInfoFileModel reader;
    fuzz::parseCatalogue(reader, data, size);
    return 0;
}
