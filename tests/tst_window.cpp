// The window driven as a user drives it: picks from popups, keys on focused
// boxes, typing with Return, Tab or a click elsewhere. Checked on what the
// window shows, and on the channel model where a later choice depends on it.
// CTest runs this under a German locale: typed numbers still take "." as
// their decimal point.

#include "invariants.h"
#include "model.h"
#include "testsupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMetaMethod>
#include <QPushButton>
#include <QTest>

#include <clocale>
#include <memory>

namespace {

QStringList traceLines(const MessageLog &log)
{
    return log.debugLines().filter(QRegularExpression("^MODE CHECK :"));
}

QStringList trace(int channels, const char *mode = "FALSE")
{
    QStringList lines;
    for (int i = 0; i < channels; ++i)
        lines << QStringLiteral("MODE CHECK :%1 - %2").arg(i).arg(QLatin1String(mode));
    return lines;
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

const char *const rowFamilies[] = {"label_ch",   "cb_mode",       "cb_resolution", "cb_frame",
                                   "cb_quality", "line_edit_bps", "lb_day_cap"};

// Anything a keyboard or a paste puts into a field; kbps is what a bitrate
// field takes, the rest what the estimates show for it with the default 16
// channels at 6000 Kbps (worked out with float32 arithmetic and C's strtod).
struct Hostile
{
    const char *name;
    QString text;
    int kbps;
    const char *required; // as required days
    const char *lastsDays; // as the installed disk
    const char *lastsHours;
};

QList<Hostile> hostileTexts()
{
    const int max = 2147483647;
    const int min = -max - 1;
    return {
        {"empty", "", 0, "0 GB", "0 Days", "0 Hours"},
        {"blanks", "   ", 0, "0 GB", "0 Days", "0 Hours"},
        {"letters", "abc", 0, "0 GB", "0 Days", "0 Hours"},
        {"number and unit", "1500kbps", 1500, "1669883 GB", "1 Days", "8 Hours"},
        {"minus", "-5", -5, "-5566 GB", "0 Days", "0 Hours"},
        {"plus", "+7", 7, "7792 GB", "0 Days", "0 Hours"},
        {"hexadecimal", "0x10", 0, "17812 GB", "0 Days", "0 Hours"},
        {"fraction and unit", "12.5GB", 12, "13915 GB", "0 Days", "0 Hours"},
        {"half", "0.5", 0, "556 GB", "0 Days", "0 Hours"},
        {"grouping", "1,000", 1, "1113 GB", "0 Days", "0 Hours"},
        {"largest int", "2147483647", max, "-- GB", "1929012 Days", "11 Hours"},
        {"one above", "2147483648", max, "-- GB", "1929012 Days", "11 Hours"},
        {"one below", "-2147483649", min, "-- GB", "-1929012 Days", "-11 Hours"},
        {"6000 digits", QString(6000, QLatin1Char('9')), max, "-- GB", "-- Days", "-- Hours"},
        {"6001 characters", "1" + QString(6000, QLatin1Char('0')), max, "-- GB", "-- Days",
         "-- Hours"},
        {"overflowing exponent", "1e999", 1, "-- GB", "-- Days", "-- Hours"},
        {"inf", "inf", 0, "-- GB", "-- Days", "-- Hours"},
        {"nan", "nan", 0, "-- GB", "-- Days", "-- Hours"},
        {"denormal", "1e-320", 1, "0 GB", "0 Days", "0 Hours"},
        {"Korean", QStringLiteral("\uB179\uD654 \uC77C\uC218"), 0, "0 GB", "0 Days", "0 Hours"},
        {"Arabic", QStringLiteral("\u0623\u064A\u0627\u0645 \u0663\u0660"), 0, "0 GB", "0 Days",
         "0 Hours"},
        {"emoji", QStringLiteral("\U0001F4F9\U0001F4BE"), 0, "0 GB", "0 Days", "0 Hours"},
        {"NUL", QString(QChar(0)) + "42", 0, "0 GB", "0 Days", "0 Hours"},
    };
}

} // namespace

class WindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void startUp();
    void everySlotConnectedOnceByName();
    void channelRowActsOnItsOwnChannel_data();
    void channelRowActsOnItsOwnChannel();
    void modeSwitchRecalculates_data();
    void modeSwitchRecalculates();
    void typedBitrateIsCommitted_data();
    void typedBitrateIsCommitted();
    void currentItemAgainRunsHandler_data();
    void currentItemAgainRunsHandler();
    void allSelectionReachesEveryChannel_data();
    void allSelectionReachesEveryChannel();
    void allManualTakesShownBitrates();
    void allBitrateReachesChannelsInUse_data();
    void allBitrateReachesChannelsInUse();
    void allBitrateAppliesOnlyWhenCommitted();
    void channelCount_data();
    void channelCount();
    void videoStandardResetsFrames_data();
    void videoStandardResetsFrames();
    void productLocksModes();
    void resetRestoresDefaults_data();
    void resetRestoresDefaults();
    void hostileText_data();
    void hostileText();
    void accessibleNames();

private:
    Calculator &c() { return *m_calculator; }
    std::unique_ptr<Calculator> m_calculator;
};

