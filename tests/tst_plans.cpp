// Plans in the window: opening a file shows what the same choices made by
// hand show, a bad file or a failed save changes nothing and says why, every
// change can be undone, and an opened plan with changes is not lost unasked.

#include "planfile.h"
#include "testsupport.h"

#include <QtTest>
#include <QtWidgets>

#include <csignal>
#include <sys/resource.h>

namespace {

QStringList shown(const QWidget &window)
{
    return shownWith(shownValues(window));
}

// The title as the window system shows it, the modified marker resolved,
// without the program's name after the plan's.
QString title(const QWidget &window)
{
    return window.windowHandle()->title().remove(" - NVR Recording calculator");
}

QString failureShown(const QWidget &window)
{
    auto *box = window.findChild<QMessageBox *>();
    return box && box->isVisible() ? box->informativeText() : QString();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

// Writing more than a few bytes fails, as on a full disk.
struct FullDisk
{
    rlimit before {};
    FullDisk()
    {
        getrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = before;
        small.rlim_cur = 16;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FullDisk() { setrlimit(RLIMIT_FSIZE, &before); }
};

} // namespace

class PlansTest : public QObject
{
    Q_OBJECT

private slots:
    void openedShowsWhatHandsMade_data();
    void openedShowsWhatHandsMade();
    void badFileChangesNothing_data();
    void badFileChangesNothing();
    void failedSaveKeepsOldFile();
    void undoAndRedoEveryStep();
    void changedPlanIsNotLostUnasked_data();
    void changedPlanIsNotLostUnasked();
    void contextMenuCommands();
    void commandLineShowsWhatWindowShows();

private:
    QTemporaryDir m_dir;
};

void PlansTest::openedShowsWhatHandsMade_data()
{
    // clang-format off
    QTest::addColumn<QString>("actions");
    QTest::newRow("PAL, 8 channels, frame items") << "cb_ntpal=0; cb_max_ch=1; cb_frame_3=7; cb_quality_2=4; line_input_days<30; line_input_hdd<4000";
    QTest::newRow("Manual channels and ALL row") << "cb_resolution_4=1; cb_mode_3=1; line_edit_bps_3<2500; cb_mode_all=1; line_edit_bps_9<777; line_input_days<12.5GB";
    QTest::newRow("hidden channels keep settings") << "cb_resolution_12=2; cb_quality_12=4; cb_frame_all=4; cb_max_ch=0; line_input_hdd<-100";
    QTest::newRow("Hybrid-DVR") << "cb_product=1; cb_resolution_all=2; cb_quality_7=1; cb_frame_1=0; line_input_hdd<2000";
    // clang-format on
}

// Saved, then opened in a fresh window: the same controls, items, figures,
// hidden rows, usable fields and product lock as made by hand; and read back,
// the window gives the plan the file holds.
void PlansTest::openedShowsWhatHandsMade()
{
    QFETCH(QString, actions);
    const QString path = m_dir.filePath(QStringLiteral("site.nvrplan"));
    QStringList byHand;
    {
        Calculator calculator;
        act(calculator, actions);
        byHand = shown(calculator.window);
        QVERIFY(calculator.window.saveFile(path));
    }
    Calculator calculator;
    QVERIFY(calculator.window.openFile(path));
    QCOMPARE(shown(calculator.window), byHand);
    QString error;
    QVERIFY(calculator.window.currentPlan() == readPlanFile(path, &error));
}

void PlansTest::badFileChangesNothing_data()
{
    // clang-format off
    QTest::addColumn<QString>("file"); // in tests/plans/bad
    QTest::addColumn<QString>("message"); // after "PATH: "
    QTest::newRow("not JSON") << "not-json" << "not JSON: unterminated object at line 1, column 12";
    QTest::newRow("empty") << "empty" << "the file is empty: not a plan";
    QTest::newRow("not an object") << "array" << "not a plan: the file holds a JSON array, not an object";
    QTest::newRow("format missing") << "format-missing" << "format: missing";
    QTest::newRow("another format") << "format-other" << "format: \"nvr-plot\" is not \"nvr-plan\": not a plan file";
    QTest::newRow("newer version") << "version-2" << "version: 2 is newer than this program reads (1)";
    QTest::newRow("missing key") << "missing-key" << "installedHddGb: missing";
    QTest::newRow("wrong type") << "count-as-text" << "channelCount: \"16\" is not a number";
    QTest::newRow("count") << "count-12" << "channelCount: 12 is not 4, 8 or 16";
    QTest::newRow("unknown resolution") << "resolution-4k" << "channels[3].resolution: \"4K\" is not one of \"Full-HD\", \"HD\", \"D1\"";
    QTest::newRow("PAL frame under NTSC") << "pal-frame-under-ntsc" << "channels[0].frame: \"25\" is not a frame rate under NTSC: 0, 1, 2, 4, 5, 8, 10, 15, 30";
    QTest::newRow("seventeen channels") << "seventeen-channels" << "channels: 17 channels, a plan has 16";
    QTest::newRow("bitrate beyond 32 bits") << "bitrate-beyond-32-bits" << "channels[1].bitrateKbps: 2147483648 is outside -2147483648 to 2147483647";
    QTest::newRow("Manual on a Hybrid-DVR") << "manual-on-hybrid" << "channels[5].mode: \"Manual\" is not possible with the product \"Hybrid-DVR\", which records in Auto mode only";
    QTest::newRow("over 1 MiB") << "/dev/zero" << "larger than 1 MiB: not a plan";
    // clang-format on
}

void PlansTest::badFileChangesNothing()
{
    QFETCH(QString, file);
    QFETCH(QString, message);
    const QString path
        = QDir(NVR_TEST_PLANS "/bad").filePath(file + (file.startsWith('/') ? "" : ".nvrplan"));
    Calculator calculator;
    act(calculator, "cb_quality_5=2");
    const QStringList before = shown(calculator.window);
    QVERIFY(!calculator.window.openFile(path));
    QCOMPARE(failureShown(calculator.window), path + ": " + message);
    QCOMPARE(shown(calculator.window), before);
    QCOMPARE(title(calculator.window), QStringLiteral("NVR Recording calculator"));
}

// On a full disk the old file stays, no other file is left behind, and the
// window says why and keeps its changes.
void PlansTest::failedSaveKeepsOldFile()
{
    const QString path = m_dir.filePath(QStringLiteral("site.nvrplan"));
    QString error;
    QVERIFY(writePlanFile(path, Plan(), &error));
    const QStringList files = QDir(m_dir.path()).entryList(QDir::Files);
    Calculator calculator;
    QVERIFY(calculator.window.openFile(path));
    act(calculator, "cb_resolution_2=1");
    {
        const FullDisk full;
        act(calculator, "^Ctrl+S");
    }
    QCOMPARE(readFile(path), planToJson(Plan()));
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), files);
    QVERIFY2(failureShown(calculator.window).startsWith(path + ": "),
             qPrintable(failureShown(calculator.window)));
    QCOMPARE(title(calculator.window), QStringLiteral("site.nvrplan*"));
}

