#include "channelrow.h"

#include "model.h"
#include "ui_mainwindow.h"

namespace {

struct RowMembers
{
    QLabel *Ui_MainWindow::*caption;
    QComboBox *Ui_MainWindow::*mode;
    QComboBox *Ui_MainWindow::*resolution;
    QComboBox *Ui_MainWindow::*frame;
    QComboBox *Ui_MainWindow::*quality;
    QLineEdit *Ui_MainWindow::*bitrate;
    QLabel *Ui_MainWindow::*capacity;

    ChannelRow of(const Ui::MainWindow &ui) const
    {
        return {ui.*caption, ui.*mode,    ui.*resolution, ui.*frame,
                ui.*quality, ui.*bitrate, ui.*capacity};
    }
};

#define ROW_MEMBERS(suffix)                                                                        \
    RowMembers                                                                                     \
    {                                                                                              \
        &Ui_MainWindow::label_ch_##suffix, &Ui_MainWindow::cb_mode_##suffix,                       \
            &Ui_MainWindow::cb_resolution_##suffix, &Ui_MainWindow::cb_frame_##suffix,             \
            &Ui_MainWindow::cb_quality_##suffix, &Ui_MainWindow::line_edit_bps_##suffix,           \
            &Ui_MainWindow::lb_day_cap_##suffix                                                    \
    }

constexpr RowMembers channelRows[channel_max] = {
    ROW_MEMBERS(1),  ROW_MEMBERS(2),  ROW_MEMBERS(3),  ROW_MEMBERS(4),
    ROW_MEMBERS(5),  ROW_MEMBERS(6),  ROW_MEMBERS(7),  ROW_MEMBERS(8),
    ROW_MEMBERS(9),  ROW_MEMBERS(10), ROW_MEMBERS(11), ROW_MEMBERS(12),
    ROW_MEMBERS(13), ROW_MEMBERS(14), ROW_MEMBERS(15), ROW_MEMBERS(16),
};
constexpr RowMembers allRowMembers = ROW_MEMBERS(all);

#undef ROW_MEMBERS

} // namespace

void ChannelRow::setVisible(bool visible) const
{
    for (QWidget *cell : std::initializer_list<QWidget *> {caption, mode, resolution, frame,
                                                           quality, bitrate, capacity})
        cell->setVisible(visible);
}

ChannelRow channelRow(const Ui::MainWindow &ui, int channel)
{
    return channelRows[channel].of(ui);
}

ChannelRow allRow(const Ui::MainWindow &ui)
{
    return allRowMembers.of(ui);
}