void WindowTest::initTestCase()
{
    QVERIFY2(QString::fromLatin1(std::localeconv()->decimal_point) == QLatin1String(","),
             "no comma-decimal locale is active; CTest sets LC_ALL=de_DE.UTF-8, which needs "
             "the Debian package locales-all");
    m_calculator = std::make_unique<Calculator>();
}

// One window for all cases, back at the defaults before each: building one
// takes longer than most cases.
void WindowTest::init()
{
    c().window.applyPlan(Plan());
    if (QApplication::activeWindow() != &c().window)
        showActive(c().window);
}

// What the user first sees, built exactly as main() builds it.
void WindowTest::startUp()
{
    m_calculator.reset();
    {
        MessageLog log;
        MainWindow window;
        window.show();
        window.resetAll();
        QVERIFY2(log.warnings().isEmpty(), qPrintable(log.warnings().join('\n')));
        QCOMPARE(log.debugLines(), trace(16));
        QStringList expected;
        for (int row = 0; row <= 16; ++row) {
            const QString at = row ? QString::number(row) : QStringLiteral("all");
            expected << "cb_frame_" + at + ": \"30 of 0|1|2|4|5|8|10|15|30\""
                     << "cb_mode_" + at + ": \"Auto of Auto|Manual\""
                     << "cb_quality_" + at + ": \"Super of Super|Highest|High|Standard|Low\""
                     << "cb_resolution_" + at + ": \"Full-HD of Full-HD|HD|D1\""
                     << "lb_day_cap_" + at + (row ? ": \"64.8\"" : ": \"\"")
                     << "line_edit_bps_" + at + ": \"6000\", disabled";
        }
        expected << "cb_max_ch: \"16 CH of 4 CH|8 CH|16 CH\""
                 << "cb_ntpal: \"NTSC of PAL|NTSC\""
                 << "cb_product: \"NVR of NVR|Hybrid-DVR\""
                 << "lb_cal_days: \"0 Days\", disabled"
                 << "lb_cal_hdd: \"0 GB\", disabled"
                 << "lb_cal_time: \"0 Hours\", disabled"
                 << "lb_total: \"1036.8\""
                 << "line_input_days: \"\""
                 << "line_input_hdd: \"\"";
        const QStringList shown = shownState(window).filter(QRegularExpression("^(cb|lb|line)_"));
        expected.sort();
        QCOMPARE(shown, expected);
    }
    m_calculator = std::make_unique<Calculator>();
}

// A slot that finds no widget is a dead control: the toolkit only warns.
void WindowTest::everySlotConnectedOnceByName()
{
    const QMetaObject &meta = MainWindow::staticMetaObject;
    QStringList expected;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        const QString slot = QString::fromLatin1(meta.method(i).methodSignature());
        const QString name = slot.mid(3).section(QLatin1Char('_'), 0, -2);
        // The button's signal is clicked(bool); the slot takes no argument.
        const QString signal = slot.endsWith(QLatin1String("_clicked()"))
            ? QStringLiteral("clicked(bool)")
            : slot.section(QLatin1Char('_'), -1);
        expected << name + ": " + signal + " -> " + slot;
    }
    QCOMPARE(expected.size(), 92);
    QStringList found;
    for (QWidget *widget : c().window.findChildren<QWidget *>())
        for (const QString &connection : connectionsToWindow(*widget))
            found << widget->objectName() + ": " + connection;
    expected.sort();
    found.sort();
    QCOMPARE(found, expected);
}

