// Every figure the window shows, from the start-up reset on: bitrates, daily
// capacities, the total, the storage estimate and the trace, driven through
// the controls as a user would.

#include "model.h"
#include "testsupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

QStringList traceFor(int channels, const char *mode = "FALSE")
{
    QStringList lines;
    for (int i = 0; i < channels; ++i)
        lines << QStringLiteral("MODE CHECK :%1 - %2").arg(i).arg(QLatin1String(mode));
    return lines;
}

const char *const families[] = {"cb_mode", "cb_resolution", "cb_frame", "cb_quality"};

} // namespace

class RecalculationTest : public QObject
{
    Q_OBJECT

private slots:
    void startUpState();
    void autoBitrate_data();
    void autoBitrate();
    void frameIndexDecidesRate_data();
    void frameIndexDecidesRate();
    void channelCount_data();
    void channelCount();
    void estimates_data();
    void estimates();
    void nothingRecorded();
    void manualBitrate_data();
    void manualBitrate();
    void resetRestoresDefaults_data();
    void resetRestoresDefaults();
};

// What the user first sees, built exactly as main() builds it.
void RecalculationTest::startUpState()
{
    MessageLog log;
    MainWindow window;
    window.show();
    window.resetAll();
    QVERIFY2(log.warnings().isEmpty(), qPrintable(log.warnings().join('\n')));
    QCOMPARE(log.debugLines(), traceFor(16));

    for (int row = 0; row <= 16; ++row) {
        auto *bitrate = window.findChild<QLineEdit *>(Calculator::cell("line_edit_bps", row));
        QCOMPARE(bitrate->text(), QStringLiteral("6000"));
        QVERIFY(!bitrate->isEnabled());
        QCOMPARE(window.findChild<QLabel *>(Calculator::cell("lb_day_cap", row))->text(),
                 row == 0 ? QString() : QStringLiteral("64.8"));
        for (const char *family : families)
            QVERIFY(window.findChild<QComboBox *>(Calculator::cell(family, row))->isVisible());
    }
    QCOMPARE(window.findChild<QLabel *>("lb_total")->text(), QStringLiteral("1036.8"));
    QCOMPARE(window.findChild<QLineEdit *>("line_input_days")->text(), QString());
    QCOMPARE(window.findChild<QLineEdit *>("line_input_hdd")->text(), QString());
    QCOMPARE(window.findChild<QLabel *>("lb_cal_hdd")->text(), QStringLiteral("0 GB"));
    QCOMPARE(window.findChild<QLabel *>("lb_cal_days")->text(), QStringLiteral("0 Days"));
    QCOMPARE(window.findChild<QLabel *>("lb_cal_time")->text(), QStringLiteral("0 Hours"));
    QCOMPARE(window.findChild<QComboBox *>("cb_product")->currentText(), QStringLiteral("NVR"));
    QCOMPARE(window.findChild<QComboBox *>("cb_ntpal")->currentText(), QStringLiteral("NTSC"));
    QCOMPARE(window.findChild<QComboBox *>("cb_max_ch")->currentText(), QStringLiteral("16 CH"));
}

void RecalculationTest::autoBitrate_data()
{
    // clang-format off
    QTest::addColumn<int>("resolution");
    QTest::addColumn<int>("quality");
    QTest::addColumn<QString>("bitrate");
    QTest::addColumn<QString>("capacity");
    QTest::newRow("Full-HD Highest") << 0 << 1 << "4980" << "53.784";
    QTest::newRow("HD Super") << 1 << 0 << "3990" << "43.092";
    QTest::newRow("HD Low") << 1 << 4 << "1980" << "21.384";
    QTest::newRow("D1 Super") << 2 << 0 << "1980" << "21.384";
    QTest::newRow("D1 Highest") << 2 << 1 << "1500" << "16.2";
    QTest::newRow("D1 Standard") << 2 << 3 << "750" << "8.1";
    // clang-format on
}

