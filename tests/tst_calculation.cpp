// The arithmetic on plain values. Expected figures are worked out by hand (or
// with float32 arithmetic elsewhere), never with the program's own formulas.

#include "calculation.h"
#include "numbertext.h"

#include <QTest>

#include <cmath>
#include <cstring>
#include <limits>

using Int32 = std::int32_t;
using MaybeInt = std::optional<Int32>;
Q_DECLARE_METATYPE(MaybeInt)

namespace {

constexpr Int32 int32Max = std::numeric_limits<Int32>::max();
constexpr Int32 int32Min = std::numeric_limits<Int32>::min();
constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();

// Float sum of 16 channels at 6000 Kbps; the display rounds it to 1036.8.
constexpr float sixteenAtSixThousand = 1036.79993f;

} // namespace

class CalculationTest : public QObject
{
    Q_OBJECT

private slots:
    void autoBitrate_data();
    void autoBitrate();
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
};

void CalculationTest::autoBitrate_data()
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
    const char *const resolutions[] = {"Full-HD", "HD", "D1"};
    const char *const qualities[] = {"Super", "Highest", "High", "Standard", "Low"};
    for (int r = 0; r < 3; ++r)
        for (int q = 0; q < 5; ++q)
            QTest::addRow("%s %s 30", resolutions[r], qualities[q]) << r << q << 30 << table[r][q];
    QTest::newRow("HD Low 10") << 1 << 4 << 10 << Int32(660);
    QTest::newRow("Full-HD Super 20") << 0 << 0 << 20 << Int32(4000);
    QTest::newRow("D1 Standard 4") << 2 << 3 << 4 << Int32(100);
    QTest::newRow("0 fps") << 0 << 0 << 0 << Int32(0);
    // clang-format on
}

void CalculationTest::autoBitrate()
{
    QFETCH(int, resolution);
    QFETCH(int, quality);
    QFETCH(int, fps);
    QFETCH(Int32, kbps);
    QCOMPARE(autoBitrateKbps(resolution, quality, fps), kbps);
}

