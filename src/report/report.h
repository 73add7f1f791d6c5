#pragma once

#include "plan.h"

#include <QLocale>
#include <QPageSize>
#include <QString>

// The page an installer hands the customer with the quote: one PDF page with
// the plan's settings, the table of channels in use, the daily total, the
// disk the days need and how long the installed disk lasts.

// Writes the report of plan to outPath: a PDF, or the channel table as CSV
// when outPath ends in ".csv". planName is what the page calls the plan (its
// file name, or "Untitled"). The file is replaced at once or not at all; on
// failure error is set to "PATH: why". A PDF needs a QGuiApplication.
bool writeReport(const Plan &plan, const QString &planName, const QString &outPath, QString *error);

// Letter where the locale's territory uses it, A4 everywhere else.
QPageSize reportPageSize(const QLocale &locale);