// Each change, Reset and a product choice included, undone in turn restores
// what the window showed before it; Ctrl+Y and Ctrl+Shift+Z redo each.
void PlansTest::undoAndRedoEveryStep()
{
    Calculator calculator;
    const QStringList steps = {"cb_quality_2=4",       "line_input_days<30", "cb_mode_3=1",
                               "line_edit_bps_3<2500", "cb_ntpal=0",         "btn_init!",
                               "cb_product=1",         "cb_max_ch=0",        "cb_product=0"};
    QList<QStringList> states = {shown(calculator.window)};
    for (const QString &step : steps) {
        act(calculator, step);
        states << shown(calculator.window);
        QVERIFY2(states.last() != states.at(states.size() - 2), qPrintable(step));
    }
    for (int i = states.size() - 2; i >= -1; --i) {
        act(calculator, "^Ctrl+Z");
        QCOMPARE(shown(calculator.window), states.at(qMax(i, 0))); // nothing before the start
    }
    for (int i = 1; i < states.size(); ++i) {
        act(calculator, i % 2 ? "^Ctrl+Y" : "^Ctrl+Shift+Z");
        QCOMPARE(shown(calculator.window), states.at(i));
    }
    // A new change after undoing drops what could have been redone.
    act(calculator, "^Ctrl+Z");
    act(calculator, "cb_quality_1=3");
    const QStringList changed = shown(calculator.window);
    act(calculator, "^Ctrl+Y");
    QCOMPARE(shown(calculator.window), changed);
}

