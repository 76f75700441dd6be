#pragma once

#include "CatalogueReader.h"

namespace kelvara {

// Reader of a per-model catalogue: newest firmware, its package and the package key.
class ProductInfoFileModel : public CatalogueReader {
  public:
    ~ProductInfoFileModel() override { stop(); }
    void startDocument() override;

    // The form of a version shown to the user: the part before the first point,
    // unless that part is "0" or "00" (then the whole text).
    static QString displayForm(const QString& version);

    QString displayNewVersion = QStringLiteral("--");
    QString descriptionKey;
    QString firmwareFileName;

  protected:
    void store(const QString& key, const QString& text) override;
};

} // namespace kelvara