void WindowTest::channelRowActsOnItsOwnChannel_data()
{
    QTest::addColumn<int>("channel");
    for (int n = 1; n <= 16; ++n)
        QTest::addRow("channel %d", n) << n;
}

// Sixteen rows, one implementation: each row must reach its own channel only.
void WindowTest::channelRowActsOnItsOwnChannel()
{
    QFETCH(int, channel);
    const auto bitrates
        = [&](const QString &mine) { return repeated("6000", 16, channel - 1, mine); };
    // Full-HD Low: 2500 / 30 x 30; HD Low 1980; at item 4, 10 fps: 66 x 10.
    pickFromPopup(c().box(Calculator::cell("cb_quality", channel)), 4);
    QCOMPARE(c().column("line_edit_bps"), bitrates("2490"));
    pickFromPopup(c().box(Calculator::cell("cb_resolution", channel)), 1);
    QCOMPARE(c().column("line_edit_bps"), bitrates("1980"));
    QComboBox &frame = c().box(Calculator::cell("cb_frame", channel));
    frame.setFocus(Qt::TabFocusReason);
    for (int key = 0; key < 4; ++key)
        QTest::keyClick(&frame, Qt::Key_Up);
    QCOMPARE(c().column("line_edit_bps"), bitrates("660"));
    QCOMPARE(c().column("lb_day_cap"), repeated("64.8", 16, channel - 1, "7.128"));
    QCOMPARE(c().label("lb_total").text(), QStringLiteral("979.128"));

    pickFromPopup(c().box(Calculator::cell("cb_mode", channel)), 1);
    for (int n = 1; n <= 16; ++n)
        QCOMPARE(c().field(Calculator::cell("line_edit_bps", n)).isEnabled(), n == channel);
    typeAndReturn(c().field(Calculator::cell("line_edit_bps", channel)), "1234");
    QCOMPARE(c().column("line_edit_bps"), bitrates("1234"));
    QCOMPARE(c().column("lb_day_cap"), repeated("64.8", 16, channel - 1, "13.3272"));
}

void WindowTest::modeSwitchRecalculates_data()
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
void WindowTest::modeSwitchRecalculates()
{
    QFETCH(int, row);
    QFETCH(QString, autoTotal);
    QFETCH(QString, manualTotal);
    QComboBox &mode = c().box(Calculator::cell("cb_mode", row));
    QLineEdit &field = c().field(Calculator::cell("line_edit_bps", row));
    const auto shown = [this, &field] {
        return c().column("line_edit_bps") + c().column("lb_day_cap")
            + QStringList {field.text(), c().label("lb_total").text()};
    };
    const auto figures = [row](const QString &kbps, const QString &gb, const QString &total) {
        const int at = row == 0 ? -1 : row - 1;
        return repeated(row == 0 ? kbps : "6000", 16, at, kbps)
            + repeated(row == 0 ? gb : "64.8", 16, at, gb) + QStringList {kbps, total};
    };
    pickFromPopup(c().box(Calculator::cell("cb_resolution", row)), 2);
    const QStringList automatic = figures("1980", "21.384", autoTotal);
    QCOMPARE(shown(), automatic);

    pickFromPopup(mode, 1);
    QVERIFY(field.isEnabled());
    QCOMPARE(shown(), automatic);
    typeAndReturn(field, "2500");
    QCOMPARE(shown(), figures("2500", "27", manualTotal));

    MessageLog log;
    pickFromPopup(mode, 0);
    QVERIFY(!field.isEnabled());
    QCOMPARE(shown(), automatic);
    QCOMPARE(traceLines(log), trace(16));

    // Once recalculated, not the 2500 typed before.
    pickFromPopup(mode, 1);
    QCOMPARE(shown(), automatic);
}

void WindowTest::typedBitrateIsCommitted_data()
{
    // clang-format off
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("commit"); // 0 Return, 1 Tab, 2 a click into another field
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("capacity");
    const char *const ways[] = {"Return", "Tab", "click elsewhere"};
    for (int way = 0; way < 3; ++way) {
        QTest::addRow("2500, %s", ways[way]) << "2500" << way << "2500" << "27";
        QTest::addRow("digits then letters, %s", ways[way]) << "77x9" << way << "77" << "0.8316";
    }
    // clang-format on
}

