// What a screen reader announces: every control and every result needs a
// name of its own, and a name that says which channel it belongs to.

#include "testsupport.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

// The text a screen reader is given to say which control it is on. For a
// combo box on Linux the toolkit gives the current item as the name (it
// expects a buddy label to name it), so there the description carries it.
QString announced(QWidget *widget)
{
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
    if (!accessible)
        return QString();
    const QString name = accessible->text(QAccessible::Name);
    if (auto *box = qobject_cast<QComboBox *>(widget); box && name == box->currentText())
        return accessible->text(QAccessible::Description);
    return name;
}

// Controls the user works and labels that show a result.
bool needsName(const QString &objectName)
{
    return objectName.startsWith(QLatin1String("cb_"))
        || objectName.startsWith(QLatin1String("line_"))
        || objectName.startsWith(QLatin1String("lb_")) || objectName == QLatin1String("btn_init");
}

} // namespace

class AccessibilityTest : public QObject
{
    Q_OBJECT

private slots:
    void everyControlHasItsOwnName();
    void namesSayWhatAndWhere_data();
    void namesSayWhatAndWhere();
};

void AccessibilityTest::everyControlHasItsOwnName()
{
    MainWindow window;
    window.show();
    window.resetAll();
    QHash<QString, QString> owners;
    int named = 0;
    for (const QString &objectName : declaredWidgetNames()) {
        if (!needsName(objectName))
            continue;
        const QString name = announced(window.findChild<QWidget *>(objectName));
        QVERIFY2(!name.trimmed().isEmpty(), qPrintable(objectName + " has no accessible name"));
        QVERIFY2(!owners.contains(name),
                 qPrintable(QStringLiteral("\"%1\" names both %2 and %3")
                                .arg(name, owners.value(name), objectName)));
        owners.insert(name, objectName);
        ++named;
    }
    QCOMPARE(named, 112);
}

void AccessibilityTest::namesSayWhatAndWhere_data()
{
    // clang-format off
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QString>("name");
    const QList<QPair<QString, QString>> families = {
        {"cb_mode", "mode"}, {"cb_resolution", "resolution"}, {"cb_frame", "frame rate"},
        {"cb_quality", "quality"}, {"line_edit_bps", "bitrate (Kbps)"},
        {"lb_day_cap", "storage per day (GB)"}};
    for (const auto &family : families) {
        for (int row = 0; row <= 16; ++row) {
            const QString widget = Calculator::cell(family.first.toLatin1(), row);
            const QString who = row == 0 ? QStringLiteral("All channels")
                                         : QStringLiteral("Channel %1").arg(row);
            QTest::newRow(qPrintable(widget)) << widget << who + " " + family.second;
        }
    }
    QTest::newRow("cb_ntpal") << "cb_ntpal" << "Video standard";
    QTest::newRow("cb_max_ch") << "cb_max_ch" << "Number of channels";
    QTest::newRow("cb_product") << "cb_product" << "Product";
    QTest::newRow("line_input_days") << "line_input_days" << "Required days";
    QTest::newRow("line_input_hdd") << "line_input_hdd" << "Installed HDD size (GB)";
    QTest::newRow("lb_cal_hdd") << "lb_cal_hdd" << "Required HDD capacity";
    QTest::newRow("lb_cal_days") << "lb_cal_days" << "Recording time on the installed HDD, days";
    QTest::newRow("lb_cal_time") << "lb_cal_time" << "Recording time on the installed HDD, hours";
    QTest::newRow("lb_total") << "lb_total" << "Total storage per day (GB)";
    QTest::newRow("btn_init") << "btn_init" << "Reset";
    // clang-format on
}

void AccessibilityTest::namesSayWhatAndWhere()
{
    QFETCH(QString, widget);
    QFETCH(QString, name);
    MainWindow window;
    QWidget *control = window.findChild<QWidget *>(widget);
    QVERIFY(control);
    QCOMPARE(control->accessibleName(), name);
    QCOMPARE(announced(control), name);
    // The value is still the figure or the item shown.
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(control);
    if (auto *box = qobject_cast<QComboBox *>(control))
        QCOMPARE(accessible->text(QAccessible::Value), box->currentText());
    if (auto *field = qobject_cast<QLineEdit *>(control))
        QCOMPARE(accessible->text(QAccessible::Value), field->text());
}

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
