#pragma once

#include "numberwidgets.h"
#include "plan.h"
#include "recentplans.h"

#include <QMainWindow>
#include <QPointer>

#include <cstdint>
#include <memory>

class DisksDialog;
class PlanDocument;
class QAction;
class QComboBox;
class QKeyEvent;
class QMenu;
struct ChannelRow;
namespace Ui {
class MainWindow;
}

// The calculator's one window. Every control reaches the program through a
// private slot below, connected by object name at the end of setupUi(); the
// channel model they write lives in model.h. What the window shows is always
// a Plan and its figures; every change to the plan can be undone.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Selects the default settings, writes them to the model and recalculates.
    // The site, the product, its lock, the disks and the typed bitrates stay.
    void resetAll();

    // The plan the window shows.
    Plan currentPlan() const;
    // Sets every control and the model from plan and recalculates once: the
    // window then shows what the same choices made by hand would show.
    void applyPlan(const Plan &plan);

    // Opens a plan file; a file that cannot be read changes nothing and says why.
    bool openFile(const QString &path);
    // Saves the plan to path; on failure the old file stays and it says why.
    bool saveFile(const QString &path);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private slots:
    // Declared in this order on purpose: it is the order of the meta-object.
    void on_cb_mode_1_activated(int index);
    void on_cb_mode_2_activated(int index);
    void on_cb_mode_3_activated(int index);
    void on_cb_mode_4_activated(int index);
    void on_cb_mode_5_activated(int index);
    void on_cb_mode_6_activated(int index);
    void on_cb_mode_7_activated(int index);
    void on_cb_mode_8_activated(int index);
    void on_cb_mode_9_activated(int index);
    void on_cb_mode_10_activated(int index);
    void on_cb_mode_11_activated(int index);
    void on_cb_mode_12_activated(int index);
    void on_cb_mode_13_activated(int index);
    void on_cb_mode_14_activated(int index);
    void on_cb_mode_15_activated(int index);
    void on_cb_mode_16_activated(int index);
    void on_cb_resolution_1_activated(int index);
    void on_cb_resolution_2_activated(int index);
    void on_cb_resolution_3_activated(int index);
    void on_cb_resolution_4_activated(int index);
    void on_cb_resolution_5_activated(int index);
    void on_cb_resolution_6_activated(int index);
    void on_cb_resolution_7_activated(int index);
    void on_cb_resolution_8_activated(int index);
    void on_cb_resolution_9_activated(int index);
    void on_cb_resolution_10_activated(int index);
    void on_cb_resolution_11_activated(int index);
    void on_cb_resolution_12_activated(int index);
    void on_cb_resolution_13_activated(int index);
    void on_cb_resolution_14_activated(int index);
    void on_cb_resolution_15_activated(int index);
    void on_cb_resolution_16_activated(int index);
    void on_cb_frame_1_activated(int index);
    void on_cb_frame_2_activated(int index);
    void on_cb_frame_3_activated(int index);
    void on_cb_frame_4_activated(int index);
    void on_cb_frame_5_activated(int index);
    void on_cb_frame_6_activated(int index);
    void on_cb_frame_7_activated(int index);
    void on_cb_frame_8_activated(int index);
    void on_cb_frame_9_activated(int index);
    void on_cb_frame_10_activated(int index);
    void on_cb_frame_11_activated(int index);
    void on_cb_frame_12_activated(int index);
    void on_cb_frame_13_activated(int index);
    void on_cb_frame_14_activated(int index);
    void on_cb_frame_15_activated(int index);
    void on_cb_frame_16_activated(int index);
    void on_cb_quality_1_activated(int index);
    void on_cb_quality_2_activated(int index);
    void on_cb_quality_3_activated(int index);
    void on_cb_quality_4_activated(int index);
    void on_cb_quality_5_activated(int index);
    void on_cb_quality_6_activated(int index);
    void on_cb_quality_7_activated(int index);
    void on_cb_quality_8_activated(int index);
    void on_cb_quality_9_activated(int index);
    void on_cb_quality_10_activated(int index);
    void on_cb_quality_11_activated(int index);
    void on_cb_quality_12_activated(int index);
    void on_cb_quality_13_activated(int index);
    void on_cb_quality_14_activated(int index);
    void on_cb_quality_15_activated(int index);
    void on_cb_quality_16_activated(int index);
    void on_cb_max_ch_activated(int index);
    void on_cb_ntpal_activated(int index);
    void on_line_input_hdd_editingFinished();
    void on_line_input_days_editingFinished();
    void on_btn_init_clicked();
    void on_cb_max_ch_currentIndexChanged(int index);
    void on_cb_resolution_all_activated(int index);
    void on_cb_frame_all_activated(int index);
    void on_cb_quality_all_activated(int index);
    void on_cb_mode_all_currentIndexChanged(int index);
    void on_cb_product_activated(int index);
    void on_line_edit_bps_all_editingFinished();
    void on_line_edit_bps_1_editingFinished();
    void on_line_edit_bps_2_editingFinished();
    void on_line_edit_bps_3_editingFinished();
    void on_line_edit_bps_4_editingFinished();
    void on_line_edit_bps_5_editingFinished();
    void on_line_edit_bps_6_editingFinished();
    void on_line_edit_bps_7_editingFinished();
    void on_line_edit_bps_8_editingFinished();
    void on_line_edit_bps_9_editingFinished();
    void on_line_edit_bps_10_editingFinished();
    void on_line_edit_bps_11_editingFinished();
    void on_line_edit_bps_12_editingFinished();
    void on_line_edit_bps_13_editingFinished();
    void on_line_edit_bps_14_editingFinished();
    void on_line_edit_bps_15_editingFinished();
    void on_line_edit_bps_16_editingFinished();

