// What each control does, driven as a user drives it: picks from popups, key
// presses on focused boxes, typing with Return or a focus change. Checked on
// the model and on what the window shows.

#include "model.h"
#include "testsupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMetaMethod>
#include <QPushButton>
#include <QTest>

#include <algorithm>

namespace {

QStringList traceLines(const MessageLog &log)
{
    return log.debugLines().filter(QRegularExpression("^MODE CHECK :"));
}

// The handlers in the order the meta-object numbers them.
QStringList expectedSlots()
{
    QStringList names;
    for (const char *family : {"cb_mode", "cb_resolution", "cb_frame", "cb_quality"})
        for (int n = 1; n <= 16; ++n)
            names << Calculator::cell(family, n) + "_activated(int)";
    names << "cb_max_ch_activated(int)"
          << "cb_ntpal_activated(int)"
          << "line_input_hdd_editingFinished()"
          << "line_input_days_editingFinished()"
          << "btn_init_clicked()"
          << "cb_max_ch_currentIndexChanged(int)"
          << "cb_resolution_all_activated(int)"
          << "cb_frame_all_activated(int)"
          << "cb_quality_all_activated(int)"
          << "cb_mode_all_currentIndexChanged(int)"
          << "cb_product_activated(int)"
          << "line_edit_bps_all_editingFinished()";
    for (int n = 1; n <= 16; ++n)
        names << Calculator::cell("line_edit_bps", n) + "_editingFinished()";
    for (QString &slot : names)
        slot.prepend("on_");
    return names;
}

// "signal(args) -> slot(args)" for every connection from widget to the window,
// as the toolkit reports them.
QStringList connectionsToWindow(QObject &widget)
{
    MessageLog log;
    widget.dumpObjectInfo();
    QStringList connections;
    QString signal;
    for (const QString &line : log.debugLines()) {
        const QString text = line.trimmed();
        if (text.startsWith(QLatin1String("SIGNALS IN")))
            break;
        if (text.startsWith(QLatin1String("signal: ")))
            signal = text.mid(8);
        else if (text.startsWith(QLatin1String("--> MainWindow::")))
            connections << signal + " -> " + text.section(QLatin1Char(' '), 2);
    }
    return connections;
}

} // namespace

class HandlersTest : public QObject
{
    Q_OBJECT

private slots:
    void slotsInDeclaredOrder();
    void everySlotConnectedOnceByName();
    void constructionState();

    void channelRowActsOnItsOwnChannel_data();
    void channelRowActsOnItsOwnChannel();
    void modeSwitchRecalculates_data();
    void modeSwitchRecalculates();
    void typedBitrateIsCommitted_data();
    void typedBitrateIsCommitted();
    void currentItemAgainRunsHandler_data();
    void currentItemAgainRunsHandler();
    void keysOnFocusedBoxChoose();

    void allSelectionReachesEveryChannel_data();
    void allSelectionReachesEveryChannel();
    void allManualTakesShownBitrates();
    void allBitrateReachesChannelsInUse_data();
    void allBitrateReachesChannelsInUse();
    void allBitrateAppliesOnlyWhenCommitted();

    void rowsFollowChannelCount_data();
    void rowsFollowChannelCount();
    void hiddenRowsKeepSettings();
    void currentCountAgainRecalculatesOnly();

    void videoStandardResetsFrames_data();
    void videoStandardResetsFrames();

    void productLocksModes();
    void currentProductAgainResets_data();
    void currentProductAgainResets();
};

void HandlersTest::slotsInDeclaredOrder()
{
    const QMetaObject &meta = MainWindow::staticMetaObject;
    QStringList found;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        const QMetaMethod method = meta.method(i);
        QCOMPARE(method.methodType(), QMetaMethod::Slot);
        QCOMPARE(method.access(), QMetaMethod::Private);
        if (method.parameterCount() == 1)
            QCOMPARE(method.parameterNames().first(), QByteArray("index"));
        found << QString::fromLatin1(method.methodSignature());
    }
    QCOMPARE(found, expectedSlots());
}