void RecalculationTest::autoBitrate()
{
    QFETCH(int, resolution);
    QFETCH(int, quality);
    QFETCH(QString, bitrate);
    QFETCH(QString, capacity);
    Calculator calculator;
    pickFromPopup(calculator.box("cb_resolution_5"), resolution);
    pickFromPopup(calculator.box("cb_quality_5"), quality);
    QCOMPARE(calculator.field("line_edit_bps_5").text(), bitrate);
    QCOMPARE(calculator.label("lb_day_cap_5").text(), capacity);
    // The neighbours are untouched.
    QCOMPARE(calculator.field("line_edit_bps_4").text(), QStringLiteral("6000"));
    QCOMPARE(calculator.field("line_edit_bps_6").text(), QStringLiteral("6000"));
}

void RecalculationTest::frameIndexDecidesRate_data()
{
    // clang-format off
    QTest::addColumn<int>("resolution");
    QTest::addColumn<int>("quality");
    QTest::addColumn<int>("frame");
    QTest::addColumn<QString>("bitrate");
    // The item's text is not the rate: index 7 reads 15 and computes with 20.
    QTest::newRow("Full-HD Super, item 0") << 0 << 0 << 0 << "0";
    QTest::newRow("Full-HD Super, item 1") << 0 << 0 << 1 << "800";
    QTest::newRow("Full-HD Super, item 4") << 0 << 0 << 4 << "2000";
    QTest::newRow("Full-HD Super, item 7") << 0 << 0 << 7 << "4000";
    QTest::newRow("Full-HD Super, item 8") << 0 << 0 << 8 << "6000";
    QTest::newRow("HD Low, item 4") << 1 << 4 << 4 << "660";
    // clang-format on
}

void RecalculationTest::frameIndexDecidesRate()
{
    QFETCH(int, resolution);
    QFETCH(int, quality);
    QFETCH(int, frame);
    QFETCH(QString, bitrate);
    Calculator calculator;
    pickFromPopup(calculator.box("cb_resolution_2"), resolution);
    pickFromPopup(calculator.box("cb_quality_2"), quality);
    pickFromPopup(calculator.box("cb_frame_2"), frame);
    QCOMPARE(calculator.field("line_edit_bps_2").text(), bitrate);
    QCOMPARE(int(ch_fps[1]), QList<int>({0, 4, 6, 8, 10, 12, 16, 20, 30}).at(frame));
}

void RecalculationTest::channelCount_data()
{
    // clang-format off
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("channels");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("days");
    QTest::addColumn<QString>("hours");
    QTest::newRow("4 CH") << 0 << 4 << "259.2" << "7 Days" << "4 Hours";
    QTest::newRow("8 CH") << 1 << 8 << "518.4" << "3 Days" << "14 Hours";
    QTest::newRow("16 CH") << 2 << 16 << "1036.8" << "1 Days" << "19 Hours";
    // clang-format on
}

// Only the channels in use are computed, traced and summed.
void RecalculationTest::channelCount()
{
    QFETCH(int, index);
    QFETCH(int, channels);
    QFETCH(QString, total);
    QFETCH(QString, days);
    QFETCH(QString, hours);
    Calculator calculator;
    MessageLog log;
    pickFromPopup(calculator.box("cb_max_ch"), index);
    QCOMPARE(log.debugLines(), traceFor(channels));

    QStringList bitrates, capacities;
    for (int n = 1; n <= 16; ++n) {
        bitrates << (n <= channels ? "6000" : "0");
        capacities << (n <= channels ? "64.8" : "0");
    }
    QCOMPARE(calculator.column("line_edit_bps"), bitrates);
    QCOMPARE(calculator.column("lb_day_cap"), capacities);
    QCOMPARE(calculator.label("lb_total").text(), total);

    typeAndReturn(calculator.field("line_input_hdd"), QStringLiteral("2000"));
    QCOMPARE(calculator.label("lb_cal_days").text(), days);
    QCOMPARE(calculator.label("lb_cal_time").text(), hours);
}

