#include "commands.h"

#include "numbertext.h"
#include "output.h"
#include "plantable.h"

#include <iterator>

// A setting fits when the window, with it on every channel and the days and
// the disk typed into its fields, shows both a required capacity of at most
// the disk and a recording time of at least the days (whole days and hours).
// The second keeps out settings whose required capacity only fits because the
// window truncates it.
int fitSettings(const FitRequest &request)
{
    const double days = numberFromText(request.days);
    const double hdd = numberFromText(request.hdd);
    QList<QStringList> rows {{QStringLiteral("Resolution"), QStringLiteral("Frame"),
                              QStringLiteral("Quality"), QStringLiteral("Kbps"),
                              QStringLiteral("GB/day"), QStringLiteral("Required HDD"),
                              QStringLiteral("Recording time")}};
    Plan plan;
    plan.videoStandard = request.videoStandard;
    plan.channelCount = request.channelCount;
    plan.requiredDays = request.days;
    plan.installedHddGb = request.hdd;
    // Best first: resolution, then frame rate, then quality; the lowest frame
    // item records nothing and is no setting.
    for (int resolution = 0; resolution < int(std::size(resolution_names)); ++resolution) {
        for (int frame = frame_top; frame > 0; --frame) {
            for (int quality = 0; quality < int(std::size(quality_names)); ++quality) {
                RowSettings row;
                row.resolution = resolution;
                row.frame = frame;
                row.quality = quality;
                plan.all = row;
                plan.channels.fill(row);
                const PlanFigures figures = planFigures(plan);
                if (!figures.requiredGb || *figures.requiredGb > hdd || !figures.recordingDays
                    || !figures.recordingHours
                    || *figures.recordingDays * 24.0 + *figures.recordingHours < days * 24)
                    continue;
                rows.append({resolution_names[resolution], frameText(request.videoStandard, frame),
                             quality_names[quality], figures.kbpsText(0), figures.totalText(),
                             figures.requiredText(), figures.recordingTimeText()});
            }
        }
    }
    const QString setting = QStringLiteral("%1, %2 channels, %3 days on %4 GB")
                                .arg(video_standard_names[request.videoStandard])
                                .arg(request.channelCount)
                                .arg(request.days, request.hdd);
    if (rows.size() == 1) {
        printError(QStringLiteral("no setting fits: ") + setting);
        return exit_failure;
    }
    const int count = int(rows.size()) - 1;
    const QString title
        = QStringLiteral("%1: %2 %3, best first\n")
              .arg(setting)
              .arg(count)
              .arg(count == 1 ? QStringLiteral("setting fits") : QStringLiteral("settings fit"));
    return writeOut((title + alignedTable(rows, QStringLiteral("lrlrrrl"))).toUtf8())
        ? exit_ok
        : exit_failure;
}
