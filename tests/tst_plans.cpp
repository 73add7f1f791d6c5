// Plans in the window: opening a file shows what the same choices made by
// hand show, a bad file or a failed save changes nothing and says why, every
// change can be undone, and an opened plan with changes is not lost unasked.

#include "planfile.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// Ways a user sets up a site by hand, each covering what a file must carry.
void palEightChannels(Calculator &c)
{
    pickFromPopup(c.box("cb_ntpal"), 0);
    pickFromPopup(c.box("cb_max_ch"), 1);
    pickFromPopup(c.box("cb_frame_3"), 7); // reads 13, records at 20 fps
    pickFromPopup(c.box("cb_quality_2"), 4);
    typeAndReturn(c.field("line_input_days"), "30");
    typeAndReturn(c.field("line_input_hdd"), "4000");
}

void manualChannels(Calculator &c)
{
    pickFromPopup(c.box("cb_resolution_4"), 1);
    pickFromPopup(c.box("cb_mode_3"), 1);
    typeAndReturn(c.field("line_edit_bps_3"), "2500");
    pickFromPopup(c.box("cb_mode_all"), 1);
    typeAndReturn(c.field("line_edit_bps_9"), "777");
    typeAndReturn(c.field("line_input_days"), "12.5GB");
}

void hiddenChannels(Calculator &c)
{
    pickFromPopup(c.box("cb_resolution_12"), 2);
    pickFromPopup(c.box("cb_quality_12"), 4);
    pickFromPopup(c.box("cb_frame_all"), 4);
    pickFromPopup(c.box("cb_max_ch"), 0);
    typeAndReturn(c.field("line_input_hdd"), "-100");
}

void hybridRecorder(Calculator &c)
{
    pickFromPopup(c.box("cb_product"), 1);
    pickFromPopup(c.box("cb_resolution_all"), 2);
    pickFromPopup(c.box("cb_quality_7"), 1);
    pickFromPopup(c.box("cb_frame_1"), 0);
    typeAndReturn(c.field("line_input_hdd"), "2000");
}

using Recipe = void (*)(Calculator &);
const Recipe recipes[] = {palEightChannels, manualChannels, hiddenChannels, hybridRecorder};

// The default plan's file with one change made to its JSON.
QByteArray planFileWith(const std::function<void(QJsonObject &)> &change)
{
    QJsonObject root = QJsonDocument::fromJson(planToJson(Plan())).object();
    change(root);
    return QJsonDocument(root).toJson();
}

// Sets root.channels[channel].key to value.
std::function<void(QJsonObject &)> channelKey(int channel, const QString &key,
                                              const QJsonValue &value)
{
    return [=](QJsonObject &root) {
        QJsonArray channels = root["channels"].toArray();
        QJsonObject row = channels[channel].toObject();
        row[key] = value;
        channels[channel] = row;
        root["channels"] = channels;
    };
}

void writeFile(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(contents), contents.size());
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

// The title as the window system shows it, with the modified marker resolved.
QString shownTitle(const QWidget &window)
{
    return window.windowHandle()->title();
}

QMessageBox *failureShown(const QWidget &window)
{
    auto *box = window.findChild<QMessageBox *>();
    return box && box->isVisible() ? box : nullptr;
}

void press(QWidget &window, const QKeySequence &keys)
{
    // Qt 5's offscreen platform can leave a closed popup the active window,
    // once its queued activation arrives.
    QCoreApplication::processEvents();
    if (QApplication::activeWindow() != &window)
        QApplication::setActiveWindow(&window);
    QTest::keySequence(window.focusWidget() ? window.focusWidget() : &window, keys);
}

// Drops the file on the window as a file manager would.
bool dropFile(QWidget &window, const QString &path)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    const QPoint at(300, 400);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    return drop.isAccepted();
}

