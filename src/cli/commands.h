#pragma once

#include "plan.h"

#include <QString>
#include <QStringList>

// The commands of nvr-plan, each given arguments already checked, each
// returning the exit status. Output goes to stdout in one piece, and only
// when the whole command succeeded.

enum class Format { text, json, csv };

int showPlans(const QStringList &files, Format format);
int summarizePlans(const QStringList &files, Format format);
int writeNewPlan(const Plan &plan, const QString &path);

struct FitRequest
{
    int videoStandard = 1;
    int channelCount = channel_max;
    // As typed, read like the window's fields: decimal numbers above 0.
    QString days;
    QString hdd;
};
int fitSettings(const FitRequest &request);

// outPath ends in .pdf or .csv.
int reportPlan(const QString &file, const QString &outPath);
