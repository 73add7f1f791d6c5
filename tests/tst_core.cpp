// The core on plain values: the arithmetic, the number texts, a plan's
// figures and plan files. Expected figures are worked out by hand or with
// float32 arithmetic elsewhere, never with the program's own formulas.
// CTest runs this under a German locale, whose decimal separator is a comma:
// every number read below must still take "." as its point.

#include "calculation.h"
#include "numbertext.h"
#include "planfile.h"

#include <QTemporaryDir>
#include <QTest>

#include <clocale>
#include <cmath>
#include <cstring>
#include <limits>

using Int32 = std::int32_t;
using MaybeInt = std::optional<Int32>;
Q_DECLARE_METATYPE(MaybeInt)
Q_DECLARE_METATYPE(Plan)

namespace {

constexpr Int32 int32Max = std::numeric_limits<Int32>::max();
constexpr Int32 int32Min = std::numeric_limits<Int32>::min();
constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();

// Float sum of 16 channels at 6000 Kbps; the display rounds it to 1036.8.
constexpr float sixteenAtSixThousand = 1036.79993f;

QStringList times(int count, const char *text)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << QString::fromLatin1(text);
    return list;
}

// Channel figures as "kbps/GB" texts, channel by channel.
QStringList channelTexts(const PlanFigures &figures)
{
    QStringList texts;
    for (int i = 0; i < channel_max; ++i)
        texts << figures.kbpsText(i) + "/" + figures.dayGbText(i);
    return texts;
}

} // namespace

class CoreTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void autoBitrate_data();
    void autoBitrate();
    void betterSettingsNeverRecordLess();
    void dayCapacity_data();
    void dayCapacity();
    void dayTotalAddsInChannelOrder_data();
    void dayTotalAddsInChannelOrder();
    void requiredCapacity_data();
    void requiredCapacity();
    void recordingTime_data();
    void recordingTime();
    void truncation_data();
    void truncation();
    void kbpsFromText_data();
    void kbpsFromText();
    void numberFromText_data();
    void numberFromText();
    void texts_data();
    void texts();
    void planFigures_data();
    void planFigures();
    void planFileRoundTrip_data();
    void planFileRoundTrip();
    void planFileText();
    void planFileReading();
};

// Without the locale the reading tests would prove less: fail instead.
void CoreTest::initTestCase()
{
    std::setlocale(LC_ALL, "");
    QVERIFY2(QString::fromLatin1(std::localeconv()->decimal_point) == QLatin1String(","),
             "no comma-decimal locale is active; CTest sets LC_ALL=de_DE.UTF-8, which needs "
             "the Debian package locales-all");
}

void CoreTest::autoBitrate_data()
{
    // clang-format off
    QTest::addColumn<int>("resolution");
    QTest::addColumn<int>("quality");
    QTest::addColumn<int>("fps");
    QTest::addColumn<Int32>("kbps");
    // 30 fps: the reference divided by 30 first, then times 30.
    const Int32 table[3][5] = {{6000, 4980, 3990, 3480, 2490},
                               {3990, 3480, 3000, 2490, 1980},
                               {1980, 1500, 990, 750, 510}};
    for (int r = 0; r < 3; ++r)
        for (int q = 0; q < 5; ++q)
            QTest::addRow("%s %s 30", qPrintable(resolution_names[r]), qPrintable(quality_names[q]))
                << r << q << 30 << table[r][q];
    QTest::newRow("HD Low 10") << 1 << 4 << 10 << Int32(660);
    QTest::newRow("Full-HD Super 20") << 0 << 0 << 20 << Int32(4000);
    QTest::newRow("D1 Standard 4") << 2 << 3 << 4 << Int32(100);
    QTest::newRow("0 fps") << 0 << 0 << 0 << Int32(0);
    // clang-format on
}

void CoreTest::autoBitrate()
{
    QFETCH(int, resolution);
    QFETCH(int, quality);
    QFETCH(int, fps);
    QFETCH(Int32, kbps);
    QCOMPARE(autoBitrateKbps(resolution, quality, fps), kbps);
}