void WindowTest::typedBitrateIsCommitted()
{
    QFETCH(QString, typed);
    QFETCH(int, commit);
    QFETCH(QString, shown);
    QFETCH(QString, capacity);
    pickFromPopup(c().box("cb_mode_7"), 1);
    QLineEdit &field = c().field("line_edit_bps_7");
    typeOver(field, typed);
    if (commit == 0)
        QTest::keyClick(&field, Qt::Key_Return);
    else if (commit == 1)
        QTest::keyClick(&field, Qt::Key_Tab);
    else
        QTest::mouseClick(&c().field("line_input_days"), Qt::LeftButton);
    QCOMPARE(field.text(), shown);
    QCOMPARE(c().label("lb_day_cap_7").text(), capacity);
}

void WindowTest::currentItemAgainRunsHandler_data()
{
    // clang-format off
    QTest::addColumn<QString>("box");
    QTest::newRow("resolution") << "cb_resolution_9";
    QTest::newRow("frame") << "cb_frame_9";
    QTest::newRow("quality") << "cb_quality_9";
    QTest::newRow("mode") << "cb_mode_9";
    QTest::newRow("ALL quality") << "cb_quality_all";
    // clang-format on
}

// Choosing the item already shown still takes the choice anew.
void WindowTest::currentItemAgainRunsHandler()
{
    QFETCH(QString, box);
    QComboBox &combo = c().box(box);
    if (box == QLatin1String("cb_mode_9")) {
        pickFromPopup(combo, 1);
        c().field("line_edit_bps_9").setText("4321"); // not yet taken
    }
    MessageLog log;
    pickFromPopup(combo, combo.currentIndex());
    QCOMPARE(traceLines(log).size(), 16);
    QCOMPARE(c().field("line_edit_bps_9").text(),
             box == QLatin1String("cb_mode_9") ? QStringLiteral("4321") : QStringLiteral("6000"));
}

void WindowTest::allSelectionReachesEveryChannel_data()
{
    // clang-format off
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("bitrate");
    QTest::newRow("resolution HD") << "cb_resolution" << 1 << "HD" << "3990";
    QTest::newRow("resolution D1") << "cb_resolution" << 2 << "D1" << "1980";
    QTest::newRow("quality Low") << "cb_quality" << 4 << "Low" << "2490";
    QTest::newRow("frame item 7") << "cb_frame" << 7 << "15" << "4000"; // 20 fps
    QTest::newRow("frame item 0") << "cb_frame" << 0 << "0" << "0";
    // clang-format on
}

// Hidden channels take the choice too and show it when they come back; a
// channel in Manual keeps its bitrate.
void WindowTest::allSelectionReachesEveryChannel()
{
    QFETCH(QString, family);
    QFETCH(int, index);
    QFETCH(QString, item);
    QFETCH(QString, bitrate);
    const QByteArray column = family.toLatin1();
    pickFromPopup(c().box("cb_mode_2"), 1);
    pickFromPopup(c().box("cb_max_ch"), 0);
    MessageLog log;
    pickFromPopup(c().box(family + "_all"), index);
    QCOMPARE(traceLines(log),
             QStringList({"MODE CHECK :0 - FALSE", "MODE CHECK :1 - TRUE", "MODE CHECK :2 - FALSE",
                          "MODE CHECK :3 - FALSE"}));
    QCOMPARE(c().column(column), repeated(item, 16));
    QCOMPARE(c().column("line_edit_bps"),
             QStringList({bitrate, "6000", bitrate, bitrate}) + repeated("0", 12));
    QCOMPARE(c().field("line_edit_bps_all").text(), bitrate);
    pickFromPopup(c().box("cb_max_ch"), 2);
    QCOMPARE(c().column("line_edit_bps"), repeated(bitrate, 16, 1, "6000"));
}