// Makes writing more than a few bytes fail, as a full disk does.
class FullDisk
{
public:
    FullDisk()
    {
        getrlimit(RLIMIT_FSIZE, &m_before);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = m_before;
        small.rlim_cur = 16;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FullDisk() { setrlimit(RLIMIT_FSIZE, &m_before); }

private:
    rlimit m_before {};
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
    void failedSaveKeepsOldFile_data();
    void failedSaveKeepsOldFile();
    void undoAndRedoEveryStep();
    void titleShowsFileAndChanges();
    void changedPlanIsNotLostUnasked_data();
    void changedPlanIsNotLostUnasked();
    void droppedFileOpens();
    void contextMenuOffersTheCommands();

private:
    QTemporaryDir m_dir;
};

void PlansTest::openedShowsWhatHandsMade_data()
{
    // clang-format off
    QTest::addColumn<int>("recipe");
    QTest::newRow("PAL, 8 channels, frame items") << 0;
    QTest::newRow("Manual channels and ALL row") << 1;
    QTest::newRow("hidden channels keep their settings") << 2;
    QTest::newRow("Hybrid-DVR") << 3;
    // clang-format on
}

// Saved, then opened in a fresh window: the same controls, items, figures,
// hidden rows, usable fields and product lock as made by hand.
void PlansTest::openedShowsWhatHandsMade()
{
    QFETCH(int, recipe);
    const QString path = m_dir.filePath(QStringLiteral("site%1.nvrplan").arg(recipe));
    QStringList byHand;
    Plan saved;
    {
        Calculator calculator;
        recipes[recipe](calculator);
        byHand = shownState(calculator.window);
        saved = calculator.window.currentPlan();
        QVERIFY(calculator.window.saveFile(path));
    }
    Calculator calculator;
    QVERIFY(calculator.window.openFile(path));
    QCOMPARE(shownState(calculator.window), byHand);
    // Read back, the window gives the plan it was given, and that plan's file.
    QString error;
    const std::optional<Plan> opened = readPlanFile(path, &error);
    QVERIFY2(opened, qPrintable(error));
    QVERIFY(calculator.window.currentPlan() == *opened);
    QCOMPARE(planToJson(*opened), planToJson(saved));
}

void PlansTest::badFileChangesNothing_data()
{
    // clang-format off
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("message"); // after "PATH: "
    const auto with = planFileWith;
    QTest::newRow("not JSON") << QByteArray("{\n  \"format\": \"nvr-plan\",\n")
        << "not JSON: unterminated object at line 3, column 1";
    QTest::newRow("empty") << QByteArray("\n") << "the file is empty: not a plan";
    QTest::newRow("not an object") << QByteArray("[1, 2]")
        << "not a plan: the file holds a JSON array, not an object";
    QTest::newRow("format missing") << with([](QJsonObject &o) { o.remove("format"); })
        << "format: missing";
    QTest::newRow("another format") << with([](QJsonObject &o) { o["format"] = "nvr-plot"; })
        << "format: \"nvr-plot\" is not \"nvr-plan\": not a plan file";
    QTest::newRow("newer version") << with([](QJsonObject &o) { o["version"] = 2; })
        << "version: 2 is newer than this program reads (1)";
    QTest::newRow("missing key") << with([](QJsonObject &o) { o.remove("installedHddGb"); })
        << "installedHddGb: missing";
    QTest::newRow("wrong type") << with([](QJsonObject &o) { o["channelCount"] = "16"; })
        << "channelCount: \"16\" is not a number";
    QTest::newRow("count") << with([](QJsonObject &o) { o["channelCount"] = 12; })
        << "channelCount: 12 is not 4, 8 or 16";
    QTest::newRow("unknown resolution") << with(channelKey(3, "resolution", "4K"))
        << "channels[3].resolution: \"4K\" is not one of \"Full-HD\", \"HD\", \"D1\"";
    QTest::newRow("PAL frame under NTSC") << with(channelKey(0, "frame", "25"))
        << "channels[0].frame: \"25\" is not a frame rate under NTSC: 0, 1, 2, 4, 5, 8, 10, 15, 30";
    QTest::newRow("fifteen channels") << with([](QJsonObject &o) {
        QJsonArray channels = o["channels"].toArray();
        channels.removeLast();
        o["channels"] = channels;
    }) << "channels: 15 channels, a plan has 16";
    QTest::newRow("bitrate beyond 32 bits") << with([](QJsonObject &o) {
        channelKey(1, "mode", "Manual")(o);
        channelKey(1, "bitrateKbps", 2147483648.0)(o);
    }) << "channels[1].bitrateKbps: 2147483648 is outside -2147483648 to 2147483647";
    QTest::newRow("Manual on a Hybrid-DVR") << with([](QJsonObject &o) {
        o["product"] = "Hybrid-DVR";
        channelKey(5, "mode", "Manual")(o);
    }) << "channels[5].mode: \"Manual\" is not possible with the product \"Hybrid-DVR\", which "
          "records in Auto mode only";
    QTest::newRow("over 1 MiB") << planToJson(Plan()) + QByteArray(1 << 20, ' ')
        << "larger than 1 MiB: not a plan";
    // clang-format on
}

void PlansTest::badFileChangesNothing()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, message);
    const QString path = m_dir.filePath(QStringLiteral("bad.nvrplan"));
    writeFile(path, contents);
    Calculator calculator;
    pickFromPopup(calculator.box("cb_quality_5"), 2);
    const QStringList before = shownState(calculator.window);

    QVERIFY(!calculator.window.openFile(path));
    QMessageBox *box = failureShown(calculator.window);
    QVERIFY(box);
    QCOMPARE(box->informativeText(), path + ": " + message);
    QCOMPARE(shownState(calculator.window), before);
    QCOMPARE(shownTitle(calculator.window), QStringLiteral("NVR Recording calculator"));
    box->close();
}