// A higher quality (lower index) or a higher frame item never lowers a bitrate.
void CoreTest::betterSettingsNeverRecordLess()
{
    for (int r = 0; r < 3; ++r)
        for (int q = 0; q < 5; ++q)
            for (int k = 0; k < 9; ++k) {
                const Int32 kbps = autoBitrateKbps(r, q, frame_index_fps[k]);
                if (q > 0)
                    QVERIFY(autoBitrateKbps(r, q - 1, frame_index_fps[k]) >= kbps);
                if (k > 0)
                    QVERIFY(autoBitrateKbps(r, q, frame_index_fps[k - 1]) <= kbps);
            }
}

void CoreTest::dayCapacity_data()
{
    // clang-format off
    QTest::addColumn<Int32>("kbps");
    QTest::addColumn<float>("gigabytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("6000") << Int32(6000) << 64.8f << "64.8";
    QTest::newRow("2500") << Int32(2500) << 27.0f << "27";
    QTest::newRow("3990") << Int32(3990) << 43.092f << "43.092";
    QTest::newRow("1") << Int32(1) << 0.0108f << "0.0108";
    QTest::newRow("0") << Int32(0) << 0.0f << "0";
    QTest::newRow("-1") << Int32(-1) << -0.0108f << "-0.0108";
    QTest::newRow("largest") << int32Max << 23192824.0f << "2.31928e+07";
    QTest::newRow("smallest") << int32Min << -23192824.0f << "-2.31928e+07";
    // clang-format on
}

void CoreTest::dayCapacity()
{
    QFETCH(Int32, kbps);
    QFETCH(float, gigabytes);
    QFETCH(QString, text);
    const float capacity = dayCapacityGb(kbps);
    // Bit for bit: the nearest float to the exact figure.
    QCOMPARE(std::memcmp(&capacity, &gigabytes, sizeof(float)), 0);
    QCOMPARE(capacityText(capacity), text);
}

void CoreTest::dayTotalAddsInChannelOrder_data()
{
    // clang-format off
    QTest::addColumn<QVector<float>>("capacities");
    QTest::addColumn<int>("count");
    QTest::addColumn<float>("total");
    QTest::addColumn<QString>("text");
    const QVector<float> sixteen(16, 64.8f);
    QTest::newRow("16 x 64.8") << sixteen << 16 << sixteenAtSixThousand << "1036.8";
    QTest::newRow("first 4") << sixteen << 4 << 259.2f << "259.2";
    QTest::newRow("none") << sixteen << 0 << 0.0f << "0";
    // Float additions one after another: 1e8 + 1 is 1e8 in float.
    QTest::newRow("float rounding") << QVector<float> {1e8f, 1.0f, -1e8f} << 3 << 0.0f << "0";
    QTest::newRow("largest x 16") << QVector<float>(16, 23192824.0f) << 16 << 371085248.0f << "3.71085e+08";
    // clang-format on
}

void CoreTest::dayTotalAddsInChannelOrder()
{
    QFETCH(QVector<float>, capacities);
    QFETCH(int, count);
    QFETCH(float, total);
    QFETCH(QString, text);
    const float sum = dayTotalGb(capacities.constData(), count);
    QCOMPARE(sum, total);
    QCOMPARE(capacityText(sum), text);
}

void CoreTest::requiredCapacity_data()
{
    // clang-format off
    QTest::addColumn<float>("dayTotal");
    QTest::addColumn<double>("days");
    QTest::addColumn<MaybeInt>("gigabytes");
    QTest::newRow("30 days") << sixteenAtSixThousand << 30.0 << MaybeInt(33397);
    QTest::newRow("1 day") << sixteenAtSixThousand << 1.0 << MaybeInt(1113);
    QTest::newRow("half a day") << sixteenAtSixThousand << 0.5 << MaybeInt(556);
    QTest::newRow("-1 day") << sixteenAtSixThousand << -1.0 << MaybeInt(-1113);
    QTest::newRow("nothing recorded") << 0.0f << 30.0 << MaybeInt(0);
    QTest::newRow("too many days") << sixteenAtSixThousand << 1e7 << MaybeInt();
    QTest::newRow("too few days") << sixteenAtSixThousand << -1e7 << MaybeInt();
    QTest::newRow("inf") << sixteenAtSixThousand << infinity << MaybeInt();
    QTest::newRow("nan") << sixteenAtSixThousand << notANumber << MaybeInt();
    QTest::newRow("nothing recorded, inf days") << 0.0f << infinity << MaybeInt();
    // clang-format on
}

void CoreTest::requiredCapacity()
{
    QFETCH(float, dayTotal);
    QFETCH(double, days);
    QFETCH(MaybeInt, gigabytes);
    QCOMPARE(requiredCapacityGb(dayTotal, days), gigabytes);
}

void CoreTest::recordingTime_data()
{
    // clang-format off
    QTest::addColumn<float>("dayTotal");
    QTest::addColumn<double>("installed");
    QTest::addColumn<MaybeInt>("days");
    QTest::addColumn<MaybeInt>("hours");
    QTest::newRow("3000 GB") << sixteenAtSixThousand << 3000.0 << MaybeInt(2) << MaybeInt(16);
    QTest::newRow("4 channels, 2000 GB") << 259.2f << 2000.0 << MaybeInt(7) << MaybeInt(4);
    QTest::newRow("8 channels, 1000 GB") << 518.4f << 1000.0 << MaybeInt(1) << MaybeInt(19);
    QTest::newRow("no disk") << sixteenAtSixThousand << 0.0 << MaybeInt(0) << MaybeInt(0);
    QTest::newRow("-100 GB") << sixteenAtSixThousand << -100.0 << MaybeInt(0) << MaybeInt(-2);
    QTest::newRow("nothing recorded") << 0.0f << 3000.0 << MaybeInt() << MaybeInt();
    QTest::newRow("nothing recorded, no disk") << 0.0f << 0.0 << MaybeInt() << MaybeInt();
    QTest::newRow("inf disk") << sixteenAtSixThousand << infinity << MaybeInt() << MaybeInt();
    QTest::newRow("nan disk") << sixteenAtSixThousand << notANumber << MaybeInt() << MaybeInt();
    // 24 GB a day is one per hour; 2^33 GB then last 8e9 hours: the days fit
    // 32 bits, the whole hours do not, the remainder is still 8.
    QTest::newRow("hours beyond 32 bits") << 24.0f << 8589934592.0 << MaybeInt(333333333) << MaybeInt(8);
    // 2^40 GB: 1.024e12 hours, more days than 32 bits hold; 1.024e12 mod 24 is 16.
    QTest::newRow("days beyond 32 bits") << 24.0f << 1099511627776.0 << MaybeInt() << MaybeInt(16);
    QTest::newRow("negative, beyond 32 bits") << 24.0f << -1099511627776.0 << MaybeInt() << MaybeInt(-16);
    // clang-format on
}

void CoreTest::recordingTime()
{
    QFETCH(float, dayTotal);
    QFETCH(double, installed);
    QFETCH(MaybeInt, days);
    QFETCH(MaybeInt, hours);
    const double total = recordingHours(dayTotal, installed);
    QCOMPARE(recordingDays(total), days);
    QCOMPARE(recordingHoursBeyondDays(total), hours);
}

void CoreTest::truncation_data()
{
    // clang-format off
    QTest::addColumn<double>("value");
    QTest::addColumn<MaybeInt>("truncated");
    QTest::newRow("largest") << 2147483647.9 << MaybeInt(int32Max);
    QTest::newRow("one above") << 2147483648.0 << MaybeInt();
    QTest::newRow("smallest") << -2147483648.9 << MaybeInt(int32Min);
    QTest::newRow("one below") << -2147483649.0 << MaybeInt();
    QTest::newRow("toward zero") << -0.5 << MaybeInt(0);
    QTest::newRow("nan") << notANumber << MaybeInt();
    // clang-format on
}

void CoreTest::truncation()
{
    QFETCH(double, value);
    QFETCH(MaybeInt, truncated);
    QCOMPARE(truncatedInt32(value), truncated);
}

void CoreTest::kbpsFromText_data()
{
    // clang-format off
    QTest::addColumn<QString>("text");
    QTest::addColumn<Int32>("kbps");
    QTest::newRow("plain") << "6000" << Int32(6000);
    QTest::newRow("empty") << "" << Int32(0);
    QTest::newRow("blanks first") << " \t\n\v\f\r42" << Int32(42);
    QTest::newRow("minus") << "-5" << Int32(-5);
    QTest::newRow("plus") << "+7" << Int32(7);
    QTest::newRow("sign then blank") << "- 5" << Int32(0);
    QTest::newRow("hex is not read") << "0x10" << Int32(0);
    QTest::newRow("unit after") << "1500kbps" << Int32(1500);
    QTest::newRow("fraction") << "12.5" << Int32(12);
    QTest::newRow("grouping") << "1,000" << Int32(1);
    QTest::newRow("largest") << "2147483647" << int32Max;
    QTest::newRow("saturates up") << "2147483648" << int32Max;
    QTest::newRow("smallest") << "-2147483648" << int32Min;
    QTest::newRow("saturates down") << "-2147483649" << int32Min;
    QTest::newRow("6000 digits") << QString(6000, QLatin1Char('9')) << int32Max;
    QTest::newRow("6000 digits, negative") << "-" + QString(5999, QLatin1Char('9')) << int32Min;
    QTest::newRow("Korean") << QStringLiteral("\uAC00\uB098") << Int32(0);
    QTest::newRow("Arabic-Indic digits") << QStringLiteral("\u0663\u0664") << Int32(0);
    QTest::newRow("fullwidth digits") << QStringLiteral("\uFF11\uFF12") << Int32(0);
    QTest::newRow("emoji") << QStringLiteral("\U0001F4F9 5") << Int32(0);
    QTest::newRow("NUL first") << QString(QChar(0)) + "12" << Int32(0);
    QTest::newRow("NUL after") << "12" + QString(QChar(0)) + "34" << Int32(12);
    QTest::newRow("no-break space") << QStringLiteral("\u00A012") << Int32(0);
    // clang-format on
}

void CoreTest::kbpsFromText()
{
    QFETCH(QString, text);
    QFETCH(Int32, kbps);
    QCOMPARE(::kbpsFromText(text), kbps);
}

void CoreTest::numberFromText_data()
{
    // clang-format off
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");
    QTest::newRow("half") << "0.5" << 0.5;
    QTest::newRow("unit after") << "12.5GB" << 12.5;
    QTest::newRow("grouping") << "1,000" << 1.0;
    QTest::newRow("decimal comma") << "0,5" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("blanks") << " \t 30" << 30.0;
    QTest::newRow("minus") << "-100" << -100.0;
    QTest::newRow("plus") << "+7" << 7.0;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("trailing point") << "5." << 5.0;
    QTest::newRow("point alone") << "." << 0.0;
    QTest::newRow("exponent") << "3e3" << 3000.0;
    QTest::newRow("negative exponent") << "25E-1x" << 2.5;
    QTest::newRow("exponent without digits") << "7e+" << 7.0;
    QTest::newRow("hexadecimal") << "0x10" << 16.0;
    QTest::newRow("hexadecimal fraction and exponent") << "0x1.8p3" << 12.0;
    // Beyond 16 digits: the last 1 decides a tie that would round down.
    QTest::newRow("hexadecimal rounding") << "0x200000000000010001" << 0x1.0000000000001p69;
    QTest::newRow("hexadecimal tie") << "0x200000000000010000" << 0x1p69;
    QTest::newRow("0x alone") << "0xg" << 0.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("huge") << "1e999" << infinity;
    QTest::newRow("huge negative") << "-1e999" << -infinity;
    QTest::newRow("6000 digits") << QString(6000, QLatin1Char('9')) << infinity;
    QTest::newRow("too small") << "1e-999" << 0.0;
    QTest::newRow("inf") << "inf" << infinity;
    QTest::newRow("infinity") << "-Infinity" << -infinity;
    QTest::newRow("nan") << "nan" << notANumber;
    QTest::newRow("nan with payload") << " -NaN(123)" << notANumber;
    QTest::newRow("denormal") << "1e-320" << 1e-320;
    QTest::newRow("correctly rounded") << "0.1" << 0.1;
    QTest::newRow("Korean") << QStringLiteral("\uAC00") << 0.0;
    QTest::newRow("NUL after") << "2" + QString(QChar(0)) + "5" << 2.0;
    // clang-format on
}

void CoreTest::numberFromText()
{
    QFETCH(QString, text);
    QFETCH(double, number);
    // QCOMPARE takes two NaNs as equal.
    QCOMPARE(::numberFromText(text), number);
}

void CoreTest::texts_data()
{
    // clang-format off
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("integer") << integerText(6000) << "6000";
    QTest::newRow("smallest") << integerText(int32Min) << "-2147483648";
    QTest::newRow("no grouping") << integerText(1234567) << "1234567";
    QTest::newRow("tiny capacity") << capacityText(0.00001f) << "1e-05";
    QTest::newRow("capacity below a million") << capacityText(999999.0f) << "999999";
    QTest::newRow("a million") << capacityText(1000000.0f) << "1e+06";
    QTest::newRow("estimate") << estimateText(33397, QStringLiteral(" GB")) << "33397 GB";
    QTest::newRow("no estimate") << estimateText(std::nullopt, QStringLiteral(" Days")) << "-- Days";
    // clang-format on
}

void CoreTest::texts()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(text, expected);
}

