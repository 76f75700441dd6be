#include "Diagnostics.h"

#include "Environment.h"

namespace kelvara {

void Diagnostics::line(const QString& text) {
    Environment::current()->writeDiagnostic(text);
}

} // namespace kelvara
