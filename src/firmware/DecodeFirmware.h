#pragma once

#include "FwHeaderInfo.h"
#include "KeyInfo.h"
#include "OutputDecrypt.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kelvara {

// Deciphers and checks one firmware package. One object per package, used by one
// thread; decode is called once. Failures are diagnostic lines and the returned count.
class DecodeFirmware {
  public:
    static constexpr int keyLength = 32;
    static constexpr int binaryDataLengthMax = 0x100000;
    static constexpr int crcValLength = 2;

    // Appends one image per good image of the package to outputs and returns how many;
    // 0 means failure. Images before a fault are kept.
    int decode(std::span<const std::uint8_t> package, std::vector<OutputDecrypt>& outputs,
               const QString& keyText);
    int decode(const QByteArray& package, std::vector<OutputDecrypt>& outputs,
               const QString& keyText);

    void createBaseKey();
    // 0 on success.
    int createDecryptionKey(const QString& keyText);
    std::optional<Bytes> getDecryptionKey() const;
    // The running XOR with the current key from the current position; none without a key.
    std::optional<Bytes> doAlgorithm(const Bytes& bytes);

    // Whether the last decode read the package to its end without a fault.
    bool wholePackage() const { return wholePackage_; }
    int keyIndex() const { return keyIndex_; }
    const std::optional<Bytes>& key() const { return key_; }
    const KeyInfo& baseKeyInfo() const { return baseKeyInfo_; }
    const KeyInfo& decryptionKeyInfo() const { return decryptionKeyInfo_; }
    const FwHeaderInfo& headerInfo() const { return headerInfo_; }

  private:
    // In place; false (with its line) when no key is in place.
    bool apply(std::uint8_t* data, std::size_t size);

    int keyIndex_ = 0;
    bool wholePackage_ = false;
    std::optional<Bytes> key_;
    KeyInfo decryptionKeyInfo_;
    KeyInfo baseKeyInfo_;
    FwHeaderInfo headerInfo_;
};

} // namespace kelvara
