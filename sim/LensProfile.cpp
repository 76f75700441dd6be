#include "LensProfile.h"

#include "FactoryImage.h"
#include "JsonInteger.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <algorithm>

namespace kelvara::sim {

namespace {

const QString kPresetDir = QStringLiteral(":/kelvara/sim/profiles");

// Reads one JSON object into a profile, remembering the first problem.
class JsonReader {
  public:
    JsonReader(const QJsonObject& object, QString* error) : object_(object), error_(error) {}

    bool failed() const { return failed_; }
    bool fail(const QString& text) {
        if (!failed_ && error_)
            *error_ = text;
        failed_ = true;
        return false;
    }

    void integer(const char* key, int* out, int lo, int hi) {
        const QJsonValue v = object_.value(QLatin1String(key));
        if (v.isUndefined() || failed_)
            return;
        if (!integerOf(v, lo, hi, out))
            fail(QStringLiteral("\"%1\" must be an integer %2..%3")
                     .arg(QLatin1String(key))
                     .arg(lo)
                     .arg(hi));
    }

    void byte(const char* key, quint8* out, int lo = 0, int hi = 255) {
        int n = *out;
        integer(key, &n, lo, hi);
        *out = quint8(n);
    }

    void text(const char* key, QString* out, int maxLength) {
        const QJsonValue v = object_.value(QLatin1String(key));
        if (v.isUndefined() || failed_)
            return;
        const QString s = v.toString();
        if (!v.isString() || s.size() > maxLength) {
            fail(QStringLiteral("\"%1\" must be a string of at most %2 characters")
                     .arg(QLatin1String(key))
                     .arg(maxLength));
            return;
        }
        for (QChar c : s) {
            if (c.unicode() == 0 || c.unicode() > 0xFF) {
                fail(QStringLiteral("\"%1\" must hold Latin-1 characters only")
                         .arg(QLatin1String(key)));
                return;
            }
        }
        *out = s;
    }

    void nibbles(const char* key, quint8* lo, quint8* hi) {
        const QJsonValue v = object_.value(QLatin1String(key));
        if (v.isUndefined() || failed_)
            return;
        const QJsonArray a = v.toArray();
        int mn = 0;
        int mx = 0;
        if (!v.isArray() || a.size() != 2 || !integerOf(a.at(0), 0, 15, &mn) ||
            !integerOf(a.at(1), 0, 15, &mx) || mn > mx) {
            fail(QStringLiteral("\"%1\" must be [min, max] with 0 <= min <= max <= 15")
                     .arg(QLatin1String(key)));
            return;
        }
        *lo = quint8(mn);
        *hi = quint8(mx);
    }

    template <size_t N> void bits(const char* key, std::array<quint8, N>* out) {
        const QJsonValue v = object_.value(QLatin1String(key));
        if (v.isUndefined() || failed_)
            return;
        std::array<quint8, N> result{};
        const int top = int(N) * 8 - 1;
        for (const QJsonValue& item : v.toArray()) {
            int bit = 0;
            if (!integerOf(item, 0, top, &bit)) {
                fail(QStringLiteral("\"%1\" must be a list of bit numbers 0..%2")
                         .arg(QLatin1String(key))
                         .arg(top));
                return;
            }
            result[size_t(bit / 8)] |= quint8(1u << (bit % 8));
        }
        if (!v.isArray()) {
            fail(QStringLiteral("\"%1\" must be a list of bit numbers 0..%2")
                     .arg(QLatin1String(key))
                     .arg(top));
            return;
        }
        *out = result;
    }

    void table(const char* key, std::array<quint8, 16>* out) {
        const QJsonValue v = object_.value(QLatin1String(key));
        if (v.isUndefined() || failed_)
            return;
        const QJsonArray a = v.toArray();
        if (!v.isArray() || a.size() > 16) {
            fail(QStringLiteral("\"%1\" must be a list of at most 16 bytes")
                     .arg(QLatin1String(key)));
            return;
        }
        std::array<quint8, 16> result{};
        for (qsizetype i = 0; i < a.size(); ++i) {
            int n = 0;
            if (!integerOf(a.at(i), 0, 255, &n)) {
                fail(QStringLiteral("\"%1\"[%2] must be an integer 0..255")
                         .arg(QLatin1String(key))
                         .arg(i));
                return;
            }
            result[size_t(i)] = quint8(n);
        }
        *out = result;
    }