// A slot that finds no widget is a dead control: the toolkit only warns.
void HandlersTest::everySlotConnectedOnceByName()
{
    MessageLog log;
    MainWindow window;
    QVERIFY2(log.warnings().isEmpty(), qPrintable(log.warnings().join('\n')));

    QStringList expected;
    for (const QString &slot : expectedSlots()) {
        const QString name = slot.mid(3).section(QLatin1Char('_'), 0, -2);
        // The button's signal is clicked(bool); the slot takes no argument.
        const QString signal = slot.endsWith(QLatin1String("_clicked()"))
            ? QStringLiteral("clicked(bool)")
            : slot.section(QLatin1Char('_'), -1);
        expected << name + ": " + signal + " -> " + slot;
    }
    QStringList found;
    for (const QString &name : declaredWidgetNames())
        for (const QString &connection : connectionsToWindow(*window.findChild<QWidget *>(name)))
            found << name + ": " + connection;
    std::sort(expected.begin(), expected.end());
    std::sort(found.begin(), found.end());
    QCOMPARE(found, expected);
    QCOMPARE(found.filter(QRegularExpression("^cb_max_ch: ")).size(), 2);
}

// Filling runs the two index-change handlers: fields disabled, rows 5 to 16
// hidden, and nothing recalculated yet.
void HandlersTest::constructionState()
{
    MessageLog log;
    MainWindow window;
    window.show();
    QVERIFY(traceLines(log).isEmpty());
    for (int row = 0; row <= 16; ++row) {
        QVERIFY(
            !window.findChild<QLineEdit *>(Calculator::cell("line_edit_bps", row))->isEnabled());
        const bool shown = row <= 4;
        for (const char *family : {"label_ch", "cb_mode", "cb_resolution", "cb_frame", "cb_quality",
                                   "line_edit_bps", "lb_day_cap"})
            QCOMPARE(window.findChild<QWidget *>(Calculator::cell(family, row))->isVisible(),
                     shown);
    }
    QCOMPARE(window.findChild<QComboBox *>("cb_ntpal")->currentText(), QStringLiteral("PAL"));
    QCOMPARE(window.findChild<QComboBox *>("cb_frame_1")->itemText(8), QStringLiteral("30"));
    QCOMPARE(window.findChild<QComboBox *>("cb_max_ch")->currentText(), QStringLiteral("4 CH"));
    QCOMPARE(int(video_standard), 1);
    QCOMPARE(std::count(std::begin(ch_manual), std::end(ch_manual), 0), 16);
}

void HandlersTest::channelRowActsOnItsOwnChannel_data()
{
    // clang-format off
    QTest::addColumn<int>("channel");
    for (int n = 1; n <= 16; ++n)
        QTest::addRow("channel %d", n) << n;
    // clang-format on
}

// Sixteen rows, one implementation: each row must reach its own channel only.
void HandlersTest::channelRowActsOnItsOwnChannel()
{
    QFETCH(int, channel);
    const int i = channel - 1;
    Calculator calculator;
    const auto bitrates = [&](const QString &mine) { return repeated("6000", 16, i, mine); };

    pickFromPopup(calculator.box(Calculator::cell("cb_quality", channel)), 4);
    QCOMPARE(calculator.column("line_edit_bps"), bitrates("2490"));
    QCOMPARE(int(ch_quality[i]), 4);
    pickFromPopup(calculator.box(Calculator::cell("cb_resolution", channel)), 1);
    QCOMPARE(calculator.column("line_edit_bps"), bitrates("1980"));
    QCOMPARE(int(ch_resolution[i]), 1);
    pickFromPopup(calculator.box(Calculator::cell("cb_frame", channel)), 4);
    QCOMPARE(calculator.column("line_edit_bps"), bitrates("660"));
    QCOMPARE(int(ch_fps[i]), 10);
    QCOMPARE(calculator.column("lb_day_cap"), repeated("64.8", 16, i, "7.128"));

    pickFromPopup(calculator.box(Calculator::cell("cb_mode", channel)), 1);
    for (int n = 1; n <= 16; ++n) {
        QCOMPARE(calculator.field(Calculator::cell("line_edit_bps", n)).isEnabled(), n == channel);
        QCOMPARE(int(ch_manual[n - 1]), n == channel ? 1 : 0);
    }
    QCOMPARE(ch_manual_kbps[i], 660);

    typeAndReturn(calculator.field(Calculator::cell("line_edit_bps", channel)), "1234");
    QCOMPARE(calculator.column("line_edit_bps"), bitrates("1234"));
    QCOMPARE(calculator.column("lb_day_cap"), repeated("64.8", 16, i, "13.3272"));
    QCOMPARE(ch_manual_kbps[i], 1234);
}

