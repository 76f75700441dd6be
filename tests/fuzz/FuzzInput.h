#pragma once

#include <QByteArray>

#include <cstddef>
#include <cstdint>

namespace kelvara::fuzz {

// Reads a fuzzer's input front to back. Whatever is asked for beyond its end is empty.
class FuzzInput {
  public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool atEnd() const { return pos_ >= size_; }
    std::uint8_t byte() { return atEnd() ? 0 : data_[pos_++]; }
    // Up to n bytes.
    QByteArray take(std::size_t n);
    QByteArray rest() { return take(size_ - pos_); }
    // One piece of a stream: a length byte (1 to 64), then that many bytes, so that the
    // input chooses where a stream is cut as well as what it holds.
    QByteArray piece() { return take(byte() % 64 + 1); }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

} // namespace kelvara::fuzz
