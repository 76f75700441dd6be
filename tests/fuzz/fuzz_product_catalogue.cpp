// The per-model (lens and product) catalogue reader over an arbitrary answer.
#include "CatalogueInput.h"
#include "firmware/ProductInfoFileModel.h"

#include <cstdlib>

using namespace kelvara;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ProductInfoFileModel reader;
    fuzz::parseCatalogue(reader, data, size);
    // The version shown is never empty while the catalogue names one.
    if (!reader.version.isEmpty() && reader.displayNewVersion.isEmpty())
        std::abort();
    return 0;
}