    void version(const char* key, quint8* major, quint8* minor) {
        const QJsonValue v = object_.value(QLatin1String(key));
        if (v.isUndefined() || failed_)
            return;
        static const QRegularExpression form(
            QStringLiteral("^([0-9A-Fa-f]{2})\\.([0-9A-Fa-f]{2})$"));
        const QRegularExpressionMatch m = form.match(v.toString());
        if (!v.isString() || !m.hasMatch()) {
            fail(QStringLiteral(
                     "\"%1\" must look like \"01.2a\" (two hex digits, a point, two hex digits)")
                     .arg(QLatin1String(key)));
            return;
        }
        *major = quint8(m.captured(1).toUInt(nullptr, 16));
        *minor = quint8(m.captured(2).toUInt(nullptr, 16));
    }

    void mount(const char* key, quint8* out) {
        const QJsonValue v = object_.value(QLatin1String(key));
        if (v.isUndefined() || failed_)
            return;
        if (v.isString()) {
            static const char* const names[] = {"SonyE", "CanonRF", "NikonZ", "FujiX"};
            for (int i = 0; i < 4; ++i) {
                if (v.toString().compare(QLatin1String(names[i]), Qt::CaseInsensitive) == 0) {
                    *out = quint8(i);
                    return;
                }
            }
        }
        int n = 0;
        if (!v.isString() && integerOf(v, 0, 255, &n)) {
            *out = quint8(n);
            return;
        }
        fail(QStringLiteral("\"%1\" must be SonyE, CanonRF, NikonZ, FujiX or a mount code 0..255")
                 .arg(QLatin1String(key)));
    }

    void hexImage(const char* key, QByteArray* out, int size) {
        const QJsonValue v = object_.value(QLatin1String(key));
        if (v.isUndefined() || failed_)
            return;
        QString digits = v.toString();
        digits.remove(QRegularExpression(QStringLiteral("\\s")));
        static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]*$"));
        if (!v.isString() || !hex.match(digits).hasMatch() || digits.size() != 2 * size) {
            fail(QStringLiteral("\"%1\" must hold exactly %2 bytes as hexadecimal digits")
                     .arg(QLatin1String(key))
                     .arg(size));
            return;
        }
        *out = QByteArray::fromHex(digits.toLatin1());
    }

  private:
    const QJsonObject& object_;
    QString* error_;
    bool failed_ = false;
};

const char* const kKnownKeys[] = {
    "name",         "modelName",      "productName",   "mount",           "firmwareVersion",
    "lensType",     "firmwareType",   "buttons",       "switchPositions", "connectTypes",
    "ringAngle",    "afFineAdjust",   "focusSpeedMax", "presetTimeMax",   "irisAngle",
    "afLimitFlags", "settingSupport", "switchSupport", "buttonFunctions", "afLimitTable",
    "attach",       "settingsHex",    "settings",      "firmwareImageSize",
};

void putText(QByteArray& record, int offset, int width, const QString& text) {
    const QByteArray latin = text.toLatin1();
    for (int i = 0; i < width && i < latin.size(); ++i)
        record[offset + i] = latin.at(i);
}

} // namespace

LensProfile::LensProfile() {
    name = QStringLiteral("custom");
    modelName = QStringLiteral("KLVTEST");
    productName = QStringLiteral("Kelvara Test Lens");
    for (int bit : {0, 2, 3, 4, 5})
        setSettingBit(bit);
    for (int raw : {0, 1, 2, 5, 8, 9})
        setButtonFunction(raw);
    afLimitTable = {0x00, 0x05, 0x0A, 0xFF};
    factorySettings = FactoryImage::defaults(*this);
}

QStringList LensProfile::presetNames() {
    QStringList names;
    const QStringList files =
        QDir(kPresetDir).entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name);
    for (const QString& file : files)
        names << QFileInfo(file).completeBaseName();
    return names;
}

std::optional<LensProfile> LensProfile::preset(const QString& name) {
    if (!presetNames().contains(name))
        return std::nullopt;
    QString error;
    std::optional<LensProfile> p =
        fromFile(kPresetDir + u'/' + name + QStringLiteral(".json"), &error);
    if (p)
        p->name = name;
    return p;
}

std::optional<LensProfile> LensProfile::fromFile(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    return fromJson(file.readAll(), error);
}

