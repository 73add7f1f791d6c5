// The core on plain values: the arithmetic, the number texts, a plan's
// figures and plan files. Expected figures are worked out by hand or with
// float32 arithmetic elsewhere, never with the program's own formulas.
// CTest runs this under a German locale, whose decimal separator is a comma:
// every number read below must still take "." as its point.

#include "calculation.h"
#include "disks.h"
#include "numbertext.h"
#include "planfile.h"

#include <QFile>
#include <QTest>

#include <clocale>
#include <limits>

namespace {

constexpr std::int32_t int32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t int32Min = std::numeric_limits<std::int32_t>::min();
constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
// Float sum of 16 channels at 6000 Kbps; shown as 1036.8.
constexpr float sixteen = 1036.79993f;

// Exact texts of what the code gives: a float to 9 digits tells every float
// apart; "--" stands for an empty figure.
QString exact(double value)
{
    return QString::number(value, 'g', 17);
}
QString exact(float value)
{
    return QString::number(double(value), 'g', 9);
}
QString exact(std::optional<std::int32_t> value)
{
    return value ? QString::number(*value) : QStringLiteral("--");
}
// The sets as "drives x TB", then the first one's usable GB and recording time.
QString sets(const Plan &plan, const QList<std::int64_t> &sizes = default_drive_gb)
{
    const QList<DiskSet> found = diskSets(plan, planFigures(plan), sizes);
    QStringList texts;
    for (const DiskSet &set : found)
        texts << QString::number(set.drives) + "x" + driveTbText(set.driveGb);
    if (found.isEmpty())
        return "none";
    return texts.join(' ') + ": " + QString::number(found[0].usableGb) + " GB, "
        + exact(found[0].recordingDays) + " d " + exact(found[0].recordingHours) + " h";
}
Plan keeping(const char *days, int layout, int bays)
{
    Plan plan;
    plan.requiredDays = days;
    plan.disks = {layout, bays};
    return plan;
}
QString estimates(float total, double days, double disk)
{
    const double hours = recordingHours(total, disk);
    return exact(requiredCapacityGb(total, days)) + " GB, " + exact(recordingDays(hours)) + " d "
        + exact(recordingHoursBeyondDays(hours)) + " h";
}

} // namespace

class CoreTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void figures_data();
    void figures();
    void planFileText();
};

// Without the locale the reading checks would prove less: fail instead.
void CoreTest::initTestCase()
{
    std::setlocale(LC_ALL, "");
    QVERIFY2(QString::fromLatin1(std::localeconv()->decimal_point) == QLatin1String(","),
             "no comma-decimal locale is active; CTest sets LC_ALL=de_DE.UTF-8, which needs "
             "the Debian package locales-all");
}

