#include "DecodeFirmware.h"

#include "link/Crc.h"
#include "platform/Diagnostics.h"

#include <algorithm>

namespace kelvara {

namespace {

const char* const basePassPhrase = "PackageStreamStartKey";

void log(const char* text) {
    Diagnostics::line(QString::fromLatin1(text));
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::uint32_t littleEndian32(const Bytes& b, int offset) {
    return std::uint32_t(b[offset]) | std::uint32_t(b[offset + 1]) << 8 |
           std::uint32_t(b[offset + 2]) << 16 | std::uint32_t(b[offset + 3]) << 24;
}

} // namespace

void DecodeFirmware::createBaseKey() {
    baseKeyInfo_.passPhrase = QString::fromLatin1(basePassPhrase);
    const QByteArray phrase = baseKeyInfo_.passPhrase->toUtf8();
    Bytes key;
    key.reserve(keyLength);
    // The phrase repeated cyclically and cut at the key length.
    for (int i = 0; i < keyLength && !phrase.isEmpty(); ++i)
        key.push_back(std::uint8_t(phrase.at(i % phrase.size())));
    baseKeyInfo_.key = std::move(key);
}

int DecodeFirmware::createDecryptionKey(const QString& keyText) {
    const QByteArray text = keyText.toUtf8();
    if (text.size() != 2 * keyLength) {
        log("Decode: Error decryptionKeyData Length");
        return 1;
    }
    Bytes bytes(keyLength);
    for (int i = 0; i < keyLength; ++i) {
        const int high = hexDigit(text.at(2 * i));
        const int low = hexDigit(text.at(2 * i + 1));
        if (high < 0 || low < 0) {
            log("Decode: Error Invalid key");
            return 1;
        }
        bytes[i] = std::uint8_t(high << 4 | low);
    }
    keyIndex_ = 0;
    key_ = baseKeyInfo_.key;
    std::optional<Bytes> formed = doAlgorithm(bytes);
    if (!formed)
        return 1;
    decryptionKeyInfo_.key = std::move(formed);
    return 0;
}

std::optional<Bytes> DecodeFirmware::getDecryptionKey() const {
    return decryptionKeyInfo_.key;
}

std::optional<Bytes> DecodeFirmware::doAlgorithm(const Bytes& bytes) {
    Bytes out = bytes;
    if (!apply(out.data(), out.size()))
        return std::nullopt;
    return out;
}

bool DecodeFirmware::apply(std::uint8_t* data, std::size_t size) {
    // An empty key has no position to run on: as good as none.
    if (!key_ || key_->empty()) {
        log("Decode: Error Algorithm not initialize");
        return false;
    }
    const Bytes& k = *key_;
    const std::size_t length = k.size();
    std::size_t index = std::size_t(keyIndex_) % length;
    std::size_t i = 0;
    // Up to the start of the key, then whole key lengths (which vectorise), then the rest.
    for (; i < size && index != 0; ++i) {
        data[i] ^= k[index];
        index = index + 1 == length ? 0 : index + 1;
    }
    for (; i + length <= size; i += length)
        for (std::size_t j = 0; j < length; ++j)
            data[i + j] ^= k[j];
    for (; i < size; ++i) {
        data[i] ^= k[index];
        index = index + 1 == length ? 0 : index + 1;
    }
    keyIndex_ = int(index);
    return true;
}

int DecodeFirmware::decode(const QByteArray& package, std::vector<OutputDecrypt>& outputs,
                           const QString& keyText) {
    return decode(std::span(reinterpret_cast<const std::uint8_t*>(package.constData()),
                            std::size_t(package.size())),
                  outputs, keyText);
}

int DecodeFirmware::decode(std::span<const std::uint8_t> package,
                           std::vector<OutputDecrypt>& outputs, const QString& keyText) {
    wholePackage_ = false;
    createBaseKey();
    if (createDecryptionKey(keyText) != 0) {
        log("Decode: Error createDecryptionKey Failed");
        return 0;
    }
    std::optional<Bytes> decryptionKey = getDecryptionKey();
    if (!decryptionKey) {
        log("Decode: Error getDecryptionKey Failed");
        return 0;
    }
    keyIndex_ = 0;
    key_ = std::move(decryptionKey);
    int count = 0;
    std::span<const std::uint8_t> rest = package;
    constexpr std::size_t headerLength = FwHeaderInfo::headerLength;

    for (;;) {
        Diagnostics::line(QStringLiteral("data length = %1").arg(rest.size()));
        if (rest.empty()) {
            wholePackage_ = true;
            break;
        }
        if (rest.size() < headerLength) {
            log("Decode: Error header section length");
            break;
        }
        Bytes header(rest.begin(), rest.begin() + headerLength);
        if (!apply(header.data(), header.size())) {
            log("Decode: Error doAlgorithm header section");
            break;
        }
        // Unsigned throughout: a size with its top bit set must not pass as negative.
        const std::uint32_t dataSize = littleEndian32(header, FwHeaderInfo::offsetDataSize);
        if (dataSize > std::uint32_t(binaryDataLengthMax)) {
            log("Decode: Error data length");
            break;
        }
        const std::uint8_t crcLow = header[FwHeaderInfo::offsetDataCrc];
        const std::uint8_t crcHigh = header[FwHeaderInfo::offsetDataCrc + 1];
        if (rest.size() - headerLength < dataSize) {
            log("Decode: Error data section length");
            break;
        }
        const auto dataBegin = rest.begin() + headerLength;
        Bytes data(dataBegin, dataBegin + dataSize);
        rest = rest.subspan(headerLength + dataSize);
        if (!apply(data.data(), data.size())) {
            log("Decode: Error doAlgorithm data section");
            break;
        }
        const auto crc = Crc::calculate(data);
        if (crc[0] != crcLow || crc[1] != crcHigh) {
            log("Decode: Error crc check");
            break;
        }
        OutputDecrypt image;
        image.odata = std::move(data);
        image.device = header[FwHeaderInfo::offsetTargetDevice];
        image.area = header[FwHeaderInfo::offsetTargetArea];
        image.dataSize = int(dataSize);
        outputs.push_back(std::move(image));
        ++count;
    }
    if (count == 0) {
        wholePackage_ = false;
        log("Decode: Error FW Count");
        return 0;
    }
    return count;
}

} // namespace kelvara
