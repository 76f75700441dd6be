#include "LensSettings.h"

#include <QtGlobal>

#include <algorithm>

namespace kelvara {

namespace {

enum class Encoding { Unsigned8, Signed8, Nibbles, LittleEndian16 };

// One run of a setting's indices in the image.
struct Place {
    LensSettings::Field field;
    Encoding encoding;
    int offset;
    int count;
};

using F = LensSettings::Field;
using E = Encoding;

constexpr Place LAYOUT[] = {
    {F::RingFunction, E::Unsigned8, 0x000, 1},
    {F::Direction, E::Unsigned8, 0x001, 1},
    {F::RingResponse, E::Unsigned8, 0x002, 1},
    {F::RingAngle, E::Signed8, 0x003, 1},
    {F::IrisAngle, E::Unsigned8, 0x005, 4},
    {F::AfLimit, E::Nibbles, 0x010, 3},
    {F::Pinto, E::Signed8, 0x013, 1},
    {F::SwitchFunction, E::Unsigned8, 0x040, 1},
    {F::ButtonFunction, E::Unsigned8, 0x050, 4},
    {F::FocusSpeed, E::Unsigned8, 0x060, 4},
    {F::AfLimit, E::Nibbles, 0x0E0, 3},
    {F::FocusTime, E::LittleEndian16, 0x120, 4},
    {F::IrisTime, E::LittleEndian16, 0x128, 4},
    {F::FocusDelay, E::LittleEndian16, 0x130, 4},
    {F::IrisDelay, E::LittleEndian16, 0x138, 4},
};

int width(Encoding e) {
    return e == E::LittleEndian16 ? 2 : 1;
}

Encoding encodingOf(F field) {
    for (const Place& p : LAYOUT)
        if (p.field == field)
            return p.encoding;
    return E::Unsigned8;
}

// Calls f(place, index of the setting, offset in the image) for every index of every
// setting, in the table's order.
template <typename Fn> void forEachPlace(Fn f) {
    int seen[F::IrisDelay + 1] = {};
    for (const Place& p : LAYOUT) {
        for (int i = 0; i < p.count; ++i)
            f(p, seen[p.field] + i, p.offset + i * width(p.encoding));
        seen[p.field] += p.count;
    }
}

} // namespace

std::optional<LensSettings> LensSettings::decode(const Bytes& image) {
    if (image.size() < DECODED_SIZE)
        return std::nullopt;
    LensSettings s;
    s.image_ = image;
    forEachPlace([&](const Place& p, int index, int offset) {
        const int low = image[std::size_t(offset)];
        switch (p.encoding) {
        case E::Unsigned8:
        case E::Nibbles:
            s.set(p.field, index, low);
            break;
        case E::Signed8:
            s.set(p.field, index, std::int8_t(low));
            break;
        case E::LittleEndian16:
            s.set(p.field, index, low + 256 * image[std::size_t(offset + 1)]);
            break;
        }
    });
    return s;
}

Bytes LensSettings::encode() const {
    Bytes image = image_;
    forEachPlace([&](const Place& p, int index, int offset) {
        const Bytes b = bytes(p.field, get(p.field, index));
        std::copy(b.begin(), b.end(), image.begin() + offset);
    });
    return image;
}

LensSettings::Differences LensSettings::compare(const Bytes& a, const Bytes& b) {
    const std::size_t size = std::max(a.size(), b.size());
    const auto byteAt = [](const Bytes& image, std::size_t i) {
        return i < image.size() ? int(image[i]) : -1;
    };
    Differences d;
    std::vector<bool> named(size, false);
    forEachPlace([&](const Place& p, int, int offset) {
        bool differs = false;
        for (int k = 0; k < width(p.encoding); ++k) {
            const auto i = std::size_t(offset + k);
            if (i < size)
                named[i] = true;
            differs = differs || byteAt(a, i) != byteAt(b, i);
        }
        if (differs && std::find(d.settings.begin(), d.settings.end(), p.field) == d.settings.end())
            d.settings.push_back(p.field);
    });
    for (std::size_t i = 0; i < size && !d.otherBytes; ++i)
        d.otherBytes = !named[i] && byteAt(a, i) != byteAt(b, i);
    return d;
}

const char* LensSettings::nameId(Field field) {
    switch (field) {
    case RingFunction:
        return QT_TRID_NOOP("Setting_RingFunction");
    case Direction:
        return QT_TRID_NOOP("Home_RingDirectionSetting");
    case RingResponse:
        return QT_TRID_NOOP("Home_RingResponseSetting");
    case RingAngle:
        return QT_TRID_NOOP("RingSetting_RingAngle");
    case IrisAngle:
        return QT_TRID_NOOP("Setting_IrisAngle");
    case AfLimit:
        return QT_TRID_NOOP("ButtonSelect_AFLimitRange");
    case Pinto:
        return QT_TRID_NOOP("Adjustment_AfRevision");
    case SwitchFunction:
        return QT_TRID_NOOP("Home_LabelCustomSwitch");
    case ButtonFunction:
        return QT_TRID_NOOP("Home_SwitchSetting");
    case FocusSpeed:
        return QT_TRID_NOOP("Home_FocusSpeed");
    case FocusTime:
        return QT_TRID_NOOP("Home_FocusTime");
    case IrisTime:
        return QT_TRID_NOOP("Setting_IrisTime");
    case FocusDelay:
        return QT_TRID_NOOP("Home_DelaySetting");
    case IrisDelay:
        return QT_TRID_NOOP("Setting_IrisDelay");
    }
    return "";
}

int LensSettings::address(Field field, int index) {
    int address = -1;
    forEachPlace([&](const Place& p, int i, int offset) {
        if (p.field == field && i == index)
            address = offset;
    });
    return address;
}

std::pair<int, int> LensSettings::range(Field field) {
    switch (encodingOf(field)) {
    case E::Unsigned8:
        return {0, 255};
    case E::Signed8:
        return {-128, 127};
    case E::Nibbles:
        return {0, 255}; // near in the low nibble, far in the high one
    case E::LittleEndian16:
        return {0, 0xFFFF};
    }
    return {0, 0};
}

Bytes LensSettings::bytes(Field field, int value) {
    if (encodingOf(field) == E::LittleEndian16)
        return {std::uint8_t(value & 0xFF), std::uint8_t((value >> 8) & 0xFF)};
    return {std::uint8_t(value & 0xFF)};
}

int LensSettings::get(Field field, int index) const {
    switch (field) {
    case RingFunction:
        return ringFunction;
    case Direction:
        return direction;
    case RingResponse:
        return ringResponse;
    case RingAngle:
        return ringAngle;
    case IrisAngle:
        return irisAngle[std::size_t(index)];
    case AfLimit: {
        const AfLimitRow& row = afLimit[std::size_t(index)];
        return (row.nearIndex & 0x0F) + 16 * (row.farIndex & 0x0F);
    }
    case Pinto:
        return pinto;
    case SwitchFunction:
        return switchFunction;
    case ButtonFunction:
        return buttonFunction[std::size_t(index)];
    case FocusSpeed:
        return focusSpeed[std::size_t(index)];
    case FocusTime:
        return focusTime[std::size_t(index)];
    case IrisTime:
        return irisTime[std::size_t(index)];
    case FocusDelay:
        return focusDelay[std::size_t(index)];
    case IrisDelay:
        return irisDelay[std::size_t(index)];
    }
    return 0;
}

void LensSettings::set(Field field, int index, int value) {
    const auto i = std::size_t(index);
    switch (field) {
    case RingFunction:
        ringFunction = value;
        return;
    case Direction:
        direction = value;
        return;
    case RingResponse:
        ringResponse = value;
        return;
    case RingAngle:
        ringAngle = value;
        return;
    case IrisAngle:
        irisAngle[i] = value;
        return;
    case AfLimit:
        afLimit[i] = {value & 0x0F, value >> 4};
        return;
    case Pinto:
        pinto = value;
        return;
    case SwitchFunction:
        switchFunction = value;
        return;
    case ButtonFunction:
        buttonFunction[i] = value;
        return;
    case FocusSpeed:
        focusSpeed[i] = value;
        return;
    case FocusTime:
        focusTime[i] = value;
        return;
    case IrisTime:
        irisTime[i] = value;
        return;
    case FocusDelay:
        focusDelay[i] = value;
        return;
    case IrisDelay:
        irisDelay[i] = value;
        return;
    }
}

} // namespace kelvara
