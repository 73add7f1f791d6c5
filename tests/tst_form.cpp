// The window as a picture and as a set of named controls: the handlers are
// bound by object name, the user reads the captions and the items, and the
// fixed layout has to hold with the fonts the project installs.

#include "mainwindow.h"
#include "model.h"
#include "testsupport.h"

#include <QAccessible>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScopeGuard>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QTimer>

#include <cmath>

namespace {

const char *const tableFamilies[] = {"label_ch",   "cb_mode",       "cb_resolution", "cb_frame",
                                     "cb_quality", "line_edit_bps", "lb_day_cap"};

QStringList frameItems(int standard)
{
    return standard == 0 ? QStringList {"0", "1", "3", "4", "5", "7", "9", "13", "25"}
                         : QStringList {"0", "1", "2", "4", "5", "8", "10", "15", "30"};
}

QString rectText(const QRect &rect)
{
    return QStringLiteral("x %1..%2 y %3..%4")
        .arg(rect.left())
        .arg(rect.right())
        .arg(rect.top())
        .arg(rect.bottom());
}

// WCAG 2 relative luminance of an sRGB colour.
double luminance(QRgb rgb)
{
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(rgb)) + 0.7152 * linear(qGreen(rgb)) + 0.0722 * linear(qBlue(rgb));
}

// The contrast a reader gets from the text in area of a picture: its most
// common colour is the background, the pixel furthest from it the core of a
// stroke.
double textContrast(const QImage &image, const QRect &area)
{
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb background = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > counts.value(background))
            background = it.key();
    const double ground = luminance(background) + 0.05;
    double best = 1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        const double ink = luminance(it.key()) + 0.05;
        best = std::max(best, std::max(ink, ground) / std::min(ink, ground));
    }
    return best;
}

} // namespace

class FormTest : public QObject
{
    Q_OBJECT

private slots:
    void fontIsMetricCompatible();
    void widgetInventory_data();
    void widgetInventory();
    void tableCellGeometry_data();
    void tableCellGeometry();
    void siblingsDoNotOverlap();
    void windowResizesInHeightOnly();
    void captionFits_data();
    void captionFits();
    void captionsReadableOnDarkDesktop();
    void captions_data();
    void captions();
    void groupTitleShowsItsAmpersand();
    void comboItems_data();
    void comboItems();
    void everyItemOnce();
    void everyItemShowsWhole();
    void frameListsFollowStandard_data();
    void frameListsFollowStandard();
    void tabWalksTheFormRowByRow_data();
    void tabWalksTheFormRowByRow();
    void bitrateFieldKeepsSixThousandCharacters();
    void closingEndsEventLoopWithZero();
};

// The form asks for Arial; the caption checks below are only meaningful with
// its metric-compatible substitute, which the project installs.
void FormTest::fontIsMetricCompatible()
{
    MainWindow window;
    const QFontInfo info(window.findChild<QLabel *>("label_4")->font());
    QVERIFY2(info.family() == QLatin1String("Arial")
                 || info.family() == QLatin1String("Liberation Sans"),
             qPrintable("Arial resolves to " + info.family() + "; install fonts-liberation2"));
    QVERIFY(info.bold());
}

void FormTest::widgetInventory_data()
{
    // clang-format off
    QTest::addColumn<QString>("name");
    for (const QString &name : declaredWidgetNames())
        QTest::newRow(qPrintable(name)) << name;
    // clang-format on
}

void FormTest::widgetInventory()
{
    QFETCH(QString, name);
    MainWindow window;
    const auto matches = window.findChildren<QWidget *>(name);
    QCOMPARE(matches.size(), 1);
    QWidget *widget = matches.first();
    QCOMPARE(QString(widget->metaObject()->className()), expectedClassName(name));
    QVERIFY(widget->parentWidget());
    const QString parent = widget->parentWidget() == &window ? QStringLiteral("MainWindow")
                                                             : widget->parentWidget()->objectName();
    QCOMPARE(parent, expectedParentName(name));
}