void CoreTest::figures_data()
{
    QTest::addColumn<QString>("actual");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char *name, const QString &actual, const char *expected) {
        QTest::newRow(name) << actual << QString::fromUtf8(expected);
    };
    const auto at30 = [](int resolution) {
        QStringList kbps;
        for (int quality = 0; quality < 5; ++quality)
            kbps << QString::number(autoBitrateKbps(resolution, quality, 30));
        return kbps.join(' ');
    };
    // clang-format off
    // The reference divided by 30 first, then times the rate: 5000 / 30 x 30 = 4980.
    row("Full-HD at 30", at30(0), "6000 4980 3990 3480 2490");
    row("HD at 30", at30(1), "3990 3480 3000 2490 1980");
    row("D1 at 30", at30(2), "1980 1500 990 750 510");
    // Kbps x 0.125 x 86400 / 1e6 in double, rounded once to float.
    row("6000 Kbps a day", exact(dayCapacityGb(6000)), "64.8000031");
    row("3990 Kbps a day", exact(dayCapacityGb(3990)), "43.0919991");
    row("1 Kbps a day", exact(dayCapacityGb(1)), "0.0108000003");
    row("largest a day", exact(dayCapacityGb(int32Max)), "23192824");
    row("smallest a day", exact(dayCapacityGb(int32Min)), "-23192824");
    // Float additions in channel order: 1e8 + 1 is 1e8 in float.
    const float huge[] = {1e8f, 1.0f, -1e8f};
    row("float sum", exact(dayTotalGb(huge, 3)), "0");
    const float sixteenDays[16] = {64.8f, 64.8f, 64.8f, 64.8f, 64.8f, 64.8f, 64.8f, 64.8f,
                                   64.8f, 64.8f, 64.8f, 64.8f, 64.8f, 64.8f, 64.8f, 64.8f};
    row("sum of 16", exact(dayTotalGb(sixteenDays, 16)), "1036.79993");
    // Required: total x days x 1.073741824, truncated. Lasting: disk / 1.073741824
    // / (total / 24) hours; 1036.8 GB a day on 3000 GB is 64.67 hours.
    row("30 days, 3000 GB", estimates(sixteen, 30, 3000), "33397 GB, 2 d 16 h");
    row("negative", estimates(sixteen, -1, -100), "-1113 GB, 0 d -2 h");
    row("nothing recorded, no disk", estimates(0, inf, 0), "-- GB, -- d -- h");
    row("too many days, no number", estimates(sixteen, 1e7, notANumber), "-- GB, -- d -- h");
    // 24 GB a day is one an hour: 2^33 GB last 8e9 hours, whose days fit 32
    // bits and whose whole hours do not; 2^40 GB, neither: 1.024e12 mod 24 = 16.
    row("hours beyond 32 bits", estimates(24, 0, 8589934592.0), "0 GB, 333333333 d 8 h");
    row("days beyond 32 bits", estimates(24, 0, -1099511627776.0), "0 GB, -- d -16 h");
    row("largest int", exact(truncatedInt32(2147483647.9)), "2147483647");
    row("one above", exact(truncatedInt32(2147483648.0)), "--");
    row("smallest int", exact(truncatedInt32(-2147483648.9)), "-2147483648");
    row("one below", exact(truncatedInt32(-2147483649.0)), "--");
    // Bitrates as atoi reads them, saturated to 32 bits.
    const auto kbps = [](const QString &text) { return QString::number(kbpsFromText(text)); };
    row("kbps blanks, sign, unit", kbps(" \t\n\v\f\r+42") + " " + kbps("- 5") + " " + kbps("1500kbps"), "42 0 1500");
    row("kbps no hex, fraction, grouping", kbps("0x10") + kbps("12.5") + kbps("1,000"), "0121");
    row("kbps saturates", kbps("2147483648") + " " + kbps("-2147483649") + " " + kbps(QString(6000, '9')) + " " + kbps("-" + QString(5999, '9')), "2147483647 -2147483648 2147483647 -2147483648");
    row("kbps other digits, NUL", kbps(QStringLiteral("\u0663\u0664")) + kbps(QStringLiteral("\uFF11\uFF12")) + kbps(QStringLiteral("\u00A012")) + kbps(QString(QChar(0)) + "12") + kbps("12" + QString(QChar(0)) + "34"), "000012");
    // Estimate texts as atof reads them in the C locale.
    const auto number = [](const QString &text) { return exact(numberFromText(text)); };
    row("half, not a comma", number("0.5") + " " + number("0,5") + " " + number("1,000"), "0.5 0 1");
    row("unit after", number(" \t12.5GB"), "12.5");
    row("points", number(".5") + " " + number("5.") + " " + number(".") + " " + number("0.05"), "0.5 5 0 0.050000000000000003");
    row("exponents", number("3e3") + " " + number("25E-1x") + " " + number("7e+"), "3000 2.5 7");
    row("hexadecimal", number("0x10") + " " + number("0X1E") + " " + number("0x1.8p3") + " " + number("0x.08") + " " + number("0xg"), "16 30 12 0.03125 0");
    // Beyond 16 digits the last 1 decides a tie that would round down.
    row("hexadecimal rounding", number("0x200000000000010001") + " " + number("0x200000000000010000"), "5.9029581035870578e+20 5.9029581035870565e+20");
    row("overflow", number("1e999") + " " + number("-1e999") + " " + number(QString(6000, '9')), "inf -inf inf");
    row("underflow, denormal", number("1e-999") + " " + number("1e-320"), "0 9.9998886718268301e-321");
    row("words", number("inf") + " " + number("-Infinity") + " " + number(" -NaN(123)") + " " + number("abc"), "inf -inf nan 0");
    row("correctly rounded", number("0.1"), "0.10000000000000001");
    row("other scripts, NUL", number(QStringLiteral("\u0663")) + " " + number("2" + QString(QChar(0)) + "5"), "0 2");
    // What the window shows.
    row("integer texts", integerText(int32Min) + " " + integerText(1234567), "-2147483648 1234567");
    row("capacity texts", capacityText(64.8f) + " " + capacityText(0.00001f) + " " + capacityText(999999.0f) + " " + capacityText(1e6f), "64.8 1e-05 999999 1e+06");
    row("estimate texts", estimateText(33397, " GB") + ", " + estimateText(std::nullopt, " Days"), "33397 GB, -- Days");
    // What an estimate field takes: digits and one point, a finite value; a number read from other text, as such.
    const auto takes = [](const QStringList &texts) { QString taken; for (const QString &text : texts) taken += isEstimateText(text) ? '+' : '-'; return taken; };
    row("estimate fields take", takes({"", ".", "30", "0.5", "7.", QString(308, '9'), "1.2.3", "-3", "+3", "1e3", " 3", "3,5", "inf", QString(309, '9'), QStringLiteral("\u0663")}), "++++++---------");
    row("numbers as fields take them", estimateTextOf(12.5) + " " + estimateTextOf(1e21) + " " + estimateTextOf(-0.0) + " " + estimateTextOf(0.1), "12.5 1000000000000000000000 0 0.1");
    // The report's sentence on a short disk names no disk the figures show as "--".
    Plan farFuture;
    farFuture.requiredDays = "2000000";
    farFuture.installedHddGb = "1000";
    row("short disk, no required figure", shortfallText(farFuture, planFigures(farFuture)), "The installed disk of 1000\u00a0GB lasts 0 days 21 hours, fewer than the 2000000 days asked for.");
    // Disks for the window's start, 16 x 64.8 GB a day: 30 days need 1036.79993 x 30 x
    // 1.073741824 = 33397.66 GB. One volume of n drives holds n x c; 2 x 18 TB = 36000 GB
    // last 36000 / 1.073741824 / 43.2 = 776.1 hours. RAID 5 holds (n - 1) x c: 3 drives of at
    // least 16699 GB, 4 of 11133; RAID 6 (n - 2) x c; RAID 10 n / 2 x c, n even: 4 of 16699,
    // 6 of 11133, 8 of 8349; RAID 1 one drive, and none holds 33397.66 GB. 1 day needs 1113.3 GB.
    row("one volume, 4 bays", sets(keeping("30", 0, 4)), "2x18 2x20 2x22 2x24 3x12 3x14 3x16 4x10: 36000 GB, 32 d 8 h");
    row("RAID 1", sets(keeping("30", 1, 4)), "none");
    row("RAID 1, 1 day", sets(keeping("1", 1, 2)) + " / " + sets(keeping("1", 1, 1)), "2x2 2x3 2x4 2x6 2x8 2x10 2x12 2x14 2x16 2x18 2x20 2x22 2x24: 2000 GB, 1 d 19 h / none");
    row("RAID 5, 4 bays", sets(keeping("30", 2, 4)), "3x18 3x20 3x22 3x24 4x12 4x14 4x16: 36000 GB, 32 d 8 h");
    row("RAID 6, 5 bays", sets(keeping("30", 3, 5)), "4x18 4x20 4x22 4x24 5x12 5x14 5x16: 36000 GB, 32 d 8 h");
    row("RAID 10, 8 bays", sets(keeping("30", 4, 8)), "4x18 4x20 4x22 4x24 6x12 6x14 6x16 8x10: 36000 GB, 32 d 8 h");
    row("RAID 10, 5 bays", sets(keeping("30", 4, 5)), "4x18 4x20 4x22 4x24: 36000 GB, 32 d 8 h");
    row("one bay", sets(keeping("30", 0, 1)) + " / " + sets(keeping("10", 0, 1)), "none / 1x12 1x14 1x16 1x18 1x20 1x22 1x24: 12000 GB, 10 d 18 h");
    // Sizes of one's own, in GB: 33397 GB, the figure shown, is short of 33397.66 GB, as two of 16698 are.
    row("sizes of one's own", sets(keeping("30", 0, 4), {33398, 33397, 16699, 16698}), "1x33.398 2x16.699 2x33.397 3x16.698: 33398 GB, 30 d 0 h");
    Plan quiet = keeping("30", 0, 2);
    quiet.all.frame = 0;
    quiet.channels.fill(quiet.all); // records nothing: any drive keeps it, for ever
    row("nothing recorded", sets(quiet, {4000}), "1x4: 4000 GB, -- d -- h");
    const DiskSet most = largestSet(keeping("30", 3, 6), {4000, 24000, 2000});
    row("the most the bays hold", QString("%1x%2 %3").arg(most.drives).arg(most.driveGb).arg(most.usableGb), "6x24000 96000");
    row("the layout needs more bays", QString::number(largestSet(keeping("30", 4, 3)).drives), "0");
    row("report, a set", disksSentence(keeping("30", 0, 4), planFigures(keeping("30", 0, 4))), "Disks to keep 30 days: 2 \u00d7 18 TB, one volume, 36000 GB.");
    row("report, none", disksSentence(keeping("30", 1, 4), planFigures(keeping("30", 1, 4))), "No set of 1 to 24 TB drives in 4 bays keeps 30 days as RAID 1.");
    row("report, no days", disksSentence(keeping("0", 0, 4), planFigures(keeping("0", 0, 4))), "");
    // The Kbps of the channels in use, in Mbps: 16 x 6000; 3 x 6000 + 1234; 1 Kbps.
    Plan four = keeping("", 0, 4);
    four.channelCount = 4;
    four.channels[2] = {true, 0, 8, 0, 1234};
    four.channels[5] = {true, 0, 8, 0, 999}; // not in use
    row("incoming", planFigures(Plan()).incomingMbpsText() + " " + planFigures(four).incomingMbpsText() + " " + thousandthsText(1) + " " + thousandthsText(120) + " " + thousandthsText(0), "96 19.234 0.001 0.12 0");
    // clang-format on
}