void PlansTest::changedPlanIsNotLostUnasked_data()
{
    // clang-format off
    QTest::addColumn<bool>("byDrop"); // else by closing the window
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("setAside");
    QTest::addColumn<int>("kept"); // channel 6's resolution in the file
    for (bool drop : {false, true}) {
        const char *how = drop ? "another file dropped" : "window closed";
        QTest::addRow("%s, Save", how) << drop << int(QMessageBox::Save) << true << 2;
        QTest::addRow("%s, Discard", how) << drop << int(QMessageBox::Discard) << true << 0;
        QTest::addRow("%s, Cancel", how) << drop << int(QMessageBox::Cancel) << false << 0;
    }
    // clang-format on
}

void PlansTest::changedPlanIsNotLostUnasked()
{
    QFETCH(bool, byDrop);
    QFETCH(int, answer);
    QFETCH(bool, setAside);
    QFETCH(int, kept);
    const QString path = m_dir.filePath(QStringLiteral("shop.nvrplan"));
    const QString other = m_dir.filePath(QStringLiteral("other.nvrplan"));
    Plan eight;
    eight.channelCount = 8;
    QString error;
    QVERIFY(writePlanFile(path, Plan(), &error) && writePlanFile(other, eight, &error));

    Calculator calculator;
    // Untitled work is closed without a question, as ever.
    act(calculator, "cb_resolution_6=1");
    QVERIFY(calculator.window.close());
    calculator.window.show();
    QCOMPARE(title(calculator.window), QStringLiteral("NVR Recording calculator"));
    QVERIFY(calculator.window.openFile(path));
    QCOMPARE(calculator.window.windowHandle()->title(), "shop.nvrplan - NVR Recording calculator");
    act(calculator, "cb_quality_3=0; cb_resolution_6=0"); // the items shown: no change
    QCOMPARE(title(calculator.window), QStringLiteral("shop.nvrplan"));
    act(calculator, "cb_resolution_6=2");
    QCOMPARE(title(calculator.window), QStringLiteral("shop.nvrplan*"));
    // Undone back to what was opened, the plan has no changes; before the
    // opening lies the untitled work.
    act(calculator, "^Ctrl+Z");
    QCOMPARE(title(calculator.window), QStringLiteral("shop.nvrplan"));
    act(calculator, "^Ctrl+Z");
    QCOMPARE(calculator.box("cb_resolution_6").currentText(), QStringLiteral("HD"));
    act(calculator, "^Ctrl+Y");
    act(calculator, "cb_resolution_6=2");
    QString asked;
    whenDialogOpens([&](QWidget *dialog) {
        auto *box = qobject_cast<QMessageBox *>(dialog);
        asked = box ? box->text() : QStringLiteral("not a question");
        if (box)
            box->button(QMessageBox::StandardButton(answer))->click();
    });
    if (byDrop) {
        // As a file manager drops it; the window takes one local file only.
        QMimeData data;
        for (const auto &urls :
             {QList<QUrl> {QUrl::fromLocalFile(other), QUrl::fromLocalFile(path)},
              QList<QUrl> {QUrl::fromLocalFile(other)}}) {
            data.setUrls(urls);
            QDragEnterEvent enter(QPoint(9, 9), Qt::CopyAction, &data, Qt::LeftButton,
                                  Qt::NoModifier);
            QApplication::sendEvent(&calculator.window, &enter);
            QCOMPARE(enter.isAccepted(), urls.size() == 1);
        }
        QDropEvent drop(QPoint(9, 9), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&calculator.window, &drop);
        QTRY_VERIFY(!asked.isEmpty());
        QCOMPARE(calculator.box("cb_max_ch").currentText(), QString(setAside ? "8 CH" : "16 CH"));
    } else {
        QCOMPARE(calculator.window.close(), setAside);
    }
    QCOMPARE(asked, QStringLiteral("The plan “shop.nvrplan” has changes that are not saved."));
    QCOMPARE(readPlanFile(path, &error)->channels[5].resolution, kept);
}

