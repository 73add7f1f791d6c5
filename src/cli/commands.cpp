#include "commands.h"

#include "output.h"
#include "planfile.h"
#include "plantable.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <optional>

namespace {

// Every plan of the files, or nothing once each bad file has had its message:
// a table or a total that leaves out a site would mislead.
std::optional<QList<Plan>> readPlans(const QStringList &files)
{
    QList<Plan> plans;
    bool ok = true;
    for (const QString &file : files) {
        QString error;
        if (const std::optional<Plan> plan = readPlanFile(file, &error)) {
            plans.append(*plan);
        } else {
            printError(error);
            ok = false;
        }
    }
    if (!ok)
        return std::nullopt;
    return plans;
}

// A figure as JSON: the number the window's text shows, null for "--".
QJsonValue shownNumber(const QString &text)
{
    return text == QLatin1String("--") ? QJsonValue() : QJsonValue(text.toDouble());
}

QJsonValue shownNumber(const std::optional<std::int32_t> &value)
{
    return value ? QJsonValue(*value) : QJsonValue();
}

QJsonObject planJson(const QString &file, const Plan &plan, const PlanFigures &figures)
{
    QJsonArray channels;
    for (const ChannelLine &line : channelLines(plan, figures))
        channels.append(QJsonObject {{QStringLiteral("channel"), line.channel},
                                     {QStringLiteral("mode"), line.mode},
                                     {QStringLiteral("resolution"), line.resolution},
                                     {QStringLiteral("frame"), line.frame},
                                     {QStringLiteral("quality"), line.quality},
                                     {QStringLiteral("bitrateKbps"), shownNumber(line.kbps)},
                                     {QStringLiteral("dayGb"), shownNumber(line.dayGb)}});
    return {{QStringLiteral("file"), file},
            {QStringLiteral("channels"), channels},
            {QStringLiteral("totalDayGb"), shownNumber(figures.totalText())},
            {QStringLiteral("requiredHddGb"), shownNumber(figures.requiredGb)},
            {QStringLiteral("recordingDays"), shownNumber(figures.recordingDays)},
            {QStringLiteral("recordingHours"), shownNumber(figures.recordingHours)}};
}

QString planText(const QString &file, const Plan &plan, const PlanFigures &figures)
{
    QList<QStringList> channels {{QStringLiteral("Channel"), QStringLiteral("Mode"),
                                  QStringLiteral("Resolution"), QStringLiteral("Frame"),
                                  QStringLiteral("Quality"), QStringLiteral("Kbps"),
                                  QStringLiteral("GB/day")}};
    for (const ChannelLine &line : channelLines(plan, figures))
        channels.append({QString::number(line.channel), line.mode, line.resolution, line.frame,
                         line.quality, line.kbps, line.dayGb});
    // The window's own captions for its figures.
    const QList<QStringList> totals {
        {QStringLiteral("Total storage per day (GB)"), figures.totalText()},
        {QStringLiteral("Required days"), plan.requiredDays},
        {QStringLiteral("Required HDD capacity"), figures.requiredText()},
        {QStringLiteral("Installed HDD size (GB)"), plan.installedHddGb},
        {QStringLiteral("Recording time"), figures.recordingTimeText()}};
    return QStringLiteral("%1: %2, %3, %4 channels\n")
               .arg(file, product_names[plan.product], video_standard_names[plan.videoStandard])
               .arg(plan.channelCount)
        + alignedTable(channels, QStringLiteral("rllrlrr"))
        + alignedTable(totals, QStringLiteral("ll"));
}

} // namespace

int showPlans(const QStringList &files, Format format)
{
    const std::optional<QList<Plan>> plans = readPlans(files);
    if (!plans)
        return exit_failure;
    QByteArray out;
    QJsonArray objects;
    for (int i = 0; i < plans->size(); ++i) {
        const Plan &plan = plans->at(i);
        const PlanFigures figures = planFigures(plan);
        switch (format) {
        case Format::text:
            out += (i > 0 ? "\n" : "") + planText(files[i], plan, figures).toUtf8();
            break;
        case Format::json:
            objects.append(planJson(files[i], plan, figures));
            break;
        case Format::csv: {
            const QByteArray csv = channelCsv(plan, figures);
            if (files.size() == 1) {
                out = csv;
                break;
            }
            // Several plans make one table: the file first on every line.
            const QList<QByteArray> lines = csv.split('\n');
            if (i == 0)
                out += "file," + lines.first() + '\n';
            for (int n = 1; n < lines.size(); ++n)
                if (!lines[n].isEmpty())
                    out += csvField(files[i]) + ',' + lines[n] + '\n';
            break;
        }
        }
    }
    if (format == Format::json)
        out = objects.size() == 1 ? QJsonDocument(objects.first().toObject()).toJson()
                                  : QJsonDocument(objects).toJson();
    return writeOut(out) ? exit_ok : exit_failure;
}

int summarizePlans(const QStringList &files)
{
    const std::optional<QList<Plan>> plans = readPlans(files);
    if (!plans)
        return exit_failure;
    QList<QStringList> rows {{QStringLiteral("File"), QStringLiteral("Channels"),
                              QStringLiteral("GB/day"), QStringLiteral("Required HDD")}};
    int channels = 0;
    QStringList totals;
    // Unknown as soon as one plan's is: a total without it would be too small.
    qint64 required = 0;
    bool requiredShown = true;
    for (int i = 0; i < plans->size(); ++i) {
        const PlanFigures figures = planFigures(plans->at(i));
        rows.append({files[i], QString::number(figures.activeChannels), figures.totalText(),
                     figures.requiredText()});
        channels += figures.activeChannels;
        totals.append(figures.totalText());
        if (figures.requiredGb)
            required += *figures.requiredGb;
        else
            requiredShown = false;
    }
    rows.append({QStringLiteral("Total"), QString::number(channels), shownSum(totals),
                 (requiredShown ? QString::number(required) : QStringLiteral("--"))
                     + QStringLiteral(" GB")});
    return writeOut(alignedTable(rows, QStringLiteral("lrrr")).toUtf8()) ? exit_ok : exit_failure;
}

int writeNewPlan(const Plan &plan, const QString &path)
{
    QString error;
    if (writePlanFile(path, plan, &error))
        return exit_ok;
    printError(error);
    return exit_failure;
}