void CoreTest::planFigures_data()
{
    // clang-format off
    QTest::addColumn<Plan>("plan");
    QTest::addColumn<QStringList>("channels");
    QTest::addColumn<QStringList>("totals"); // ALL row Kbps, total, required, days, hours

    QTest::newRow("defaults") << Plan() << times(16, "6000/64.8")
        << QStringList {"6000", "1036.8", "0 GB", "0 Days", "0 Hours"};

    // 4 channels: 2500 typed (27 GB); D1 Low at item 4 is 512/30 = 17 x 10 fps
    // = 170 Kbps (1.836 GB); two at 64.8. Float total 158.436: 30 days need
    // 158.436 x 30 x 1.073741824 = 5103.5 GB; 2000 GB last 2000 / 1.073741824
    // / (158.436 / 24) = 282.15 hours: 11 days and 18 hours.
    Plan four;
    four.channelCount = 4;
    four.videoStandard = 0;
    four.channels[0].manual = true;
    four.channels[0].manualKbps = 2500;
    four.channels[1] = {false, 2, 4, 4, 99};
    four.channels[4].manual = true; // not in use: not counted
    four.channels[4].manualKbps = 1000000;
    four.all = {true, 0, 0, 0, -7};
    four.requiredDays = "30";
    four.installedHddGb = "2000";
    QStringList fourChannels = {"2500/27", "170/1.836", "6000/64.8", "6000/64.8"};
    fourChannels += times(12, "0/0");
    QTest::newRow("4 channels, PAL, Manual") << four << fourChannels
        << QStringList {"-7", "158.436", "5103 GB", "11 Days", "18 Hours"};

    // 8 channels of HD Highest at item 5 (12 fps): 3500 / 30 = 116 x 12 = 1392
    // Kbps, 15.0336 GB each, 120.269 in float; 7 days need 903 GB; 500 GB last
    // 92.9 hours.
    Plan eight;
    eight.channelCount = 8;
    eight.all = {false, 1, 5, 1, 0};
    for (int i = 0; i < 16; ++i)
        eight.channels[i] = eight.all;
    eight.requiredDays = "7";
    eight.installedHddGb = "500GB";
    QTest::newRow("8 channels, HD Highest") << eight
        << times(8, "1392/15.0336") + times(8, "0/0")
        << QStringList {"1392", "120.269", "903 GB", "3 Days", "20 Hours"};

    // Nothing recorded: no disk ever fills.
    Plan still;
    for (auto &channel : still.channels)
        channel.frame = 0;
    still.installedHddGb = "3000";
    QTest::newRow("nothing recorded") << still << times(16, "0/0")
        << QStringList {"6000", "0", "0 GB", "-- Days", "-- Hours"};
    // clang-format on
}

