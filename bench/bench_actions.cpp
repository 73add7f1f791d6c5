// What each kind of user action costs on a fully built window, from the key
// press or click to the last label rewritten. Every iteration is one real
// change: choices alternate between two items.
//
//   bench_actions -median 9          wall time per action (the table in docs/benchmarks.md)
//   bench_actions -callgrind         instruction counts, under valgrind
//
// The program's trace goes to the toolkit's default output (stderr), as in
// the real program; run with stderr sent to /dev/null to time it like an
// installed program started from the desktop.

#include "disks.h"
#include "mainwindow.h"
#include "planfile.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A combo box choice by key, alternating between two items.
struct Toggle
{
    const char *box;
    Qt::Key forth;
    Qt::Key back;
};

} // namespace

class ActionsBenchmark : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void choice_data();
    void choice();
    void choiceWithDisks_data();
    void choiceWithDisks();
    void diskSets_data();
    void diskSets();
    void typedBitrate_data();
    void typedBitrate();
    void reset();
    void openPlan();
    void undoRedo();
    void recalculation_data();
    void recalculation();
    void startUp();

private:
    template<typename T> T *find(const char *name) const
    {
        return m_window->findChild<T *>(QLatin1String(name));
    }

    MainWindow *m_window = nullptr;
};

void ActionsBenchmark::init()
{
    // The real program's message output instead of the test log.
    qInstallMessageHandler(nullptr);
    // Recent plans to settings of its own, not the user's.
    QStandardPaths::setTestModeEnabled(true);
    m_window = new MainWindow;
    m_window->show();
    m_window->resetAll();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void ActionsBenchmark::cleanup()
{
    delete m_window;
    m_window = nullptr;
}

void ActionsBenchmark::choice_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("forth");
    QTest::addColumn<int>("back");
    const Toggle toggles[] = {
        {"cb_resolution_5", Qt::Key_Down, Qt::Key_Up},   {"cb_frame_5", Qt::Key_Up, Qt::Key_Down},
        {"cb_quality_5", Qt::Key_Down, Qt::Key_Up},      {"cb_mode_5", Qt::Key_Down, Qt::Key_Up},
        {"cb_resolution_all", Qt::Key_Down, Qt::Key_Up}, {"cb_frame_all", Qt::Key_Up, Qt::Key_Down},
        {"cb_quality_all", Qt::Key_Down, Qt::Key_Up},    {"cb_mode_all", Qt::Key_Down, Qt::Key_Up},
        {"cb_max_ch", Qt::Key_Home, Qt::Key_End}, // 16 and 4
        {"cb_max_ch", Qt::Key_Up, Qt::Key_Down}, // 16 and 8
        {"cb_ntpal", Qt::Key_Up, Qt::Key_Down}, // NTSC and PAL
        {"cb_product", Qt::Key_Down, Qt::Key_Up}, // NVR and Hybrid-DVR
    };
    const char *const names[] = {"channel resolution",
                                 "channel frame",
                                 "channel quality",
                                 "channel mode",
                                 "ALL resolution",
                                 "ALL frame",
                                 "ALL quality",
                                 "ALL mode",
                                 "channel count 16 and 4",
                                 "channel count 16 and 8",
                                 "video standard NTSC and PAL",
                                 "product NVR and Hybrid-DVR"};
    for (int i = 0; i < int(std::size(toggles)); ++i)
        QTest::newRow(names[i]) << QString(toggles[i].box) << int(toggles[i].forth)
                                << int(toggles[i].back);
}

void ActionsBenchmark::choice()
{
    QFETCH(QString, box);
    QFETCH(int, forth);
    QFETCH(int, back);
    QComboBox *combo = m_window->findChild<QComboBox *>(box);
    QVERIFY(combo);
    combo->setFocus(Qt::TabFocusReason);
    const int start = combo->currentIndex();
    bool away = false;
    QBENCHMARK
    {
        QTest::keyClick(combo, Qt::Key(away ? back : forth));
        away = !away;
    }
    // Every press moved the box: it stands where it started after an even count.
    QCOMPARE(combo->currentIndex() == start, !away);
}

void ActionsBenchmark::choiceWithDisks_data()
{
    QTest::addColumn<QString>("box");
    QTest::newRow("channel resolution, Disks open") << "cb_resolution_5";
    QTest::newRow("ALL resolution, Disks open") << "cb_resolution_all";
}

// The same choices while the Disks dialog follows the plan, for 30 days:
// every change works the sets out again and may rewrite the table.
void ActionsBenchmark::choiceWithDisks()
{
    QFETCH(QString, box);
    QLineEdit *days = find<QLineEdit>("line_input_days");
    days->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(days, "30");
    QTest::keyClick(days, Qt::Key_Return);
    for (QAction *action : m_window->actions())
        if (action->text() == QStringLiteral("&Disks…"))
            action->trigger();
    auto *disks = m_window->findChild<QWidget *>(QStringLiteral("disks"));
    QVERIFY(disks && disks->isVisible());
    QComboBox *combo = m_window->findChild<QComboBox *>(box);
    combo->setFocus(Qt::TabFocusReason);
    bool away = false;
    QBENCHMARK
    {
        QTest::keyClick(combo, away ? Qt::Key_Up : Qt::Key_Down);
        away = !away;
    }
}