// Export report… (Ctrl+E) writes the table shown as CSV; a right click on the
// window's background, or the Menu key, offers the commands, and Undo undoes.
void PlansTest::contextMenuCommands()
{
    Calculator calculator;
    act(calculator, "cb_quality_2=4; cb_max_ch=0; cb_mode_1=1; line_edit_bps_1<1,234");
    const QString path = m_dir.filePath(QStringLiteral("report.csv"));
    QStringList dialog;
    whenDialogOpens([&dialog, path](QWidget *opened) {
        auto *files = qobject_cast<QFileDialog *>(opened);
        dialog = files->selectedFiles() + files->nameFilters();
        files->selectFile(path);
        QMetaObject::invokeMethod(files, "accept");
    });
    act(calculator, "^Ctrl+E");
    QCOMPARE(dialog.mid(1), QStringList({"PDF report (*.pdf)", "Channel table as CSV (*.csv)"}));
    QVERIFY2(dialog.first().endsWith("/Untitled.pdf"), qPrintable(dialog.first()));
    // Channel 1 at the 1 Kbps typed (atoi stops at the comma): 0.0108 GB.
    QCOMPARE(readFile(path).split('\n').mid(0, 3),
             QList<QByteArray>({"channel,mode,resolution,frame,quality,bitrateKbps,dayGb",
                                "1,Manual,Full-HD,30,Super,1,0.0108",
                                "2,Auto,Full-HD,30,Low,2490,26.892"}));
    for (const bool byKey : {false, true}) {
        QStringList offered;
        QTimer::singleShot(50, [&offered, byKey] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            for (QAction *action : menu ? menu->actions() : QList<QAction *>()) {
                offered << action->text().remove('&') + (action->isEnabled() ? "" : " (off)");
                if (byKey && offered.last() == QLatin1String("Undo"))
                    QTimer::singleShot(0, action, &QAction::trigger);
            }
            if (menu)
                menu->close();
        });
        QWidget *at = calculator.window.findChild<QWidget *>(byKey ? "cb_quality_3" : "label_13");
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5),
                                at->mapToGlobal(QPoint(5, 5)));
        byKey ? QTest::keyClick(at, Qt::Key_Menu) : void(QApplication::sendEvent(at, &click));
        QCOMPARE(offered.join(", "),
                 "Open…, Save, Save As…, Export report…, , Undo, Redo (off), , About");
    }
    QTRY_COMPARE(calculator.field("line_edit_bps_1").text(), QStringLiteral("6000"));
}

// nvr-plan gives every plan of the shared set the window's figures: JSON
// numbers of the texts shown, null for "--", the items as the lists show them.
void PlansTest::commandLineShowsWhatWindowShows()
{
    const QFileInfoList files = QDir(NVR_TEST_PLANS).entryInfoList({"*.nvrplan"});
    QVERIFY(files.size() >= 8);
    for (const QFileInfo &file : files) {
        Calculator calculator;
        QVERIFY(calculator.window.openFile(file.filePath()));
        QProcess planner;
        planner.start(NVR_PLAN, {"show", "--format", "json", file.filePath()});
        QVERIFY(planner.waitForFinished());
        const QJsonObject json = QJsonDocument::fromJson(planner.readAllStandardOutput()).object();
        const QMap<QString, QString> shown = shownValues(calculator.window);
        const auto number = [&shown](const QString &name) {
            const QString text = shown.value(name).section(' ', 0, 0);
            return text == QLatin1String("--") ? QJsonValue() : QJsonValue(text.toDouble());
        };
        QStringList expected, printed;
        const QJsonArray channels = json["channels"].toArray();
        for (int n = 1; n <= channels.size(); ++n) {
            const QJsonObject row = channels[n - 1].toObject();
            for (const char *key : {"mode", "resolution", "frame", "quality"})
                printed << row[key].toString();
            printed << QString::number(row["bitrateKbps"].toDouble())
                    << QString::number(row["dayGb"].toDouble());
            for (const char *family : {"cb_mode", "cb_resolution", "cb_frame", "cb_quality"})
                expected << shown.value(Calculator::cell(family, n))
                                .section(QRegularExpression(" of | \\("), 0, 0);
            expected << QString::number(number(Calculator::cell("line_edit_bps", n)).toDouble())
                     << QString::number(number(Calculator::cell("lb_day_cap", n)).toDouble());
        }
        QCOMPARE(printed, expected);
        QCOMPARE(channels.size(), shown.value("cb_max_ch").section(' ', 0, 0).toInt());
        for (const auto &[key, label] : {std::pair {"totalDayGb", "lb_total"},
                                         {"requiredHddGb", "lb_cal_hdd"},
                                         {"recordingDays", "lb_cal_days"},
                                         {"recordingHours", "lb_cal_time"}})
            QVERIFY2(json[key] == number(label), qPrintable(file.fileName() + ": " + key));
    }
}

QTEST_MAIN(PlansTest)
#include "tst_plans.moc"
