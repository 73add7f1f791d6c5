#include "invariants.h"

#include "calculation.h"
#include "model.h"
#include "numbertext.h"
#include "testsupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

constexpr const char *rowFamilies[] = {"label_ch",   "cb_mode",       "cb_resolution", "cb_frame",
                                       "cb_quality", "line_edit_bps", "lb_day_cap"};

int channelsInUse(const Calculator &calculator)
{
    return QList<int>({4, 8, 16}).value(calculator.box("cb_max_ch").currentIndex(), -1);
}

} // namespace

QStringList brokenStateRelations(const Calculator &calculator)
{
    QStringList broken;
    const auto expect = [&broken](bool holds, const QString &what) {
        if (!holds)
            broken << what;
    };
    const int inUse = channelsInUse(calculator);
    expect(inUse > 0, "channel count box on no item");
    const QStringList frames = calculator.box("cb_frame_all").count() == 9
        ? itemTexts(calculator.box("cb_frame_all"))
        : QStringList();
    expect(calculator.box("cb_ntpal").currentIndex() == video_standard,
           "cb_ntpal disagrees with video_standard");
    expect(frames.value(8) == (video_standard ? "30" : "25"), "frame list of the wrong standard");

    for (int n = 1; n <= 16; ++n) {
        const int i = n - 1;
        const QString at = QStringLiteral(" of channel %1").arg(n);
        const QComboBox &mode = calculator.box(Calculator::cell("cb_mode", n));
        expect((mode.currentIndex() != 0) == (ch_manual[i] != 0), "mode box vs model" + at);
        expect(calculator.field(Calculator::cell("line_edit_bps", n)).isEnabled()
                   == (ch_manual[i] != 0),
               "bitrate field enabled state" + at);
        expect(calculator.box(Calculator::cell("cb_resolution", n)).currentIndex()
                   == ch_resolution[i],
               "resolution box vs model" + at);
        expect(calculator.box(Calculator::cell("cb_quality", n)).currentIndex() == ch_quality[i],
               "quality box vs model" + at);
        const QComboBox &frame = calculator.box(Calculator::cell("cb_frame", n));
        expect(frame.currentIndex() >= 0 && frame_index_fps[frame.currentIndex()] == ch_fps[i],
               "frame box vs model" + at);
        expect(itemTexts(frame) == frames, "frame list" + at);
        for (const char *family : rowFamilies)
            expect(calculator.window.findChild<QWidget *>(Calculator::cell(family, n))->isVisible()
                       == (n <= inUse),
                   QStringLiteral("visibility of %1").arg(Calculator::cell(family, n)));
    }
    expect(calculator.field("line_edit_bps_all").isEnabled()
               == (calculator.box("cb_mode_all").currentIndex() != 0),
           "ALL bitrate field enabled state");

    const bool locked = calculator.box("cb_product").currentIndex() != 0;
    for (int row = 0; row <= 16; ++row) {
        const QComboBox &mode = calculator.box(Calculator::cell("cb_mode", row));
        expect(mode.isEnabled() == !locked, "mode box lock of " + mode.objectName());
        if (locked)
            expect(mode.currentIndex() == 0, "locked mode box not on Auto: " + mode.objectName());
    }
    return broken;
}

QStringList brokenFigureRelations(const Calculator &calculator)
{
    QStringList broken;
    const auto expect = [&broken](const QString &shown, const QString &expected,
                                  const QString &what) {
        if (shown != expected)
            broken << QStringLiteral("%1 shows \"%2\", expected \"%3\"").arg(what, shown, expected);
    };
    const int inUse = channelsInUse(calculator);
    float capacities[16] = {};
    for (int n = 1; n <= 16; ++n) {
        const int i = n - 1;
        const QString bitrate = calculator.field(Calculator::cell("line_edit_bps", n)).text();
        const QString capacity = calculator.label(Calculator::cell("lb_day_cap", n)).text();
        if (n > inUse) {
            expect(bitrate, "0", "unused bitrate " + QString::number(n));
            expect(capacity, "0", "unused capacity " + QString::number(n));
            continue;
        }
        const std::int32_t kbps = ch_manual[i]
            ? ch_manual_kbps[i]
            : autoBitrateKbps(ch_resolution[i], ch_quality[i], ch_fps[i]);
        expect(bitrate, integerText(kbps), "bitrate " + QString::number(n));
        capacities[i] = dayCapacityGb(kbps);
        expect(capacity, capacityText(capacities[i]), "capacity " + QString::number(n));
    }
    const std::int32_t allKbps = calculator.box("cb_mode_all").currentIndex() != 0
        ? all_manual_kbps
        : autoBitrateKbps(calculator.box("cb_resolution_all").currentIndex(),
                          calculator.box("cb_quality_all").currentIndex(),
                          frame_index_fps[calculator.box("cb_frame_all").currentIndex()]);
    expect(calculator.field("line_edit_bps_all").text(), integerText(allKbps), "ALL bitrate");
    expect(calculator.label("lb_day_cap_all").text(), QString(), "ALL capacity");

    const float total = dayTotalGb(capacities, inUse);
    expect(calculator.label("lb_total").text(), capacityText(total), "total");
    const double days = numberFromText(calculator.field("line_input_days").text());
    const double disk = numberFromText(calculator.field("line_input_hdd").text());
    const double hours = recordingHours(total, disk);
    expect(calculator.label("lb_cal_hdd").text(),
           estimateText(requiredCapacityGb(total, days), " GB"), "required disk");
    expect(calculator.label("lb_cal_days").text(), estimateText(recordingDays(hours), " Days"),
           "recording days");
    expect(calculator.label("lb_cal_time").text(),
           estimateText(recordingHoursBeyondDays(hours), " Hours"), "recording hours");
    return broken;
}

ModelSnapshot ModelSnapshot::take()
{
    ModelSnapshot snapshot;
    for (int i = 0; i < 16; ++i) {
        snapshot.resolution << ch_resolution[i];
        snapshot.fps << ch_fps[i];
        snapshot.quality << ch_quality[i];
        snapshot.manual << ch_manual[i];
        snapshot.manualKbps << ch_manual_kbps[i];
    }
    snapshot.allManualKbps = all_manual_kbps;
    snapshot.videoStandard = video_standard;
    return snapshot;
}

bool ModelSnapshot::operator==(const ModelSnapshot &other) const
{
    return resolution == other.resolution && fps == other.fps && quality == other.quality
        && manual == other.manual && manualKbps == other.manualKbps
        && allManualKbps == other.allManualKbps && videoStandard == other.videoStandard;
}
