#include "Timings.h"

#include "Environment.h"

namespace kelvara {

Timings Timings::current() {
    return Environment::current()->timings();
}

} // namespace kelvara
