#include "UtilityInfoFileModel.h"

#include "platform/Diagnostics.h"

namespace kelvara {

void UtilityInfoFileModel::startDocument() {
    Diagnostics::line(QStringLiteral("start KelvaraInfo.xml parse"));
}

void UtilityInfoFileModel::store(const QString& key, const QString& text) {
    if (key == QLatin1String("Version"))
        version = text;
}

} // namespace kelvara