void HandlersTest::modeSwitchRecalculates_data()
{
    // clang-format off
    QTest::addColumn<int>("row"); // 0 the ALL row
    QTest::addColumn<QString>("autoTotal");
    QTest::addColumn<QString>("manualTotal");
    // D1, 30 fps, Super: 2000 / 30 * 30 = 1980 Kbps, 21.384 GB a day; 2500 Kbps
    // is 27 GB; the other channels stay at 6000 Kbps, 64.8 GB.
    QTest::newRow("channel 5") << 5 << "993.384" << "999";
    QTest::newRow("ALL row") << 0 << "342.144" << "432";
    // clang-format on
}

// Back to Auto shows the computed figures at once; to Manual takes the bitrate
// shown as the manual one, so nothing moves.
void HandlersTest::modeSwitchRecalculates()
{
    QFETCH(int, row);
    QFETCH(QString, autoTotal);
    QFETCH(QString, manualTotal);
    Calculator calculator;
    QComboBox &mode = calculator.box(Calculator::cell("cb_mode", row));
    QLineEdit &field = calculator.field(Calculator::cell("line_edit_bps", row));
    const auto shown = [&calculator, &field] {
        return calculator.column("line_edit_bps") + calculator.column("lb_day_cap")
            + QStringList {field.text(), calculator.label("lb_total").text()};
    };
    const auto figures = [row](const QString &kbps, const QString &gb, const QString &total) {
        const int at = row == 0 ? -1 : row - 1;
        return repeated(row == 0 ? kbps : "6000", 16, at, kbps)
            + repeated(row == 0 ? gb : "64.8", 16, at, gb) + QStringList {kbps, total};
    };
    pickFromPopup(calculator.box(Calculator::cell("cb_resolution", row)), 2);
    const QStringList automatic = figures("1980", "21.384", autoTotal);
    QCOMPARE(shown(), automatic);

    pickFromPopup(mode, 1);
    QVERIFY(field.isEnabled());
    QCOMPARE(shown(), automatic);
    typeAndReturn(field, "2500");
    QCOMPARE(shown(), figures("2500", "27", manualTotal));

    pickFromPopup(mode, 0);
    QVERIFY(!field.isEnabled());
    QCOMPARE(shown(), automatic);

    // Once recalculated, not the 2500 typed before.
    MessageLog log;
    pickFromPopup(mode, 1);
    QCOMPARE(shown(), automatic);
    QCOMPARE(traceLines(log).size(), 16);
}

void HandlersTest::typedBitrateIsCommitted_data()
{
    // clang-format off
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("commit"); // 0 Return, 1 Tab, 2 a click into another field
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("capacity");
    const char *const ways[] = {"Return", "Tab", "click elsewhere"};
    for (int way = 0; way < 3; ++way) {
        QTest::addRow("2500, %s", ways[way]) << "2500" << way << "2500" << "27";
        QTest::addRow("letters, %s", ways[way]) << "letters" << way << "0" << "0";
        QTest::addRow("digits then letters, %s", ways[way]) << "77x9" << way << "77" << "0.8316";
    }
    // clang-format on
}

void HandlersTest::typedBitrateIsCommitted()
{
    QFETCH(QString, typed);
    QFETCH(int, commit);
    QFETCH(QString, shown);
    QFETCH(QString, capacity);
    Calculator calculator;
    pickFromPopup(calculator.box("cb_mode_7"), 1);
    QLineEdit &field = calculator.field("line_edit_bps_7");
    typeOver(field, typed);
    if (commit == 0)
        QTest::keyClick(&field, Qt::Key_Return);
    else if (commit == 1)
        QTest::keyClick(&field, Qt::Key_Tab);
    else
        QTest::mouseClick(&calculator.field("line_input_days"), Qt::LeftButton);
    QCOMPARE(field.text(), shown);
    QCOMPARE(calculator.label("lb_day_cap_7").text(), capacity);
    QCOMPARE(ch_manual_kbps[6], shown.toInt());
}