void CalculationTest::dayCapacity_data()
{
    // clang-format off
    QTest::addColumn<Int32>("kbps");
    QTest::addColumn<float>("gigabytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("6000") << Int32(6000) << 64.8f << "64.8";
    QTest::newRow("2500") << Int32(2500) << 27.0f << "27";
    QTest::newRow("3990") << Int32(3990) << 43.092f << "43.092";
    QTest::newRow("1980") << Int32(1980) << 21.384f << "21.384";
    QTest::newRow("1") << Int32(1) << 0.0108f << "0.0108";
    QTest::newRow("0") << Int32(0) << 0.0f << "0";
    QTest::newRow("-1") << Int32(-1) << -0.0108f << "-0.0108";
    QTest::newRow("largest") << int32Max << 23192824.0f << "2.31928e+07";
    QTest::newRow("smallest") << int32Min << -23192824.0f << "-2.31928e+07";
    // clang-format on
}

void CalculationTest::dayCapacity()
{
    QFETCH(Int32, kbps);
    QFETCH(float, gigabytes);
    QFETCH(QString, text);
    const float capacity = dayCapacityGb(kbps);
    // Bit for bit: the nearest float to the exact figure.
    QCOMPARE(std::memcmp(&capacity, &gigabytes, sizeof(float)), 0);
    QCOMPARE(capacityText(capacity), text);
}

void CalculationTest::dayTotalAddsInChannelOrder_data()
{
    // clang-format off
    QTest::addColumn<QVector<float>>("capacities");
    QTest::addColumn<int>("count");
    QTest::addColumn<float>("total");
    QTest::addColumn<QString>("text");
    const QVector<float> sixteen(16, 64.8f);
    QTest::newRow("16 x 64.8") << sixteen << 16 << sixteenAtSixThousand << "1036.8";
    QTest::newRow("first 4") << sixteen << 4 << 259.2f << "259.2";
    QTest::newRow("first 8") << sixteen << 8 << 518.4f << "518.4";
    QTest::newRow("none") << sixteen << 0 << 0.0f << "0";
    // Float additions one after another: 1e8 + 1 is 1e8 in float.
    QTest::newRow("float rounding") << QVector<float> {1e8f, 1.0f, -1e8f} << 3 << 0.0f << "0";
    QTest::newRow("largest x 16") << QVector<float>(16, 23192824.0f) << 16 << 371085248.0f << "3.71085e+08";
    // clang-format on
}

void CalculationTest::dayTotalAddsInChannelOrder()
{
    QFETCH(QVector<float>, capacities);
    QFETCH(int, count);
    QFETCH(float, total);
    QFETCH(QString, text);
    const float sum = dayTotalGb(capacities.constData(), count);
    QCOMPARE(sum, total);
    QCOMPARE(capacityText(sum), text);
}

void CalculationTest::requiredCapacity_data()
{
    // clang-format off
    QTest::addColumn<float>("dayTotal");
    QTest::addColumn<double>("days");
    QTest::addColumn<MaybeInt>("gigabytes");
    QTest::newRow("30 days") << sixteenAtSixThousand << 30.0 << MaybeInt(33397);
    QTest::newRow("1 day") << sixteenAtSixThousand << 1.0 << MaybeInt(1113);
    QTest::newRow("half a day") << sixteenAtSixThousand << 0.5 << MaybeInt(556);
    QTest::newRow("12.5 days") << sixteenAtSixThousand << 12.5 << MaybeInt(13915);
    QTest::newRow("no days") << sixteenAtSixThousand << 0.0 << MaybeInt(0);
    QTest::newRow("-1 day") << sixteenAtSixThousand << -1.0 << MaybeInt(-1113);
    QTest::newRow("nothing recorded") << 0.0f << 30.0 << MaybeInt(0);
    QTest::newRow("too many days") << sixteenAtSixThousand << 1e7 << MaybeInt();
    QTest::newRow("too few days") << sixteenAtSixThousand << -1e7 << MaybeInt();
    QTest::newRow("inf") << sixteenAtSixThousand << infinity << MaybeInt();
    QTest::newRow("-inf") << sixteenAtSixThousand << -infinity << MaybeInt();
    QTest::newRow("nan") << sixteenAtSixThousand << notANumber << MaybeInt();
    QTest::newRow("nothing recorded, inf days") << 0.0f << infinity << MaybeInt();
    // clang-format on
}

void CalculationTest::requiredCapacity()
{
    QFETCH(float, dayTotal);
    QFETCH(double, days);
    QFETCH(MaybeInt, gigabytes);
    QCOMPARE(requiredCapacityGb(dayTotal, days), gigabytes);
}

void CalculationTest::recordingTime_data()
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
    QTest::newRow("hours beyond 32 bits")
        << 24.0f << 8589934592.0 << MaybeInt(333333333) << MaybeInt(8);
    // 2^40 GB: 1.024e12 hours, more days than 32 bits hold; 1.024e12 mod 24 is 16.
    QTest::newRow("days beyond 32 bits") << 24.0f << 1099511627776.0 << MaybeInt() << MaybeInt(16);
    QTest::newRow("negative, beyond 32 bits")
        << 24.0f << -1099511627776.0 << MaybeInt() << MaybeInt(-16);
    // clang-format on
}

void CalculationTest::recordingTime()
{
    QFETCH(float, dayTotal);
    QFETCH(double, installed);
    QFETCH(MaybeInt, days);
    QFETCH(MaybeInt, hours);
    const double total = recordingHours(dayTotal, installed);
    QCOMPARE(recordingDays(total), days);
    QCOMPARE(recordingHoursBeyondDays(total), hours);
}

void CalculationTest::truncation_data()
{
    // clang-format off
    QTest::addColumn<double>("value");
    QTest::addColumn<MaybeInt>("truncated");
    QTest::newRow("largest") << 2147483647.9 << MaybeInt(int32Max);
    QTest::newRow("one above") << 2147483648.0 << MaybeInt();
    QTest::newRow("smallest") << -2147483648.9 << MaybeInt(int32Min);
    QTest::newRow("one below") << -2147483649.0 << MaybeInt();
    QTest::newRow("toward zero") << -0.5 << MaybeInt(0);
    QTest::newRow("64.67") << 64.67 << MaybeInt(64);
    QTest::newRow("inf") << infinity << MaybeInt();
    QTest::newRow("nan") << notANumber << MaybeInt();
    // clang-format on
}

