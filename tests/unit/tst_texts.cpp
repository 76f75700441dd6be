// String tables: the id list, both tables and the code agree; every id has a real text in
// both languages; web addresses all live under the one documentation base.
#include "platform/Texts.h"

#include <QDirIterator>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QUrl>
#include <QXmlStreamReader>

#include <algorithm>

using namespace kelvara;

namespace {

const QString sourceDir = QStringLiteral(KELVARA_SOURCE_DIR);
const QString expectedDocsBase = QStringLiteral(KELVARA_DOCS_BASE_URL);

struct KeyList {
    QString header;
    QStringList keys; // in file order
};

KeyList readKeyList() {
    KeyList list;
    QFile file(sourceDir + QStringLiteral("/translations/keys.txt"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return list;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    list.header = lines.value(0).trimmed();
    for (const QString& line : lines)
        if (!line.trimmed().isEmpty() && !line.trimmed().startsWith(u'#'))
            list.keys.append(line.trimmed());
    return list;
}

struct Table {
    QString language;
    QStringList ids; // in file order, duplicates kept
    QHash<QString, QString> sources;
    QHash<QString, QString> translations;
    QStringList defects; // messages lrelease would drop or that have no id
    QString error;
};

Table readTable(const QString& language) {
    Table table;
    QFile file(sourceDir + QStringLiteral("/translations/kelvara_%1.ts").arg(language));
    if (!file.open(QIODevice::ReadOnly)) {
        table.error = file.errorString();
        return table;
    }
    QXmlStreamReader xml(&file);
    QString id;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto name = xml.name();
        if (name == u"TS") {
            table.language = xml.attributes().value(QLatin1String("language")).toString();
        } else if (name == u"message") {
            id = xml.attributes().value(QLatin1String("id")).toString();
            if (id.isEmpty())
                table.defects.append(QStringLiteral("a message without id"));
            else
                table.ids.append(id);
        } else if (name == u"source") {
            table.sources.insert(id, xml.readElementText());
        } else if (name == u"translation") {
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            if (!type.isEmpty())
                table.defects.append(id + QStringLiteral(" (") + type + u')');
            table.translations.insert(id, xml.readElementText());
        }
    }
    if (xml.hasError())
        table.error = xml.errorString();
    return table;
}

// The failure text: what is wrong, then the ids it is wrong for.
QString listed(const QString& what, QStringList ids) {
    ids.sort();
    return what + QStringLiteral(": ") + ids.join(QStringLiteral(", "));
}

QStringList difference(const QStringList& a, const QStringList& b) {
    return (QSet<QString>(a.cbegin(), a.cend()) - QSet<QString>(b.cbegin(), b.cend())).values();
}

QStringList placeholders(const QString& text) {
    static const QRegularExpression marker(QStringLiteral("%(\\d+)"));
    QStringList found;
    for (const auto& m : marker.globalMatch(text))
        found.append(m.captured(0));
    found.sort();
    return found;
}

QString lineOf(const QString& text, qsizetype offset) {
    return QString::number(text.left(offset).count(u'\n') + 1);
}

// Installs a language's table through the program's own path (embedded resource).
bool installLanguage(const QString& language) {
    qputenv("KELVARA_LANG", language.toUtf8());
    const QString got = Texts::install(QLocale(QLocale::German, QLocale::Germany));
    qunsetenv("KELVARA_LANG");
    return got == language && Texts::currentLanguage() == language;
}

} // namespace

class TestTexts : public QObject {
    Q_OBJECT

    KeyList keyList;

  private slots:
    void initTestCase() {
        qunsetenv("KELVARA_LANG");
        keyList = readKeyList();
        QVERIFY2(!keyList.keys.isEmpty(), "translations/keys.txt is missing or empty");
    }

    void keyListIsSortedUniqueAndCommented() {
        QVERIFY2(keyList.header.startsWith(u'#'), "keys.txt must open with a '#' comment line");
        QStringList sorted = keyList.keys;
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(keyList.keys, sorted);
        QCOMPARE(sorted.removeDuplicates(), 0);
        static const QRegularExpression idForm(QStringLiteral("^[A-Za-z]+_[A-Za-z0-9_]+$"));
        QStringList malformed;
        for (const QString& key : keyList.keys)
            if (!idForm.match(key).hasMatch())
                malformed.append(key);
        QVERIFY2(malformed.isEmpty(), qPrintable(listed("not text ids", malformed)));
    }

