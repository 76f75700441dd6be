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

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

} // namespace kelvara::fuzz