void WindowTest::allManualTakesShownBitrates()
{
    pickFromPopup(c().box("cb_resolution_2"), 1);
    pickFromPopup(c().box("cb_max_ch"), 0);
    for (int i = 4; i < 16; ++i)
        ch_manual_kbps[i] = 77; // as a hidden channel may hold from earlier
    const QStringList capacities = c().column("lb_day_cap");

    pickFromPopup(c().box("cb_mode_all"), 1);
    QCOMPARE(c().column("cb_mode"), repeated(QStringLiteral("Manual"), 16));
    for (int row = 0; row <= 16; ++row)
        QVERIFY(c().field(Calculator::cell("line_edit_bps", row)).isEnabled());
    QCOMPARE(c().column("lb_day_cap"), capacities);
    QCOMPARE(c().field("line_edit_bps_all").text(), QStringLiteral("6000"));

    // Channels that were not in use come back in Manual with what they held.
    pickFromPopup(c().box("cb_max_ch"), 2);
    QCOMPARE(c().column("line_edit_bps").mid(0, 6),
             QStringList({"6000", "3990", "6000", "6000", "77", "77"}));

    pickFromPopup(c().box("cb_mode_all"), 0);
    for (int row = 0; row <= 16; ++row)
        QVERIFY(!c().field(Calculator::cell("line_edit_bps", row)).isEnabled());
    QCOMPARE(c().column("line_edit_bps").mid(0, 6),
             QStringList({"6000", "3990", "6000", "6000", "6000", "6000"}));
}

void WindowTest::allBitrateReachesChannelsInUse_data()
{
    // clang-format off
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kbps");
    QTest::newRow("2048") << "2048" << "2048";
    QTest::newRow("with a unit") << "1500kbps" << "1500";
    QTest::newRow("empty") << "" << "0";
    // clang-format on
}

// The typed bitrate reaches the Manual channels in use; an Auto channel shows
// its own figure; hidden channels keep theirs.
void WindowTest::allBitrateReachesChannelsInUse()
{
    QFETCH(QString, typed);
    QFETCH(QString, kbps);
    pickFromPopup(c().box("cb_max_ch"), 0);
    pickFromPopup(c().box("cb_mode_all"), 1);
    pickFromPopup(c().box("cb_mode_2"), 0);
    for (int i = 4; i < 16; ++i)
        ch_manual_kbps[i] = 77;

    typeAndReturn(c().field("line_edit_bps_all"), typed);
    QCOMPARE(c().column("line_edit_bps"),
             QStringList({kbps, "6000", kbps, kbps}) + repeated("0", 12));
    QCOMPARE(c().field("line_edit_bps_all").text(), kbps);
    pickFromPopup(c().box("cb_max_ch"), 2);
    QCOMPARE(c().column("line_edit_bps"),
             QStringList({kbps, "6000", kbps, kbps}) + repeated("77", 12));
}

// Tabbing past the ALL field must not overwrite the bitrates typed per
// channel; Return in it applies it, changed or not.
void WindowTest::allBitrateAppliesOnlyWhenCommitted()
{
    pickFromPopup(c().box("cb_mode_all"), 1);
    typeAndReturn(c().field("line_edit_bps_1"), "1111");
    typeAndReturn(c().field("line_edit_bps_2"), "2222");
    QLineEdit &all = c().field("line_edit_bps_all");

    MessageLog log;
    QTest::mouseClick(&all, Qt::LeftButton);
    QTest::keyClick(&all, Qt::Key_Tab);
    QTest::mouseClick(&all, Qt::LeftButton);
    QTest::mouseClick(&c().field("line_edit_bps_3"), Qt::LeftButton);
    QVERIFY(traceLines(log).isEmpty());
    QCOMPARE(c().column("line_edit_bps").mid(0, 3), QStringList({"1111", "2222", "6000"}));

    QTest::mouseClick(&all, Qt::LeftButton);
    QTest::keyClick(&all, Qt::Key_Return);
    QCOMPARE(c().column("line_edit_bps"), repeated(QStringLiteral("6000"), 16));
    // Applied once: leaving the field afterwards adds nothing.
    log.clear();
    QTest::keyClick(&all, Qt::Key_Tab);
    QVERIFY(traceLines(log).isEmpty());
    // A change the user made counts when the focus leaves.
    typeOver(all, "3333");
    QTest::keyClick(&all, Qt::Key_Tab);
    QCOMPARE(c().column("line_edit_bps"), repeated(QStringLiteral("3333"), 16));

    // Opening a list elsewhere while the field has the focus is no Return,
    // even after a plan was opened into the field.
    typeAndReturn(c().field("line_edit_bps_1"), "1111");
    QTest::mouseClick(&all, Qt::LeftButton);
    Plan opened = c().window.currentPlan();
    opened.all.manualKbps = 5000;
    c().window.applyPlan(opened);
    pickFromPopup(c().box("cb_quality_5"), 1);
    QCOMPARE(c().column("line_edit_bps").mid(0, 2), QStringList({"1111", "3333"}));
}