void FormTest::tableCellGeometry_data()
{
    // clang-format off
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect");
    // Column x and width, worked out from the table drawing.
    const QList<QPair<int, int>> columns
        = {{10, 50}, {65, 90}, {159, 90}, {252, 70}, {324, 100}, {425, 80}, {506, 80}};
    const char *const headers[]
        = {"label_13", "label_9", "label_10", "label_11", "label_12", "label_49", "label_50"};
    for (int c = 0; c < 7; ++c) {
        const int x = columns[c].first;
        const int width = columns[c].second;
        QTest::newRow(headers[c]) << QString(headers[c]) << QRect(x, 195, width, 50);
        const QString all = QStringLiteral("%1_all").arg(tableFamilies[c]);
        QTest::newRow(qPrintable(all)) << all << QRect(x, 250, width, 20);
        // Rows 21 pixels apart: 275, 296, ... 590.
        int y = 275;
        for (int n = 1; n <= 16; ++n, y += 21) {
            const QString name = QStringLiteral("%1_%2").arg(tableFamilies[c]).arg(n);
            QTest::newRow(qPrintable(name)) << name << QRect(x, y, width, 20);
        }
    }
    // clang-format on
}

void FormTest::tableCellGeometry()
{
    QFETCH(QString, name);
    QFETCH(QRect, rect);
    MainWindow window;
    QWidget *cell = window.findChild<QWidget *>(name);
    QVERIFY(cell);
    QCOMPARE(QRect(cell->mapTo(window.centralWidget(), QPoint()), cell->size()), rect);
}

void FormTest::siblingsDoNotOverlap()
{
    MainWindow window;
    window.show();
    window.resetAll();
    QStringList overlaps;
    for (QWidget *parent : window.findChildren<QWidget *>()) {
        QList<QWidget *> siblings;
        for (QObject *child : parent->children())
            if (auto *widget = qobject_cast<QWidget *>(child);
                widget && declaredWidgetNames().contains(widget->objectName()))
                siblings << widget;
        for (int a = 0; a < siblings.size(); ++a)
            for (int b = a + 1; b < siblings.size(); ++b)
                if (siblings[a]->geometry().intersects(siblings[b]->geometry()))
                    overlaps << siblings[a]->objectName() + "/" + siblings[b]->objectName();
    }
    QVERIFY2(overlaps.isEmpty(), qPrintable(overlaps.join(", ")));
    // Everything inside the window and inside its group box.
    for (const QString &name : declaredWidgetNames()) {
        QWidget *widget = window.findChild<QWidget *>(name);
        QVERIFY2(widget->parentWidget()->rect().contains(widget->geometry()), qPrintable(name));
    }
}

void FormTest::windowResizesInHeightOnly()
{
    MainWindow window;
    QCOMPARE(window.size(), QSize(594, 655));
    window.resize(800, 600);
    QCOMPARE(window.size(), QSize(594, 650));
    window.resize(100, 2000);
    QCOMPARE(window.size(), QSize(594, 655));
    window.resize(594, 652);
    QCOMPARE(window.size(), QSize(594, 652));
}

void FormTest::captionFits_data()
{
    // clang-format off
    QTest::addColumn<QString>("name");
    MainWindow window;
    window.resetAll();
    for (const QString &name : declaredWidgetNames()) {
        QWidget *widget = window.findChild<QWidget *>(name);
        auto *label = qobject_cast<QLabel *>(widget);
        if ((label && !label->text().isEmpty()) || qobject_cast<QGroupBox *>(widget)
            || qobject_cast<QPushButton *>(widget))
            QTest::newRow(qPrintable(name)) << name;
    }
    // clang-format on
}

