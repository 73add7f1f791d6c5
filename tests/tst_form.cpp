// The window as a user meets it, on any desktop and from the keyboard.

#include "mainwindow.h"
#include "testsupport.h"

#include <QTest>
#include <QtWidgets>

namespace {

// Where widget draws text, if anywhere: a box's text area, a label's room, a group's title.
QRect textArea(const QWidget &widget)
{
    QStyleOptionComboBox option;
    option.initFrom(&widget);
    if (qobject_cast<const QComboBox *>(&widget))
        return widget.style()
            ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &widget)
            .adjusted(1, 0, -1, 0);
    if (auto *label = qobject_cast<const QLabel *>(&widget); label && !label->text().isEmpty()) {
        const bool indented = label->indent() < 0 && label->frameWidth() > 0
            && (label->alignment() & Qt::AlignRight);
        const int indent = indented ? label->fontMetrics().horizontalAdvance('x') / 2 : 0;
        return label->contentsRect().adjusted(0, 0, -indent, 0);
    }
    if (qobject_cast<const QGroupBox *>(&widget)) // the title, above the first control
        return QRect(1, 1, widget.width() - 2, widget.childrenRect().top() - 2);
    const bool shows = qobject_cast<const QPushButton *>(&widget)
        || (qobject_cast<const QLineEdit *>(&widget) && widget.isEnabled());
    return shows ? widget.rect().adjusted(3, 3, -3, -3) : QRect();
}

// Whether the ink of text stays in area, drawn there unclipped as the style draws it.
bool fits(const QWidget &widget, const QRect &area, int flags, const QString &text)
{
    QImage canvas(widget.size() + QSize(200, 200), QImage::Format_ARGB32_Premultiplied);
    canvas.setDotsPerMeterX(qRound(widget.logicalDpiX() / 0.0254));
    canvas.setDotsPerMeterY(qRound(widget.logicalDpiY() / 0.0254));
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.setFont(widget.font());
    widget.style()->drawItemText(&painter, area.translated(100, 100), flags | Qt::TextDontClip,
                                 widget.palette(), true, text);
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            if (qAlpha(canvas.pixel(x, y)) != 0 && !area.contains(x - 100, y - 100))
                return false;
    return true;
}

// WCAG 2 contrast of the text in area against its most common colour.
double textContrast(const QImage &image, const QRect &area)
{
    auto lin = [](int c) { return c <= 10 ? c / 3294.6 : qPow((c + 14.025) / 269.025, 2.4); };
    const auto luminance = [&lin](QRgb p) {
        return 0.05 + 0.2126 * lin(qRed(p)) + 0.7152 * lin(qGreen(p)) + 0.0722 * lin(qBlue(p));
    };
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[image.pixel(x, y)];
    const double ground = luminance(std::max_element(counts.cbegin(), counts.cend()).key());
    double best = 1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        best = std::max({best, luminance(it.key()) / ground, ground / luminance(it.key())});
    return best;
}

} // namespace

class FormTest : public QObject
{
    Q_OBJECT

private slots:
    void looksWholeOnAnyDesktop();
    void tabWalksTheFormRowByRow_data();
    void tabWalksTheFormRowByRow();
    void limitsAndClosing();
};