void HandlersTest::currentItemAgainRunsHandler_data()
{
    // clang-format off
    QTest::addColumn<QString>("box");
    QTest::newRow("resolution") << "cb_resolution_9";
    QTest::newRow("frame") << "cb_frame_9";
    QTest::newRow("quality") << "cb_quality_9";
    QTest::newRow("mode") << "cb_mode_9";
    // clang-format on
}

void HandlersTest::currentItemAgainRunsHandler()
{
    QFETCH(QString, box);
    Calculator calculator;
    QComboBox &combo = calculator.box(box);
    const bool mode = box.startsWith(QLatin1String("cb_mode"));
    if (mode) {
        pickFromPopup(combo, 1);
        ch_manual_kbps[8] = 1; // the handler takes the field's number again
    }
    MessageLog log;
    pickFromPopup(combo, combo.currentIndex());
    if (mode)
        QCOMPARE(ch_manual_kbps[8], 6000);
    QCOMPARE(traceLines(log).size(), 16);
}

void HandlersTest::keysOnFocusedBoxChoose()
{
    Calculator calculator;
    QComboBox &quality = calculator.box("cb_quality_1");
    quality.setFocus(Qt::TabFocusReason);
    QTest::keyClick(&quality, Qt::Key_Down);
    QCOMPARE(quality.currentText(), QStringLiteral("Highest"));
    QCOMPARE(calculator.field("line_edit_bps_1").text(), QStringLiteral("4980"));
    QTest::keyClick(&quality, Qt::Key_End);
    QCOMPARE(calculator.field("line_edit_bps_1").text(), QStringLiteral("2490"));

    QComboBox &count = calculator.box("cb_max_ch");
    count.setFocus(Qt::TabFocusReason);
    QTest::keyClick(&count, Qt::Key_Up);
    QCOMPARE(count.currentText(), QStringLiteral("8 CH"));
    QVERIFY(!calculator.field("line_edit_bps_9").isVisible());
    // Seven channels at 64.8 and channel 1 at "Low".
    QCOMPARE(calculator.label("lb_total").text(), QStringLiteral("480.492"));
}

void HandlersTest::allSelectionReachesEveryChannel_data()
{
    // clang-format off
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("bitrate");
    QTest::newRow("resolution HD") << "cb_resolution" << 1 << "HD" << "3990";
    QTest::newRow("resolution D1") << "cb_resolution" << 2 << "D1" << "1980";
    QTest::newRow("quality Low") << "cb_quality" << 4 << "Low" << "2490";
    QTest::newRow("frame item 7") << "cb_frame" << 7 << "15" << "4000";
    QTest::newRow("frame item 0") << "cb_frame" << 0 << "0" << "0";
    // clang-format on
}

// Hidden channels take the choice too and show it when they come back.
void HandlersTest::allSelectionReachesEveryChannel()
{
    QFETCH(QString, family);
    QFETCH(int, index);
    QFETCH(QString, item);
    QFETCH(QString, bitrate);
    const QByteArray column = family.toLatin1();
    Calculator calculator;
    pickFromPopup(calculator.box("cb_max_ch"), 0);
    MessageLog log;
    pickFromPopup(calculator.box(family + "_all"), index);
    QCOMPARE(traceLines(log).size(), 4);
    QCOMPARE(calculator.column(column), repeated(item, 16));
    QStringList inUse = repeated("0", 16);
    std::fill(inUse.begin(), inUse.begin() + 4, bitrate);
    QCOMPARE(calculator.column("line_edit_bps"), inUse);
    QCOMPARE(calculator.field("line_edit_bps_all").text(), bitrate);
    for (int i = 0; i < 16; ++i) {
        if (family == QLatin1String("cb_resolution"))
            QCOMPARE(int(ch_resolution[i]), index);
        else if (family == QLatin1String("cb_quality"))
            QCOMPARE(int(ch_quality[i]), index);
        else
            QCOMPARE(int(ch_fps[i]), QList<int>({0, 4, 6, 8, 10, 12, 16, 20, 30}).at(index));
    }
    pickFromPopup(calculator.box("cb_max_ch"), 2);
    QCOMPARE(calculator.column("line_edit_bps"), repeated(bitrate, 16));
}