void FormTest::captionFits()
{
    QFETCH(QString, name);
    MainWindow window;
    window.show();
    window.resetAll();
    QWidget *widget = window.findChild<QWidget *>(name);
    QVERIFY(widget);
    if (auto *label = qobject_cast<QLabel *>(widget)) {
        const QFontMetrics metrics = label->fontMetrics();
        const QString text = label->text();
        QRect room = label->contentsRect();
        // A framed label without an explicit indent keeps half an 'x' free on
        // the side it is aligned to.
        if (label->indent() < 0 && label->frameWidth() > 0 && (label->alignment() & Qt::AlignRight))
            room.setRight(room.right() - metrics.horizontalAdvance(QLatin1Char('x')) / 2);
        // Where the label's alignment puts the lines, and where their ink ends
        // up: line boxes may overhang a little (more at 100 dpi) without any
        // glyph being cut.
        const QRect box = metrics.boundingRect(room, int(label->alignment()), text);
        const QStringList lines = text.split(QLatin1Char('\n'));
        const int lastBaseline
            = box.top() + box.height() * (lines.size() - 1) / lines.size() + metrics.ascent();
        const int inkTop
            = box.top() + metrics.ascent() + metrics.tightBoundingRect(lines.first()).top();
        const int inkBottom = lastBaseline + metrics.tightBoundingRect(lines.last()).bottom();
        QVERIFY2(box.width() <= room.width() && inkTop >= room.top() && inkBottom <= room.bottom(),
                 qPrintable(QStringLiteral("\"%1\" takes x %2..%3, y %4..%5 in %6..%7, %8..%9")
                                .arg(text)
                                .arg(box.left())
                                .arg(box.right())
                                .arg(inkTop)
                                .arg(inkBottom)
                                .arg(room.left())
                                .arg(room.right())
                                .arg(room.top())
                                .arg(room.bottom())));
    } else if (auto *box = qobject_cast<QGroupBox *>(widget)) {
        QVERIFY2(box->minimumSizeHint().width() <= box->width(),
                 qPrintable(QStringLiteral("title needs %1, has %2")
                                .arg(box->minimumSizeHint().width())
                                .arg(box->width())));
    } else if (auto *button = qobject_cast<QPushButton *>(widget)) {
        QVERIFY(button->sizeHint().width() <= button->width());
        QVERIFY(button->sizeHint().height() <= button->height());
    }
}

// The form brings its own light colours, so a dark desktop palette changes no
// pixel of it, and every text keeps a WCAG contrast of 4.5 against what it is
// drawn on.
void FormTest::captionsReadableOnDarkDesktop()
{
    const auto shoot = [](QStringList *unreadable) {
        Calculator calculator;
        typeAndReturn(calculator.field("line_input_days"), "30");
        typeAndReturn(calculator.field("line_input_hdd"), "4000");
        const QImage shot = calculator.window.grab().toImage();
        for (QWidget *widget : calculator.window.findChildren<QWidget *>()) {
            QRect area;
            if (auto *label = qobject_cast<QLabel *>(widget); label && !label->text().isEmpty()) {
                area = label->contentsRect().adjusted(1, 1, -1, -1);
            } else if (auto *box = qobject_cast<QComboBox *>(widget)) {
                QStyleOptionComboBox option;
                option.initFrom(box);
                area = box->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                    QStyle::SC_ComboBoxEditField, box);
            } else if (qobject_cast<QGroupBox *>(widget)) {
                // The title, between the top of the frame and the first control.
                area = QRect(1, 1, widget->width() - 2, widget->childrenRect().top() - 2);
            } else if (qobject_cast<QPushButton *>(widget)
                       || (qobject_cast<QLineEdit *>(widget) && widget->isEnabled())) {
                area = widget->rect().adjusted(3, 3, -3, -3);
            }
            if (widget->objectName().isEmpty() || !area.isValid())
                continue;
            const double ratio
                = textContrast(shot, area.translated(widget->mapTo(&calculator.window, QPoint())));
            if (ratio < 4.5)
                *unreadable
                    << QStringLiteral("%1 %2").arg(widget->objectName()).arg(ratio, 0, 'f', 2);
        }
        return shot;
    };
    QStringList unreadable;
    const QImage light = shoot(&unreadable);
    QVERIFY2(unreadable.isEmpty(), qPrintable(unreadable.join(", ")));

    const QPalette before = QApplication::palette();
    const auto restore = qScopeGuard([&before] { QApplication::setPalette(before); });
    QPalette dark(QColor(53, 53, 53), QColor(35, 35, 35));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Base, QColor(25, 25, 25));
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::ButtonText, Qt::white);
    QApplication::setPalette(dark);
    const QImage onDark = shoot(&unreadable);
    QVERIFY2(unreadable.isEmpty(), qPrintable(unreadable.join(", ")));
    QVERIFY(onDark == light);
}

