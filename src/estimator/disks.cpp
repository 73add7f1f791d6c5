#include "disks.h"

#include "calculation.h"
#include "numbertext.h"

#include <algorithm>

const QList<std::int64_t> default_drive_gb
    = {1000, 2000, 3000, 4000, 6000, 8000, 10000, 12000, 14000, 16000, 18000, 20000, 22000, 24000};

std::int64_t usableGb(int layout, int drives, std::int64_t driveGb)
{
    switch (layout) {
    case 0: // one volume of all drives
        return drives >= 1 ? drives * driveGb : 0;
    case 1: // a mirrored pair
        return drives == 2 ? driveGb : 0;
    case 2: // one drive's worth of parity
        return drives >= 3 ? (drives - 1) * driveGb : 0;
    case 3: // two drives' worth of parity
        return drives >= 4 ? (drives - 2) * driveGb : 0;
    case 4: // mirrored pairs, striped
        return drives >= 4 && drives % 2 == 0 ? drives / 2 * driveGb : 0;
    }
    return 0;
}

namespace {

DiskSet setOf(int drives, std::int64_t driveGb, const Plan &plan, const PlanFigures &figures)
{
    DiskSet set;
    set.drives = drives;
    set.driveGb = driveGb;
    set.usableGb = usableGb(plan.disks.layout, drives, driveGb);
    const double hours = recordingHours(figures.totalDayGb, double(set.usableGb));
    set.recordingDays = recordingDays(hours);
    set.recordingHours = recordingHoursBeyondDays(hours);
    return set;
}

} // namespace

QString DiskSet::recordingTimeText() const
{
    return estimateText(recordingDays, QStringLiteral(" Days")) + QLatin1Char(' ')
        + estimateText(recordingHours, QStringLiteral(" Hours"));
}

bool keepsDays(const Plan &plan)
{
    return numberFromText(plan.requiredDays) > 0;
}

QString keptDaysText(const Plan &plan)
{
    const double days = numberFromText(plan.requiredDays);
    return estimateTextOf(days) + (days == 1 ? QStringLiteral(" day") : QStringLiteral(" days"));
}

QList<DiskSet> diskSets(const Plan &plan, const PlanFigures &figures,
                        const QList<std::int64_t> &driveGb)
{
    QList<DiskSet> sets;
    for (const std::int64_t size : driveGb) {
        for (int drives = 1; drives <= plan.disks.bays; ++drives) {
            const std::int64_t usable = usableGb(plan.disks.layout, drives, size);
            if (usable > 0 && double(usable) >= figures.requiredGbUnrounded) {
                sets.append(setOf(drives, size, plan, figures));
                break;
            }
        }
    }
    std::sort(sets.begin(), sets.end(), [](const DiskSet &a, const DiskSet &b) {
        return a.drives != b.drives ? a.drives < b.drives : a.driveGb < b.driveGb;
    });
    return sets;
}

DiskSet largestSet(const Plan &plan, const QList<std::int64_t> &driveGb)
{
    DiskSet largest;
    for (const std::int64_t size : driveGb)
        for (int drives = 1; drives <= plan.disks.bays; ++drives)
            if (const std::int64_t usable = usableGb(plan.disks.layout, drives, size);
                usable > largest.usableGb)
                largest = {drives, size, usable, std::nullopt, std::nullopt};
    return largest;
}

QString driveTbText(std::int64_t driveGb)
{
    return thousandthsText(driveGb);
}

QString diskSetText(const DiskSet &set, int layout)
{
    return QStringLiteral("%1 \u00d7 %2 TB, %3, %4 GB")
        .arg(set.drives)
        .arg(driveTbText(set.driveGb), disk_layout_names[layout])
        .arg(set.usableGb);
}

QString disksSentence(const Plan &plan, const PlanFigures &figures)
{
    if (!keepsDays(plan))
        return QString();
    const QString keep = keptDaysText(plan);
    const QList<DiskSet> sets = diskSets(plan, figures);
    if (!sets.isEmpty())
        return QStringLiteral("Disks to keep %1: %2.")
            .arg(keep, diskSetText(sets.first(), plan.disks.layout));
    return QStringLiteral("No set of %1 to %2 TB drives in %3 bays keeps %4 as %5.")
        .arg(driveTbText(default_drive_gb.first()), driveTbText(default_drive_gb.last()))
        .arg(plan.disks.bays)
        .arg(keep, disk_layout_names[plan.disks.layout]);
}
