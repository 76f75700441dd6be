#pragma once

#include "CatalogueReader.h"

namespace kelvara {

// Reader of the utility catalogue: the newest version of this program.
class UtilityInfoFileModel : public CatalogueReader {
  public:
    ~UtilityInfoFileModel() override { stop(); }
    void startDocument() override;

  protected:
    void store(const QString& key, const QString& text) override;
};

} // namespace kelvara