private:
    void populateControls();
    void applyVideoStandard(int standard);
    void recalculate();

    // One implementation per channel-row family, by channel index 0 to 15.
    void setChannelMode(int channel, int index);
    void takeChannelBitrate(int channel);
    void setChannelResolution(int channel, int index);
    void setChannelFrame(int channel, int index);
    void setChannelQuality(int channel, int index);

    // Mode boxes, bitrate fields and Manual flags of every channel to one mode.
    void setAllChannelModes(int index);

    // One ALL-row choice: the column's box of every channel to index, the
    // model entry of every channel to value, then recalculate.
    void setColumnOfAllChannels(QComboBox *ChannelRow::*column, int index, std::int8_t *model,
                                std::int8_t value);

    // 4, 8 or 16, as cb_max_ch stands.
    int activeChannelCount() const;

    // The Mode boxes of every row usable or not, as the product decides.
    void setModesLocked(bool locked);

    // What a reset or a product choice selects: the defaults, keeping the
    // site, the product, the recorder's disks and the typed bitrates.
    Plan resetPlan() const;
    // Controls and model from plan, without recalculating.
    void showPlan(const Plan &plan);
    // showPlan and one recalculation, which the history does not record.
    void showAsOneStep(const Plan &plan);

    // The title and its modified marker, for the file of the plan shown.
    void showFileState();

    void createActions();
    void createMenus();
    // The recent plans, as the File menu and the context menu list them.
    void refreshRecentMenu();
    // The window's command that key stands for, if any.
    QAction *commandFor(const QKeyEvent &key) const;
    // A field's typed text counts before any command, as if Return had been pressed.
    void commitTypedText();
    QString dialogFolder() const;
    // A new untitled plan, as the window starts.
    bool newPlan();
    bool open();
    bool save();
    bool saveAs();
    void exportReport();
    void about();
    void showHelp();
    // The plan's figures as plain text on the clipboard.
    void copyFigures();
    void chooseSite();
    // The disks to buy for the plan, beside the window, following it.
    void showDisks();
    // Opens a plan of the recent list; one that is gone is dropped from it.
    void openRecent(const QString &path);
    // Whether the plan in the window may be replaced or closed: asks to save
    // work with changes, untitled or not.
    bool maySetAside();
    void showFailure(const QString &what, const QString &why);

    std::unique_ptr<Ui::MainWindow> ui;
    // The file, its saved states and the undo history; recalculate() reports
    // every plan it shows to it.
    PlanDocument *m_document = nullptr;
    // Above zero while one operation sets many controls: it is one step.
    int m_batch = 0;
    QString m_title;
    WholeFigures m_figures;
    QAction *m_newAction = nullptr;
    QAction *m_openAction = nullptr;
    QAction *m_saveAction = nullptr;
    QAction *m_saveAsAction = nullptr;
    QAction *m_exportReportAction = nullptr;
    QAction *m_undoAction = nullptr;
    QAction *m_redoAction = nullptr;
    QAction *m_aboutAction = nullptr;
    QAction *m_copyAction = nullptr;
    QAction *m_quitAction = nullptr;
    QAction *m_helpAction = nullptr;
    QAction *m_siteAction = nullptr;
    QAction *m_disksAction = nullptr;
    QMenu *m_recentMenu = nullptr;
    QPointer<QWidget> m_help;
    QPointer<DisksDialog> m_disks;
    // The site and the disks of the plan shown: no control of the form shows them.
    QString m_site;
    DiskSettings m_diskSettings;
    RecentPlans m_recent;
};
