#pragma once

#include "plan.h"

#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

// Which drives to buy for a plan: for each drive size, the fewest drives that
// the recorder's layout allows and that hold the capacity the plan's days
// need, within its bays. Drives are sold in decimal TB: sizes here are whole
// GB of 10^9 bytes (1 TB = 1000 GB), so that every usable capacity is exact.

// The drive sizes offered when none are given: 1 to 24 TB, as sold.
extern const QList<std::int64_t> default_drive_gb;

// GB of usable space of drives drives of driveGb each under layout (an index
// into disk_layout_tokens), or 0 where the layout cannot have that many.
std::int64_t usableGb(int layout, int drives, std::int64_t driveGb);

struct DiskSet
{
    int drives = 0;
    std::int64_t driveGb = 0;
    std::int64_t usableGb = 0;
    // How long the set records, as the window shows it for an installed disk
    // of usableGb; empty where it shows "--".
    std::optional<std::int32_t> recordingDays;
    std::optional<std::int32_t> recordingHours;

    QString recordingTimeText() const; // "32 Days 8 Hours"

    friend bool operator==(const DiskSet &a, const DiskSet &b)
    {
        return a.drives == b.drives && a.driveGb == b.driveGb && a.usableGb == b.usableGb
            && a.recordingDays == b.recordingDays && a.recordingHours == b.recordingHours;
    }
};

// Whether the plan's required days read as more than none: only then is
// there anything for disks to keep.
bool keepsDays(const Plan &plan);

// The days the plan keeps, as read: "30 days", "1 day", "7.5 days".
QString keptDaysText(const Plan &plan);

// For each size of driveGb, the fewest drives that hold
// figures.requiredGbUnrounded in the plan's layout and bays; a size that
// cannot, no set. Ordered by drives, then by size.
QList<DiskSet> diskSets(const Plan &plan, const PlanFigures &figures,
                        const QList<std::int64_t> &driveGb = default_drive_gb);

// The most the plan's bays hold under its layout with one of the sizes: the
// set that comes nearest when none fits; drives 0 when the layout needs more
// bays than there are.
DiskSet largestSet(const Plan &plan, const QList<std::int64_t> &driveGb = default_drive_gb);

// A drive size in TB: "18", "1.5".
QString driveTbText(std::int64_t driveGb);

// "2 × 18 TB, one volume, 36000 GB".
QString diskSetText(const DiskSet &set, int layout);

// For the report, when the plan keeps days: the first set of the default
// sizes that keeps them, or that none fits within the bays; else empty.
QString disksSentence(const Plan &plan, const PlanFigures &figures);