void HandlersTest::allManualTakesShownBitrates()
{
    Calculator calculator;
    pickFromPopup(calculator.box("cb_resolution_2"), 1);
    pickFromPopup(calculator.box("cb_max_ch"), 0);
    for (int i = 4; i < 16; ++i)
        ch_manual_kbps[i] = 77;
    const QStringList capacities = calculator.column("lb_day_cap");

    pickFromPopup(calculator.box("cb_mode_all"), 1);
    QCOMPARE(calculator.column("cb_mode"), repeated(QStringLiteral("Manual"), 16));
    for (int row = 0; row <= 16; ++row)
        QVERIFY(calculator.field(Calculator::cell("line_edit_bps", row)).isEnabled());
    QCOMPARE(std::count(std::begin(ch_manual), std::end(ch_manual), 1), 16);
    QCOMPARE(QVector<int>(std::begin(ch_manual_kbps), std::begin(ch_manual_kbps) + 5),
             QVector<int>({6000, 3990, 6000, 6000, 77}));
    QCOMPARE(all_manual_kbps, 6000);
    QCOMPARE(calculator.column("lb_day_cap"), capacities);

    // Channels that were not in use come back in Manual with what they held.
    pickFromPopup(calculator.box("cb_max_ch"), 2);
    QCOMPARE(calculator.column("line_edit_bps").mid(3, 3), QStringList({"6000", "77", "77"}));

    pickFromPopup(calculator.box("cb_mode_all"), 0);
    for (int row = 0; row <= 16; ++row)
        QVERIFY(!calculator.field(Calculator::cell("line_edit_bps", row)).isEnabled());
}

void HandlersTest::allBitrateReachesChannelsInUse_data()
{
    // clang-format off
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("kbps");
    QTest::newRow("2048") << "2048" << 2048;
    QTest::newRow("with a unit") << "1500kbps" << 1500;
    QTest::newRow("letters") << "abc" << 0;
    QTest::newRow("empty") << "" << 0;
    // clang-format on
}

void HandlersTest::allBitrateReachesChannelsInUse()
{
    QFETCH(QString, typed);
    QFETCH(int, kbps);
    Calculator calculator;
    pickFromPopup(calculator.box("cb_max_ch"), 0);
    pickFromPopup(calculator.box("cb_mode_all"), 1);
    pickFromPopup(calculator.box("cb_mode_2"), 0);
    for (int i = 4; i < 16; ++i)
        ch_manual_kbps[i] = 77;

    typeAndReturn(calculator.field("line_edit_bps_all"), typed);
    const QString number = QString::number(kbps);
    QCOMPARE(calculator.column("line_edit_bps"),
             QStringList({number, "6000", number, number}) + repeated("0", 12));
    QCOMPARE(calculator.field("line_edit_bps_all").text(), number);
    QCOMPARE(all_manual_kbps, kbps);
    QCOMPARE(QVector<int>(std::begin(ch_manual_kbps), std::begin(ch_manual_kbps) + 6),
             QVector<int>({kbps, kbps, kbps, kbps, 77, 77}));
    QCOMPARE(ch_manual_kbps[15], 77);
}

// Tabbing past the ALL field must not overwrite the bitrates typed per
// channel; Return in it applies it, changed or not.
void HandlersTest::allBitrateAppliesOnlyWhenCommitted()
{
    Calculator calculator;
    pickFromPopup(calculator.box("cb_mode_all"), 1);
    typeAndReturn(calculator.field("line_edit_bps_1"), "1111");
    typeAndReturn(calculator.field("line_edit_bps_2"), "2222");
    QLineEdit &all = calculator.field("line_edit_bps_all");

    MessageLog log;
    QTest::mouseClick(&all, Qt::LeftButton);
    QTest::keyClick(&all, Qt::Key_Tab);
    QTest::mouseClick(&all, Qt::LeftButton);
    QTest::mouseClick(&calculator.field("line_edit_bps_3"), Qt::LeftButton);
    QVERIFY(traceLines(log).isEmpty());
    QCOMPARE(calculator.column("line_edit_bps").mid(0, 3), QStringList({"1111", "2222", "6000"}));
    QCOMPARE(ch_manual_kbps[0], 1111);
    QCOMPARE(ch_manual_kbps[1], 2222);

    QTest::mouseClick(&all, Qt::LeftButton);
    QTest::keyClick(&all, Qt::Key_Return);
    QCOMPARE(traceLines(log).size(), 16);
    QCOMPARE(calculator.column("line_edit_bps"), repeated(QStringLiteral("6000"), 16));

    // Applied once: leaving the field afterwards adds nothing.
    log.clear();
    QTest::keyClick(&all, Qt::Key_Tab);
    QVERIFY(traceLines(log).isEmpty());

    // A change the user made counts when the focus leaves.
    typeOver(all, "3333");
    QTest::keyClick(&all, Qt::Key_Tab);
    QCOMPARE(traceLines(log).size(), 16);
    QCOMPARE(calculator.column("line_edit_bps"), repeated(QStringLiteral("3333"), 16));
}

