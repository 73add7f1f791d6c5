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
        if (const std::optional<Plan> plan = readPlanArgument(file, &error)) {
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
    // The settings beside the figures, the two typed texts as typed.
    return {{QStringLiteral("file"), file},
            {QStringLiteral("site"), plan.site},
            {QStringLiteral("product"), product_names[plan.product]},
            {QStringLiteral("videoStandard"), video_standard_names[plan.videoStandard]},
            {QStringLiteral("channelCount"), plan.channelCount},
            {QStringLiteral("requiredDays"), plan.requiredDays},
            {QStringLiteral("installedHddGb"), plan.installedHddGb},
            {QStringLiteral("channels"), channels},
            {QStringLiteral("totalDayGb"), shownNumber(figures.totalText())},
            {QStringLiteral("requiredHddGb"), shownNumber(figures.requiredGb)},
            {QStringLiteral("recordingDays"), shownNumber(figures.recordingDays)},
            {QStringLiteral("recordingHours"), shownNumber(figures.recordingHours)}};
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
            out += (i > 0 ? "\n" : "") + figuresText(files[i], plan, figures).toUtf8();
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

int summarizePlans(const QStringList &files, Format format)
{
    const std::optional<QList<Plan>> plans = readPlans(files);
    if (!plans)
        return exit_failure;
    QList<QStringList> rows {{QStringLiteral("File"), QStringLiteral("Channels"),
                              QStringLiteral("GB/day"), QStringLiteral("Required HDD")}};
    QJsonArray objects;
    QByteArray csv = "file,site,channels,totalDayGb,requiredHddGb\n";
    int channels = 0;
    QStringList totals;
    // Unknown as soon as one plan's is: a total without it would be too small.
    qint64 required = 0;
    bool requiredShown = true;
    const auto csvLine = [&csv](const QString &file, const QString &site, int count,
                                const QString &total, const QString &requiredGb) {
        csv += csvField(file) + ',' + csvField(site) + ',' + QByteArray::number(count) + ','
            + total.toUtf8() + ',' + requiredGb.toUtf8() + '\n';
    };
    for (int i = 0; i < plans->size(); ++i) {
        const Plan &plan = plans->at(i);
        const PlanFigures figures = planFigures(plan);
        rows.append({files[i], QString::number(figures.activeChannels), figures.totalText(),
                     figures.requiredText()});
        objects.append(
            QJsonObject {{QStringLiteral("file"), files[i]},
                         {QStringLiteral("site"), plan.site},
                         {QStringLiteral("channels"), figures.activeChannels},
                         {QStringLiteral("totalDayGb"), shownNumber(figures.totalText())},
                         {QStringLiteral("requiredHddGb"), shownNumber(figures.requiredGb)}});
        csvLine(files[i], plan.site, figures.activeChannels, figures.totalText(),
                figures.requiredGb ? QString::number(*figures.requiredGb) : QString());
        channels += figures.activeChannels;
        totals.append(figures.totalText());
        if (figures.requiredGb)
            required += *figures.requiredGb;
        else
            requiredShown = false;
    }
    const QString total = shownSum(totals);
    const QString requiredTotal = requiredShown ? QString::number(required) : QString();
    QByteArray out;
    switch (format) {
    case Format::text:
        rows.append(
            {QStringLiteral("Total"), QString::number(channels), total,
             (requiredShown ? requiredTotal : QStringLiteral("--")) + QStringLiteral(" GB")});
        out = alignedTable(rows, QStringLiteral("lrrr")).toUtf8();
        break;
    case Format::json:
        out = QJsonDocument(
                  QJsonObject {{QStringLiteral("plans"), objects},
                               {QStringLiteral("total"),
                                QJsonObject {{QStringLiteral("channels"), channels},
                                             {QStringLiteral("totalDayGb"), total.toDouble()},
                                             {QStringLiteral("requiredHddGb"),
                                              requiredShown ? QJsonValue(double(required))
                                                            : QJsonValue()}}}})
                  .toJson();
        break;
    case Format::csv:
        csvLine(QStringLiteral("Total"), QString(), channels, total, requiredTotal);
        out = csv;
        break;
    }
    return writeOut(out) ? exit_ok : exit_failure;
}

int writeNewPlan(const Plan &plan, const QString &path)
{
    if (path == QLatin1String("-"))
        return writeOut(planToJson(plan)) ? exit_ok : exit_failure;
    QString error;
    if (writePlanFile(path, plan, &error))
        return exit_ok;
    printError(error);
    return exit_failure;
}
