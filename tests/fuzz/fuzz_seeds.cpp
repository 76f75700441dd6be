// Writes the fuzzers' seed corpora, one directory per fuzzer, with the encoders of the
// program and of the virtual lens. Usage: fuzz_seeds <corpus directory>
#include "FirmwarePackage.h"
#include "Frame.h"
#include "LensFirmware.h"
#include "LensProfile.h"
#include "UpdateServer.h"
#include "controller/SettingsFile.h"
#include "link/CommDataFormat.h"
#include "model/BasicInfoViewModel.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

using namespace kelvara;
using namespace kelvara::sim;

namespace {

QDir root;

void write(const char* fuzzer, const QString& name, const QByteArray& bytes) {
    const QString dir = root.filePath(QLatin1String(fuzzer));
    QDir().mkpath(dir);
    QFile file(dir + u'/' + name);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
}

// A stream as raw steps of at most `length` bytes: a control byte (`flag`, and one less
// than the step's length), then the bytes.
QByteArray pieces(const QByteArray& stream, int length, char flag = 0) {
    QByteArray out;
    for (qsizetype i = 0; i < stream.size(); i += length) {
        const QByteArray piece = stream.mid(i, length);
        out += char(flag | char(piece.size() - 1)) + piece;
    }
    return out;
}

// A step that the fuzzer frames itself: control byte, function, length byte, data.
QByteArray framed(char control, quint8 function, const QByteArray& data) {
    return control + QByteArray(1, char(function)) + char(data.size() % 256) + data;
}

QByteArray reply(quint8 function, const QByteArray& data) {
    Frame frame;
    frame.packet = 1; // the first request of a connection carries 1
    frame.function = function;
    frame.data = data;
    return frame.encode();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds <corpus directory>\n");
        return 2;
    }
    root = QDir(QString::fromLocal8Bit(argv[1]));
    const QStringList presets = LensProfile::presetNames();
    const LensProfile lens = *LensProfile::preset(QStringLiteral("prime-z"));
    const QByteArray record = lens.record();

    // Modes: bits 0-2 the request sent, bit 3 the firmware handshake, bits 4-5 its wait.
    write("fuzz_reply_stream", "connect", char(0) + pieces(reply(0xF8, "\x01"), 64));
    write("fuzz_reply_stream", "record-split",
          char(1) + pieces(reply(0xF4, QByteArray::fromHex("0000000000") + record), 7));
    write("fuzz_reply_stream", "garbage-then-write",
          char(3) + pieces(QByteArray::fromHex("0055AAFF33") + reply(0xF5, QByteArray(1, 0)), 3));
    write("fuzz_reply_stream", "refused",
          char(4) + pieces(reply(0xF5, QByteArray::fromHex("8300")), 64));
    write("fuzz_reply_stream", "framed-settings",
          char(2) + framed(char(0x80), 0xF4,
                           QByteArray::fromHex("0001010000") + lens.factorySettings.left(200)));
    write("fuzz_reply_stream", "firmware-ready", char(0x08) + pieces("C\x06\x15", 1));
    write("fuzz_reply_stream", "firmware-eot1", char(0x18) + pieces("\x15", 1));
    write("fuzz_reply_stream", "firmware-eot2", char(0x28) + pieces("x\x06", 2));

    write("fuzz_utility_catalogue", "catalogue",
          UpdateServer().document(UpdateServer::utilityPath()));
    for (const QString& name : presets) {
        const LensProfile p = *LensProfile::preset(name);
        UpdateServer server;
        server.addLens(p);
        write("fuzz_product_catalogue", name, server.document(UpdateServer::cataloguePath(p)));
        write("fuzz_basic_info", name, p.record());
        QFile json(QStringLiteral(":/kelvara/sim/profiles/") + name + QStringLiteral(".json"));
        json.open(QIODevice::ReadOnly);
        write("fuzz_lens_profile", name, json.readAll());
    }

    const QString key = LensFirmware(lens).descriptionKey();
    const auto image = [](quint8 device, quint8 area, int size) {
        return FirmwarePackage::Image{device, area, 0x0206,
                                      FirmwarePackage::imageData(device, area, 2, 6, size)};
    };
    const QList<FirmwarePackage::Image> images{image(1, 0, 100), image(0, 0, 64), image(2, 1, 30)};
    using Flaw = FirmwarePackage::Flaw;
    const std::pair<const char*, Flaw> flaws[] = {{"whole", Flaw::None},
                                                  {"bad-crc", Flaw::BadCrc},
                                                  {"truncated", Flaw::Truncated},
                                                  {"oversize", Flaw::OversizeDeclared}};
    for (const auto& [name, flaw] : flaws)
        write("fuzz_firmware_package", QLatin1String(name),
              key.toLatin1() + FirmwarePackage::build(images, key, flaw));
    write("fuzz_firmware_package", "single",
          key.toLatin1() + FirmwarePackage::build({images[1]}, key));

    BasicInfoViewModel info;
    info.setRom(toBytes(record));
    const Bytes header = info.identityHeader();
    const Bytes file = SettingsFile::build(header, toBytes(lens.factorySettings));
    write("fuzz_settings_file", "factory", char(0) + record + toQByteArray(file));
    write("fuzz_settings_file", "factory-signed-here",
          char(1) + record + toQByteArray(header) + lens.factorySettings);

    // The first byte picks the lens (presets in name order).
    const QByteArray settings = lens.factorySettings;
    const QByteArray session =
        framed(0, 0xF8, QByteArray(1, 0)) + framed(0, 0xF4, QByteArray::fromHex("0000000000")) +
        framed(0, 0xF4, QByteArray::fromHex("0001010000")) +
        framed(0x20, 0xF5, QByteArray::fromHex("0001000000") + settings.left(256)) +
        framed(0, 0xF5, QByteArray::fromHex("0001000101")) +
        framed(0, 0xF5, QByteArray::fromHex("0101000000")) + framed(0, 0xF9, {}) +
        pieces(toQByteArray(CommDataFormat::buildConnect().encode(9)), 5, char(0x80));
    write("fuzz_lens_requests", "session", char(presets.indexOf(u"prime-z")) + session);
    const QByteArray start = framed(0, 0xFD, QByteArray::fromHex("0002"));
    const QByteArray transfer =
        start + start + char(0x40) + char(1) + QByteArray(1024, 0) + char(0x40) + char(2) +
        FirmwarePackage::imageData(0, 0, 2, 6, 1024) + pieces("\x04\x04", 1, char(0x80));
    write("fuzz_lens_requests", "firmware", char(0) + transfer);
    return 0;
}
