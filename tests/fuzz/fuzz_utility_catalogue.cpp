// The utility catalogue reader over an arbitrary answer of the update server.
#include "CatalogueInput.h"
#include "FuzzEnvironment.h"
#include "firmware/UtilityInfoFileModel.h"

using namespace kelvara;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzz::start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    UtilityInfoFileModel reader;
    fuzz::parseCatalogue(reader, data, size);
    return 0;
}