void WindowTest::channelCount_data()
{
    // clang-format off
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("channels");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("days"); // on 2000 GB
    QTest::addColumn<QString>("hours");
    QTest::newRow("4 CH") << 0 << 4 << "259.2" << "7 Days" << "4 Hours";
    QTest::newRow("8 CH") << 1 << 8 << "518.4" << "3 Days" << "14 Hours";
    QTest::newRow("16 CH") << 2 << 16 << "1036.8" << "1 Days" << "19 Hours";
    // clang-format on
}

// Only the channels in use are shown, computed, traced and summed; hidden rows
// keep their settings; the same count again recalculates.
void WindowTest::channelCount()
{
    QFETCH(int, index);
    QFETCH(int, channels);
    QFETCH(QString, total);
    QFETCH(QString, days);
    QFETCH(QString, hours);
    pickFromPopup(c().box("cb_resolution_12"), 2);
    pickFromPopup(c().box("cb_quality_12"), 4);
    typeAndReturn(c().field("line_input_hdd"), "2000");
    for (int from : {2, 0, 1}) {
        pickFromPopup(c().box("cb_max_ch"), from);
        MessageLog log;
        pickFromPopup(c().box("cb_max_ch"), index);
        QCOMPARE(traceLines(log), trace(channels));
        for (int row = 0; row <= 16; ++row)
            for (const char *family : rowFamilies)
                QCOMPARE(
                    c().window.findChild<QWidget *>(Calculator::cell(family, row))->isVisible(),
                    row <= channels);
    }
    // Channel 12 records D1 Low: 512 / 30 x 30 = 510 Kbps, 5.508 GB.
    QStringList bitrates = repeated("0", 16);
    for (int n = 0; n < channels; ++n)
        bitrates[n] = n == 11 ? "510" : "6000";
    QCOMPARE(c().column("line_edit_bps"), bitrates);
    if (channels < 12) {
        QCOMPARE(c().label("lb_total").text(), total);
        QCOMPARE(c().label("lb_cal_days").text(), days);
        QCOMPARE(c().label("lb_cal_time").text(), hours);
    }
    pickFromPopup(c().box("cb_max_ch"), 2);
    QCOMPARE(c().box("cb_resolution_12").currentText(), QStringLiteral("D1"));
    QCOMPARE(c().label("lb_day_cap_12").text(), QStringLiteral("5.508"));
}

void WindowTest::videoStandardResetsFrames_data()
{
    // clang-format off
    QTest::addColumn<QList<int>>("picks");
    QTest::addColumn<QString>("top");
    QTest::addColumn<QStringList>("items");
    const QStringList pal = {"0", "1", "3", "4", "5", "7", "9", "13", "25"};
    const QStringList ntsc = {"0", "1", "2", "4", "5", "8", "10", "15", "30"};
    QTest::newRow("PAL") << QList<int>{0} << "25" << pal;
    QTest::newRow("NTSC again") << QList<int>{1} << "30" << ntsc;
    QTest::newRow("PAL, then NTSC") << QList<int>{0, 1} << "30" << ntsc;
    QTest::newRow("PAL twice") << QList<int>{0, 0} << "25" << pal;
    // clang-format on
}

// Any choice of standard, the current one included, puts every channel back
// on the top frame rate; the figures do not depend on the standard.
void WindowTest::videoStandardResetsFrames()
{
    QFETCH(QList<int>, picks);
    QFETCH(QString, top);
    QFETCH(QStringList, items);
    for (int pick : picks) {
        pickFromPopup(c().box("cb_frame_3"), 4);
        pickFromPopup(c().box("cb_frame_all"), 2);
        pickFromPopup(c().box("cb_resolution_5"), 1);
        pickFromPopup(c().box("cb_ntpal"), pick);
    }
    for (int row = 0; row <= 16; ++row) {
        QComboBox &frame = c().box(Calculator::cell("cb_frame", row));
        QCOMPARE(itemTexts(frame), items);
        QCOMPARE(frame.currentText(), top);
    }
    QCOMPARE(c().column("line_edit_bps"), repeated("6000", 16, 4, "3990"));
    // Item 7 computes with 20 fps whether it reads 13 or 15.
    pickFromPopup(c().box("cb_frame_1"), 7);
    QCOMPARE(c().field("line_edit_bps_1").text(), QStringLiteral("4000"));
}

