// CTest runs this under a German locale, whose decimal separator is a comma.
// The toolkit hands the environment's locale to the C library, so a plain
// atof would read "0.5" as 0 here.

#include "numbertext.h"
#include "testsupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <clocale>
#include <cstdlib>

class LocaleTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pointIsTheDecimalSeparator_data();
    void pointIsTheDecimalSeparator();
};

// Without the locale this test would prove nothing: it fails rather than
// passing vacuously.
void LocaleTest::initTestCase()
{
    QVERIFY2(QString::fromLatin1(std::localeconv()->decimal_point) == QLatin1String(","),
             "no comma-decimal locale is active; CTest sets LC_ALL=de_DE.UTF-8, which needs "
             "the Debian package locales-all");
    QCOMPARE(std::atof("0.5"), 0.0);
}

void LocaleTest::pointIsTheDecimalSeparator_data()
{
    // clang-format off
    QTest::addColumn<QString>("days");
    QTest::addColumn<QString>("disk");
    QTest::addColumn<QString>("needed");
    QTest::addColumn<QString>("lasts");
    QTest::addColumn<double>("diskNumber");
    QTest::newRow("half a day") << "0.5" << "" << "556 GB" << "0 Days" << 0.0;
    QTest::newRow("12.5 days") << "12.5" << "" << "13915 GB" << "0 Days" << 0.0;
    QTest::newRow("a comma is not a decimal point") << "0,5" << "" << "0 GB" << "0 Days" << 0.0;
    QTest::newRow("disk with a fraction") << "" << "2999.9" << "0 GB" << "2 Days" << 2999.9;
    QTest::newRow("exponent") << "3e1" << "3e3" << "33397 GB" << "2 Days" << 3000.0;
    // clang-format on
}

void LocaleTest::pointIsTheDecimalSeparator()
{
    QFETCH(QString, days);
    QFETCH(QString, disk);
    QFETCH(QString, needed);
    QFETCH(QString, lasts);
    QFETCH(double, diskNumber);
    Calculator calculator;
    typeAndReturn(calculator.field("line_input_days"), days);
    typeAndReturn(calculator.field("line_input_hdd"), disk);
    QCOMPARE(calculator.label("lb_cal_hdd").text(), needed);
    QCOMPARE(calculator.label("lb_cal_days").text(), lasts);
    QCOMPARE(numberFromText(disk), diskNumber);
}

QTEST_MAIN(LocaleTest)
#include "tst_locale.moc"