void PlansTest::failedSaveKeepsOldFile_data()
{
    // clang-format off
    QTest::addColumn<bool>("readOnlyFolder");
    QTest::newRow("full disk") << false;
    QTest::newRow("read-only folder") << true;
    // clang-format on
}

void PlansTest::failedSaveKeepsOldFile()
{
    QFETCH(bool, readOnlyFolder);
    if (readOnlyFolder && geteuid() == 0)
        QSKIP("root writes into read-only folders");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("site.nvrplan"));
    const QByteArray old = planToJson(Plan());
    writeFile(path, old);
    Calculator calculator;
    QVERIFY(calculator.window.openFile(path));
    pickFromPopup(calculator.box("cb_resolution_2"), 1);
    bool saved = true;
    if (readOnlyFolder) {
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        saved = calculator.window.saveFile(path);
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    } else {
        const FullDisk full;
        saved = calculator.window.saveFile(path);
    }
    QVERIFY(!saved);
    QCOMPARE(readFile(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList("site.nvrplan"));
    QMessageBox *box = failureShown(calculator.window);
    QVERIFY(box);
    QVERIFY2(box->informativeText().startsWith(path + ": "), qPrintable(box->informativeText()));
    // Still the changed, unsaved plan.
    QCOMPARE(shownTitle(calculator.window),
             QStringLiteral("site.nvrplan* - NVR Recording calculator"));
    box->close();
}