void CoreTest::planFigures()
{
    QFETCH(Plan, plan);
    QFETCH(QStringList, channels);
    QFETCH(QStringList, totals);
    const PlanFigures figures = ::planFigures(plan);
    QCOMPARE(channelTexts(figures), channels);
    QCOMPARE(QStringList({figures.allKbpsText(), figures.totalText(), figures.requiredText(),
                          figures.daysText(), figures.hoursText()}),
             totals);
}

void CoreTest::planFileRoundTrip_data()
{
    // clang-format off
    QTest::addColumn<Plan>("plan");
    QTest::newRow("defaults") << Plan();
    Plan pal;
    pal.videoStandard = 0;
    pal.channelCount = 8;
    pal.all = {true, 2, 3, 4, int32Min};
    pal.channels[7] = {true, 1, 7, 2, int32Max};
    pal.channels[15] = {false, 2, 0, 3, 0};
    pal.requiredDays = QStringLiteral("12,5 \"Tage\" \u00E4\U0001F4F9\n\\");
    QTest::newRow("PAL, Manual, odd texts") << pal;
    Plan hybrid;
    hybrid.product = 1;
    hybrid.channelCount = 4;
    hybrid.installedHddGb = "-1e999";
    QTest::newRow("Hybrid-DVR") << hybrid;
    // clang-format on
}

