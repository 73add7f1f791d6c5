#pragma once

#include "plan.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

// The commands of nvr-plan, each given arguments already checked, each
// returning the exit status. Output goes to stdout in one piece, and only
// when the whole command succeeded.

enum class Format { text, json, csv };

int showPlans(const QStringList &files, Format format);
int summarizePlans(const QStringList &files, Format format);
// An existing file is replaced only when force is given.
int writeNewPlan(const Plan &plan, const QString &path, bool force);

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

struct DisksRequest
{
    QString file;
    // Empty: the plan's own; else a decimal number above 0, as typed.
    QString days;
    // -1 and 0: the plan's own layout and bays.
    int layout = -1;
    int bays = 0;
    QList<std::int64_t> driveGb; // empty: the sizes sold
    Format format = Format::text;
};
int chooseDisks(const DisksRequest &request);