void RecalculationTest::estimates_data()
{
    // clang-format off
    QTest::addColumn<QString>("days");
    QTest::addColumn<QString>("disk");
    QTest::addColumn<QString>("needed");
    QTest::addColumn<QString>("lastsDays");
    QTest::addColumn<QString>("lastsHours");
    QTest::newRow("30 days") << "30" << "" << "33397 GB" << "0 Days" << "0 Hours";
    QTest::newRow("1 day") << "1" << "" << "1113 GB" << "0 Days" << "0 Hours";
    QTest::newRow("half a day") << "0.5" << "" << "556 GB" << "0 Days" << "0 Hours";
    QTest::newRow("with a unit") << "12.5GB" << "" << "13915 GB" << "0 Days" << "0 Hours";
    QTest::newRow("grouped") << "1,000" << "" << "1113 GB" << "0 Days" << "0 Hours";
    QTest::newRow("negative days") << "-30" << "" << "-33397 GB" << "0 Days" << "0 Hours";
    QTest::newRow("3000 GB") << "" << "3000" << "0 GB" << "2 Days" << "16 Hours";
    QTest::newRow("-100 GB") << "" << "-100" << "0 GB" << "0 Days" << "-2 Hours";
    QTest::newRow("both") << "30" << "3000" << "33397 GB" << "2 Days" << "16 Hours";
    QTest::newRow("not numbers") << "nan" << "1e999" << "-- GB" << "-- Days" << "-- Hours";
    QTest::newRow("too large") << "1e9" << "inf" << "-- GB" << "-- Days" << "-- Hours";
    // clang-format on
}

void RecalculationTest::estimates()
{
    QFETCH(QString, days);
    QFETCH(QString, disk);
    QFETCH(QString, needed);
    QFETCH(QString, lastsDays);
    QFETCH(QString, lastsHours);
    Calculator calculator;
    typeAndReturn(calculator.field("line_input_days"), days);
    typeAndReturn(calculator.field("line_input_hdd"), disk);
    QCOMPARE(calculator.label("lb_cal_hdd").text(), needed);
    QCOMPARE(calculator.label("lb_cal_days").text(), lastsDays);
    QCOMPARE(calculator.label("lb_cal_time").text(), lastsHours);
    // The typed text stays as typed.
    QCOMPARE(calculator.field("line_input_days").text(), days);
    QCOMPARE(calculator.field("line_input_hdd").text(), disk);
}

// With every channel at frame item 0 nothing is recorded: no disk ever fills.
void RecalculationTest::nothingRecorded()
{
    Calculator calculator;
    pickFromPopup(calculator.box("cb_frame_all"), 0);
    QCOMPARE(calculator.label("lb_total").text(), QStringLiteral("0"));
    typeAndReturn(calculator.field("line_input_hdd"), QStringLiteral("3000"));
    QCOMPARE(calculator.label("lb_cal_days").text(), QStringLiteral("-- Days"));
    QCOMPARE(calculator.label("lb_cal_time").text(), QStringLiteral("-- Hours"));
    typeAndReturn(calculator.field("line_input_days"), QStringLiteral("30"));
    QCOMPARE(calculator.label("lb_cal_hdd").text(), QStringLiteral("0 GB"));
    typeAndReturn(calculator.field("line_input_hdd"), QString());
    QCOMPARE(calculator.label("lb_cal_days").text(), QStringLiteral("-- Days"));
}

void RecalculationTest::manualBitrate_data()
{
    // clang-format off
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("capacity");
    QTest::newRow("2500") << "2500" << "2500" << "27";
    QTest::newRow("largest") << "2147483647" << "2147483647" << "2.31928e+07";
    QTest::newRow("one more saturates") << "2147483648" << "2147483647" << "2.31928e+07";
    QTest::newRow("one less saturates") << "-2147483649" << "-2147483648" << "-2.31928e+07";
    QTest::newRow("letters") << "abc" << "0" << "0";
    QTest::newRow("unit after") << "1500kbps" << "1500" << "16.2";
    // clang-format on
}

void RecalculationTest::manualBitrate()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, capacity);
    Calculator calculator;
    pickFromPopup(calculator.box("cb_mode_3"), 1);
    typeAndReturn(calculator.field("line_edit_bps_3"), typed);
    QCOMPARE(calculator.field("line_edit_bps_3").text(), shown);
    QCOMPARE(calculator.label("lb_day_cap_3").text(), capacity);
    QCOMPARE(ch_manual_kbps[2], shown.toInt());
}