void FormTest::captions_data()
{
    // clang-format off
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("title") << "MainWindow" << "NVR Recording calculator";
    QTest::newRow("heading") << "label" << "NVR Recording Time Estimation Table";
    QTest::newRow("label_2") << "label_2" << "Video Standard";
    QTest::newRow("label_7") << "label_7" << "Channel";
    QTest::newRow("label_3") << "label_3" << "Required Days";
    QTest::newRow("label_4") << "label_4" << "Installed HDD size (GB)";
    QTest::newRow("groupBox_2") << "groupBox_2" << "Required HDD Capacity";
    QTest::newRow("lb_cal_hdd") << "lb_cal_hdd" << " 3000 GB";
    QTest::newRow("lb_cal_days") << "lb_cal_days" << "0 Days";
    QTest::newRow("lb_cal_time") << "lb_cal_time" << "0 Hours";
    QTest::newRow("label_9") << "label_9" << "Mode";
    QTest::newRow("label_10") << "label_10" << "Resolution";
    QTest::newRow("label_11") << "label_11" << "Frame";
    QTest::newRow("label_12") << "label_12" << "Quality";
    QTest::newRow("label_13") << "label_13" << "CH";
    for (int n = 1; n <= 16; ++n) {
        const QString caption = QStringLiteral("label_ch_%1").arg(n);
        QTest::newRow(qPrintable(caption)) << caption << QString::number(n);
        const QString cell = QStringLiteral("lb_day_cap_%1").arg(n);
        QTest::newRow(qPrintable(cell)) << cell << "1";
    }
    QTest::newRow("label_49") << "label_49" << "Bitrate\n(Kbps)";
    QTest::newRow("label_50") << "label_50" << "Capacity \nof 1 day\n(Gbyte)";
    QTest::newRow("lb_total") << "lb_total" << "1";
    QTest::newRow("label_55") << "label_55" << "Total";
    QTest::newRow("btn_init") << "btn_init" << "Reset";
    QTest::newRow("lb_day_cap_all") << "lb_day_cap_all" << "1";
    QTest::newRow("label_ch_all") << "label_ch_all" << "ALL";
    QTest::newRow("label_5") << "label_5" << "Product";
    // clang-format on
}

// What the form shows before the first recalculation.
void FormTest::captions()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    MainWindow window;
    if (name == QLatin1String("MainWindow"))
        QCOMPARE(window.windowTitle(), text);
    else if (auto *label = window.findChild<QLabel *>(name))
        QCOMPARE(label->text(), text);
    else if (auto *box = window.findChild<QGroupBox *>(name))
        QCOMPARE(box->title(), text);
    else if (auto *button = window.findChild<QPushButton *>(name))
        QCOMPARE(button->text(), text);
    else
        QFAIL("no such caption holder");
}

// The title's "&" is text, not a shortcut marker: screen readers get it as
// shown, and Alt+Space, the window menu on most desktops, stays where it was.
void FormTest::groupTitleShowsItsAmpersand()
{
    Calculator calculator;
    auto *group = calculator.window.findChild<QGroupBox *>("groupBox");
    QCOMPARE(QAccessible::queryAccessibleInterface(group)->text(QAccessible::Name),
             QStringLiteral("Required Days & Installed HDD Size"));

    QWidget *focus = QApplication::focusWidget();
    QVERIFY(focus && !group->isAncestorOf(focus));
    QTest::keyClick(&calculator.window, Qt::Key_Space, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), focus);
}

void FormTest::comboItems_data()
{
    // clang-format off
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("cb_product") << "cb_product" << QStringList {"NVR", "Hybrid-DVR"};
    QTest::newRow("cb_ntpal") << "cb_ntpal" << QStringList {"PAL", "NTSC"};
    QTest::newRow("cb_max_ch") << "cb_max_ch" << QStringList {"4 CH", "8 CH", "16 CH"};
    const QList<QPair<QString, QStringList>> columns = {
        {"cb_mode", {"Auto", "Manual"}},
        {"cb_resolution", {"Full-HD", "HD", "D1"}},
        {"cb_frame", frameItems(1)},
        {"cb_quality", {"Super", "Highest", "High", "Standard", "Low"}},
    };
    for (const auto &column : columns) {
        QStringList rows = {QStringLiteral("all")};
        for (int n = 1; n <= 16; ++n)
            rows << QString::number(n);
        for (const QString &row : rows) {
            const QString name = column.first + "_" + row;
            QTest::newRow(qPrintable(name)) << name << column.second;
        }
    }
    // clang-format on
}

