#include "BasicInfo.h"

#include <algorithm>
#include <type_traits>

namespace kelvara {

namespace {

// One field: `width` bytes at `offset`, held either as bytes or as a text.
struct Place {
    int offset;
    int width;
    std::uint8_t* (*bytes)(BasicInfo&);
    QString BasicInfo::*text;
};

template <auto Member> std::uint8_t* byteField(BasicInfo& info) {
    if constexpr (std::is_same_v<std::remove_cvref_t<decltype(info.*Member)>, std::uint8_t>)
        return &(info.*Member);
    else
        return (info.*Member).data();
}

using B = BasicInfo;

const Place LAYOUT[] = {
    {0, 1, byteField<&B::lensType>, nullptr},
    {1, 1, byteField<&B::firmwareType>, nullptr},
    {3, 1, byteField<&B::customButtonCount>, nullptr},
    {4, 1, byteField<&B::customSwitchStateCount>, nullptr},
    {5, 1, byteField<&B::mount>, nullptr},
    {6, 1, byteField<&B::supportConnectType>, nullptr},
    {7, 1, byteField<&B::ringAngleLimits>, nullptr},
    {8, 1, byteField<&B::pintoLimit>, nullptr},
    {9, 1, byteField<&B::focusSpeedLimit>, nullptr},
    {10, 1, byteField<&B::longestTime>, nullptr},
    {11, 1, byteField<&B::irisAngleLimits>, nullptr},
    {15, 1, byteField<&B::specialSpecAFLimitFixedInf>, nullptr},
    {16, 8, nullptr, &B::modelName},
    {24, 1, byteField<&B::versionMinor>, nullptr},
    {25, 1, byteField<&B::versionMajor>, nullptr},
    {32, 4, byteField<&B::lensSettingSupport>, nullptr},
    {40, 1, byteField<&B::customSwitchSupport>, nullptr},
    {48, 8, byteField<&B::customButtonSupport>, nullptr},
    {64, 16, byteField<&B::limitTable>, nullptr},
    {96, 64, nullptr, &B::productName},
};

} // namespace

std::optional<BasicInfo> BasicInfo::decode(const Bytes& record) {
    if (record.size() != SIZE)
        return std::nullopt;
    BasicInfo info;
    info.record_ = record;
    for (const Place& p : LAYOUT) {
        const auto begin = record.begin() + p.offset;
        if (p.text) {
            // One code point per byte, up to the first zero.
            const auto end = std::find(begin, begin + p.width, std::uint8_t(0));
            info.*p.text = QString::fromLatin1(reinterpret_cast<const char*>(&*begin), end - begin);
        } else {
            std::copy(begin, begin + p.width, p.bytes(info));
        }
    }
    return info;
}

Bytes BasicInfo::encode() const {
    Bytes record = record_;
    BasicInfo fields = *this;
    for (const Place& p : LAYOUT) {
        const auto begin = record.begin() + p.offset;
        if (p.text) {
            const QByteArray text = (fields.*p.text).toLatin1().left(p.width);
            std::copy(text.begin(), text.end(), begin);
            if (text.size() < p.width)
                begin[text.size()] = 0;
        } else {
            std::copy(p.bytes(fields), p.bytes(fields) + p.width, begin);
        }
    }
    return record;
}

} // namespace kelvara