void WindowTest::productLocksModes()
{
    QComboBox &product = c().box("cb_product");
    const auto modesEnabled = [this] {
        QVector<bool> enabled;
        for (int row = 0; row <= 16; ++row)
            enabled << c().box(Calculator::cell("cb_mode", row)).isEnabled();
        return enabled;
    };
    pickFromPopup(c().box("cb_max_ch"), 0);
    pickFromPopup(c().box("cb_mode_3"), 1);

    pickFromPopup(product, 1);
    QCOMPARE(modesEnabled(), QVector<bool>(17, false));
    QCOMPARE(c().column("cb_mode"), repeated(QStringLiteral("Auto"), 16));
    QCOMPARE(c().label("lb_total").text(), QStringLiteral("1036.8"));
    // Everything else still responds.
    pickFromPopup(c().box("cb_resolution_1"), 1);
    QCOMPARE(c().field("line_edit_bps_1").text(), QStringLiteral("3990"));

    QTest::mouseClick(c().window.findChild<QPushButton *>("btn_init"), Qt::LeftButton);
    QCOMPARE(modesEnabled(), QVector<bool>(17, false));
    QCOMPARE(product.currentText(), QStringLiteral("Hybrid-DVR"));

    pickFromPopup(product, 0);
    QCOMPARE(modesEnabled(), QVector<bool>(17, true));
    pickFromPopup(c().box("cb_mode_3"), 1);
    QVERIFY(c().field("line_edit_bps_3").isEnabled());
}

void WindowTest::resetRestoresDefaults_data()
{
    // clang-format off
    QTest::addColumn<int>("how"); // 0 the Reset button, 1 NVR chosen again, 2 Hybrid-DVR
    QTest::newRow("Reset button") << 0;
    QTest::newRow("the same product again") << 1;
    QTest::newRow("another product") << 2;
    // clang-format on
}

void WindowTest::resetRestoresDefaults()
{
    QFETCH(int, how);
    const QStringList defaults = shownState(c().window);
    pickFromPopup(c().box("cb_quality_16"), 4);
    pickFromPopup(c().box("cb_mode_3"), 1);
    typeAndReturn(c().field("line_edit_bps_3"), "2500");
    pickFromPopup(c().box("cb_ntpal"), 0);
    pickFromPopup(c().box("cb_frame_5"), 2);
    pickFromPopup(c().box("cb_resolution_all"), 2);
    pickFromPopup(c().box("cb_max_ch"), 0);
    pickFromPopup(c().box("cb_mode_all"), 1);
    typeAndReturn(c().field("line_input_days"), "5");
    typeAndReturn(c().field("line_input_hdd"), "100");

    MessageLog log;
    if (how == 0)
        QTest::mouseClick(c().window.findChild<QPushButton *>("btn_init"), Qt::LeftButton);
    else
        pickFromPopup(c().box("cb_product"), how - 1);
    QCOMPARE(traceLines(log), trace(16));
    QStringList expected = defaults;
    if (how == 2) {
        expected.replaceInStrings("cb_product: \"NVR of", "cb_product: \"Hybrid-DVR of");
        expected.replaceInStrings(QRegularExpression("^(cb_mode_.*)$"), "\\1, disabled");
    }
    QCOMPARE(shownState(c().window), expected);
    // Typed bitrates survive a reset; they count again once Manual is chosen.
    if (how != 2) {
        pickFromPopup(c().box("cb_mode_3"), 1);
        QCOMPARE(ch_manual_kbps[2], 6000); // the figure shown, not the 2500 from before
    }
}

