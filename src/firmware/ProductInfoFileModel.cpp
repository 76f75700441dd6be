#include "ProductInfoFileModel.h"

#include "platform/Diagnostics.h"

namespace kelvara {

void ProductInfoFileModel::startDocument() {
    Diagnostics::line(QStringLiteral("start [modelName].xml parse"));
}

QString ProductInfoFileModel::displayForm(const QString& version) {
    if (!version.contains(QLatin1Char('.')))
        return version;
    const QString major = version.section(QLatin1Char('.'), 0, 0);
    // An empty major part (".5") would show nothing at all.
    if (major.isEmpty() || major == QLatin1String("0") || major == QLatin1String("00"))
        return version;
    return major;
}

void ProductInfoFileModel::store(const QString& key, const QString& text) {
    if (key == QLatin1String("Version")) {
        version = text;
        displayNewVersion = displayForm(text);
    } else if (key == QLatin1String("DescriptionKey")) {
        descriptionKey = text;
    } else if (key == QLatin1String("FirmwareFileName")) {
        firmwareFileName = text;
    }
}

} // namespace kelvara