void FormTest::comboItems()
{
    QFETCH(QString, name);
    QFETCH(QStringList, items);
    MainWindow window;
    auto *box = window.findChild<QComboBox *>(name);
    QVERIFY(box);
    QCOMPARE(itemTexts(*box), items);
    // Filling selects the first item and nothing else.
    QCOMPARE(box->currentIndex(), 0);
    QVERIFY(!box->isEditable());
}

void FormTest::everyItemOnce()
{
    MainWindow window;
    int items = 0;
    const auto boxes = window.findChildren<QComboBox *>();
    QCOMPARE(boxes.size(), 71);
    for (const QComboBox *box : boxes)
        items += box->count();
    QCOMPARE(items, 330);
}

// Each item drawn as the style draws it into the box's text area, one pixel in
// at either side, but without the clip to that area: its ink must fit.
void FormTest::everyItemShowsWhole()
{
    MainWindow window;
    window.show();
    QStringList cut;
    for (QComboBox *box : window.findChildren<QComboBox *>()) {
        QStyleOptionComboBox option;
        option.initFrom(box);
        option.editable = box->isEditable();
        option.frame = box->hasFrame();
        const QRect area
            = box->style()
                  ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box)
                  .adjusted(1, 0, -1, 0);
        for (const QString &item : itemTexts(*box)) {
            // Room all round, at the box's resolution.
            const QPoint margin(100, 100);
            QImage canvas(box->size() + 2 * QSize(margin.x(), margin.y()),
                          QImage::Format_ARGB32_Premultiplied);
            canvas.setDotsPerMeterX(qRound(box->logicalDpiX() / 0.0254));
            canvas.setDotsPerMeterY(qRound(box->logicalDpiY() / 0.0254));
            canvas.fill(Qt::transparent);
            {
                QPainter painter(&canvas);
                painter.setFont(box->font());
                box->style()->drawItemText(&painter, area.translated(margin),
                                           Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip,
                                           box->palette(), true, item);
            }
            QRect ink;
            for (int y = 0; y < canvas.height(); ++y)
                for (int x = 0; x < canvas.width(); ++x)
                    if (qAlpha(canvas.pixel(x, y)) != 0)
                        ink |= QRect(x, y, 1, 1);
            ink.translate(-margin);
            if (!area.contains(ink))
                cut << QStringLiteral("%1 \"%2\" (ink %3 in %4)")
                           .arg(box->objectName(), item, rectText(ink), rectText(area));
        }
    }
    QVERIFY2(cut.isEmpty(),
             qPrintable(
                 QStringLiteral("%1 items cut: %2").arg(cut.size()).arg(cut.mid(0, 4).join(", "))));
}

void FormTest::frameListsFollowStandard_data()
{
    // clang-format off
    QTest::addColumn<int>("standard");
    QTest::addColumn<QString>("top");
    QTest::newRow("PAL") << 0 << "25";
    QTest::newRow("NTSC") << 1 << "30";
    // clang-format on
}

// The frame lists are replaced whole, whichever standard stood before, and
// every box goes back to its top item.
void FormTest::frameListsFollowStandard()
{
    QFETCH(int, standard);
    QFETCH(QString, top);
    MainWindow window;
    QVERIFY(showActive(window));
    window.resetAll();
    auto *ntpal = window.findChild<QComboBox *>("cb_ntpal");
    const auto frames = window.findChildren<QComboBox *>(QRegularExpression("^cb_frame_"));
    QCOMPARE(frames.size(), 17);
    for (int round = 0; round < 3; ++round) {
        for (QComboBox *box : frames)
            box->setCurrentIndex(3);
        std::fill(std::begin(ch_fps), std::end(ch_fps), 8);
        pickFromPopup(*ntpal, round == 1 ? 1 - standard : standard);
        if (round == 1)
            continue;
        QCOMPARE(ntpal->currentIndex(), standard);
        for (QComboBox *box : frames) {
            QCOMPARE(itemTexts(*box), frameItems(standard));
            QCOMPARE(box->currentIndex(), 8);
            QCOMPARE(box->currentText(), top);
        }
        QCOMPARE(std::count(std::begin(ch_fps), std::end(ch_fps), 30), 16);
    }
}