    void eachLanguage_data() {
        QTest::addColumn<QString>("language");
        for (const QString& language : Texts::languages())
            QTest::newRow(qPrintable(language)) << language;
    }

    // The table holds exactly the key list, compiles to a usable text for every id, and
    // its web addresses live under the documentation base.
    void eachLanguage() {
        QFETCH(QString, language);
        const Table table = readTable(language);
        QVERIFY2(table.error.isEmpty(), qPrintable(table.error));
        QCOMPARE(table.language, language);
        QVERIFY2(
            table.defects.isEmpty(),
            qPrintable(listed("messages lrelease would not compile as finished", table.defects)));
        const QSet<QString> unique(table.ids.cbegin(), table.ids.cend());
        QVERIFY2(unique.size() == table.ids.size(), "an id appears twice in the table");
        const QStringList missing = difference(keyList.keys, table.ids);
        const QStringList extra = difference(table.ids, keyList.keys);
        QVERIFY2(missing.isEmpty(), qPrintable(listed("in keys.txt, not in " + language, missing)));
        QVERIFY2(extra.isEmpty(),
                 qPrintable(listed("in " + language + ", not in keys.txt", extra)));

        QVERIFY(installLanguage(language));
        QStringList failing;
        for (const QString& key : keyList.keys) {
            const QString text = qtTrId(key.toUtf8().constData());
            if (text.trimmed().isEmpty() || text == key ||
                text.contains(QStringLiteral("@KELVARA_")))
                failing.append(key);
        }
        QVERIFY2(failing.isEmpty(),
                 qPrintable(listed("no usable text in the compiled table", failing)));

        QCOMPARE(Texts::docsBaseUrl(), expectedDocsBase);
        QStringList bad;
        int addresses = 0;
        for (const QString& key : keyList.keys) {
            const QByteArray id = key.toUtf8();
            const bool urlKey = key.contains(QStringLiteral("URL"));
            if (Texts::isUrlKey(key) != urlKey) {
                bad.append(key + QStringLiteral(" (address id not recognised)"));
                continue;
            }
            if (!urlKey) {
                // Other texts are never addresses, and url() refuses them.
                if (!Texts::url(id.constData()).isEmpty() ||
                    qtTrId(id.constData()).startsWith(expectedDocsBase))
                    bad.append(key + QStringLiteral(" (address under a non-address id)"));
                continue;
            }
            ++addresses;
            const QString address = Texts::url(id.constData());
            const QUrl parsed(address, QUrl::StrictMode);
            if (address.isEmpty() || !parsed.isValid() || parsed.scheme() != u"https" ||
                !address.startsWith(expectedDocsBase + u'/'))
                bad.append(key + QStringLiteral(" -> ") + address);
        }
        QVERIFY2(bad.isEmpty(), qPrintable(listed("web addresses", bad)));
        QVERIFY(addresses > 0);
        // The model name and mount path are appended to this one: it must end a path segment.
        QVERIFY(Texts::url("Firmware_ContentConfirmationURL").endsWith(u'/'));
        QVERIFY(Texts::url("HelpURL_NoSuchFunction").isEmpty());
    }

    // English translates to its source; Japanese is translated and keeps every %n marker.
    void languagesAgree() {
        const Table en = readTable(QStringLiteral("en"));
        const Table ja = readTable(QStringLiteral("ja"));
        QStringList drift;
        QStringList mismatched;
        for (const QString& key : keyList.keys) {
            if (en.sources.value(key) != en.translations.value(key))
                drift.append(key);
            const QStringList expected = placeholders(en.translations.value(key));
            if (placeholders(ja.translations.value(key)) != expected ||
                placeholders(ja.sources.value(key)) != expected)
                mismatched.append(key);
        }
        QVERIFY2(drift.isEmpty(), qPrintable(listed("English source and text differ", drift)));
        QVERIFY2(mismatched.isEmpty(), qPrintable(listed("%n markers differ", mismatched)));

        QVERIFY(installLanguage(QStringLiteral("en")));
        QHash<QString, QString> english;
        for (const QString& key : keyList.keys)
            english.insert(key, qtTrId(key.toUtf8().constData()));
        QVERIFY(installLanguage(QStringLiteral("ja")));
        // A Japanese text equal to the English one may only be a symbol, number or
        // abbreviation ("OK", "8"), never English words.
        static const QRegularExpression word(QStringLiteral("[a-z]{2,}"));
        QStringList untranslated;
        for (const QString& key : keyList.keys) {
            const QString text = qtTrId(key.toUtf8().constData());
            if (text == english.value(key) && word.match(text).hasMatch())
                untranslated.append(key);
        }
        QVERIFY2(untranslated.isEmpty(),
                 qPrintable(listed("English left in the Japanese table", untranslated)));
        QCOMPARE(qtTrId("Common_Yes"), QStringLiteral("はい"));
    }