// Each change, Reset and a product choice included, undone in turn restores
// what the window showed before it; redo brings each back.
void PlansTest::undoAndRedoEveryStep()
{
    Calculator calculator;
    const std::function<void()> steps[] = {
        [&] { pickFromPopup(calculator.box("cb_quality_2"), 4); },
        [&] { typeAndReturn(calculator.field("line_input_days"), "30"); },
        [&] { pickFromPopup(calculator.box("cb_mode_3"), 1); },
        [&] { typeAndReturn(calculator.field("line_edit_bps_3"), "2500"); },
        [&] { pickFromPopup(calculator.box("cb_ntpal"), 0); },
        [&] {
            QTest::mouseClick(calculator.window.findChild<QPushButton *>("btn_init"),
                              Qt::LeftButton);
        },
        [&] { pickFromPopup(calculator.box("cb_product"), 1); },
        [&] { pickFromPopup(calculator.box("cb_max_ch"), 0); },
        [&] { pickFromPopup(calculator.box("cb_product"), 0); },
    };
    QList<QStringList> shown = {shownState(calculator.window)};
    for (const auto &step : steps) {
        step();
        shown << shownState(calculator.window);
        QVERIFY(shown.last() != shown.at(shown.size() - 2));
    }
    calculator.box("cb_max_ch").setFocus();
    for (int i = shown.size() - 2; i >= 0; --i) {
        press(calculator.window, QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(shownState(calculator.window), shown.at(i));
    }
    // Nothing before the start.
    press(calculator.window, QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(shownState(calculator.window), shown.first());
    for (int i = 1; i < shown.size(); ++i) {
        press(calculator.window,
              i % 2 ? QKeySequence(Qt::CTRL | Qt::Key_Y)
                    : QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
        QCOMPARE(shownState(calculator.window), shown.at(i));
    }
    // A new change after undoing drops what could have been redone.
    press(calculator.window, QKeySequence(Qt::CTRL | Qt::Key_Z));
    pickFromPopup(calculator.box("cb_quality_1"), 3);
    const QStringList changed = shownState(calculator.window);
    press(calculator.window, QKeySequence(Qt::CTRL | Qt::Key_Y));
    QCOMPARE(shownState(calculator.window), changed);
}

void PlansTest::titleShowsFileAndChanges()
{
    const QString path = m_dir.filePath(QStringLiteral("school.nvrplan"));
    writeFile(path, planToJson(Plan()));
    Calculator calculator;
    pickFromPopup(calculator.box("cb_quality_2"), 4);
    QCOMPARE(shownTitle(calculator.window), QStringLiteral("NVR Recording calculator"));

    QVERIFY(calculator.window.openFile(path));
    QCOMPARE(shownTitle(calculator.window),
             QStringLiteral("school.nvrplan - NVR Recording calculator"));
    pickFromPopup(calculator.box("cb_resolution_6"), 2);
    QCOMPARE(shownTitle(calculator.window),
             QStringLiteral("school.nvrplan* - NVR Recording calculator"));
    // Undoing back to what was opened is no change.
    press(calculator.window, QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(shownTitle(calculator.window),
             QStringLiteral("school.nvrplan - NVR Recording calculator"));
    // Before the file was opened comes the untitled work.
    press(calculator.window, QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(calculator.box("cb_quality_2").currentText(), QStringLiteral("Low"));

    press(calculator.window, QKeySequence(Qt::CTRL | Qt::Key_Y));
    pickFromPopup(calculator.box("cb_resolution_6"), 2);
    press(calculator.window, QKeySequence(Qt::CTRL | Qt::Key_S));
    QCOMPARE(shownTitle(calculator.window),
             QStringLiteral("school.nvrplan - NVR Recording calculator"));
    QString error;
    QCOMPARE(readPlanFile(path, &error)->channels[5].resolution, 2);
}

void PlansTest::changedPlanIsNotLostUnasked_data()
{
    // clang-format off
    QTest::addColumn<bool>("byDrop"); // else by closing the window
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("setAside");
    QTest::addColumn<QString>("kept"); // resolution of channel 6 in the file
    for (bool drop : {false, true}) {
        const char *how = drop ? "another file dropped" : "window closed";
        QTest::addRow("%s, Save", how) << drop << int(QMessageBox::Save) << true << "D1";
        QTest::addRow("%s, Discard", how) << drop << int(QMessageBox::Discard) << true << "Full-HD";
        QTest::addRow("%s, Cancel", how) << drop << int(QMessageBox::Cancel) << false << "Full-HD";
    }
    // clang-format on
}

void PlansTest::changedPlanIsNotLostUnasked()
{
    QFETCH(bool, byDrop);
    QFETCH(int, answer);
    QFETCH(bool, setAside);
    QFETCH(QString, kept);
    const QString path = m_dir.filePath(QStringLiteral("shop.nvrplan"));
    const QString other = m_dir.filePath(QStringLiteral("other.nvrplan"));
    writeFile(path, planToJson(Plan()));
    Plan eight;
    eight.channelCount = 8;
    writeFile(other, planToJson(eight));

    Calculator calculator;
    // Untitled work is closed without a question, as ever.
    pickFromPopup(calculator.box("cb_resolution_6"), 1);
    QVERIFY(calculator.window.close());
    calculator.window.show();

    QVERIFY(calculator.window.openFile(path));
    pickFromPopup(calculator.box("cb_resolution_6"), 2);
    QString asked;
    whenDialogOpens([&](QWidget *dialog) {
        auto *box = qobject_cast<QMessageBox *>(dialog);
        asked = box ? box->text() : QStringLiteral("not a question");
        if (box)
            box->button(QMessageBox::StandardButton(answer))->click();
    });
    if (byDrop) {
        QVERIFY(dropFile(calculator.window, other));
        QTRY_VERIFY(!asked.isEmpty());
        QCOMPARE(calculator.box("cb_max_ch").currentText(), QString(setAside ? "8 CH" : "16 CH"));
    } else {
        QCOMPARE(calculator.window.close(), setAside);
    }
    QCOMPARE(asked, QStringLiteral("The plan “shop.nvrplan” has changes that are not saved."));
    QString error;
    QCOMPARE(resolution_names[readPlanFile(path, &error)->channels[5].resolution], kept);
}

void PlansTest::droppedFileOpens()
{
    const QString path = m_dir.filePath(QStringLiteral("dropped.nvrplan"));
    Plan plan;
    plan.videoStandard = 0;
    plan.channels[2].quality = 3;
    writeFile(path, planToJson(plan));
    Calculator calculator;
    QVERIFY(dropFile(calculator.window, path));
    QTRY_COMPARE(calculator.box("cb_ntpal").currentText(), QStringLiteral("PAL"));
    QCOMPARE(calculator.box("cb_quality_3").currentText(), QStringLiteral("Standard"));
    QCOMPARE(shownTitle(calculator.window),
             QStringLiteral("dropped.nvrplan - NVR Recording calculator"));

    // Only a single local file is taken.
    QMimeData text;
    text.setText(QStringLiteral("hello"));
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&calculator.window, &enter);
    QVERIFY(!enter.isAccepted());
}

// A right click on the window's background, or the Menu key, offers the
// commands; choosing Undo from it undoes.
void PlansTest::contextMenuOffersTheCommands()
{
    Calculator calculator;
    pickFromPopup(calculator.box("cb_quality_2"), 4);
    QStringList offered;
    QTimer::singleShot(50, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction *action : menu->actions())
            if (!action->isSeparator())
                offered << action->text().remove('&') + (action->isEnabled() ? "" : " (off)");
        for (QAction *action : menu->actions())
            if (action->text().remove('&') == QLatin1String("Undo"))
                action->trigger();
        menu->close();
    });
    QWidget *background = calculator.window.findChild<QWidget *>("label_13");
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5),
                            background->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(background, &click);
    QCOMPARE(offered,
             QStringList(
                 {"Open…", "Save", "Save As…", "Export report…", "Undo", "Redo (off)", "About"}));
    QCOMPARE(calculator.box("cb_quality_2").currentText(), QStringLiteral("Super"));
}

QTEST_MAIN(PlansTest)
#include "tst_plans.moc"
