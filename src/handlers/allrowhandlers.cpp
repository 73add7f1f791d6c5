#include "channelrow.h"
#include "editcommit.h"
#include "mainwindow.h"
#include "model.h"
#include "numbertext.h"
#include "ui_mainwindow.h"

// The ALL row sets a column for every channel, hidden ones included. Setting a
// channel's box from code raises no activated(), so these handlers write the
// model themselves.

void MainWindow::on_cb_mode_all_currentIndexChanged(int index)
{
    setAllChannelModes(index);
    // Filling the boxes in the constructor lands here before the channel count
    // has an item: there is nothing to calculate yet.
    if (ui->cb_max_ch->currentIndex() < 0)
        return;
    if (index != 0) {
        // Every channel in use, and the ALL row, starts from the bitrate last shown.
        const int active = activeChannelCount();
        for (int i = 0; i < active; ++i)
            ch_manual_kbps[i] = kbpsFromText(ch_bps_edit[i]->text());
        all_manual_kbps = kbpsFromText(ui->line_edit_bps_all->text());
    }
    recalculate();
}

void MainWindow::setColumnOfAllChannels(QComboBox *ChannelRow::*column, int index,
                                        std::int8_t *model, std::int8_t value)
{
    for (int i = 0; i < channel_max; ++i) {
        (channelRow(*ui, i).*column)->setCurrentIndex(index);
        model[i] = value;
    }
    recalculate();
}

void MainWindow::on_cb_resolution_all_activated(int index)
{
    setColumnOfAllChannels(&ChannelRow::resolution, index, ch_resolution, std::int8_t(index));
}

// The index decides the rate, under either video standard.
void MainWindow::on_cb_frame_all_activated(int index)
{
    setColumnOfAllChannels(&ChannelRow::frame, index, ch_fps, frame_index_fps[index]);
}

void MainWindow::on_cb_quality_all_activated(int index)
{
    setColumnOfAllChannels(&ChannelRow::quality, index, ch_quality, std::int8_t(index));
}

// Reaches the channels in use only, whatever their mode; recalculate() then
// shows Auto channels their computed bitrate again.
void MainWindow::on_line_edit_bps_all_editingFinished()
{
    if (!takeCommittedEdit(*ui->line_edit_bps_all))
        return;
    const QString text = ui->line_edit_bps_all->text();
    const std::int32_t kbps = kbpsFromText(text);
    const int active = activeChannelCount();
    for (int i = 0; i < active; ++i) {
        ch_bps_edit[i]->setText(text);
        ch_manual_kbps[i] = kbps;
    }
    all_manual_kbps = kbps;
    recalculate();
}
