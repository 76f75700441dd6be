#include "Texts.h"

#include <QCoreApplication>
#include <QTranslator>
#include <QUrl>

#include <memory>
#include <mutex>

#ifndef KELVARA_DOCS_BASE_URL
#error "KELVARA_DOCS_BASE_URL must be set by the build"
#endif

namespace kelvara {

namespace {

std::mutex installMutex;
std::unique_ptr<QTranslator> installedTranslator;
QString installedLanguage;

QString tableLanguageOf(const QString& name) {
    const QLocale::Language language = QLocale(name).language();
    if (language == QLocale::Japanese)
        return QStringLiteral("ja");
    if (language == QLocale::English)
        return QStringLiteral("en");
    return {};
}

} // namespace

QStringList Texts::languages() {
    return {QStringLiteral("en"), QStringLiteral("ja")};
}

QString Texts::languageFor(const QLocale& locale) {
    const QString forced = qEnvironmentVariable("KELVARA_LANG").trimmed().toLower();
    if (languages().contains(forced))
        return forced;
    for (const QString& name : locale.uiLanguages()) {
        const QString language = tableLanguageOf(name);
        if (!language.isEmpty())
            return language;
    }
    return QStringLiteral("en");
}

QString Texts::tablePath(const QString& language) {
    return QStringLiteral(":/i18n/kelvara_%1.qm").arg(language);
}

QString Texts::install(const QLocale& locale) {
    const QString language = languageFor(locale);
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(tablePath(language)))
        return {};

    std::lock_guard lock(installMutex);
    if (installedTranslator)
        QCoreApplication::removeTranslator(installedTranslator.get());
    if (!QCoreApplication::installTranslator(translator.get())) {
        installedTranslator.reset();
        installedLanguage.clear();
        return {};
    }
    installedTranslator = std::move(translator);
    installedLanguage = language;
    return language;
}

QString Texts::currentLanguage() {
    std::lock_guard lock(installMutex);
    return installedLanguage;
}

QString Texts::text(const QString& id) {
    const QByteArray utf8 = id.toUtf8();
    return qtTrId(utf8.constData());
}

QString Texts::text(const QString& id, const QStringList& args) {
    QString result = text(id);
    for (const QString& arg : args)
        result = result.arg(arg);
    return result;
}

bool Texts::isUrlKey(QStringView id) {
    return id.startsWith(u"HelpURL_") || id.endsWith(u"URL");
}

QString Texts::url(const char* id) {
    const QString address = qtTrId(id);
    const QUrl parsed(address, QUrl::StrictMode);
    const QString scheme = parsed.scheme();
    if (!parsed.isValid() || parsed.isRelative() || parsed.host().isEmpty() ||
        (scheme != QLatin1String("https") && scheme != QLatin1String("http")))
        return {};
    return address;
}

QString Texts::docsBaseUrl() {
    return QStringLiteral(KELVARA_DOCS_BASE_URL);
}

} // namespace kelvara