void WindowTest::hostileText_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("hostile");
    QTest::addColumn<bool>("byReturn");
    const QList<Hostile> texts = hostileTexts();
    // Each family shares one implementation: every text through one field of
    // each, the channel fields taking turns, committed by Return or by Tab.
    for (int t = 0; t < texts.size(); ++t)
        for (const QString &field :
             {Calculator::cell("line_edit_bps", 1 + t % 16), QStringLiteral("line_edit_bps_all"),
              QStringLiteral("line_input_days"), QStringLiteral("line_input_hdd")})
            QTest::addRow("%s, %s", qPrintable(field), texts[t].name) << field << t << (t % 2 == 0);
}

// A defined figure or "--" every time, the typed text kept in the estimate
// fields, its number in the bitrate fields, and no other channel touched.
void WindowTest::hostileText()
{
    QFETCH(QString, field);
    QFETCH(int, hostile);
    QFETCH(bool, byReturn);
    const Hostile input = hostileTexts().at(hostile);
    const bool estimate = field.startsWith(QLatin1String("line_input"));
    const bool all = field == QLatin1String("line_edit_bps_all");
    const int channel = estimate || all ? 0 : field.section('_', -1).toInt();
    // Another row with settings of its own to keep, in Auto.
    const int other = channel == 2 ? 3 : 2;
    if (!estimate) {
        pickFromPopup(c().box(Calculator::cell("cb_mode", channel)), 1);
        pickFromPopup(c().box(Calculator::cell("cb_mode", other)), 0);
        pickFromPopup(c().box(Calculator::cell("cb_quality", other)), 3);
    }
    const QStringList before = shownState(c().window);

    QLineEdit &edit = c().field(field);
    enterText(edit, input.text);
    QTest::keyClick(&edit, byReturn ? Qt::Key_Return : Qt::Key_Tab);

    QCOMPARE(brokenStateRelations(c()).join("; "), QString());
    QCOMPARE(brokenFigureRelations(c()).join("; "), QString());
    QStringList changed = shownState(c().window);
    const auto drop = [&changed, &before](const QString &prefix) {
        changed = changed.filter(QRegularExpression("^(?!" + prefix + ")"));
        return before.filter(QRegularExpression("^(?!" + prefix + ")"));
    };
    const QString number = QString::number(input.kbps);
    if (estimate) {
        // The typed text stays; only NUL may be dropped by the field.
        QCOMPARE(edit.text().remove(QChar(0)), QString(input.text).remove(QChar(0)));
        if (field == QLatin1String("line_input_days")) {
            QCOMPARE(c().label("lb_cal_hdd").text(), QString(input.required));
        } else {
            QCOMPARE(c().label("lb_cal_days").text(), QString(input.lastsDays));
            QCOMPARE(c().label("lb_cal_time").text(), QString(input.lastsHours));
        }
        QCOMPARE(changed, drop(field + "|lb_cal_"));
    } else if (all) {
        QCOMPARE(c().column("line_edit_bps"), repeated(number, 16, other - 1, "3480"));
        QCOMPARE(edit.text(), number);
        QCOMPARE(changed, drop("line_edit_bps_all|lb_|line_edit_bps_[0-9]"));
    } else {
        QCOMPARE(edit.text(), number);
        QCOMPARE(changed,
                 drop(field + ":|lb_day_cap_" + QString::number(channel) + ":|lb_total|lb_cal_"));
    }
}

// A screen reader names each control and result once, with its channel.
void WindowTest::accessibleNames()
{
    QHash<QString, QString> owners;
    for (QWidget *widget :
         c().window.findChildren<QWidget *>(QRegularExpression("^(cb|line|lb|btn)_"))) {
        const QString name = widget->accessibleName();
        QVERIFY2(!name.trimmed().isEmpty(), qPrintable(widget->objectName() + " has no name"));
        QVERIFY2(!owners.contains(name), qPrintable("\"" + name + "\" names two controls"));
        owners.insert(name, widget->objectName());
        // A combo box on Linux announces its description, not its name.
        if (auto *box = qobject_cast<QComboBox *>(widget))
            QCOMPARE(box->accessibleDescription(), name);
        const QString row = widget->objectName().section('_', -1);
        bool channel = false;
        row.toInt(&channel);
        if (channel || row == QLatin1String("all"))
            QVERIFY2(
                name.startsWith(row == "all" ? QString("All channels ") : "Channel " + row + " "),
                qPrintable(widget->objectName() + ": " + name));
    }
    QCOMPARE(owners.size(), 112);
}

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
