#include "channelrow.h"
#include "editcommit.h"
#include "mainwindow.h"
#include "model.h"
#include "numbertext.h"
#include "ui_mainwindow.h"

// The field still shows the bitrate the last recalculation wrote: taken as the
// manual one, it keeps a switch to Manual from moving any figure.
void MainWindow::setChannelMode(int channel, int index)
{
    const bool manual = index != 0;
    ch_manual[channel] = manual;
    ch_manual_kbps[channel] = kbpsFromText(ch_bps_edit[channel]->text());
    ch_bps_edit[channel]->setEnabled(manual);
    recalculate();
}

void MainWindow::takeChannelBitrate(int channel)
{
    if (!takeCommittedEdit(*ch_bps_edit[channel]))
        return;
    ch_manual_kbps[channel] = kbpsFromText(ch_bps_edit[channel]->text());
    recalculate();
}

void MainWindow::setChannelResolution(int channel, int index)
{
    ch_resolution[channel] = std::int8_t(index);
    recalculate();
}

void MainWindow::setChannelFrame(int channel, int index)
{
    // The index decides the rate; the item's text is not read.
    ch_fps[channel] = frame_index_fps[index];
    recalculate();
}

void MainWindow::setChannelQuality(int channel, int index)
{
    ch_quality[channel] = std::int8_t(index);
    recalculate();
}

#define CHANNEL_ROW_SLOTS(n)                                                                       \
    void MainWindow::on_cb_mode_##n##_activated(int index)                                         \
    {                                                                                              \
        setChannelMode(n - 1, index);                                                              \
    }                                                                                              \
    void MainWindow::on_cb_resolution_##n##_activated(int index)                                   \
    {                                                                                              \
        setChannelResolution(n - 1, index);                                                        \
    }                                                                                              \
    void MainWindow::on_cb_frame_##n##_activated(int index)                                        \
    {                                                                                              \
        setChannelFrame(n - 1, index);                                                             \
    }                                                                                              \
    void MainWindow::on_cb_quality_##n##_activated(int index)                                      \
    {                                                                                              \
        setChannelQuality(n - 1, index);                                                           \
    }                                                                                              \
    void MainWindow::on_line_edit_bps_##n##_editingFinished()                                      \
    {                                                                                              \
        takeChannelBitrate(n - 1);                                                                 \
    }

CHANNEL_ROW_SLOTS(1)
CHANNEL_ROW_SLOTS(2)
CHANNEL_ROW_SLOTS(3)
CHANNEL_ROW_SLOTS(4)
CHANNEL_ROW_SLOTS(5)
CHANNEL_ROW_SLOTS(6)
CHANNEL_ROW_SLOTS(7)
CHANNEL_ROW_SLOTS(8)
CHANNEL_ROW_SLOTS(9)
CHANNEL_ROW_SLOTS(10)
CHANNEL_ROW_SLOTS(11)
CHANNEL_ROW_SLOTS(12)
CHANNEL_ROW_SLOTS(13)
CHANNEL_ROW_SLOTS(14)
CHANNEL_ROW_SLOTS(15)
CHANNEL_ROW_SLOTS(16)
