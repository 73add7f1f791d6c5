#pragma once

#include "plan.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The table of the channels in use as every front end lists it: the settings
// as the lists show them, the figures as the window shows them. A Manual row
// records at its typed bitrate whatever its resolution, frame and quality say:
// those three are empty, so that no one reads a setting that is not used.
struct ChannelLine
{
    int channel = 0; // 1 to 16
    QString mode;
    QString resolution;
    QString frame; // the item text under the plan's standard
    QString quality;
    QString kbps;
    QString dayGb;
};

QList<ChannelLine> channelLines(const Plan &plan, const PlanFigures &figures);

// The same table as CSV: a header line, then one line per channel in use,
// quoted as RFC 4180 asks, "." decimals whatever the locale; the last column
// is what the channels in use send in all, the same on every line.
QByteArray channelCsv(const Plan &plan, const PlanFigures &figures);

// Columns padded to their widest cell, two spaces apart; align holds 'l' or
// 'r' per column. Every line ends in a newline, none in blanks.
QString alignedTable(const QList<QStringList> &rows, const QString &align);

// The plan's channels and figures as plain text, under a line that names the
// plan (name is its file) and its site: what nvr-plan show prints and the
// window copies. A figure of a field left empty is left empty too.
QString figuresText(const QString &name, const Plan &plan, const PlanFigures &figures);

// One CSV field, quoted where it holds a comma, a quote or a line break.
QByteArray csvField(const QString &text);
