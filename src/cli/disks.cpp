#include "commands.h"

#include "disks.h"
#include "numbertext.h"
#include "output.h"
#include "planfile.h"
#include "plantable.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString countText(qint64 count, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

// Why no set is offered: the most the bays hold, or that the layout needs
// more drives than they take.
QString nothingFits(const Plan &plan, const QString &file, const QList<std::int64_t> &sizes)
{
    const int layout = plan.disks.layout;
    const DiskSet most = largestSet(plan, sizes);
    if (most.drives > 0)
        return QStringLiteral("%1: no set of drives in %2 keeps %3; the most they hold is %4")
            .arg(file, countText(plan.disks.bays, "bay", "bays"), keptDaysText(plan),
                 diskSetText(most, layout));
    int fewest = 1;
    while (fewest < bays_max && usableGb(layout, fewest, 1) == 0)
        ++fewest;
    return QStringLiteral("%1: %2 takes at least %3; the recorder has %4")
        .arg(file, disk_layout_names[layout], countText(fewest, "drive", "drives"),
             countText(plan.disks.bays, "bay", "bays"));
}

QJsonValue figure(const std::optional<std::int32_t> &value)
{
    return value ? QJsonValue(*value) : QJsonValue();
}

QString field(const std::optional<std::int32_t> &value)
{
    return value ? QString::number(*value) : QString();
}

} // namespace

int chooseDisks(const DisksRequest &request)
{
    QString error;
    std::optional<Plan> read = readPlanArgument(request.file, &error);
    if (!read) {
        printError(error);
        return exit_failure;
    }
    Plan plan = *read;
    if (!request.days.isEmpty())
        plan.requiredDays = request.days;
    if (request.layout >= 0)
        plan.disks.layout = request.layout;
    if (request.bays > 0)
        plan.disks.bays = request.bays;
    if (!keepsDays(plan))
        return printUsageError(request.file
                               + QStringLiteral(": no required days; --days gives them"));
    const PlanFigures figures = planFigures(plan);
    const QList<std::int64_t> sizes
        = request.driveGb.isEmpty() ? default_drive_gb : request.driveGb;
    const QList<DiskSet> sets = diskSets(plan, figures, sizes);
    if (sets.isEmpty()) {
        printError(nothingFits(plan, request.file, sizes));
        return exit_failure;
    }

    QByteArray out;
    switch (request.format) {
    case Format::text: {
        QString layout = disk_layout_names[plan.disks.layout];
        layout[0] = layout[0].toUpper();
        out = QStringLiteral("%1: %2 to keep %3, %4 Mbps incoming\n%5 in %6: %7, fewest drives "
                             "first\n")
                  .arg(request.file, figures.requiredText(), keptDaysText(plan),
                       figures.incomingMbpsText(), layout,
                       countText(plan.disks.bays, "bay", "bays"),
                       sets.size() == 1 ? QStringLiteral("1 set fits")
                                        : QStringLiteral("%1 sets fit").arg(sets.size()))
                  .toUtf8();
        QList<QStringList> rows {{QStringLiteral("Drives"), QStringLiteral("Size (TB)"),
                                  QStringLiteral("Usable (GB)"), QStringLiteral("Recording time")}};
        for (const DiskSet &set : sets)
            rows.append({QString::number(set.drives), driveTbText(set.driveGb),
                         QString::number(set.usableGb), set.recordingTimeText()});
        out += alignedTable(rows, QStringLiteral("rrrl")).toUtf8();
        break;
    }
    case Format::json: {
        QJsonArray list;
        for (const DiskSet &set : sets)
            list.append(
                QJsonObject {{QStringLiteral("drives"), set.drives},
                             {QStringLiteral("driveTb"), driveTbText(set.driveGb).toDouble()},
                             {QStringLiteral("usableGb"), double(set.usableGb)},
                             {QStringLiteral("recordingDays"), figure(set.recordingDays)},
                             {QStringLiteral("recordingHours"), figure(set.recordingHours)}});
        out = QJsonDocument(
                  QJsonObject {
                      {QStringLiteral("file"), request.file},
                      {QStringLiteral("requiredDays"), plan.requiredDays},
                      {QStringLiteral("requiredHddGb"), figure(figures.requiredGb)},
                      {QStringLiteral("incomingMbps"), figures.incomingMbpsText().toDouble()},
                      {QStringLiteral("layout"), disk_layout_tokens[plan.disks.layout]},
                      {QStringLiteral("bays"), plan.disks.bays},
                      {QStringLiteral("sets"), list}})
                  .toJson();
        break;
    }
    case Format::csv:
        out = "drives,driveTb,usableGb,recordingDays,recordingHours\n";
        for (const DiskSet &set : sets)
            out += QStringLiteral("%1,%2,%3,%4,%5\n")
                       .arg(set.drives)
                       .arg(driveTbText(set.driveGb))
                       .arg(set.usableGb)
                       .arg(field(set.recordingDays), field(set.recordingHours))
                       .toUtf8();
        break;
    }
    return writeOut(out) ? exit_ok : exit_failure;
}
