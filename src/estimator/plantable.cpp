#include "plantable.h"

#include <algorithm>
#include <vector>

QList<ChannelLine> channelLines(const Plan &plan, const PlanFigures &figures)
{
    QList<ChannelLine> lines;
    for (int i = 0; i < figures.activeChannels; ++i) {
        const RowSettings &row = plan.channels[i];
        if (row.manual)
            lines.append({i + 1, mode_names[1], QString(), QString(), QString(),
                          figures.kbpsText(i), figures.dayGbText(i)});
        else
            lines.append({i + 1, mode_names[0], resolution_names[row.resolution],
                          frameText(plan.videoStandard, row.frame), quality_names[row.quality],
                          figures.kbpsText(i), figures.dayGbText(i)});
    }
    return lines;
}

QByteArray csvField(const QString &text)
{
    QByteArray field = text.toUtf8();
    if (field.contains(',') || field.contains('"') || field.contains('\n') || field.contains('\r'))
        field = '"' + field.replace("\"", "\"\"") + '"';
    return field;
}

QByteArray channelCsv(const Plan &plan, const PlanFigures &figures)
{
    QByteArray csv = "channel,mode,resolution,frame,quality,bitrateKbps,dayGb,incomingMbps\n";
    const QByteArray incoming = figures.incomingMbpsText().toUtf8();
    for (const ChannelLine &line : channelLines(plan, figures)) {
        csv += QByteArray::number(line.channel);
        for (const QString *text :
             {&line.mode, &line.resolution, &line.frame, &line.quality, &line.kbps, &line.dayGb})
            csv += ',' + csvField(*text);
        csv += ',' + incoming + '\n';
    }
    return csv;
}

QString alignedTable(const QList<QStringList> &rows, const QString &align)
{
    std::vector<int> widths(size_t(align.size()), 0);
    for (const QStringList &row : rows)
        for (int column = 0; column < row.size(); ++column)
            widths[column] = std::max(widths[column], int(row[column].size()));
    QString table;
    for (const QStringList &row : rows) {
        QString line;
        for (int column = 0; column < row.size(); ++column) {
            if (column > 0)
                line += QStringLiteral("  ");
            line += align[column] == QLatin1Char('r') ? row[column].rightJustified(widths[column])
                                                      : row[column].leftJustified(widths[column]);
        }
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        table += line + QLatin1Char('\n');
    }
    return table;
}

QString figuresText(const QString &name, const Plan &plan, const PlanFigures &figures)
{
    QList<QStringList> channels {{QStringLiteral("Channel"), QStringLiteral("Mode"),
                                  QStringLiteral("Resolution"), QStringLiteral("Frame"),
                                  QStringLiteral("Quality"), QStringLiteral("Kbps"),
                                  QStringLiteral("GB/day")}};
    for (const ChannelLine &line : channelLines(plan, figures))
        channels.append({QString::number(line.channel), line.mode, line.resolution, line.frame,
                         line.quality, line.kbps, line.dayGb});
    // The window's own captions for its figures; the incoming bitrate's is
    // the Disks window's.
    const QList<QStringList> totals {
        {QStringLiteral("Total storage per day (GB)"), figures.totalText()},
        {QStringLiteral("Incoming bitrate (Mbps)"), figures.incomingMbpsText()},
        {QStringLiteral("Required days"), plan.requiredDays},
        {QStringLiteral("Required HDD capacity"),
         plan.requiredDays.isEmpty() ? QString() : figures.requiredText()},
        {QStringLiteral("Installed HDD size (GB)"), plan.installedHddGb},
        {QStringLiteral("Recording time"),
         plan.installedHddGb.isEmpty() ? QString() : figures.recordingTimeText()}};
    return QStringLiteral("%1: %2, %3, %4 channels\n")
               .arg(name, product_names[plan.product], video_standard_names[plan.videoStandard])
               .arg(plan.channelCount)
        + (plan.site.isEmpty() ? QString() : QStringLiteral("Site: %1\n").arg(plan.site))
        + alignedTable(channels, QStringLiteral("rllrlrr"))
        + alignedTable(totals, QStringLiteral("ll"));
}
