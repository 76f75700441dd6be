#include "Console.h"

#include "CliText.h"

#include <QRegularExpression>
#include <QTextStream>

#include <cstdio>
#include <iostream>
#include <string>
#include <unistd.h>

namespace kelvara {

void Console::out(const QString& line) {
    QTextStream(stdout) << line << Qt::endl;
}

namespace {
QString subject;
} // namespace

void Console::err(const QString& line) {
    QTextStream err(stderr);
    err << "kelvara-lens-cli: ";
    if (!subject.isEmpty())
        err << subject << ": ";
    err << line << Qt::endl;
}

void Console::setSubject(const QString& text) {
    subject = text;
}

QString Console::oneLine(const QString& text) {
    static const QRegularExpression breaks(QStringLiteral("\\s*\\n\\s*"));
    return QString(text).replace(breaks, QStringLiteral(" ")).trimmed();
}

bool Console::stdinIsTerminal() {
    return isatty(STDIN_FILENO) == 1;
}

std::optional<bool> Console::askYesNo(const QString& question) {
    QTextStream(stderr) << oneLine(question) << ' ' << CliText::text(CliText::Prompt) << Qt::flush;
    std::string answer;
    if (!std::getline(std::cin, answer))
        return std::nullopt;
    const QString reply = QString::fromStdString(answer).trimmed().toLower();
    return reply == QLatin1String("y") || reply == QLatin1String("yes");
}

} // namespace kelvara