void CoreTest::planFileRoundTrip()
{
    QFETCH(Plan, plan);
    QString error;
    const std::optional<Plan> read = planFromJson(planToJson(plan), &error);
    QVERIFY2(read, qPrintable(error));
    QVERIFY(*read == plan);
}

// The file as a person reads it: keys in order, Auto rows with the Kbps their
// settings give, Manual rows with theirs.
void CoreTest::planFileText()
{
    Plan plan;
    plan.channelCount = 4;
    plan.requiredDays = "30";
    plan.all.quality = 2;
    plan.channels[1] = {true, 1, 7, 2, 2500};
    plan.channels[2].manualKbps = 12345; // Auto: not written, not read
    const QByteArray auto30 = "    {\"mode\": \"Auto\", \"resolution\": \"Full-HD\", \"frame\": "
                              "\"30\", \"quality\": \"Super\", \"bitrateKbps\": 6000}";
    QByteArray expected = "{\n  \"format\": \"nvr-plan\",\n  \"version\": 1,\n"
                          "  \"product\": \"NVR\",\n  \"videoStandard\": \"NTSC\",\n"
                          "  \"channelCount\": 4,\n  \"requiredDays\": \"30\",\n"
                          "  \"installedHddGb\": \"\",\n"
                          "  \"all\": {\"mode\": \"Auto\", \"resolution\": \"Full-HD\", \"frame\": "
                          "\"30\", \"quality\": \"High\", \"bitrateKbps\": 3990},\n"
                          "  \"channels\": [\n"
        + auto30 + ",\n"
        + "    {\"mode\": \"Manual\", \"resolution\": \"HD\", \"frame\": \"15\", \"quality\": "
          "\"High\", \"bitrateKbps\": 2500},\n";
    for (int i = 2; i < 16; ++i)
        expected += auto30 + (i < 15 ? ",\n" : "\n");
    expected += "  ]\n}\n";
    QCOMPARE(planToJson(plan), expected);

    // Hand-edited: a byte order mark, keys of its own, an Auto row's Kbps wrong.
    QByteArray edited = "\xEF\xBB\xBF" + expected;
    edited.replace("\"version\": 1,", "\"version\": 1, \"site\": \"Depot 4\",");
    edited.replace("\"bitrateKbps\": 6000}", "\"bitrateKbps\": -1}");
    QString error;
    const std::optional<Plan> read = planFromJson(edited, &error);
    QVERIFY2(read, qPrintable(error));
    plan.channels[2].manualKbps = 0;
    QVERIFY(*read == plan);
}

void CoreTest::planFileReading()
{
    QTemporaryDir dir;
    QString error;
    const QString missing = dir.filePath("missing.nvrplan");
    QVERIFY(!readPlanFile(missing, &error));
    QCOMPARE(error, missing + ": No such file or directory");
    QVERIFY(!readPlanFile(dir.path(), &error));
    QVERIFY2(error.startsWith(dir.path() + ": "), qPrintable(error));
    // A device that never ends is read no further than the limit.
    QVERIFY(!readPlanFile("/dev/zero", &error));
    QCOMPARE(error, QStringLiteral("/dev/zero: larger than 1 MiB: not a plan"));

    const QString path = dir.filePath("plan.nvrplan");
    QVERIFY2(writePlanFile(path, Plan(), &error), qPrintable(error));
    QVERIFY(readPlanFile(path, &error) == Plan());
    QVERIFY(!writePlanFile(dir.filePath("no/such/folder.nvrplan"), Plan(), &error));
    QVERIFY2(error.startsWith(dir.filePath("no/such/folder.nvrplan: ")), qPrintable(error));
}

QTEST_APPLESS_MAIN(CoreTest)
#include "tst_core.moc"
