#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace kelvara::sim {

// The server's side of the firmware package cipher: a running XOR whose 32-byte key is
// the catalogue's key text (64 hex digits) combined with a fixed phrase.
class PackageCipher {
  public:
    static constexpr int kKeyLength = 32;

    // No value for a key text that is not exactly 64 hexadecimal digits.
    static std::optional<PackageCipher> forKeyText(const QString& keyText);

    // Enciphers (or deciphers) in place, continuing from where the last call stopped.
    void apply(QByteArray& bytes);
    qsizetype position() const { return position_; }

  private:
    explicit PackageCipher(QByteArray key) : key_(std::move(key)) {}

    QByteArray key_;
    qsizetype position_ = 0;
};

} // namespace kelvara::sim
