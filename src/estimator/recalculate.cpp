#include "calculation.h"
#include "channelrow.h"
#include "mainwindow.h"
#include "model.h"
#include "numbertext.h"
#include "ui_mainwindow.h"

#include <QDebug>

namespace {

// Most recalculations change one or two of the seventeen fields; setText()
// would lay out every one of them again (labels already skip an equal text).
void showText(QLineEdit *field, const QString &text)
{
    if (field->text() != text)
        field->setText(text);
}

} // namespace

// Rebuilds every displayed figure from the model and the ALL row, then the
// storage estimate. Nothing is updated piecemeal anywhere else.
void MainWindow::recalculate()
{
    const int active = activeChannelCount();

    std::int32_t bitrate[channel_max] = {};
    float capacity[channel_max] = {};

    const ChannelRow all = allRow(*ui);
    const std::int32_t allBitrate = all.mode->currentIndex() != 0
        ? all_manual_kbps
        : autoBitrateKbps(all.resolution->currentIndex(), all.quality->currentIndex(),
                          frame_index_fps[all.frame->currentIndex()]);

    for (int i = 0; i < active; ++i) {
        qDebug("MODE CHECK :%d - %s", i, ch_manual[i] ? "TRUE" : "FALSE");
        bitrate[i] = ch_manual[i] ? ch_manual_kbps[i]
                                  : autoBitrateKbps(ch_resolution[i], ch_quality[i], ch_fps[i]);
        capacity[i] = dayCapacityGb(bitrate[i]);
    }

    // Channels not in use show 0 in both columns.
    for (int i = 0; i < channel_max; ++i) {
        const ChannelRow row = channelRow(*ui, i);
        showText(row.bitrate, integerText(bitrate[i]));
        row.capacity->setText(capacityText(capacity[i]));
    }
    showText(all.bitrate, integerText(allBitrate));
    all.capacity->clear();

    const float total = dayTotalGb(capacity, active);
    ui->lb_total->setText(capacityText(total));

    const double requiredDays = numberFromText(ui->line_input_days->text());
    const double installedGb = numberFromText(ui->line_input_hdd->text());
    ui->lb_cal_hdd->setText(
        estimateText(requiredCapacityGb(total, requiredDays), QStringLiteral(" GB")));
    const double hours = recordingHours(total, installedGb);
    ui->lb_cal_days->setText(estimateText(recordingDays(hours), QStringLiteral(" Days")));
    ui->lb_cal_time->setText(
        estimateText(recordingHoursBeyondDays(hours), QStringLiteral(" Hours")));
}