void RecalculationTest::resetRestoresDefaults_data()
{
    // clang-format off
    QTest::addColumn<bool>("button");
    QTest::newRow("Reset button") << true;
    QTest::newRow("start-up reset") << false;
    // clang-format on
}

void RecalculationTest::resetRestoresDefaults()
{
    QFETCH(bool, button);
    Calculator calculator;
    pickFromPopup(calculator.box("cb_quality_16"), 4);
    pickFromPopup(calculator.box("cb_resolution_2"), 1);
    pickFromPopup(calculator.box("cb_frame_7"), 3);
    pickFromPopup(calculator.box("cb_mode_3"), 1);
    typeAndReturn(calculator.field("line_edit_bps_3"), QStringLiteral("2500"));
    pickFromPopup(calculator.box("cb_ntpal"), 0);
    pickFromPopup(calculator.box("cb_frame_5"), 2);
    pickFromPopup(calculator.box("cb_resolution_all"), 2);
    pickFromPopup(calculator.box("cb_max_ch"), 0);
    pickFromPopup(calculator.box("cb_mode_all"), 1);
    typeAndReturn(calculator.field("line_input_days"), QStringLiteral("5"));
    typeAndReturn(calculator.field("line_input_hdd"), QStringLiteral("100"));
    QCOMPARE(calculator.box("cb_ntpal").currentText(), QStringLiteral("PAL"));
    QCOMPARE(int(video_standard), 0);

    MessageLog log;
    if (button)
        QTest::mouseClick(calculator.window.findChild<QPushButton *>("btn_init"), Qt::LeftButton);
    else
        calculator.window.resetAll();
    QCOMPARE(log.debugLines(), traceFor(16));

    QCOMPARE(calculator.box("cb_ntpal").currentIndex(), 1);
    QCOMPARE(calculator.box("cb_max_ch").currentIndex(), 2);
    QCOMPARE(calculator.box("cb_product").currentIndex(), 0);
    for (int row = 0; row <= 16; ++row) {
        QCOMPARE(calculator.box(Calculator::cell("cb_mode", row)).currentIndex(), 0);
        QCOMPARE(calculator.box(Calculator::cell("cb_resolution", row)).currentIndex(), 0);
        QCOMPARE(calculator.box(Calculator::cell("cb_quality", row)).currentIndex(), 0);
        QComboBox &frame = calculator.box(Calculator::cell("cb_frame", row));
        QCOMPARE(itemTexts(frame), QStringList({"0", "1", "2", "4", "5", "8", "10", "15", "30"}));
        QCOMPARE(frame.currentIndex(), 8);
        QLineEdit &bitrate = calculator.field(Calculator::cell("line_edit_bps", row));
        QVERIFY(!bitrate.isEnabled());
        QVERIFY(bitrate.isVisible());
        QCOMPARE(bitrate.text(), QStringLiteral("6000"));
    }
    QCOMPARE(calculator.column("lb_day_cap"), repeated(QStringLiteral("64.8"), 16));
    QCOMPARE(calculator.label("lb_total").text(), QStringLiteral("1036.8"));
    QCOMPARE(calculator.field("line_input_days").text(), QString());
    QCOMPARE(calculator.field("line_input_hdd").text(), QString());
    QCOMPARE(calculator.label("lb_cal_hdd").text(), QStringLiteral("0 GB"));
    QCOMPARE(calculator.label("lb_cal_days").text(), QStringLiteral("0 Days"));
    QCOMPARE(calculator.label("lb_cal_time").text(), QStringLiteral("0 Hours"));

    QCOMPARE(int(video_standard), 1);
    for (int i = 0; i < 16; ++i) {
        QCOMPARE(int(ch_resolution[i]), 0);
        QCOMPARE(int(ch_fps[i]), 30);
        QCOMPARE(int(ch_quality[i]), 0);
        QCOMPARE(int(ch_manual[i]), 0);
    }
    // Typed bitrates survive a reset; they count again once Manual is chosen.
    QCOMPARE(ch_manual_kbps[2], 2500);
}

QTEST_MAIN(RecalculationTest)
#include "tst_recalculation.moc"
