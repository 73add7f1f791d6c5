#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Exit statuses, as scripts see them.
enum ExitStatus { exit_ok = 0, exit_failure = 1, exit_usage = 2 };

// "nvr-plan: message" on stderr.
void printError(const QString &message);

// The same for wrong usage, with where to read how it goes; gives exit_usage.
int printUsageError(const QString &message);

// Writes everything to stdout at once and flushes it; a failed write (a full
// disk) is reported and gives false.
bool writeOut(const QByteArray &bytes);

// A column of figures added up as a person adds what is shown: with as many
// decimals as the most precise of them has, trailing zeros dropped.
QString shownSum(const QStringList &figures);
