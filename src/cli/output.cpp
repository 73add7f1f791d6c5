#include "output.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

void printError(const QString &message)
{
    std::fputs(("nvr-plan: " + message + '\n').toUtf8().constData(), stderr);
}

int printUsageError(const QString &message)
{
    printError(message);
    std::fputs("Try 'nvr-plan --help' for more information.\n", stderr);
    return exit_usage;
}

bool writeOut(const QByteArray &bytes)
{
    if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) == size_t(bytes.size())
        && std::fflush(stdout) == 0)
        return true;
    printError(QStringLiteral("write error: ") + QString::fromLocal8Bit(std::strerror(errno)));
    return false;
}

QString shownSum(const QStringList &figures)
{
    double sum = 0;
    int decimals = 0;
    for (const QString &figure : figures) {
        sum += figure.toDouble();
        const int point = figure.indexOf(QLatin1Char('.'));
        // "2.31928e+07" is a whole number.
        if (point >= 0 && !figure.contains(QLatin1Char('e')))
            decimals = std::max(decimals, int(figure.size()) - point - 1);
    }
    QString text = QString::number(sum, 'f', decimals);
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}
