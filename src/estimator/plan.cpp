#include "plan.h"

#include "calculation.h"
#include "numbertext.h"

#include <algorithm>
#include <cmath>

const QString units_note = QStringLiteral(
    "Daily figures and disk sizes are GB of 10^9 bytes. The disk estimates add 7.4 % to the "
    "recorded data (the factor 1.073741824).");

QString siteFault(const QString &site, const QString &quoted)
{
    if (site.size() > site_limit)
        return QStringLiteral("%1 characters, more than a site name holds (%2)")
            .arg(site.size())
            .arg(site_limit);
    // One line in the report's header and in nvr-plan's text.
    if (site.contains(QLatin1Char('\n')) || site.contains(QLatin1Char('\r')))
        return quoted + QStringLiteral(" is not one line");
    return QString();
}

std::int32_t rowKbps(const RowSettings &row)
{
    return row.manual ? row.manualKbps
                      : autoBitrateKbps(row.resolution, row.quality, frame_index_fps[row.frame]);
}

PlanFigures planFigures(const Plan &plan)
{
    PlanFigures figures;
    figures.activeChannels = std::clamp(plan.channelCount, 0, channel_max);
    for (int i = 0; i < figures.activeChannels; ++i) {
        figures.kbps[i] = rowKbps(plan.channels[i]);
        figures.dayGb[i] = dayCapacityGb(figures.kbps[i]);
        figures.incomingKbps += figures.kbps[i];
    }
    figures.allKbps = rowKbps(plan.all);
    figures.totalDayGb = dayTotalGb(figures.dayGb.data(), figures.activeChannels);

    figures.requiredGbUnrounded = requiredGb(figures.totalDayGb, numberFromText(plan.requiredDays));
    figures.requiredGb = truncatedInt32(figures.requiredGbUnrounded);
    const double hours = recordingHours(figures.totalDayGb, numberFromText(plan.installedHddGb));
    figures.recordingDays = recordingDays(hours);
    figures.recordingHours = recordingHoursBeyondDays(hours);
    return figures;
}

Plan asFiled(Plan plan)
{
    const auto leaveOut = [](RowSettings &row) {
        if (!row.manual)
            row.manualKbps = 0;
    };
    leaveOut(plan.all);
    for (RowSettings &row : plan.channels)
        leaveOut(row);
    return plan;
}

QString PlanFigures::kbpsText(int channel) const
{
    return integerText(kbps[channel]);
}

QString PlanFigures::dayGbText(int channel) const
{
    return capacityText(dayGb[channel]);
}

QString PlanFigures::allKbpsText() const
{
    return integerText(allKbps);
}

QString PlanFigures::totalText() const
{
    return capacityText(totalDayGb);
}

QString PlanFigures::requiredText() const
{
    return estimateText(requiredGb, QStringLiteral(" GB"));
}

QString PlanFigures::daysText() const
{
    return estimateText(recordingDays, QStringLiteral(" Days"));
}

QString PlanFigures::hoursText() const
{
    return estimateText(recordingHours, QStringLiteral(" Hours"));
}

QString PlanFigures::recordingTimeText() const
{
    return daysText() + QLatin1Char(' ') + hoursText();
}

QString PlanFigures::incomingMbpsText() const
{
    return thousandthsText(incomingKbps);
}

QString shortfallText(const Plan &plan, const PlanFigures &figures)
{
    if (plan.requiredDays.isEmpty() || plan.installedHddGb.isEmpty() || !figures.recordingDays
        || !figures.recordingHours)
        return QString();
    const double days = numberFromText(plan.requiredDays);
    const double disk = numberFromText(plan.installedHddGb);
    const double hours = recordingHours(figures.totalDayGb, disk);
    if (!(hours < days * 24))
        return QString();
    const auto count = [](qint64 n, const char *unit) {
        return QStringLiteral("%1 %2%3").arg(n).arg(QLatin1String(unit)).arg(n == 1 ? "" : "s");
    };
    // The numbers as read ("030" is 30), with no break before their units.
    const QString asked
        = estimateTextOf(days) + (days == 1 ? QStringLiteral(" day") : QStringLiteral(" days"));
    const QString lasts
        = QStringLiteral(
              "The installed disk of %1\u00a0GB lasts %2 %3, fewer than the %4 asked for")
              .arg(estimateTextOf(disk), count(*figures.recordingDays, "day"),
                   count(*figures.recordingHours, "hour"), asked);
    // Where the figures show "--" for the required disk, no number here either.
    if (!figures.requiredGb)
        return lasts + QLatin1Char('.');
    // The disk that does keep the days: the required capacity rounded up, not
    // down as the figure is shown, which may last a few hours short.
    const double need = std::ceil(requiredGb(figures.totalDayGb, days));
    return lasts
        + QStringLiteral("; keeping %1 takes a disk of at least %2\u00a0GB.")
              .arg(asked, QString::number(need, 'f', 0));
}
