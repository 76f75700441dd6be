#include "FactoryImage.h"

#include "JsonInteger.h"
#include "LensProfile.h"

#include <QJsonArray>
#include <QJsonValue>

#include <functional>
#include <initializer_list>

namespace kelvara::sim {

namespace {

// Offsets in the settings image.
constexpr int kRingFunction = 0;
constexpr int kDirection = 1;
constexpr int kRingResponse = 2;
constexpr int kRingAngle = 3;
constexpr int kIrisAngle = 5;
constexpr int kAfLimitLow = 16;
constexpr int kPinto = 19;
constexpr int kSwitchFunction = 64;
constexpr int kButtonFunctions = 80;
constexpr int kSpeed = 96;
constexpr int kAfLimitHigh = 224;
constexpr int kFocusTime = 288;
constexpr int kIrisTime = 296;
constexpr int kFocusDelay = 304;
constexpr int kIrisDelay = 312;

void put16(QByteArray& image, int offset, int value) {
    image[offset] = char(value & 0xFF);
    image[offset + 1] = char((value >> 8) & 0xFF);
}

int afLimitOffset(int row) {
    return row < 3 ? kAfLimitLow + row : kAfLimitHigh + row - 3;
}

bool supports(const LensProfile& lens, int raw) {
    return raw < 64 && (lens.buttonSupport[raw / 8] & (1u << (raw % 8)));
}

int firstSupported(const LensProfile& lens, std::initializer_list<int> choices) {
    for (int raw : choices)
        if (supports(lens, raw))
            return raw;
    return 0;
}

QString rangeError(const QString& key, int lo, int hi) {
    return QStringLiteral("settings.%1 must be an integer %2..%3").arg(key).arg(lo).arg(hi);
}

} // namespace

QByteArray FactoryImage::defaults(const LensProfile& lens) {
    QByteArray image(LensProfile::kSettingsSize, char(0));
    image[kRingFunction] = 0;
    image[kDirection] = 0;
    image[kRingResponse] = 0;
    image[kRingAngle] = char(qBound<int>(lens.ringAngleMin, 1, lens.ringAngleMax));
    for (int slot = 0; slot < 4; ++slot)
        image[kIrisAngle + slot] = char(lens.irisAngleMin);

    const int last = qMax(0, lens.limitPositionCount() - 1);
    for (int row = 0; row < 6; ++row)
        image[afLimitOffset(row)] = char((last << 4) | 0);
    image[kPinto] = 0;

    image[kSwitchFunction] = 0;
    image[kButtonFunctions] = char(firstSupported(lens, {5, 2, 1, 8}));
    if (lens.switchPositions > 0) {
        image[kButtonFunctions + 1] = char(firstSupported(lens, {2, 1, 5}));
        image[kButtonFunctions + 2] = char(firstSupported(lens, {4, 3, 8}));
        image[kButtonFunctions + 3] = char(firstSupported(lens, {9, 23, 8}));
    }
    const int speed = qMin<int>(3, lens.focusSpeedMax);
    const int times[4] = {15, 30, 50, 100};
    const int delays[4] = {0, 5, 10, 20};
    const int maxTime = qMax(1, lens.presetTimeMax / 10) * 100 + 99;
    for (int slot = 0; slot < 4; ++slot) {
        image[kSpeed + slot] = char(speed);
        put16(image, kFocusTime + 2 * slot, qMin(times[slot], maxTime));
        put16(image, kIrisTime + 2 * slot, qMin(times[slot], maxTime));
        put16(image, kFocusDelay + 2 * slot, delays[slot]);
        put16(image, kIrisDelay + 2 * slot, delays[slot]);
    }
    return image;
}

bool FactoryImage::apply(QByteArray& image, const QJsonObject& fields, QString* error) {
    const auto fail = [error](const QString& text) {
        if (error)
            *error = text;
        return false;
    };
    const auto byteAt = [&](const QString& key, int offset, int lo, int hi) {
        int v = 0;
        if (!integerOf(fields.value(key), lo, hi, &v))
            return fail(rangeError(key, lo, hi));
        image[offset] = char(v & 0xFF);
        return true;
    };
    // Four values, one per slot (button, then switch positions 1 to 3).
    const auto perSlot = [&](const QString& key, int offset, int width, int hi) {
        const QJsonArray a = fields.value(key).toArray();
        if (!fields.value(key).isArray() || a.size() != 4)
            return fail(QStringLiteral("settings.%1 must be an array of 4 integers").arg(key));
        for (int slot = 0; slot < 4; ++slot) {
            int v = 0;
            if (!integerOf(a.at(slot), 0, hi, &v))
                return fail(rangeError(QStringLiteral("%1[%2]").arg(key).arg(slot), 0, hi));
            if (width == 1)
                image[offset + slot] = char(v);
            else
                put16(image, offset + 2 * slot, v);
        }
        return true;
    };
    const auto afLimit = [&](const QString& key) {
        const QJsonArray rows = fields.value(key).toArray();
        if (!fields.value(key).isArray() || rows.size() != 6)
            return fail(QStringLiteral("settings.afLimit must be an array of 6 [near, far] pairs"));
        for (int row = 0; row < 6; ++row) {
            const QJsonArray pair = rows.at(row).toArray();
            int nearIndex = 0;
            int farIndex = 0;
            if (pair.size() != 2 || !integerOf(pair.at(0), 0, 15, &nearIndex) ||
                !integerOf(pair.at(1), 0, 15, &farIndex))
                return fail(
                    QStringLiteral("settings.afLimit[%1] must be [near, far] with indices 0..15")
                        .arg(row));
            image[afLimitOffset(row)] = char((farIndex << 4) | nearIndex);
        }
        return true;
    };

    using Setter = std::function<bool(const QString&)>;
    const std::initializer_list<std::pair<const char*, Setter>> known = {
        {"ringFunction", [&](const QString& k) { return byteAt(k, kRingFunction, 0, 255); }},
        {"direction", [&](const QString& k) { return byteAt(k, kDirection, 0, 255); }},
        {"ringResponse", [&](const QString& k) { return byteAt(k, kRingResponse, 0, 255); }},
        {"ringAngle", [&](const QString& k) { return byteAt(k, kRingAngle, -128, 127); }},
        {"pinto", [&](const QString& k) { return byteAt(k, kPinto, -128, 127); }},
        {"switchFunction", [&](const QString& k) { return byteAt(k, kSwitchFunction, 0, 255); }},
        {"irisAngle", [&](const QString& k) { return perSlot(k, kIrisAngle, 1, 255); }},
        {"buttonFunctions", [&](const QString& k) { return perSlot(k, kButtonFunctions, 1, 255); }},
        {"speed", [&](const QString& k) { return perSlot(k, kSpeed, 1, 255); }},
        {"focusTime", [&](const QString& k) { return perSlot(k, kFocusTime, 2, 65535); }},
        {"irisTime", [&](const QString& k) { return perSlot(k, kIrisTime, 2, 65535); }},
        {"focusDelay", [&](const QString& k) { return perSlot(k, kFocusDelay, 2, 65535); }},
        {"irisDelay", [&](const QString& k) { return perSlot(k, kIrisDelay, 2, 65535); }},
        {"afLimit", afLimit},
    };
    for (auto it = fields.begin(); it != fields.end(); ++it) {
        bool handled = false;
        for (const auto& [name, setter] : known) {
            if (it.key() == QLatin1String(name)) {
                if (!setter(it.key()))
                    return false;
                handled = true;
                break;
            }
        }
        if (!handled)
            return fail(QStringLiteral("settings: unknown setting \"%1\"").arg(it.key()));
    }
    return true;
}

} // namespace kelvara::sim