void CalculationTest::truncation()
{
    QFETCH(double, value);
    QFETCH(MaybeInt, truncated);
    QCOMPARE(truncatedInt32(value), truncated);
}

void CalculationTest::kbpsFromText_data()
{
    // clang-format off
    QTest::addColumn<QString>("text");
    QTest::addColumn<Int32>("kbps");
    QTest::newRow("plain") << "6000" << Int32(6000);
    QTest::newRow("empty") << "" << Int32(0);
    QTest::newRow("blanks first") << " \t 42" << Int32(42);
    QTest::newRow("minus") << "-5" << Int32(-5);
    QTest::newRow("plus") << "+7" << Int32(7);
    QTest::newRow("sign then blank") << "- 5" << Int32(0);
    QTest::newRow("hex is not read") << "0x10" << Int32(0);
    QTest::newRow("unit after") << "1500kbps" << Int32(1500);
    QTest::newRow("fraction") << "12.5" << Int32(12);
    QTest::newRow("grouping") << "1,000" << Int32(1);
    QTest::newRow("letters") << "abc" << Int32(0);
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

void CalculationTest::kbpsFromText()
{
    QFETCH(QString, text);
    QFETCH(Int32, kbps);
    QCOMPARE(::kbpsFromText(text), kbps);
}

void CalculationTest::numberFromText_data()
{
    // clang-format off
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");
    QTest::newRow("half") << "0.5" << 0.5;
    QTest::newRow("unit after") << "12.5GB" << 12.5;
    QTest::newRow("grouping") << "1,000" << 1.0;
    QTest::newRow("decimal comma") << "0,5" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("blanks") << "   30" << 30.0;
    QTest::newRow("minus") << "-100" << -100.0;
    QTest::newRow("plus") << "+7" << 7.0;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("trailing point") << "5." << 5.0;
    QTest::newRow("exponent") << "3e3" << 3000.0;
    QTest::newRow("hexadecimal") << "0x10" << 16.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("huge") << "1e999" << infinity;
    QTest::newRow("huge negative") << "-1e999" << -infinity;
    QTest::newRow("inf") << "inf" << infinity;
    QTest::newRow("nan") << "nan" << notANumber;
    QTest::newRow("nan with payload") << " -NaN(123)" << notANumber;
    QTest::newRow("denormal") << "1e-320" << 1e-320;
    QTest::newRow("Korean") << QStringLiteral("\uAC00") << 0.0;
    QTest::newRow("NUL after") << "2" + QString(QChar(0)) + "5" << 2.0;
    // clang-format on
}

void CalculationTest::numberFromText()
{
    QFETCH(QString, text);
    QFETCH(double, number);
    // QCOMPARE takes two NaNs as equal.
    QCOMPARE(::numberFromText(text), number);
}

void CalculationTest::texts_data()
{
    // clang-format off
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("integer") << integerText(6000) << "6000";
    QTest::newRow("negative") << integerText(-5) << "-5";
    QTest::newRow("smallest") << integerText(int32Min) << "-2147483648";
    QTest::newRow("no grouping") << integerText(1234567) << "1234567";
    QTest::newRow("small capacity") << capacityText(0.0001f) << "0.0001";
    QTest::newRow("tiny capacity") << capacityText(0.00001f) << "1e-05";
    QTest::newRow("capacity below a million") << capacityText(999999.0f) << "999999";
    QTest::newRow("a million") << capacityText(1000000.0f) << "1e+06";
    QTest::newRow("estimate") << estimateText(33397, QStringLiteral(" GB")) << "33397 GB";
    QTest::newRow("negative estimate") << estimateText(-2, QStringLiteral(" Hours")) << "-2 Hours";
    QTest::newRow("no estimate") << estimateText(std::nullopt, QStringLiteral(" Days")) << "-- Days";
    // clang-format on
}

void CalculationTest::texts()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(text, expected);
}

QTEST_APPLESS_MAIN(CalculationTest)
#include "tst_calculation.moc"