void FormTest::tabWalksTheFormRowByRow_data()
{
    // clang-format off
    QTest::addColumn<int>("countIndex");
    QTest::addColumn<int>("product");
    QTest::addColumn<bool>("manual");
    QTest::newRow("16 channels, Auto: bitrate fields skipped") << 2 << 0 << false;
    QTest::newRow("4 channels, Manual: hidden rows skipped") << 0 << 0 << true;
    QTest::newRow("Hybrid-DVR: locked mode boxes skipped") << 1 << 1 << false;
    // clang-format on
}

// Top to bottom, and left to right along each row of the table; whatever is
// hidden or disabled is passed over. Shift+Tab walks the same way back.
void FormTest::tabWalksTheFormRowByRow()
{
    QFETCH(int, countIndex);
    QFETCH(int, product);
    QFETCH(bool, manual);
    Calculator calculator;
    QCOMPARE(QApplication::focusWidget(), &calculator.box("cb_ntpal"));

    // Chosen with keys on the boxes, which leaves the focus where it is.
    const auto choose = [](QComboBox &box, int index) {
        QTest::keyClick(&box, Qt::Key_Home);
        for (int i = 0; i < index; ++i)
            QTest::keyClick(&box, Qt::Key_Down);
    };
    choose(calculator.box("cb_product"), product);
    choose(calculator.box("cb_max_ch"), countIndex);
    choose(calculator.box("cb_mode_all"), manual ? 1 : 0);

    QStringList expected = {"cb_ntpal", "cb_max_ch", "line_input_days", "line_input_hdd"};
    const int rows = QList<int>({4, 8, 16}).at(countIndex);
    for (int row = 0; row <= rows; ++row) {
        if (product == 0)
            expected << Calculator::cell("cb_mode", row);
        for (const char *family : {"cb_resolution", "cb_frame", "cb_quality"})
            expected << Calculator::cell(family, row);
        if (manual)
            expected << Calculator::cell("line_edit_bps", row);
    }
    expected << "cb_product"
             << "btn_init";

    // Where the focus is, then where each key press takes it: once round.
    const auto walk = [&expected](Qt::KeyboardModifiers modifiers) {
        QStringList visited = {QApplication::focusWidget()->objectName()};
        for (int i = 0; i < expected.size() && QApplication::focusWidget(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
            visited << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                                    : QStringLiteral("(nothing)"));
        }
        return visited;
    };
    QCOMPARE(walk(Qt::NoModifier), expected + QStringList {"cb_ntpal"});

    QStringList backwards = expected;
    std::reverse(backwards.begin() + 1, backwards.end());
    QCOMPARE(walk(Qt::ShiftModifier), backwards + QStringList {"cb_ntpal"});
}

void FormTest::bitrateFieldKeepsSixThousandCharacters()
{
    MainWindow window;
    for (QLineEdit *field :
         window.findChildren<QLineEdit *>(QRegularExpression("^line_edit_bps_"))) {
        field->setEnabled(true);
        field->setText(QString(6001, QLatin1Char('7')));
        QCOMPARE(field->text().size(), 6000);
    }
    for (QLineEdit *field : window.findChildren<QLineEdit *>(QRegularExpression("^line_input_"))) {
        field->setText(QString(6001, QLatin1Char('7')));
        QCOMPARE(field->text().size(), 6001);
    }
}

void FormTest::closingEndsEventLoopWithZero()
{
    MainWindow window;
    window.show();
    window.resetAll();
    QTimer::singleShot(0, &window, [&window] { window.close(); });
    // Should the close not end the loop, fail instead of hanging.
    QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(99); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!window.isVisible());
}

QTEST_MAIN(FormTest)
#include "tst_form.moc"