    void languageFollowsLocaleAndOverride() {
        QCOMPARE(Texts::languageFor(QLocale(QLocale::Japanese, QLocale::Japan)), u"ja");
        QCOMPARE(Texts::languageFor(QLocale(QLocale::English, QLocale::UnitedKingdom)), u"en");
        QCOMPARE(Texts::languageFor(QLocale(QLocale::French, QLocale::France)), u"en");
        QCOMPARE(Texts::languageFor(QLocale(QLocale::C)), u"en");

        qputenv("KELVARA_LANG", "ja");
        QCOMPARE(Texts::languageFor(QLocale(QLocale::English, QLocale::UnitedStates)), u"ja");
        qputenv("KELVARA_LANG", "EN");
        QCOMPARE(Texts::languageFor(QLocale(QLocale::Japanese, QLocale::Japan)), u"en");
        qputenv("KELVARA_LANG", "fr"); // no such table: the locale decides
        QCOMPARE(Texts::languageFor(QLocale(QLocale::Japanese, QLocale::Japan)), u"ja");
        qunsetenv("KELVARA_LANG");

        QCOMPARE(Texts::install(QLocale(QLocale::Italian, QLocale::Italy)), u"en");
        QCOMPARE(Texts::currentLanguage(), u"en");
        QCOMPARE(qtTrId("Common_No"), QStringLiteral("No"));
        QCOMPARE(Texts::text(QStringLiteral("Common_No")), QStringLiteral("No"));
        // A text that is no id comes back unchanged.
        QCOMPARE(Texts::text(QStringLiteral("Ready.")), QStringLiteral("Ready."));
    }

    void keysUsedInCodeAreListed() {
        const QSet<QString> known(keyList.keys.cbegin(), keyList.keys.cend());
        static const QRegularExpression use(
            QStringLiteral("\\b(qtTrId|qsTrId|QT_TRID_NOOP|QT_TRID_N_NOOP|Texts::url|Texts::text)"
                           "\\s*\\(\\s*\"([^\"\\\\]*)\""));
        QStringList unknown;
        QStringList rawAddressReads;
        QStringList urlMisuse;
        bool sawTextsSource = false;
        int files = 0;
        QDirIterator it(sourceDir + QStringLiteral("/src"),
                        {QStringLiteral("*.cpp"), QStringLiteral("*.h"), QStringLiteral("*.qml"),
                         QStringLiteral("*.js")},
                        QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile file(path);
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
            const QString content = QString::fromUtf8(file.readAll());
            const QString where = path.mid(sourceDir.size() + 1);
            ++files;
            if (where == u"src/platform/Texts.cpp")
                sawTextsSource = true;
            const bool cpp = !path.endsWith(u".qml") && !path.endsWith(u".js");
            for (const auto& m : use.globalMatch(content)) {
                const QString call = m.captured(1);
                const QString key = m.captured(2);
                const QString at =
                    where + u':' + lineOf(content, m.capturedStart()) + QStringLiteral(" ") + key;
                if (!known.contains(key))
                    unknown.append(at);
                else if (call == u"Texts::url" && !Texts::isUrlKey(key))
                    urlMisuse.append(at);
                else if (cpp && call != u"Texts::url" && Texts::isUrlKey(key))
                    rawAddressReads.append(at);
            }
        }
        QVERIFY2(sawTextsSource && files > 1, "the source tree was not scanned");
        QVERIFY2(
            unknown.isEmpty(),
            qPrintable(listed("ids used in code but missing from translations/keys.txt", unknown)));
        QVERIFY2(urlMisuse.isEmpty(),
                 qPrintable(listed("Texts::url with an id that is no address", urlMisuse)));
        QVERIFY2(rawAddressReads.isEmpty(),
                 qPrintable(listed("read web addresses through Texts::url", rawAddressReads)));
    }
};

QTEST_GUILESS_MAIN(TestTexts)
#include "tst_texts.moc"