// With Arial or its twin, on a light and a dark desktop alike: each widget inside its parent,
// clear of its siblings, each text whole with a contrast of 4.5, and not one pixel changed.
void FormTest::looksWholeOnAnyDesktop()
{
    const QString family = QFontInfo(MainWindow().centralWidget()->font()).family();
    QVERIFY2(QStringList({"Arial", "Liberation Sans"}).contains(family), qPrintable(family));
    QSet<QString> faults;
    const auto shoot = [&faults] {
        Calculator c;
        act(c, "line_input_days<30; line_input_hdd<4000");
        const QImage shot = c.window.grab().toImage();
        const auto widgets = c.window.findChildren<QWidget *>(QRegularExpression("^(?!qt_)."));
        for (QWidget *widget : widgets) {
            if (!widget->parentWidget()->rect().contains(widget->geometry()))
                faults << widget->objectName() + " sticks out";
            for (QWidget *other : widgets)
                if (widget < other && widget->parentWidget() == other->parentWidget()
                    && widget->geometry().intersects(other->geometry()))
                    faults << widget->objectName() + " overlaps " + other->objectName();
            const QRect area = textArea(*widget);
            if (area.isValid()
                && textContrast(shot, area.translated(widget->mapTo(&c.window, QPoint()))) < 4.5)
                faults << widget->objectName() + " is hard to read";
            auto *box = qobject_cast<QComboBox *>(widget);
            auto *label = qobject_cast<QLabel *>(widget);
            const int flags = label ? int(label->alignment()) : Qt::AlignLeft | Qt::AlignVCenter;
            for (const QString &text :
                 box ? itemTexts(*box) : QStringList(label ? label->text() : ""))
                if (!text.isEmpty() && !fits(*widget, area, flags, text))
                    faults << widget->objectName() + " cuts \"" + text + '"';
            if (box && box->isEditable())
                faults << widget->objectName() + " takes typed text";
            if ((qobject_cast<QGroupBox *>(widget) || qobject_cast<QPushButton *>(widget))
                && widget->minimumSizeHint().boundedTo(widget->size()) != widget->minimumSizeHint())
                faults << widget->objectName() + " cuts its caption";
        }
        return shot;
    };
    const QImage light = shoot();
    const QPalette before = QApplication::palette();
    QApplication::setPalette(QPalette(QColor(53, 53, 53), QColor(35, 35, 35)));
    const QImage dark = shoot();
    QApplication::setPalette(before);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.values().join('\n')));
    QVERIFY(dark == light);
}

void FormTest::tabWalksTheFormRowByRow_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("mode");
    QTest::newRow("16 channels, Auto: bitrate fields skipped") << 2 << 0;
    QTest::newRow("4 channels, Manual: hidden rows skipped") << 0 << 1;
}

// Row by row from Video Standard, past what is hidden or disabled, and back with Shift+Tab.
void FormTest::tabWalksTheFormRowByRow()
{
    QFETCH(int, count);
    QFETCH(int, mode);
    Calculator c;
    c.box("cb_max_ch").setCurrentIndex(count); // a popup keeps the focus on Qt 5
    c.box("cb_mode_all").setCurrentIndex(mode);
    QStringList expected = {"cb_ntpal", "cb_max_ch", "line_input_days", "line_input_hdd"};
    QStringList stops = {"cb_mode", "cb_resolution", "cb_frame", "cb_quality", "line_edit_bps"};
    for (int row = 0; row <= (4 << count); ++row)
        for (const QString &family : stops.mid(0, mode == 1 ? 5 : 4))
            expected << Calculator::cell(qPrintable(family), row);
    expected += QStringList {"cb_product", "btn_init", "cb_ntpal"};
    for (const auto modifiers : {Qt::NoModifier, Qt::ShiftModifier}) {
        QStringList visited = {qApp->focusWidget()->objectName()};
        while (visited.size() < expected.size()) {
            QTest::keyClick(qApp->focusWidget(), Qt::Key_Tab, modifiers);
            visited << (qApp->focusWidget() ? qApp->focusWidget()->objectName() : "(nothing)");
        }
        QCOMPARE(visited, expected);
        std::reverse(expected.begin() + 1, expected.end() - 1);
    }
    auto *group = c.window.findChild<QGroupBox *>("groupBox");
    QCOMPARE(QAccessible::queryAccessibleInterface(group)->text(QAccessible::Name),
             group->title().replace("&&", "&"));
    QTest::keyClick(&c.window, Qt::Key_Space, Qt::AltModifier); // the window menu, not the group
    QCOMPARE(qApp->focusWidget(), &c.box("cb_ntpal"));
}

// Only the height gives, only bitrate fields stop at 6000 characters, and closing ends the loop.
void FormTest::limitsAndClosing()
{
    Calculator c;
    QCOMPARE(c.window.minimumSize(), QSize(594, 650));
    QCOMPARE(c.window.maximumSize(), QSize(594, 655));
    for (QLineEdit *field : c.window.findChildren<QLineEdit *>()) {
        field->setText(QString(6001, '7'));
        QCOMPARE(field->text().size(), field->objectName().startsWith("line_edit") ? 6000 : 6001);
    }
    QTimer::singleShot(0, &c.window, [&c] { c.window.close(); });
    QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(99); });
    QCOMPARE(QApplication::exec(), 0);
}

QTEST_MAIN(FormTest)
#include "tst_form.moc"