std::optional<LensProfile> LensProfile::fromJson(const QByteArray& json, QString* error) {
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        if (error)
            *error = QStringLiteral("not valid JSON at offset %1: %2")
                         .arg(parseError.offset)
                         .arg(parseError.errorString());
        return std::nullopt;
    }
    if (!doc.isObject()) {
        if (error)
            *error = QStringLiteral("a lens profile must be a JSON object");
        return std::nullopt;
    }
    const QJsonObject o = doc.object();
    JsonReader r(o, error);
    for (auto it = o.begin(); it != o.end(); ++it) {
        const QByteArray key = it.key().toLatin1();
        if (std::none_of(std::begin(kKnownKeys), std::end(kKnownKeys),
                         [&](const char* k) { return key == k; })) {
            r.fail(QStringLiteral("unknown key \"%1\"").arg(it.key()));
            return std::nullopt;
        }
    }
    if (!o.contains(QLatin1String("modelName"))) {
        r.fail(QStringLiteral("\"modelName\" is required"));
        return std::nullopt;
    }

    LensProfile p;
    r.text("name", &p.name, 64);
    r.text("modelName", &p.modelName, 8);
    r.text("productName", &p.productName, 64);
    r.mount("mount", &p.mount);
    r.version("firmwareVersion", &p.versionMajor, &p.versionMinor);
    r.byte("lensType", &p.lensType);
    r.byte("firmwareType", &p.firmwareType);
    r.byte("buttons", &p.buttonCount);
    r.byte("switchPositions", &p.switchPositions);
    r.byte("connectTypes", &p.connectTypes);
    r.nibbles("ringAngle", &p.ringAngleMin, &p.ringAngleMax);
    r.byte("afFineAdjust", &p.afFineAdjust);
    r.byte("focusSpeedMax", &p.focusSpeedMax);
    r.byte("presetTimeMax", &p.presetTimeMax);
    r.integer("firmwareImageSize", &p.firmwareImageSize, 1, 16 * 1024 * 1024);
    r.nibbles("irisAngle", &p.irisAngleMin, &p.irisAngleMax);
    r.byte("afLimitFlags", &p.afLimitFlags);
    r.bits("settingSupport", &p.settingSupport);
    r.byte("switchSupport", &p.switchSupport);
    r.bits("buttonFunctions", &p.buttonSupport);
    r.table("afLimitTable", &p.afLimitTable);
    r.byte("attach", &p.attachCode, 1, 3);
    if (r.failed())
        return std::nullopt;
    if (p.modelName.isEmpty()) {
        r.fail(QStringLiteral("\"modelName\" must not be empty"));
        return std::nullopt;
    }

    p.factorySettings = FactoryImage::defaults(p);
    r.hexImage("settingsHex", &p.factorySettings, kSettingsSize);
    if (r.failed())
        return std::nullopt;
    const QJsonValue named = o.value(QLatin1String("settings"));
    if (!named.isUndefined()) {
        if (!named.isObject()) {
            r.fail(QStringLiteral("\"settings\" must be an object of named settings"));
            return std::nullopt;
        }
        if (!FactoryImage::apply(p.factorySettings, named.toObject(), error))
            return std::nullopt;
    }
    return p;
}

QByteArray LensProfile::record(quint8 major, quint8 minor) const {
    QByteArray r(kRecordSize, char(0));
    r[0] = char(lensType);
    r[1] = char(firmwareType);
    r[3] = char(buttonCount);
    r[4] = char(switchPositions);
    r[5] = char(mount);
    r[6] = char(connectTypes);
    r[7] = char((ringAngleMin << 4) | (ringAngleMax & 0x0F));
    r[8] = char(afFineAdjust);
    r[9] = char(focusSpeedMax);
    r[10] = char(presetTimeMax);
    r[11] = char((irisAngleMin << 4) | (irisAngleMax & 0x0F));
    r[15] = char(afLimitFlags);
    putText(r, 16, 8, modelName);
    r[24] = char(minor);
    r[25] = char(major);
    for (int i = 0; i < 4; ++i)
        r[32 + i] = char(settingSupport[size_t(i)]);
    r[40] = char(switchSupport);
    for (int i = 0; i < 8; ++i)
        r[48 + i] = char(buttonSupport[size_t(i)]);
    for (int i = 0; i < 16; ++i)
        r[64 + i] = char(afLimitTable[size_t(i)]);
    putText(r, 96, 64, productName);
    return r;
}

int LensProfile::limitPositionCount() const {
    int n = 1;
    while (n < 16 && afLimitTable[size_t(n)] != 0)
        ++n;
    return n;
}

} // namespace kelvara::sim