void HandlersTest::rowsFollowChannelCount_data()
{
    // clang-format off
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("shown");
    QTest::newRow("4 CH") << 0 << 4;
    QTest::newRow("8 CH") << 1 << 8;
    QTest::newRow("16 CH") << 2 << 16;
    // clang-format on
}

void HandlersTest::rowsFollowChannelCount()
{
    QFETCH(int, index);
    QFETCH(int, shown);
    Calculator calculator;
    for (int from : {2, 0, 1}) {
        pickFromPopup(calculator.box("cb_max_ch"), from);
        pickFromPopup(calculator.box("cb_max_ch"), index);
        for (int row = 0; row <= 16; ++row)
            for (const char *family : {"label_ch", "cb_mode", "cb_resolution", "cb_frame",
                                       "cb_quality", "line_edit_bps", "lb_day_cap"})
                QCOMPARE(calculator.window.findChild<QWidget *>(Calculator::cell(family, row))
                             ->isVisible(),
                         row <= shown);
    }
    QVERIFY(calculator.label("label_50").isVisible());
    QVERIFY(calculator.label("lb_total").isVisible());
}

void HandlersTest::hiddenRowsKeepSettings()
{
    Calculator calculator;
    pickFromPopup(calculator.box("cb_resolution_12"), 2);
    pickFromPopup(calculator.box("cb_quality_12"), 4);
    pickFromPopup(calculator.box("cb_max_ch"), 0);
    QCOMPARE(calculator.field("line_edit_bps_12").text(), QStringLiteral("0"));
    pickFromPopup(calculator.box("cb_max_ch"), 2);
    QCOMPARE(calculator.box("cb_resolution_12").currentText(), QStringLiteral("D1"));
    QCOMPARE(calculator.box("cb_quality_12").currentText(), QStringLiteral("Low"));
    QCOMPARE(calculator.field("line_edit_bps_12").text(), QStringLiteral("510"));
    QCOMPARE(calculator.label("lb_day_cap_12").text(), QStringLiteral("5.508"));
}

void HandlersTest::currentCountAgainRecalculatesOnly()
{
    Calculator calculator;
    pickFromPopup(calculator.box("cb_max_ch"), 1);
    typeAndReturn(calculator.field("line_input_days"), "30");
    MessageLog log;
    pickFromPopup(calculator.box("cb_max_ch"), 1);
    QCOMPARE(traceLines(log).size(), 8);
    QVERIFY(calculator.field("line_edit_bps_8").isVisible());
    QVERIFY(!calculator.field("line_edit_bps_9").isVisible());
    QCOMPARE(calculator.label("lb_total").text(), QStringLiteral("518.4"));
    QCOMPARE(calculator.label("lb_cal_hdd").text(), QStringLiteral("16698 GB"));
}

void HandlersTest::videoStandardResetsFrames_data()
{
    // clang-format off
    QTest::addColumn<QList<int>>("picks");
    QTest::addColumn<QString>("top");
    QTest::newRow("PAL") << QList<int>{0} << "25";
    QTest::newRow("NTSC again") << QList<int>{1} << "30";
    QTest::newRow("PAL, then NTSC") << QList<int>{0, 1} << "30";
    QTest::newRow("PAL twice") << QList<int>{0, 0} << "25";
    // clang-format on
}

