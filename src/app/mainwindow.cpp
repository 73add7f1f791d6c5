#include "mainwindow.h"

#include "channelrow.h"
#include "model.h"
#include "ui_mainwindow.h"

#include <QSignalBlocker>

#include <algorithm>

namespace {

// The items of a frame box under one video standard.
QStringList frameTexts(int standard)
{
    QStringList texts;
    for (const auto fps : frame_rate_choices[standard])
        texts << QString::number(fps);
    return texts;
}

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent, Qt::WindowFlags())
    , ui(new Ui::MainWindow)
{
    // setupUi connects the slots by name, so filling below already runs the
    // index-change handlers of cb_mode_all and cb_max_ch: the bitrate fields
    // come out disabled and rows 5 to 16 hidden.
    ui->setupUi(this);
    video_standard = 1;
    populateControls();
    for (int i = 0; i < channel_max; ++i)
        ch_bps_edit[i] = channelRow(*ui, i).bitrate;
}

MainWindow::~MainWindow()
{
    // The fields die with this window; leave no dangling entries behind.
    std::fill(std::begin(ch_bps_edit), std::end(ch_bps_edit), nullptr);
}

int MainWindow::activeChannelCount() const
{
    return channel_counts[ui->cb_max_ch->currentIndex()];
}

void MainWindow::populateControls()
{
    // Column by column: the sixteen channel boxes first, then the ALL row's.
    const auto fillColumn = [this](QComboBox *ChannelRow::*column, const QStringList &items) {
        for (int i = 0; i < channel_max; ++i)
            (channelRow(*ui, i).*column)->addItems(items);
        (allRow(*ui).*column)->addItems(items);
    };
    const auto texts
        = [](const auto &names) { return QStringList(std::begin(names), std::end(names)); };

    ui->cb_product->addItems({QStringLiteral("NVR"), QStringLiteral("Hybrid-DVR")});

    fillColumn(&ChannelRow::mode, texts(mode_names));
    ui->cb_ntpal->addItems(texts(video_standard_names));

    fillColumn(&ChannelRow::resolution, texts(resolution_names));
    for (const auto count : channel_counts)
        ui->cb_max_ch->addItem(QString::number(count) + QStringLiteral(" CH"));

    fillColumn(&ChannelRow::frame, frameTexts(video_standard));

    fillColumn(&ChannelRow::quality, texts(quality_names));
}

void MainWindow::applyVideoStandard(int standard)
{
    const QStringList frames = frameTexts(standard);
    QComboBox *boxes[channel_max + 1] = {ui->cb_frame_all};
    for (int i = 0; i < channel_max; ++i)
        boxes[i + 1] = channelRow(*ui, i).frame;
    for (QComboBox *box : boxes) {
        // Every frame box holds nine items: rewriting their texts gives the
        // same list as emptying and refilling it, at a fraction of the cost
        // (this runs on every reset).
        if (box->count() == frames.size()) {
            for (int i = 0; i < frames.size(); ++i)
                box->setItemText(i, frames.at(i));
        } else {
            box->clear();
            box->addItems(frames);
        }
        box->setCurrentIndex(8);
    }
    std::fill(std::begin(ch_fps), std::end(ch_fps), frame_index_fps[8]);
}

void MainWindow::setAllChannelModes(int index)
{
    const bool manual = index != 0;
    for (int i = 0; i < channel_max; ++i) {
        const ChannelRow row = channelRow(*ui, i);
        row.mode->setCurrentIndex(index);
        row.bitrate->setEnabled(manual);
        ch_manual[i] = manual;
    }
    ui->line_edit_bps_all->setEnabled(manual);
}

void MainWindow::resetAll()
{
    ui->cb_ntpal->setCurrentIndex(1);
    applyVideoStandard(1);

    // Runs the row visibility handler when the count changes.
    ui->cb_max_ch->setCurrentIndex(2);

    // Quietly: the handler would recalculate halfway through the reset. A channel
    // switched to Manual on its own must come back to Auto as well.
    {
        const QSignalBlocker quiet(ui->cb_mode_all);
        ui->cb_mode_all->setCurrentIndex(0);
    }
    setAllChannelModes(0);

    const auto selectDefaults = [](const ChannelRow &row) {
        row.resolution->setCurrentIndex(0);
        row.frame->setCurrentIndex(8);
        row.quality->setCurrentIndex(0);
    };
    selectDefaults(allRow(*ui));
    for (int i = 0; i < channel_max; ++i)
        selectDefaults(channelRow(*ui, i));

    ui->line_input_days->clear();
    ui->line_input_hdd->clear();

    video_standard = 1;
    std::fill(std::begin(ch_resolution), std::end(ch_resolution), 0);
    std::fill(std::begin(ch_fps), std::end(ch_fps), frame_index_fps[8]);
    std::fill(std::begin(ch_quality), std::end(ch_quality), 0);
    std::fill(std::begin(ch_manual), std::end(ch_manual), 0);

    recalculate();
}
