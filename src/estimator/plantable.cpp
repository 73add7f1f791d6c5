#include "plantable.h"

QList<ChannelLine> channelLines(const Plan &plan, const PlanFigures &figures)
{
    QList<ChannelLine> lines;
    for (int i = 0; i < figures.activeChannels; ++i) {
        const RowSettings &row = plan.channels[i];
        lines.append({i + 1, mode_names[row.manual], resolution_names[row.resolution],
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
    QByteArray csv = "channel,mode,resolution,frame,quality,bitrateKbps,dayGb\n";
    for (const ChannelLine &line : channelLines(plan, figures)) {
        csv += QByteArray::number(line.channel);
        for (const QString *text :
             {&line.mode, &line.resolution, &line.frame, &line.quality, &line.kbps, &line.dayGb})
            csv += ',' + csvField(*text);
        csv += '\n';
    }
    return csv;
}
