#include "commands.h"

#include "numbertext.h"
#include "output.h"
#include "planfile.h"
#include "plantable.h"

#include <QFileInfo>
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

// A figure of an estimate field, or nothing while the field is empty: no
// input, no figure.
std::optional<std::int32_t> given(const QString &field, const std::optional<std::int32_t> &value)
{
    return field.isEmpty() ? std::nullopt : value;
}

QJsonObject planJson(const QString &file, const Plan &plan, const PlanFigures &figures)
{
    QJsonArray channels;
    const QList<ChannelLine> lines = channelLines(plan, figures);
    for (int i = 0; i < lines.size(); ++i) {
        // The settings are the plan's data, a Manual row's too, though its
        // typed bitrate is what counts.
        const RowSettings &row = plan.channels[i];
        channels.append(
            QJsonObject {{QStringLiteral("channel"), lines[i].channel},
                         {QStringLiteral("mode"), lines[i].mode},
                         {QStringLiteral("resolution"), resolution_names[row.resolution]},
                         {QStringLiteral("frame"), frameText(plan.videoStandard, row.frame)},
                         {QStringLiteral("quality"), quality_names[row.quality]},
                         {QStringLiteral("bitrateKbps"), shownNumber(lines[i].kbps)},
                         {QStringLiteral("dayGb"), shownNumber(lines[i].dayGb)}});
    }
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
            {QStringLiteral("incomingMbps"), shownNumber(figures.incomingMbpsText())},
            {QStringLiteral("requiredHddGb"),
             shownNumber(given(plan.requiredDays, figures.requiredGb))},
            {QStringLiteral("recordingDays"),
             shownNumber(given(plan.installedHddGb, figures.recordingDays))},
            {QStringLiteral("recordingHours"),
             shownNumber(given(plan.installedHddGb, figures.recordingHours))}};
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
                              QStringLiteral("Mbps"), QStringLiteral("GB/day"),
                              QStringLiteral("Required HDD")}};
    QJsonArray objects;
    QByteArray csv = "file,site,channels,totalDayGb,requiredHddGb,incomingMbps\n";
    int channels = 0;
    std::int64_t incomingKbps = 0;
    QStringList totals;
    // Unknown as soon as one plan's is: a total without it would be too small.
    // A plan without days asks for no disk yet, so neither does the total.
    qint64 required = 0;
    bool requiredShown = true;
    QStringList withoutDays;
    const auto csvLine
        = [&csv](const QString &file, const QString &site, int count, const QString &total,
                 const QString &requiredGb, const QString &mbps) {
              csv += csvField(file) + ',' + csvField(site) + ',' + QByteArray::number(count) + ','
                  + total.toUtf8() + ',' + requiredGb.toUtf8() + ',' + mbps.toUtf8() + '\n';
          };
    for (int i = 0; i < plans->size(); ++i) {
        const Plan &plan = plans->at(i);
        const PlanFigures figures = planFigures(plan);
        const std::optional<std::int32_t> requiredGb = given(plan.requiredDays, figures.requiredGb);
        rows.append({files[i], QString::number(figures.activeChannels), figures.incomingMbpsText(),
                     figures.totalText(),
                     plan.requiredDays.isEmpty() ? QString() : figures.requiredText()});
        objects.append(
            QJsonObject {{QStringLiteral("file"), files[i]},
                         {QStringLiteral("site"), plan.site},
                         {QStringLiteral("channels"), figures.activeChannels},
                         {QStringLiteral("incomingMbps"), shownNumber(figures.incomingMbpsText())},
                         {QStringLiteral("totalDayGb"), shownNumber(figures.totalText())},
                         {QStringLiteral("requiredHddGb"), shownNumber(requiredGb)}});
        csvLine(files[i], plan.site, figures.activeChannels, figures.totalText(),
                requiredGb ? QString::number(*requiredGb) : QString(), figures.incomingMbpsText());
        channels += figures.activeChannels;
        incomingKbps += figures.incomingKbps;
        totals.append(figures.totalText());
        if (plan.requiredDays.isEmpty())
            withoutDays.append(files[i]);
        else if (figures.requiredGb)
            required += *figures.requiredGb;
        else
            requiredShown = false;
    }
    const QString total = shownSum(totals);
    const QString incoming = thousandthsText(incomingKbps);
    const bool requiredKnown = requiredShown && withoutDays.isEmpty();
    const QString requiredTotal = requiredKnown ? QString::number(required) : QString();
    QByteArray out;
    switch (format) {
    case Format::text:
        // "--" where a figure is beyond what the window shows, nothing where
        // no days were asked for, as in the plans' own lines.
        rows.append({QStringLiteral("Total"), QString::number(channels), incoming, total,
                     requiredKnown               ? requiredTotal + QStringLiteral(" GB")
                         : withoutDays.isEmpty() ? QStringLiteral("-- GB")
                                                 : QString()});
        out = alignedTable(rows, QStringLiteral("lrrrr")).toUtf8();
        if (!withoutDays.isEmpty())
            out += QStringLiteral("Without required days: %1\n")
                       .arg(withoutDays.join(QStringLiteral(", ")))
                       .toUtf8();
        break;
    case Format::json:
        out = QJsonDocument(
                  QJsonObject {{QStringLiteral("plans"), objects},
                               {QStringLiteral("total"),
                                QJsonObject {{QStringLiteral("channels"), channels},
                                             {QStringLiteral("incomingMbps"), incoming.toDouble()},
                                             {QStringLiteral("totalDayGb"), total.toDouble()},
                                             {QStringLiteral("requiredHddGb"),
                                              requiredKnown ? QJsonValue(double(required))
                                                            : QJsonValue()}}}})
                  .toJson();
        break;
    case Format::csv:
        csvLine(QStringLiteral("Total"), QString(), channels, total, requiredTotal, incoming);
        out = csv;
        break;
    }
    return writeOut(out) ? exit_ok : exit_failure;
}

int writeNewPlan(const Plan &plan, const QString &path, bool force)
{
    if (path == QLatin1String("-"))
        return writeOut(planToJson(plan)) ? exit_ok : exit_failure;
    // A file already there may be a plan worked on for hours: kept unless asked.
    if (!force && QFileInfo::exists(path)) {
        printError(path + QStringLiteral(": exists; --force replaces it"));
        return exit_failure;
    }
    QString error;
    if (writePlanFile(path, plan, &error))
        return exit_ok;
    printError(error);
    return exit_failure;
}
