#include "mainwindow.h"

#include "channelrow.h"
#include "disksdialog.h"
#include "model.h"
#include "plandocument.h"
#include "ui_mainwindow.h"

#include <QSignalBlocker>

#include <algorithm>

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
    auto *bitrate = new NumberValidator(NumberValidator::Bitrate, this);
    for (int i = -1; i < channel_max; ++i) {
        QLineEdit &field = *(i < 0 ? allRow(*ui) : channelRow(*ui, i)).bitrate;
        field.setValidator(bitrate);
        m_figures.keepWhole(field);
    }
    auto *estimate = new NumberValidator(NumberValidator::Estimate, this);
    for (QLineEdit *field : {ui->line_input_days, ui->line_input_hdd}) {
        field->setValidator(estimate);
        m_figures.keepWhole(*field);
    }
    m_title = windowTitle();
    // The help text is linked in with this library: a static one must ask.
    Q_INIT_RESOURCE(help);
    setAcceptDrops(true);
    m_document = new PlanDocument(
        [this](const Plan &plan) {
            showAsOneStep(plan);
            return currentPlan();
        },
        this);
    connect(m_document, &PlanDocument::stateChanged, this, &MainWindow::showFileState);
    createActions();
    createMenus();
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

Plan MainWindow::resetPlan() const
{
    Plan plan;
    plan.site = m_site;
    plan.product = ui->cb_product->currentIndex();
    plan.disks = m_diskSettings;
    plan.all.manualKbps = all_manual_kbps;
    for (int i = 0; i < channel_max; ++i)
        plan.channels[i].manualKbps = ch_manual_kbps[i];
    return plan;
}

void MainWindow::resetAll()
{
    applyPlan(resetPlan());
}

void MainWindow::applyPlan(const Plan &plan)
{
    showAsOneStep(plan);
    if (m_batch == 0)
        m_document->record(currentPlan());
}

void MainWindow::showAsOneStep(const Plan &plan)
{
    ++m_batch;
    showPlan(plan);
    recalculate();
    --m_batch;
}

void MainWindow::showPlan(const Plan &plan)
{
    m_site = plan.site;
    m_diskSettings = plan.disks;
    ui->cb_product->setCurrentIndex(plan.product);
    setModesLocked(plan.product != 0);

    ui->cb_ntpal->setCurrentIndex(plan.videoStandard);
    video_standard = std::uint8_t(plan.videoStandard);
    applyVideoStandard(plan.videoStandard);

    // Runs the row visibility handler when the count changes.
    ui->cb_max_ch->setCurrentIndex(channelCountIndex(plan.channelCount));

    const auto select = [](const ChannelRow &row, const RowSettings &settings) {
        row.mode->setCurrentIndex(settings.manual);
        row.bitrate->setEnabled(settings.manual);
        row.resolution->setCurrentIndex(settings.resolution);
        row.frame->setCurrentIndex(settings.frame);
        row.quality->setCurrentIndex(settings.quality);
    };
    {
        // Every row's mode is set below: the ALL mode handler must not take
        // bitrates from the fields on the way.
        const QSignalBlocker quiet(ui->cb_mode_all);
        select(allRow(*ui), plan.all);
    }
    all_manual_kbps = plan.all.manualKbps;
    for (int i = 0; i < channel_max; ++i) {
        const RowSettings &channel = plan.channels[i];
        select(channelRow(*ui, i), channel);
        ch_manual[i] = channel.manual;
        ch_resolution[i] = std::int8_t(channel.resolution);
        ch_fps[i] = frame_index_fps[channel.frame];
        ch_quality[i] = std::int8_t(channel.quality);
        ch_manual_kbps[i] = channel.manualKbps;
    }

    ui->line_input_days->setText(plan.requiredDays);
    ui->line_input_hdd->setText(plan.installedHddGb);
}
