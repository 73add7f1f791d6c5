#include "channelrow.h"
#include "disksdialog.h"
#include "mainwindow.h"
#include "model.h"
#include "plan.h"
#include "plandocument.h"
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

RowSettings rowOfModel(int channel)
{
    RowSettings row;
    row.manual = ch_manual[channel] != 0;
    row.resolution = ch_resolution[channel];
    row.frame = frameIndexOfFps(ch_fps[channel]);
    row.quality = ch_quality[channel];
    row.manualKbps = ch_manual_kbps[channel];
    return row;
}

} // namespace

Plan MainWindow::currentPlan() const
{
    Plan plan;
    plan.site = m_site;
    plan.product = ui->cb_product->currentIndex();
    plan.disks = m_diskSettings;
    plan.videoStandard = video_standard;
    plan.channelCount = activeChannelCount();
    const ChannelRow all = allRow(*ui);
    plan.all.manual = all.mode->currentIndex() != 0;
    plan.all.resolution = all.resolution->currentIndex();
    plan.all.frame = all.frame->currentIndex();
    plan.all.quality = all.quality->currentIndex();
    plan.all.manualKbps = all_manual_kbps;
    for (int i = 0; i < channel_max; ++i)
        plan.channels[i] = rowOfModel(i);
    plan.requiredDays = ui->line_input_days->text();
    plan.installedHddGb = ui->line_input_hdd->text();
    return plan;
}

// Every figure the window shows comes from the plan's figures: nothing is
// updated piecemeal anywhere else.
void MainWindow::recalculate()
{
    const Plan plan = currentPlan();
    const PlanFigures figures = planFigures(plan);

    for (int i = 0; i < figures.activeChannels; ++i)
        qDebug("MODE CHECK :%d - %s", i, ch_manual[i] ? "TRUE" : "FALSE");

    // Channels not in use show 0 in both columns.
    for (int i = 0; i < channel_max; ++i) {
        const ChannelRow row = channelRow(*ui, i);
        showText(row.bitrate, figures.kbpsText(i));
        m_figures.show(*row.capacity, figures.dayGbText(i));
    }
    const ChannelRow all = allRow(*ui);
    showText(all.bitrate, figures.allKbpsText());
    all.capacity->clear();

    m_figures.show(*ui->lb_total, figures.totalText());
    m_figures.show(*ui->lb_cal_hdd, figures.requiredText());
    m_figures.show(*ui->lb_cal_days, figures.daysText());
    m_figures.show(*ui->lb_cal_time, figures.hoursText());

    if (m_disks && m_disks->isVisible())
        m_disks->showPlan(plan, figures);
    if (m_batch == 0)
        m_document->record(plan);
}