// Any choice of standard, the current one included, puts every channel back
// on the top frame rate; the figures do not depend on the standard.
void HandlersTest::videoStandardResetsFrames()
{
    QFETCH(QList<int>, picks);
    QFETCH(QString, top);
    Calculator calculator;
    for (int pick : picks) {
        pickFromPopup(calculator.box("cb_frame_3"), 4);
        pickFromPopup(calculator.box("cb_frame_all"), 2);
        pickFromPopup(calculator.box("cb_resolution_5"), 1);
        pickFromPopup(calculator.box("cb_quality_6"), 4);
        pickFromPopup(calculator.box("cb_ntpal"), pick);
        QCOMPARE(int(video_standard), pick);
    }
    QCOMPARE(calculator.column("cb_frame"), repeated(top, 16));
    QCOMPARE(calculator.box("cb_frame_all").currentText(), top);
    QCOMPARE(std::count(std::begin(ch_fps), std::end(ch_fps), 30), 16);
    QStringList expected = repeated("6000", 16, 4, "3990");
    expected[5] = "2490";
    QCOMPARE(calculator.column("line_edit_bps"), expected);

    // Item 7 computes with 20 fps whether it reads 13 or 15.
    pickFromPopup(calculator.box("cb_frame_1"), 7);
    QCOMPARE(calculator.field("line_edit_bps_1").text(), QStringLiteral("4000"));
}

void HandlersTest::productLocksModes()
{
    Calculator calculator;
    QComboBox &product = calculator.box("cb_product");
    const auto modesEnabled = [&] {
        QVector<bool> enabled;
        for (int row = 0; row <= 16; ++row)
            enabled << calculator.box(Calculator::cell("cb_mode", row)).isEnabled();
        return enabled;
    };
    pickFromPopup(calculator.box("cb_max_ch"), 0);
    pickFromPopup(calculator.box("cb_mode_3"), 1);

    pickFromPopup(product, 1);
    QCOMPARE(modesEnabled(), QVector<bool>(17, false));
    QCOMPARE(calculator.column("cb_mode"), repeated(QStringLiteral("Auto"), 16));
    QCOMPARE(calculator.box("cb_max_ch").currentText(), QStringLiteral("16 CH"));
    QCOMPARE(calculator.label("lb_total").text(), QStringLiteral("1036.8"));
    // Everything else still responds.
    pickFromPopup(calculator.box("cb_resolution_1"), 1);
    QCOMPARE(calculator.field("line_edit_bps_1").text(), QStringLiteral("3990"));
    QVERIFY(calculator.field("line_input_days").isEnabled());

    QTest::mouseClick(calculator.window.findChild<QPushButton *>("btn_init"), Qt::LeftButton);
    QCOMPARE(modesEnabled(), QVector<bool>(17, false));
    QCOMPARE(product.currentText(), QStringLiteral("Hybrid-DVR"));
    QCOMPARE(calculator.field("line_edit_bps_1").text(), QStringLiteral("6000"));

    pickFromPopup(product, 0);
    QCOMPARE(modesEnabled(), QVector<bool>(17, true));
    pickFromPopup(calculator.box("cb_mode_3"), 1);
    QVERIFY(calculator.field("line_edit_bps_3").isEnabled());
}

void HandlersTest::currentProductAgainResets_data()
{
    // clang-format off
    QTest::addColumn<int>("product");
    QTest::newRow("NVR") << 0;
    QTest::newRow("Hybrid-DVR") << 1;
    // clang-format on
}

void HandlersTest::currentProductAgainResets()
{
    QFETCH(int, product);
    Calculator calculator;
    pickFromPopup(calculator.box("cb_product"), product);
    pickFromPopup(calculator.box("cb_quality_4"), 3);
    pickFromPopup(calculator.box("cb_ntpal"), 0);
    typeAndReturn(calculator.field("line_input_hdd"), "3000");
    pickFromPopup(calculator.box("cb_product"), product);
    QCOMPARE(calculator.box("cb_quality_4").currentIndex(), 0);
    QCOMPARE(calculator.box("cb_ntpal").currentText(), QStringLiteral("NTSC"));
    QCOMPARE(calculator.field("line_input_hdd").text(), QString());
    QCOMPARE(calculator.label("lb_cal_days").text(), QStringLiteral("0 Days"));
    QCOMPARE(calculator.box("cb_mode_all").isEnabled(), product == 0);
}

QTEST_MAIN(HandlersTest)
#include "tst_handlers.moc"