void ActionsBenchmark::diskSets_data()
{
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("bays");
    QTest::addColumn<QString>("days");
    QTest::newRow("disk sets, one volume in 4 bays") << 0 << 4 << "30";
    // Every size tried up to 64 drives: nothing holds 10,000 days.
    QTest::newRow("disk sets, RAID 10 in 64 bays, none fits") << 4 << 64 << "10000";
}

// The pure core alone: the sets for the window's start plan.
void ActionsBenchmark::diskSets()
{
    QFETCH(int, layout);
    QFETCH(int, bays);
    QFETCH(QString, days);
    Plan plan;
    plan.requiredDays = days;
    plan.disks = {layout, bays};
    const PlanFigures figures = planFigures(plan);
    qsizetype found = 0;
    QBENCHMARK
    {
        found += ::diskSets(plan, figures).size();
    }
    QVERIFY(layout == 0 ? found > 0 : found == 0);
}

void ActionsBenchmark::typedBitrate_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("mode");
    QTest::newRow("channel bitrate and Return") << "line_edit_bps_5"
                                                << "cb_mode_5";
    QTest::newRow("ALL bitrate and Return") << "line_edit_bps_all"
                                            << "cb_mode_all";
}

void ActionsBenchmark::typedBitrate()
{
    QFETCH(QString, field);
    QFETCH(QString, mode);
    // Manual mode, as the user picks it.
    QComboBox *modeBox = m_window->findChild<QComboBox *>(mode);
    modeBox->setFocus(Qt::TabFocusReason);
    QTest::keyClick(modeBox, Qt::Key_Down);
    QLineEdit *edit = m_window->findChild<QLineEdit *>(field);
    QVERIFY(edit->isEnabled());
    edit->setFocus(Qt::TabFocusReason);
    bool other = false;
    QBENCHMARK
    {
        edit->setText(other ? QStringLiteral("2500") : QStringLiteral("3500"));
        QTest::keyClick(edit, Qt::Key_Return);
        other = !other;
    }
}

void ActionsBenchmark::reset()
{
    QPushButton *button = find<QPushButton>("btn_init");
    QBENCHMARK
    {
        QTest::mouseClick(button, Qt::LeftButton);
    }
}

// Two different plans opened in turn: read, checked, applied and recalculated.
void ActionsBenchmark::openPlan()
{
    QTemporaryDir dir;
    Plan pal;
    pal.videoStandard = 0;
    pal.channelCount = 8;
    pal.channels[2].manual = true;
    pal.channels[2].manualKbps = 2500;
    pal.requiredDays = QStringLiteral("30");
    const QString paths[] = {dir.filePath("a.nvrplan"), dir.filePath("b.nvrplan")};
    QString error;
    QVERIFY(writePlanFile(paths[0], Plan(), &error));
    QVERIFY(writePlanFile(paths[1], pal, &error));
    int next = 0;
    QBENCHMARK
    {
        QVERIFY(m_window->openFile(paths[next]));
        next = 1 - next;
    }
}

// One undo or one redo per iteration, by its key, of a change of several columns.
void ActionsBenchmark::undoRedo()
{
    QComboBox *quality = find<QComboBox>("cb_quality_all");
    quality->setFocus(Qt::TabFocusReason);
    QTest::keyClick(quality, Qt::Key_Down);
    QTest::keyClick(find<QComboBox>("cb_ntpal"), Qt::Key_Up);
    bool undone = false;
    QBENCHMARK
    {
        QTest::keyClick(quality, Qt::Key_Z,
                        undone ? Qt::ControlModifier | Qt::ShiftModifier : Qt::ControlModifier);
        undone = !undone;
    }
}

void ActionsBenchmark::recalculation_data()
{
    QTest::addColumn<bool>("trace");
    QTest::newRow("recalculate") << true;
    QTest::newRow("recalculate without the trace") << false;
}

// The channel count's activation handler is recalculate() and nothing else.
void ActionsBenchmark::recalculation()
{
    QFETCH(bool, trace);
    if (!trace)
        QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    QComboBox *count = find<QComboBox>("cb_max_ch");
    QBENCHMARK
    {
        QMetaObject::invokeMethod(count, "activated", Q_ARG(int, 2));
    }
    QLoggingCategory::setFilterRules(QString());
}

// Build, fill, show and the first reset; each iteration also tears the window
// down again.
void ActionsBenchmark::startUp()
{
    QBENCHMARK
    {
        MainWindow window;
        window.show();
        window.resetAll();
    }
}

QTEST_MAIN(ActionsBenchmark)
#include "bench_actions.moc"