void CoreTest::figures()
{
    QFETCH(QString, actual);
    QFETCH(QString, expected);
    QCOMPARE(actual, expected);
}

// The file as a person reads it (written out by hand beside the plans): keys
// in order, Auto rows with the Kbps their settings give, Manual rows theirs.
void CoreTest::planFileText()
{
    Plan plan;
    plan.site = "Depot 4";
    plan.channelCount = 4;
    plan.requiredDays = "30";
    plan.all.quality = 2;
    plan.disks = {2, 8}; // RAID 5 in 8 bays
    plan.channels[1] = {true, 1, 7, 2, 2500};
    plan.channels[2].manualKbps = 12345; // Auto: not written, not read
    QFile written(NVR_TEST_PLANS "/format/written.nvrplan");
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray expected = written.readAll();
    QCOMPARE(planToJson(plan), expected);

    // Hand-edited: a byte order mark, keys of its own, an Auto row's Kbps wrong.
    QByteArray edited = "\xEF\xBB\xBF" + expected;
    edited.replace("\"version\": 1,", "\"version\": 1, \"colour\": \"red\",");
    edited.replace("\"bitrateKbps\": 6000}", "\"bitrateKbps\": -1}");
    // An older plan's days with a unit after them: the number they read as.
    edited.replace("\"requiredDays\": \"30\"", "\"requiredDays\": \" 0x1E days\"");
    edited.replace("\"installedHddGb\": \"\"", "\"installedHddGb\": \" GB\""); // no number
    edited.replace("\"Depot 4\"", "\"" + QByteArray(200, 's') + '"'); // as long as a site may be
    QString error;
    const std::optional<Plan> read = planFromJson(edited, &error);
    QVERIFY2(read, qPrintable(error));
    plan.channels[2].manualKbps = 0;
    plan.site = QString(200, 's');
    QVERIFY(*read == plan);
}

QTEST_APPLESS_MAIN(CoreTest)
#include "tst_core.moc"
