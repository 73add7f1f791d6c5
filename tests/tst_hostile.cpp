// Anything a keyboard or a paste can put into the 19 text fields, committed
// with Return and with a focus change: a defined figure or "--" every time,
// and no other channel touched.

#include "invariants.h"
#include "model.h"
#include "testsupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

struct Hostile
{
    const char *name;
    QString text;
    int kbps; // what a bitrate field takes
    const char *required; // lb_cal_hdd for it as required days
    const char *lastsDays; // lb_cal_days and lb_cal_time for it as disk size
    const char *lastsHours;
};

// Worked out with float32 arithmetic and the C library's strtod, outside the
// program, for the default 16 channels at 6000 Kbps.
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
        {"grouping", "1,000", 1, "1113 GB", "0 Days", "0 Hours"},
        {"largest int", "2147483647", max, "-- GB", "1929012 Days", "11 Hours"},
        {"one above", "2147483648", max, "-- GB", "1929012 Days", "11 Hours"},
        {"one below", "-2147483649", min, "-- GB", "-1929012 Days", "-11 Hours"},
        {"6000 digits", QString(6000, QLatin1Char('9')), max, "-- GB", "-- Days", "-- Hours"},
        {"6001 characters", "1" + QString(6000, QLatin1Char('0')), max, "-- GB", "-- Days",
         "-- Hours"},
        {"overflowing exponent", "1e999", 1, "-- GB", "-- Days", "-- Hours"},
        {"negative overflow", "-1e999", -1, "-- GB", "-- Days", "-- Hours"},
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

QStringList fieldNames()
{
    QStringList names;
    for (int n = 1; n <= 16; ++n)
        names << Calculator::cell("line_edit_bps", n);
    return names << "line_edit_bps_all"
                 << "line_input_days"
                 << "line_input_hdd";
}

// What the user set in the rows, as the combo boxes show it.
QStringList selections(const Calculator &calculator)
{
    QStringList shown;
    for (int row = 0; row <= 16; ++row)
        for (const char *family : {"cb_mode", "cb_resolution", "cb_frame", "cb_quality"})
            shown << calculator.box(Calculator::cell(family, row)).currentText();
    return shown;
}

} // namespace

class HostileInputTest : public QObject
{
    Q_OBJECT

private slots:
    void everyFieldSurvives_data();
    void everyFieldSurvives();
};

void HostileInputTest::everyFieldSurvives_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("hostile");
    QTest::addColumn<bool>("byReturn");
    const QList<Hostile> texts = hostileTexts();
    for (const QString &field : fieldNames())
        for (int t = 0; t < texts.size(); ++t)
            for (bool byReturn : {true, false})
                QTest::addRow("%s, %s, %s", qPrintable(field), texts[t].name,
                              byReturn ? "Return" : "Tab")
                    << field << t << byReturn;
}

void HostileInputTest::everyFieldSurvives()
{
    QFETCH(QString, field);
    QFETCH(int, hostile);
    QFETCH(bool, byReturn);
    const Hostile input = hostileTexts().at(hostile);
    Calculator calculator;
    const bool estimate = field.startsWith(QLatin1String("line_input"));
    const bool all = field == QLatin1String("line_edit_bps_all");
    const int channel = estimate || all ? 0 : field.section('_', -1).toInt();
    if (!estimate) {
        pickFromPopup(calculator.box(Calculator::cell("cb_mode", channel)), 1);
        // Give other rows settings of their own to keep. (The estimate
        // figures above are for the default rows.)
        pickFromPopup(calculator.box("cb_quality_2"), 3);
        pickFromPopup(calculator.box("cb_resolution_11"), 1);
    }
    const ModelSnapshot before = ModelSnapshot::take();
    const QStringList selected = selections(calculator);
    const QStringList bitrates = calculator.column("line_edit_bps");

    QLineEdit &edit = calculator.field(field);
    enterText(edit, input.text);
    QTest::keyClick(&edit, byReturn ? Qt::Key_Return : Qt::Key_Tab);

    QCOMPARE(brokenStateRelations(calculator).join("; "), QString());
    QCOMPARE(brokenFigureRelations(calculator).join("; "), QString());
    QCOMPARE(selections(calculator), selected);
    ModelSnapshot after = ModelSnapshot::take();
    const QString number = QString::number(input.kbps);
    if (estimate) {
        QCOMPARE(after, before);
        QCOMPARE(calculator.column("line_edit_bps"), bitrates);
        // The typed text stays; only NUL may be dropped by the field.
        QCOMPARE(edit.text().remove(QChar(0)), QString(input.text).remove(QChar(0)));
        if (field == QLatin1String("line_input_days")) {
            QCOMPARE(calculator.label("lb_cal_hdd").text(), QString(input.required));
        } else {
            QCOMPARE(calculator.label("lb_cal_days").text(), QString(input.lastsDays));
            QCOMPARE(calculator.label("lb_cal_time").text(), QString(input.lastsHours));
        }
    } else if (all) {
        QCOMPARE(calculator.column("line_edit_bps"), repeated(number, 16));
        QCOMPARE(edit.text(), number);
        QCOMPARE(all_manual_kbps, input.kbps);
        for (int i = 0; i < 16; ++i) {
            QCOMPARE(after.manualKbps.at(i), input.kbps);
            after.manualKbps[i] = before.manualKbps.at(i);
        }
        after.allManualKbps = before.allManualKbps;
        QCOMPARE(after, before);
    } else {
        QCOMPARE(edit.text(), number);
        QStringList expected = bitrates;
        expected[channel - 1] = number;
        QCOMPARE(calculator.column("line_edit_bps"), expected);
        QCOMPARE(ch_manual_kbps[channel - 1], input.kbps);
        after.manualKbps[channel - 1] = before.manualKbps[channel - 1];
        QCOMPARE(after, before);
    }
}

QTEST_MAIN(HostileInputTest)
#include "tst_hostile.moc"
