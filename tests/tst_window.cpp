// The window driven as a user drives it, checked on what it shows: figures,
// look, plans opened, saved and undone with their files, text refused, the
// window's keys in fields, and a seeded random session (NVR_SESSION_SEED
// replays one, NVR_SESSION_ACTIONS sets its length); under a German locale, as
// CTest runs it.

#include "planfile.h"
#include "testsupport.h"
#include "ui_mainwindow.h"
#include "version.h"

#include <QtTest>
#include <QtWidgets>

#include <clocale>
#include <csignal>
#include <memory>

#include <sys/resource.h>

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
    if (auto *field = qobject_cast<const QLineEdit *>(&widget); field && !field->text().isEmpty()) {
        // 2 px inside its contents
        QStyleOptionFrame frame;
        frame.initFrom(&widget);
        frame.lineWidth = widget.style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
        return widget.style()
            ->subElementRect(QStyle::SE_LineEditContents, &frame, &widget)
            .adjusted(2, 0, -2, 0);
    }
    return qobject_cast<const QPushButton *>(&widget) ? widget.rect().adjusted(3, 3, -3, -3)
                                                      : QRect();
}

// The caption nearest to the left of widget on its line, if a caption and no
// other control is nearest there.
const QLabel *captionOf(const QWidget &widget, const QList<QWidget *> &widgets)
{
    const auto place = [&widget](const QWidget *w) {
        return QRect(w->mapTo(widget.window(), QPoint()), w->size());
    };
    const QRect at = place(&widget);
    const QWidget *nearest = nullptr;
    for (const QWidget *other : widgets) {
        const QRect there = place(other);
        if (other->isVisible() && (qobject_cast<const QLabel *>(other) || other->focusPolicy())
            && there.right() < at.left() && there.center().y() >= at.top()
            && there.center().y() <= at.bottom()
            && (!nearest || there.right() > place(nearest).right()))
            nearest = other;
    }
    auto *label = qobject_cast<const QLabel *>(nearest);
    return label && label->objectName().startsWith("label") ? label : nullptr;
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

// What the window shows at start, as main() builds it: every channel at 6000
// Kbps, 64.8 GB a day.
const QString started = "cb_frame_*=30 of 0|1|2|4|5|8|10|15|30; cb_frame_all=30 of "
                        "0|1|2|4|5|8|10|15|30; cb_mode_*=Auto; cb_mode_all=Auto; "
                        "cb_resolution_*=Full-HD; cb_resolution_all=Full-HD; cb_quality_*=Super; "
                        "cb_quality_all=Super; line_edit_bps_*=6000 (off); "
                        "line_edit_bps_all=6000 (off); lb_day_cap_*=64.8; lb_day_cap_all=; "
                        "cb_max_ch=16 CH; cb_ntpal=NTSC; cb_product=NVR; lb_total=1036.8; "
                        "lb_cal_hdd=0 GB; lb_cal_days=0 Days; lb_cal_time=0 Hours; "
                        "line_input_days=; line_input_hdd=";

// Typed or pasted, each refused in part or whole.
const QStringList hostile = {"   ",
                             "1500kbps",
                             "-5",
                             "1,000",
                             "1e999",
                             "nan",
                             "0x10",
                             QString(400, '9'),
                             "2147483648",
                             QStringLiteral("\u0663\u0660"),
                             QString(QChar(0)) + "42"};

template<typename T> T any(const QList<T> &list, QRandomGenerator &random)
{
    return list.at(int(random.bounded(quint32(list.size()))));
}

// A user's next action, in act()'s words: a pick from a list, Tab, a key on
// whatever has the focus, text typed or pasted into a field and taken by
// Return, Tab or a click elsewhere, and now and then Reset.
QString randomAction(const Calculator &calculator, QRandomGenerator &random)
{
    const auto usable = [&calculator](auto *type) {
        QList<decltype(type)> found;
        for (auto *widget : calculator.window.findChildren<decltype(type)>())
            if (widget->isVisible() && widget->isEnabled())
                found << widget;
        return found;
    };
    const int kind = int(random.bounded(100));
    if (kind < 35) {
        const QComboBox *box = any(usable(static_cast<QComboBox *>(nullptr)), random);
        return box->objectName() + "=" + QString::number(random.bounded(box->count()));
    }
    if (kind < 60)
        return "^"
            + any<QString>({"Tab", "Tab", "Up", "Down", "Home", "End", "Ctrl+Z", "Ctrl+Y"}, random);
    if (kind < 97) {
        const QLineEdit *field = any(usable(static_cast<QLineEdit *>(nullptr)), random);
        const int text = int(random.bounded(3));
        return field->objectName() + "<"
            + (text == 0       ? any(hostile, random)
                   : text == 1 ? QString::number(int(random.generate()))
                               : QString::number(random.bounded(100000.0) - 1000, 'f', 3))
            + any<QString>({"", ">Tab", ">click"}, random);
    }
    return QStringLiteral("btn_init!");
}

QStringList shown(const QWidget &window)
{
    return shownWith(shownValues(window));
}

// The title as the window system shows it, the modified marker resolved,
// without the program's name after the plan's.
QString title(const QWidget &window)
{
    return window.windowHandle()->title().remove(" - NVR Recording calculator");
}

QString failureShown(const QWidget &window)
{
    for (const QMessageBox *box : window.findChildren<QMessageBox *>())
        if (box->isVisible())
            return box->informativeText();
    return QString();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

// Answers the next file dialog as a user does: the kind of file picked if
// asked, a name typed, Return; offered gets the name and kinds suggested.
void chooseFile(const QString &path, QStringList *offered = nullptr, int kind = 0)
{
    whenDialogOpens([=](QWidget *dialog) {
        auto *files = qobject_cast<QFileDialog *>(dialog);
        if (offered)
            *offered = files->selectedFiles() + files->nameFilters();
        for (int k = 0; k < kind; ++k) // Return on a popup list would take the dialog
            QTest::keyClick(files->findChild<QComboBox *>("fileTypeCombo"), Qt::Key_Down);
        // Typed and taken at once. A save dialog selects the file it suggests
        // in its list once the folder loads, and the selection would win over
        // the name: typing in the focused field deselects it, so here by hand.
        auto *name = files->findChild<QLineEdit *>("fileNameEdit");
        name->setText(path);
        if (files->acceptMode() == QFileDialog::AcceptSave)
            files->findChild<QListView *>("listView")->clearSelection();
        QTest::keyClick(name, Qt::Key_Return);
    });
}

// Opens the menu of the widget named at as a user does, with the Menu key on a
// box or a right click elsewhere, and picks the command whose text begins with
// the last part of path, through the submenus before it ("Open Recent/2 ").
// Gives the texts of the last menu reached.
QStringList fromMenu(Calculator &calculator, const QString &path,
                     const QString &at = "cb_quality_3")
{
    auto listed = std::make_shared<QStringList>();
    QTimer::singleShot(50, [listed, path] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QList<QAction *> actions = menu ? menu->actions() : QList<QAction *>();
        QAction *found = nullptr;
        for (const QString &part : path.split('/')) {
            listed->clear();
            found = nullptr;
            for (QAction *action : actions)
                if (!action->isSeparator()) {
                    *listed << action->text().remove('&');
                    if (!found && !part.isEmpty() && listed->last().startsWith(part))
                        found = action;
                }
            actions = found && found->menu() ? found->menu()->actions() : QList<QAction *>();
        }
        if (menu)
            menu->close();
        if (found)
            found->trigger();
    });
    QWidget *widget = calculator.window.findChild<QWidget *>(at);
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5),
                            widget->mapToGlobal(QPoint(5, 5)));
    qobject_cast<QComboBox *>(widget) ? QTest::keyClick(widget, Qt::Key_Menu)
                                      : void(QApplication::sendEvent(widget, &click));
    return *listed;
}

// Goes down path in the menu bar as a user does by keys: Alt and the menu's
// underlined letter, then each item's ("File/Open Recent/3"). Picks the last
// item, or, if only looking, closes the menus. Gives that item.
QAction *fromMenuBar(Calculator &calculator, const QString &path, bool pick = true)
{
    const QStringList parts = path.split('/');
    QWidget *menu = calculator.window.menuBar();
    QAction *found = nullptr;
    for (int i = 0; i < parts.size() && menu; ++i) {
        found = nullptr;
        for (QAction *action : menu->actions())
            if (!found && action->text().remove('&').startsWith(parts[i]))
                found = action;
        if (!found)
            break;
        if (i + 1 == parts.size() && !pick)
            break;
        // The underlined letter: after the "&" of the text.
        const char letter = found->text().section('&', 1).at(0).toLower().toLatin1();
        if (i == 0)
            act(calculator, QStringLiteral("^Alt+") + QChar(letter).toUpper());
        else
            QTest::keyClick(menu, letter);
        menu = QApplication::activePopupWidget();
    }
    while (QApplication::activePopupWidget())
        QApplication::activePopupWidget()->close();
    return found;
}

} // namespace

class WindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void userSees_data();
    void userSees();
    void popupIsNoReturn();
    void undoneOpenKeepsItsFile_data();
    void undoneOpenKeepsItsFile();
    void undoAndRedoEveryStep();
    void changedPlanIsNotLostUnasked_data();
    void changedPlanIsNotLostUnasked();
    void contextMenuCommands();
    void menuBar_data();
    void menuBar();
    void disksDialog();
    void recentPlans();
    void badPlansAreRefused_data();
    void badPlansAreRefused();
    void looksWholeOnAnyDesktop_data();
    void looksWholeOnAnyDesktop();
    void randomSession();

private:
    Calculator &c() { return *m_calculator; }
    std::unique_ptr<Calculator> m_calculator;
    QTemporaryDir m_dir;
};

void WindowTest::initTestCase()
{
    QVERIFY2(QString::fromLatin1(std::localeconv()->decimal_point) == QLatin1String(","),
             "no comma-decimal locale is active; CTest sets LC_ALL=de_DE.UTF-8, which needs "
             "the Debian package locales-all");
    // The trace of every recalculation is the program's, not the tests' business.
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    // Recent plans and folders go to a settings file of this run's own: runs
    // side by side must not share one.
    qputenv("XDG_CONFIG_HOME", m_dir.filePath("config").toUtf8());
    m_calculator = std::make_unique<Calculator>();
}

// One window for all cases, back at the defaults before each, with no recent
// plans: building one takes longer than most cases.
void WindowTest::init()
{
    QFile::remove(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                  + "/nvr-calculator/nvr-calculator.conf");
    if (!m_calculator)
        m_calculator = std::make_unique<Calculator>();
    c().window.applyPlan(Plan());
    if (QApplication::activeWindow() != &c().window)
        showActive(c().window);
}

// A case that failed may leave the window asking or holding a file: the next
// one gets a window of its own.
void WindowTest::cleanup()
{
    if (QTest::currentTestFailed())
        m_calculator.reset();
}

void WindowTest::userSees_data()
{
    // clang-format off
    QTest::addColumn<QString>("actions");
    QTest::addColumn<QString>("shown"); // what differs from the start afterwards
    const QString ntsc = " of 0|1|2|4|5|8|10|15|30";
    const QString pal = " of 0|1|3|4|5|7|9|13|25";

    QTest::newRow("start") << "" << "";

    // Every row reaches its own channel only. HD Low is 2000 / 30 = 66 Kbps per
    // frame; item 4 records 10 fps: 660 Kbps, 7.128 GB; 1234 Kbps 13.3272 GB.
    for (int n = 1; n <= 16; ++n) {
        QTest::addRow("channel %d, Auto", n)
            << QString("cb_quality_%1=4; cb_resolution_%1=1; cb_frame_%1=4").arg(n)
            << QString("cb_quality_%1=Low; cb_resolution_%1=HD; cb_frame_%1=5%2; line_edit_bps_%1=660 (off); lb_day_cap_%1=7.128; lb_total=979.128").arg(n).arg(ntsc);
        QTest::addRow("channel %d, Manual", n)
            << QString("cb_mode_%1=1; line_edit_bps_%1<1234").arg(n)
            << QString("cb_mode_%1=Manual; line_edit_bps_%1=1234; lb_day_cap_%1=13.3272; lb_total=985.327").arg(n);
    }
    // Keys on a focused box choose: Highest is 5000 / 30 x 30 = 4980 Kbps.
    // Tab goes from the channel count to Required Days: 3 days need 1036.8 x 3 x 1.073741824 = 3339.7 GB.
    QTest::newRow("Tab, typed") << "cb_max_ch@; ^Tab; ^3; ^Return" << "line_input_days=3; lb_cal_hdd=3339 GB";
    QTest::newRow("keys") << "cb_quality_1@; ^Down" << "cb_quality_1=Highest; line_edit_bps_1=4980 (off); lb_day_cap_1=53.784; lb_total=1025.78";

    // A mode switch recalculates; to Manual it takes the bitrate shown, so
    // nothing moves. D1 Super is 2000 / 30 x 30 = 1980 Kbps, 21.384 GB.
    const QString d1 = "cb_resolution_5=D1; lb_day_cap_5=21.384; lb_total=993.384; line_edit_bps_5=1980";
    QTest::newRow("to Manual") << "cb_resolution_5=2; cb_mode_5=1" << d1 + "; cb_mode_5=Manual";
    QTest::newRow("typed, Manual again") << "cb_resolution_5=2; cb_mode_5=1; line_edit_bps_5<2500; cb_mode_5=1"
        << "cb_resolution_5=D1; cb_mode_5=Manual; line_edit_bps_5=2500; lb_day_cap_5=27; lb_total=999";
    QTest::newRow("back to Auto") << "cb_resolution_5=2; cb_mode_5=1; line_edit_bps_5<2500; cb_mode_5=0" << d1 + " (off)";
    const QString allD1 = "cb_resolution_*=D1; cb_resolution_all=D1; lb_day_cap_*=21.384; lb_total=342.144";
    QTest::newRow("ALL to Manual") << "cb_resolution_all=2; cb_mode_all=1"
        << allD1 + "; cb_mode_*=Manual; cb_mode_all=Manual; line_edit_bps_*=1980; line_edit_bps_all=1980";
    QTest::newRow("ALL typed") << "cb_resolution_all=2; cb_mode_all=1; line_edit_bps_all<2500"
        << allD1 + "; cb_mode_*=Manual; cb_mode_all=Manual; line_edit_bps_*=2500; line_edit_bps_all=2500; lb_day_cap_*=27; lb_total=432";
    QTest::newRow("ALL back to Auto") << "cb_resolution_all=2; cb_mode_all=1; line_edit_bps_all<2500; cb_mode_all=0"
        << allD1 + "; line_edit_bps_*=1980 (off); line_edit_bps_all=1980 (off)";

    // Return, Tab or a click elsewhere takes a typed bitrate; the letter was
    // refused as it was typed: 779 Kbps, 8.4132 GB.
    const QString typed = "cb_mode_7=Manual; line_edit_bps_7=779; lb_day_cap_7=8.4132; lb_total=980.413";
    QTest::newRow("Return") << "cb_mode_7=1; line_edit_bps_7<77x9" << typed;
    QTest::newRow("Tab") << "cb_mode_7=1; line_edit_bps_7<77x9>Tab" << typed;
    QTest::newRow("click") << "cb_mode_7=1; line_edit_bps_7<77x9>click" << typed;
    // Leaving the ALL field unchanged applies nothing; Return in it applies it
    // to the channels in use, changed or not.
    const QString typedTwo = "cb_mode_all=1; line_edit_bps_1<1111; line_edit_bps_2<2222; line_edit_bps_all@; ^Tab";
    const QString allManual = "cb_mode_*=Manual; cb_mode_all=Manual; line_edit_bps_*=6000; line_edit_bps_all=6000";
    QTest::newRow("ALL field passed") << typedTwo + "; line_edit_bps_all@; line_edit_bps_3@"
        << allManual + "; line_edit_bps_1=1111; line_edit_bps_2=2222; lb_day_cap_1=11.9988; lb_day_cap_2=23.9976; lb_total=943.196";
    QTest::newRow("ALL field, Return") << typedTwo + "; line_edit_bps_all@; ^Return; ^Tab" << allManual;
    QTest::newRow("ALL field changed") << typedTwo + "; line_edit_bps_all<3333>Tab"
        << allManual + "; line_edit_bps_*=3333; line_edit_bps_all=3333; lb_day_cap_*=35.9964; lb_total=575.942";
    // A field takes only what it reads: a sign, a point in a bitrate, a
    // letter, a digit past 2^31 - 1 Kbps, typed or pasted, is refused (a comma:
    // below). 2^31 - 1 Kbps are 2.31928e+07 GB; 3000000000 typed stops at 300000000 Kbps,
    // 3.24e+06 GB, and with 14 channels at 64.8 GB the total is 26433729.6.
    QTest::newRow("letters") << "cb_mode_7=1; line_edit_bps_7<abc>Tab" << "cb_mode_7=Manual; line_edit_bps_7=6000";
    QTest::newRow("a point pasted") << "cb_mode_3=1; line_edit_bps_3<<1.5" << "cb_mode_3=Manual; line_edit_bps_3=6000";
    QTest::newRow("beyond 32 bits pasted") << "cb_mode_3=1; line_edit_bps_3<<21474836479" << "cb_mode_3=Manual; line_edit_bps_3=6000";
    // 426019 x 0.0108 = 4601.0052 GB, 4795.4052 with three channels at 64.8: a float product would show 4601.
    QTest::newRow("a bitrate of six digits") << "cb_max_ch=0; cb_mode_3=1; line_edit_bps_3<426019" << "cb_max_ch=4 CH; row_5-16=hidden; cb_mode_3=Manual; line_edit_bps_3=426019; lb_day_cap_3=4601.01; lb_total=4795.41";
    QTest::newRow("a bitrate beyond 32 bits") << "cb_mode_3=1; line_edit_bps_3<21474836479; cb_mode_4=1; line_edit_bps_4<3000000000"
        << "cb_mode_3=Manual; line_edit_bps_3=2147483647; lb_day_cap_3=2.31928e+07; cb_mode_4=Manual; line_edit_bps_4=300000000; lb_day_cap_4=3.24e+06; lb_total=2.64337e+07";
    QTest::newRow("a unit") << "line_input_hdd<4TB" << "line_input_hdd=4";

    // A comma in Required Days or Installed HDD size is the decimal point, shown
    // as ".", where the desktop writes decimals so, as German does; elsewhere, as
    // under "en_US: ", it groups thousands and is refused, typed or pasted.
    // Bitrates take digits only. 30.5 days need 1036.8 x 30.5 x 1.073741824 =
    // 33954.2 GB, 7.5 days 8349.4, 305 days 339542.9, 1.25 days 1391.6; 4000 GB
    // last 4000 / 1.073741824 / 43.2 = 86.2 hours, 4 GB 0.09; 1500 Kbps are 16.2 GB a day.
    QTest::newRow("German, typed") << "line_input_days<30,5" << "line_input_days=30.5; lb_cal_hdd=33954 GB";
    QTest::newRow("German, pasted") << "line_input_days<<7,5" << "line_input_days=7.5; lb_cal_hdd=8349 GB";
    QTest::newRow("German, a second comma") << "line_input_days<-1,2,5" << "line_input_days=1.25; lb_cal_hdd=1391 GB";
    QTest::newRow("German, thousands") << "line_input_hdd<4,000" << "line_input_hdd=4.000; lb_cal_days=0 Days; lb_cal_time=0 Hours";
    QTest::newRow("German, a bitrate") << "cb_mode_3=1; line_edit_bps_3<-1,500" << "cb_mode_3=Manual; line_edit_bps_3=1500; lb_day_cap_3=16.2; lb_total=988.2";
    QTest::newRow("English, typed") << "en_US: line_input_days<30,5" << "line_input_days=305; lb_cal_hdd=339542 GB";
    QTest::newRow("English, thousands") << "en_US: line_input_hdd<4,000" << "line_input_hdd=4000; lb_cal_days=3 Days; lb_cal_time=14 Hours";
    QTest::newRow("English, thousands pasted") << "en_US: line_input_hdd<3000; line_input_hdd<<4,000" << "line_input_hdd=3000; lb_cal_days=2 Days; lb_cal_time=16 Hours";

    // The window's keys from a field: what is typed counts first, then the
    // command, so the field and the figures agree. 60 days need 66795.3 GB.
    const QString thirty = "line_input_days=30; lb_cal_hdd=33397 GB";
    QTest::newRow("Ctrl+Z in a field") << "line_input_days<30; line_input_days<60; ^Ctrl+Z" << thirty;
    QTest::newRow("Ctrl+Z, typed only") << "line_input_days<30; line_input_days<60>; ^Ctrl+Z" << thirty;
    QTest::newRow("Ctrl+Y in a field") << "line_input_days<30; line_input_days<60; ^Ctrl+Z; ^Ctrl+Y" << "line_input_days=60; lb_cal_hdd=66795 GB";
    QTest::newRow("Ctrl+Shift+Z in a field") << "line_input_hdd<3000; line_input_days<30; ^Ctrl+Z; ^Ctrl+Z; ^Ctrl+Shift+Z" << "line_input_hdd=3000; lb_cal_days=2 Days; lb_cal_time=16 Hours";

    // The ALL row reaches every channel, hidden ones too; a Manual channel
    // keeps its bitrate. Item 7 records 20 fps: 6000 / 30 x 20 = 4000.
    const QString allOf = "cb_mode_2=1; cb_max_ch=0; %1; cb_max_ch=2";
    const QString manual2 = "cb_mode_2=Manual; line_edit_bps_2=6000; lb_day_cap_2=64.8; ";
    QTest::newRow("ALL HD") << allOf.arg("cb_resolution_all=1")
        << manual2.left(0) + "cb_resolution_*=HD; cb_resolution_all=HD; line_edit_bps_*=3990 (off); line_edit_bps_all=3990 (off); lb_day_cap_*=43.092; " + manual2 + "lb_total=711.18";
    QTest::newRow("ALL item 7") << allOf.arg("cb_frame_all=7")
        << "cb_frame_*=15" + ntsc + "; cb_frame_all=15" + ntsc + "; line_edit_bps_*=4000 (off); line_edit_bps_all=4000 (off); lb_day_cap_*=43.2; " + manual2 + "lb_total=712.8";
    // To Manual, the channels in use take the bitrates shown; the others keep
    // what they held, nothing here.
    QTest::newRow("ALL Manual, 4 channels") << "cb_resolution_2=1; cb_max_ch=0; cb_mode_all=1; cb_max_ch=2"
        << "cb_resolution_2=HD; cb_mode_*=Manual; cb_mode_all=Manual; line_edit_bps_*=0; line_edit_bps_1-4=6000; line_edit_bps_2=3990; line_edit_bps_all=6000; lb_day_cap_*=0; lb_day_cap_1-4=64.8; lb_day_cap_2=43.092; lb_total=237.492";
    QTest::newRow("ALL bitrate, 4 channels") << "cb_max_ch=0; cb_mode_all=1; cb_mode_2=0; line_edit_bps_all<1500kbps; cb_max_ch=2"
        << "cb_mode_*=Manual; cb_mode_2=Auto; cb_mode_all=Manual; line_edit_bps_*=0; line_edit_bps_1-4=1500; line_edit_bps_2=6000 (off); line_edit_bps_all=1500; lb_day_cap_*=0; lb_day_cap_1-4=16.2; lb_day_cap_2=64.8; lb_total=113.4";

    // The count shows and sums the channels in use; hidden rows keep their
    // settings. D1 Low: 512 / 30 x 30 = 510 Kbps, 5.508 GB.
    QTest::newRow("4 CH") << "cb_max_ch=0" << "cb_max_ch=4 CH; row_5-16=hidden; lb_total=259.2";
    QTest::newRow("8 CH") << "cb_max_ch=1" << "cb_max_ch=8 CH; row_9-16=hidden; lb_total=518.4";
    QTest::newRow("4 CH, 2000 GB") << "line_input_hdd<2000; cb_max_ch=0"
        << "cb_max_ch=4 CH; row_5-16=hidden; lb_total=259.2; line_input_hdd=2000; lb_cal_days=7 Days; lb_cal_time=4 Hours";
    QTest::newRow("back to 16") << "cb_resolution_12=2; cb_quality_12=4; cb_max_ch=0; cb_max_ch=1; cb_max_ch=2"
        << "cb_resolution_12=D1; cb_quality_12=Low; line_edit_bps_12=510 (off); lb_day_cap_12=5.508; lb_total=977.508";

    // Any choice of standard puts every frame box back on its top item.
    QTest::newRow("PAL") << "cb_frame_3=4; cb_frame_all=2; cb_ntpal=0" << "cb_ntpal=PAL; cb_frame_*=25" + pal + "; cb_frame_all=25" + pal;
    QTest::newRow("PAL item 7") << "cb_ntpal=0; cb_frame_1=7"
        << "cb_ntpal=PAL; cb_frame_*=25" + pal + "; cb_frame_all=25" + pal + "; cb_frame_1=13" + pal + "; line_edit_bps_1=4000 (off); lb_day_cap_1=43.2; lb_total=1015.2";

    // A product resets; any but the first locks every Mode box on Auto.
    const QString hybrid = "cb_product=Hybrid-DVR; cb_mode_*=Auto (off); cb_mode_all=Auto (off)";
    QTest::newRow("Hybrid-DVR") << "cb_max_ch=0; cb_mode_3=1; cb_product=1" << hybrid;
    QTest::newRow("Hybrid-DVR, Reset") << "cb_product=1; cb_ntpal=0; btn_init!" << hybrid;
    QTest::newRow("Hybrid-DVR, others respond") << "cb_product=1; cb_resolution_1=1"
        << hybrid + "; cb_resolution_1=HD; line_edit_bps_1=3990 (off); lb_day_cap_1=43.092; lb_total=1015.09";
    QTest::newRow("NVR again") << "cb_product=1; cb_product=0" << "";
    const QString busy = "cb_quality_16=4; cb_mode_3=1; line_edit_bps_3<2500; cb_ntpal=0; cb_frame_5=2; cb_resolution_all=2; cb_max_ch=0; cb_mode_all=1; line_input_days<5; line_input_hdd<100";
    QTest::newRow("Reset") << busy + "; btn_init!" << "";
    // A reset keeps typed bitrates: channels that were not in use come back
    // in Manual with them (777 Kbps, 8.3916 GB).
    QTest::newRow("Reset keeps typed bitrates") << "cb_mode_all=1; line_edit_bps_all<777; btn_init!; cb_max_ch=0; cb_mode_all=1; cb_max_ch=2"
        << "cb_mode_*=Manual; cb_mode_all=Manual; line_edit_bps_*=777; line_edit_bps_1-4=6000; line_edit_bps_all=6000; lb_day_cap_*=8.3916; lb_day_cap_1-4=64.8; lb_total=359.899";
    QTest::newRow("the same product again") << busy + "; cb_product=0" << "";

    // The estimates, from the typed texts, which stay as typed.
    QTest::newRow("half a day") << "line_input_days<0.5" << "line_input_days=0.5; lb_cal_hdd=556 GB";
    // 1036.8 x 9999999 x 1.073741824 GB is beyond 32 bits; 99999999999 GB
    // last 2155839445 hours, 89826643 days and 13 hours.
    QTest::newRow("beyond 32 bits") << "line_input_days<9999999; line_input_hdd<99999999999"
        << "line_input_days=9999999; line_input_hdd=99999999999; lb_cal_hdd=-- GB; lb_cal_days=89826643 Days; lb_cal_time=13 Hours";
    QTest::newRow("nothing recorded") << "cb_frame_all=0; line_input_hdd<3000; line_input_days<30"
        << "cb_frame_*=0" + ntsc + "; cb_frame_all=0" + ntsc + "; line_edit_bps_*=0 (off); line_edit_bps_all=0 (off); lb_day_cap_*=0; lb_total=0; line_input_days=30; line_input_hdd=3000; lb_cal_days=-- Days; lb_cal_time=-- Hours";
    // clang-format on
}

// What the window shows after a user's actions: what it shows at start, but
// for the changes named; and the model agrees with it.
void WindowTest::userSees()
{
    QFETCH(QString, actions);
    QFETCH(QString, shown);
    const auto back = qScopeGuard([] { QLocale::setDefault(QLocale::system()); });
    if (actions.startsWith("en_US: ")) // a locale with a decimal point
        QLocale::setDefault(QLocale(actions.left(5)));
    act(c(), actions.remove(QRegularExpression("^en_US: ")));
    const QMap<QString, QString> now = shownValues(c().window);
    QCOMPARE(shownWith(now), shownWith(now, started + "; " + shown));
    QCOMPARE(brokenRelations(c()), QStringList());
}

// Opening a list while the ALL field has the focus is no Return, even after a
// plan was opened into the field. A list opened before takes the focus
// itself: so in a window of its own.
void WindowTest::popupIsNoReturn()
{
    m_calculator.reset();
    m_calculator = std::make_unique<Calculator>();
    act(c(), "cb_mode_all=1; line_edit_bps_1<1111; line_edit_bps_all@");
    Plan opened = c().window.currentPlan();
    opened.all.manualKbps = 5000;
    c().window.applyPlan(opened);
    act(c(), "cb_quality_5=1");
    QCOMPARE(c().field("line_edit_bps_1").text(), QStringLiteral("1111"));
}

// With Arial or its twin, on a light and a dark desktop alike: each text and figure whole, not
// one pixel changed; and a screen reader names each control and result once, with its channel.
void WindowTest::looksWholeOnAnyDesktop_data()
{
    QTest::addColumn<QString>("actions");
    QTest::newRow("a plan") << "line_input_days<30; line_input_hdd<4000";
    // The widest figures: 2^31 - 1 Kbps on every channel, 2.31928e+07 GB a
    // day each, 3.71085e+08 GB in all, 5 days on 1992... GB, 7.97e17 GB for
    // 2000... days; 1 Kbps each is 0.1728 GB a day, on which 371000000 GB last
    // 1999... days.
    QTest::newRow("the widest figures") << "cb_mode_all=1; line_edit_bps_all<2147483647; "
                                           "line_input_days<5; line_input_hdd<797000000000000000";
    QTest::newRow("the most days")
        << "cb_mode_all=1; line_edit_bps_all<1; line_input_hdd<371000000";
}

void WindowTest::looksWholeOnAnyDesktop()
{
    m_calculator.reset(); // a window of its own
    QFETCH(QString, actions);
    const QString family = QFontInfo(MainWindow().centralWidget()->font()).family();
    QVERIFY2(QStringList({"Arial", "Liberation Sans"}).contains(family), qPrintable(family));
    QSet<QString> faults;
    const auto shoot = [&faults, actions] {
        Calculator c;
        act(c, actions);
        // The form, which keeps its own colours; the menu bar takes the desktop's.
        const QImage shot = c.window.centralWidget()->grab().toImage();
        const auto widgets = c.window.findChildren<QWidget *>(QRegularExpression("^(?!qt_)."));
        QSet<QString> names;
        const QRegularExpression control("^(cb|line|lb|btn)_");
        QMap<QString, QRect> placed;
        for (QWidget *widget : widgets) {
            const QString name = widget->accessibleName(),
                          row = widget->objectName().section('_', -1);
            // A combo box on Linux announces its description, not its name.
            if (control.match(widget->objectName()).hasMatch()
                && (name.isEmpty() || names.contains(name)
                    || (qobject_cast<QComboBox *>(widget)
                        && widget->accessibleDescription() != name)
                    || !name.startsWith(row == "all"      ? "All channels "
                                            : row.toInt() ? "Channel " + row + " "
                                                          : "")))
                faults << widget->objectName() + " is named \"" + name + '"';
            names << name;
            // The caption beside a control names it: "7" beside channel 7's mode.
            // Outside the table, the control is the caption's buddy too: a
            // screen reader on Linux hears it as what labels the control.
            const QLabel *beside = captionOf(*widget, widgets);
            const QString caption = beside ? beside->text().simplified() : QString();
            if (control.match(widget->objectName()).hasMatch() && !caption.isEmpty()
                && !name.contains(QRegularExpression(
                    "(?<!\\w)" + QRegularExpression::escape(caption) + "s?(?!\\w)",
                    QRegularExpression::CaseInsensitiveOption)))
                faults << widget->objectName() + " is beside \"" + caption + '"';
            if (beside && widget->focusPolicy() != Qt::NoFocus
                && !beside->objectName().startsWith("label_ch")) {
                const auto labels
                    = QAccessible::queryAccessibleInterface(widget)->relations(QAccessible::Label);
                if (std::none_of(labels.begin(), labels.end(), [beside](const auto &label) {
                        return label.first->object() == beside;
                    }))
                    faults << widget->objectName() + " is not labelled by \"" + caption + '"';
            }
            const QRect area = textArea(*widget);
            auto *box = qobject_cast<QComboBox *>(widget);
            auto *label = qobject_cast<QLabel *>(widget);
            auto *field = qobject_cast<QLineEdit *>(widget);
            // No control or caption lies over another, and each lies inside the window.
            const QRect at(widget->mapTo(&c.window, QPoint()), widget->size());
            if (widget->isVisible()
                && (box || label || field || qobject_cast<QPushButton *>(widget))) {
                if (!c.window.rect().contains(at))
                    faults << widget->objectName() + " is outside the window";
                for (auto other = placed.cbegin(); other != placed.cend(); ++other)
                    if (other.value().intersects(at))
                        faults << widget->objectName() + " lies over " + other.key();
                placed.insert(widget->objectName(), at);
            }
            const int flags = label ? int(label->alignment())
                : field             ? int(field->alignment())
                                    : Qt::AlignLeft | Qt::AlignVCenter;
            for (const QString &text : box ? itemTexts(*box)
                                           : QStringList(label       ? label->text()
                                                             : field ? field->text()
                                                                     : ""))
                if (!text.isEmpty() && !fits(*widget, area, flags, text))
                    faults << widget->objectName() + " cuts \"" + text + '"';
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

void WindowTest::randomSession()
{
    m_calculator.reset(); // a window of its own
    const quint32 seed = qEnvironmentVariableIsSet("NVR_SESSION_SEED")
        ? quint32(qEnvironmentVariableIntValue("NVR_SESSION_SEED"))
        : QRandomGenerator::global()->generate();
    const int actions = qEnvironmentVariableIsSet("NVR_SESSION_ACTIONS")
        ? qEnvironmentVariableIntValue("NVR_SESSION_ACTIONS")
        : 2000;
    qInfo("seed %u, %d actions (replay: NVR_SESSION_SEED=%u)", seed, actions, seed);
    Calculator calculator;
    QRandomGenerator random(seed);
    for (int step = 0; step < actions; ++step) {
        const QString action = randomAction(calculator, random);
        act(calculator, action);
        const QStringList broken = brokenRelations(calculator);
        QVERIFY2(broken.isEmpty(),
                 qPrintable(QStringLiteral("seed %1, action %2 (%3): %4")
                                .arg(seed)
                                .arg(step)
                                .arg(action.left(60), broken.join("; "))));
    }
}

void WindowTest::undoneOpenKeepsItsFile_data()
{
    // clang-format off
    QTest::addColumn<bool>("titled"); // the work before: a.nvrplan's, changed, or untitled, changed
    QTest::addColumn<QString>("command"); // Ctrl+O opens b.nvrplan, Ctrl+N starts a new plan
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("offered"); // by the file dialog, which is answered w
    QTest::addColumn<QString>("written"); // the file that gets the earlier work
    QTest::newRow("untitled, Open, Save") << false << "Ctrl+O" << "Ctrl+S" << "plan.nvrplan" << "w.nvrplan";
    QTest::newRow("another plan, Open, Save") << true << "Ctrl+O" << "Ctrl+S" << "" << "a.nvrplan";
    QTest::newRow("another plan, Open, Save As") << true << "Ctrl+O" << "Ctrl+Shift+S" << "a.nvrplan" << "w.nvrplan";
    QTest::newRow("untitled, New, Save") << false << "Ctrl+N" << "Ctrl+S" << "plan.nvrplan" << "w.nvrplan";
    QTest::newRow("another plan, New, Save") << true << "Ctrl+N" << "Ctrl+S" << "" << "a.nvrplan";
    // clang-format on
}

// Undoing an Open or a New brings back the work before it under its own name
// and state: saving it never writes into the file opened, nor names the new
// plan. Redo brings that back; a new plan is saved under a name of its own.
void WindowTest::undoneOpenKeepsItsFile()
{
    m_calculator.reset(); // a window of its own
    QFETCH(bool, titled);
    QFETCH(QString, command);
    QFETCH(QString, keys);
    QFETCH(QString, offered);
    QFETCH(QString, written);
    const bool open = command == "Ctrl+O";
    const QTemporaryDir folder;
    const QString a = folder.filePath("a.nvrplan"), b = folder.filePath("b.nvrplan");
    Plan four;
    four.channelCount = 4;
    QString error;
    QVERIFY(writePlanFile(a, Plan(), &error) && writePlanFile(b, four, &error));
    Calculator calculator;
    // An open is undone like any change, the first one too.
    QVERIFY(!titled || (calculator.window.openFile(a) && calculator.window.openFile(b)));
    act(calculator, QString(titled ? "^Ctrl+Z; " : "") + "cb_quality_all=4; cb_max_ch=1");
    // The changes are asked about first, from a field as any key of the window.
    whenDialogOpens([&](QWidget *question) {
        if (open)
            chooseFile(b);
        qobject_cast<QMessageBox *>(question)->button(QMessageBox::Discard)->click();
    });
    act(calculator, "line_input_hdd@; ^" + command);
    const QString then = open ? "b.nvrplan" : "NVR Recording calculator";
    QCOMPARE(title(calculator.window), then);
    act(calculator, "^Ctrl+Z");
    QCOMPARE(title(calculator.window), titled ? "a.nvrplan*" : "Untitled*");
    QStringList dialog;
    if (!offered.isEmpty())
        chooseFile(folder.filePath("w.nvrplan"), &dialog);
    act(calculator, "line_input_days@; ^" + keys);
    QCOMPARE(QFileInfo(dialog.value(0)).fileName(), offered);
    QCOMPARE(readPlanFile(folder.filePath(written), &error)->channelCount, 8);
    QCOMPARE(title(calculator.window), written);
    act(calculator, "^Ctrl+Y");
    QCOMPARE(title(calculator.window), then);
    QCOMPARE(calculator.box("cb_max_ch").currentText(), open ? "4 CH" : "16 CH");
    act(calculator, "cb_max_ch=2"); // the plan's channels beyond its count, not the work's before
    QCOMPARE(calculator.box("cb_quality_16").currentText(), QStringLiteral("Super"));
    if (!open) { // untouched: no question; saved, a name asked for
        chooseFile(folder.filePath("n.nvrplan"), &dialog);
        act(calculator, "^Ctrl+N; ^Ctrl+S");
        QCOMPARE(QFileInfo(dialog.value(0)).fileName(), QStringLiteral("plan.nvrplan"));
        QCOMPARE(title(calculator.window), QStringLiteral("n.nvrplan"));
    }
    QCOMPARE(readPlanFile(b, &error)->channelCount, 4);
    QCOMPARE(readPlanFile(a, &error)->channelCount, written == "a.nvrplan" ? 8 : 16);
}

// Each change, Reset and a product choice included, undone in turn restores
// what the window showed before it; Ctrl+Y and Ctrl+Shift+Z redo each.
void WindowTest::undoAndRedoEveryStep()
{
    m_calculator.reset(); // a window of its own
    Calculator calculator;
    // The item a box shows, picked again, is no step of its own.
    const QStringList steps = {"cb_quality_2=4; cb_quality_2=4",
                               "line_input_days<30",
                               "cb_mode_3=1",
                               "line_edit_bps_3<2500",
                               "cb_ntpal=0",
                               "btn_init!",
                               "cb_product=1",
                               "cb_max_ch=0",
                               "cb_product=0"};
    QList<QStringList> states = {shown(calculator.window)};
    for (const QString &step : steps) {
        act(calculator, step);
        states << shown(calculator.window);
        QVERIFY2(states.last() != states.at(states.size() - 2), qPrintable(step));
    }
    for (int i = states.size() - 2; i >= -1; --i) {
        act(calculator, "^Ctrl+Z");
        QCOMPARE(shown(calculator.window), states.at(qMax(i, 0))); // nothing before the start
    }
    for (int i = 1; i < states.size(); ++i) {
        act(calculator, i % 2 ? "^Ctrl+Y" : "^Ctrl+Shift+Z");
        QCOMPARE(shown(calculator.window), states.at(i));
    }
}

void WindowTest::changedPlanIsNotLostUnasked_data()
{
    // clang-format off
    QTest::addColumn<bool>("titled"); // shop.nvrplan opened, or untitled work
    QTest::addColumn<int>("how"); // 0 the window closed, 1 Ctrl+Q, 2 another file dropped, 3 Ctrl+N, 4 it from Open Recent
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("save"); // 0 written, 1 fails as on a full disk, 2 no name given
    QTest::addColumn<bool>("setAside");
    const int save = QMessageBox::Save, discard = QMessageBox::Discard, cancel = QMessageBox::Cancel;
    const char *const hows[] = {"window closed", "Ctrl+Q", "another file dropped", "New", "Open Recent"};
    for (int how : {0, 1, 2, 3}) {
        QTest::addRow("%s, Save", hows[how]) << true << how << save << 0 << true;
        QTest::addRow("%s, Discard", hows[how]) << true << how << discard << 0 << true;
        QTest::addRow("%s, Cancel", hows[how]) << true << how << cancel << 0 << false;
        QTest::addRow("untitled, %s, Save", hows[how]) << false << how << save << 0 << true;
    }
    for (int how : {0, 1, 2}) {
        QTest::addRow("%s, Save fails", hows[how]) << true << how << save << 1 << false;
        QTest::addRow("untitled, %s, Discard", hows[how]) << false << how << discard << 0 << true;
    }
    QTest::newRow("untitled, Ctrl+Q, Save, no name") << false << 1 << save << 2 << false;
    QTest::newRow("untitled, New, Save fails") << false << 3 << save << 1 << false;
    QTest::newRow("untitled, New, Cancel") << false << 3 << cancel << 0 << false;
    QTest::newRow("Open Recent, Discard") << true << 4 << discard << 0 << true;
    QTest::newRow("Open Recent, Cancel") << true << 4 << cancel << 0 << false;
    // clang-format on
}

void WindowTest::changedPlanIsNotLostUnasked()
{
    m_calculator.reset(); // a window of its own
    QFETCH(bool, titled);
    QFETCH(int, how);
    QFETCH(int, answer);
    QFETCH(int, save);
    QFETCH(bool, setAside);
    const QString shop = m_dir.filePath(QStringLiteral("shop.nvrplan"));
    const QString other = m_dir.filePath(QStringLiteral("other.nvrplan"));
    const QString named = m_dir.filePath(QStringLiteral("named.nvrplan"));
    const QString path = titled ? shop : named; // where the changes are saved
    QFile::remove(named);
    Plan manual, eight;
    manual.channels[0].manual = true;
    eight.channelCount = 8;
    QString error;
    QVERIFY(writePlanFile(shop, manual, &error) && writePlanFile(other, eight, &error));

    Calculator calculator;
    act(calculator, "cb_resolution_6=1");
    QCOMPARE(title(calculator.window), QStringLiteral("Untitled*"));
    // Back as it started, but for a bitrate kept unused, which no file holds:
    // closes without a question.
    act(calculator, "^Ctrl+Z; cb_mode_1=1; cb_mode_1=0");
    QCOMPARE(calculator.window.windowHandle()->title(), QStringLiteral("NVR Recording calculator"));
    QVERIFY(calculator.window.close());
    calculator.window.show();
    QVERIFY(!titled || (calculator.window.openFile(other) && calculator.window.openFile(shop)));
    act(calculator, "cb_quality_3=0; cb_resolution_6=0"); // the items shown: no change
    QCOMPARE(title(calculator.window), titled ? "shop.nvrplan" : "NVR Recording calculator");
    act(calculator, "cb_resolution_6=2; ^Ctrl+Z");
    QCOMPARE(title(calculator.window), titled ? "shop.nvrplan" : "NVR Recording calculator");
    // Typed, not yet taken: a change all the same.
    act(calculator,
        titled ? "^Ctrl+Y; ^Ctrl+Z; line_edit_bps_1<777>" : "cb_mode_1=1; line_edit_bps_1<777>");
    QString asked;
    // No file may grow while the save fails: as a full disk, but "File too large".
    rlimit unlimited {}, full {};
    getrlimit(RLIMIT_FSIZE, &unlimited);
    full.rlim_max = unlimited.rlim_max;
    std::signal(SIGXFSZ, SIG_IGN);
    const auto restore = [&unlimited] { setrlimit(RLIMIT_FSIZE, &unlimited); };
    const auto restoreOnFailure = qScopeGuard(restore); // a failed check returns early
    whenDialogOpens([&](QWidget *dialog) {
        auto *box = qobject_cast<QMessageBox *>(dialog);
        asked = box ? box->text() : QStringLiteral("not a question");
        if (save == 1)
            setrlimit(RLIMIT_FSIZE, &full);
        // Untitled work saved asks for a name: given, or the dialog closed.
        if (!titled && answer == QMessageBox::Save && save != 2)
            chooseFile(named);
        else if (!titled && answer == QMessageBox::Save)
            whenDialogOpens([](QWidget *files) { files->close(); });
        if (box)
            box->button(QMessageBox::StandardButton(answer))->click();
    });
    if (how == 4) {
        fromMenuBar(calculator, "File/Open Recent/2 "); // other.nvrplan, under shop.nvrplan
        QTRY_VERIFY(!asked.isEmpty());
        QCOMPARE(calculator.box("cb_max_ch").currentText(), QString(setAside ? "8 CH" : "16 CH"));
    } else if (how == 2) {
        // As a file manager drops it; the window takes one local file only.
        QMimeData data;
        for (const auto &urls :
             {QList<QUrl> {QUrl::fromLocalFile(other), QUrl::fromLocalFile(shop)},
              QList<QUrl> {QUrl::fromLocalFile(other)}}) {
            data.setUrls(urls);
            QDragEnterEvent enter(QPoint(9, 9), Qt::CopyAction, &data, Qt::LeftButton,
                                  Qt::NoModifier);
            QApplication::sendEvent(&calculator.window, &enter);
            QCOMPARE(enter.isAccepted(), urls.size() == 1);
        }
        QDropEvent drop(QPoint(9, 9), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&calculator.window, &drop);
        QTRY_VERIFY(!asked.isEmpty());
        QCOMPARE(calculator.box("cb_max_ch").currentText(), QString(setAside ? "8 CH" : "16 CH"));
    } else if (how == 3) {
        act(calculator, "^Ctrl+N");
        QCOMPARE(title(calculator.window),
                 setAside     ? "NVR Recording calculator"
                     : titled ? "shop.nvrplan*"
                              : "Untitled*");
    } else {
        if (how == 1)
            act(calculator, "^Ctrl+Q");
        else
            QCOMPARE(calculator.window.close(), setAside);
        QCOMPARE(calculator.window.isVisible(), !setAside);
    }
    restore();
    QCOMPARE(asked,
             QString("The plan “%1” has changes that are not saved.")
                 .arg(titled ? "shop.nvrplan" : "Untitled"));
    const bool saved = answer == QMessageBox::Save && save == 0;
    QCOMPARE(QFile::exists(path) ? readPlanFile(path, &error)->channels[0].manualKbps : -1,
             saved        ? 777
                 : titled ? 0
                          : -1);
    // A failed save keeps the window, the changes and the file, and says why.
    QCOMPARE(failureShown(calculator.window),
             save == 1 ? path + ": " + qt_error_string(EFBIG) : "");
    if (!setAside)
        QCOMPARE(calculator.field("line_edit_bps_1").text(), QStringLiteral("777"));
}

// Export report… (Ctrl+E) writes the table shown as CSV; Ctrl+C copies the
// figures as nvr-plan show prints them, or a field's selected text; F1 opens
// the help, which names every key. The menus, the menu bar's by their Alt keys
// and the one from a right click on the background or the Menu key, offer the
// same commands: Site… names the plan's site, About the version, and Undo
// undoes, also from a field's menu.
void WindowTest::contextMenuCommands()
{
    m_calculator.reset(); // a window of its own
    Calculator calculator;
    act(calculator, "cb_quality_2=4; cb_max_ch=0; cb_mode_1=1; line_edit_bps_1<1234>");
    QStringList dialog;
    chooseFile(m_dir.filePath(QStringLiteral("report.CSV")), &dialog, 1); // CSV, in any case
    act(calculator, "^Ctrl+E"); // from the field, its text taken first
    QCOMPARE(QFileInfo(dialog.value(0)).fileName(), QStringLiteral("Untitled.pdf"));
    // Channel 1 at the 1234 Kbps typed: 13.3272 GB, and no settings it does not use;
    // 1234 + 2490 + 2 x 6000 Kbps come in.
    QCOMPARE(readFile(m_dir.filePath(QStringLiteral("report.CSV"))).split('\n').mid(0, 3),
             QList<QByteArray>(
                 {"channel,mode,resolution,frame,quality,bitrateKbps,dayGb,incomingMbps",
                  "1,Manual,,,,1234,13.3272,15.724", "2,Auto,Full-HD,30,Low,2490,26.892,15.724"}));

    whenDialogOpens([](QWidget *site) {
        QTest::keyClicks(site->focusWidget(), "North depot, B");
        QTest::keyClick(site->focusWidget(), Qt::Key_Return);
    });
    fromMenuBar(calculator, "Edit/Site");
    QCOMPARE(title(calculator.window), QStringLiteral("Untitled*"));
    // 13.3272 + 26.892 + 2 x 64.8 = 169.8192 GB a day.
    act(calculator, "cb_quality_3@; ^Ctrl+C");
    QCOMPARE(QApplication::clipboard()->text().split('\n').mid(0, 4),
             QStringList({"Untitled: NVR, NTSC, 4 channels", "Site: North depot, B",
                          "Channel  Mode    Resolution  Frame  Quality  Kbps   GB/day",
                          "      1  Manual                              1234  13.3272"}));
    QVERIFY(QApplication::clipboard()->text().contains("\nTotal storage per day (GB)  169.819\n"));
    act(calculator, "line_edit_bps_1<5>; ^Ctrl+A; ^Ctrl+C");
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("5"));
    act(calculator, "^End; ^Ctrl+C"); // 5 Kbps: 0.054 GB
    QVERIFY(QApplication::clipboard()->text().contains("  5   0.054\n"));

    act(calculator, "^F1");
    auto *help = calculator.window.findChild<QTextBrowser *>("helpText");
    QVERIFY(help && help->isVisible());
    const QString helpText = help->toPlainText();
    for (const QAction *command : calculator.window.actions()) // each by its first key
        QVERIFY2(command->shortcut().isEmpty() || helpText.contains(command->shortcut().toString()),
                 qPrintable(command->text()));
    QVERIFY(helpText.contains("nvr-plan(1)") && helpText.contains("7.4 %"));
    help->window()->close();

    QString about;
    whenDialogOpens([&about](QWidget *box) {
        about = qobject_cast<QMessageBox *>(box)->text().remove(QRegularExpression("<[^>]*>"));
        box->close();
    });
    fromMenuBar(calculator, "Help/About");
    QVERIFY2(about.startsWith("NVR Recording calculator " NVR_VERSION), qPrintable(about));
    fromMenu(calculator, "Undo");
    QCOMPARE(calculator.field("line_edit_bps_1").text(), QStringLiteral("1234"));
    act(calculator, "btn_init!"); // a reset keeps the site; undone, so is the site
    QCOMPARE(calculator.window.currentPlan().site, QStringLiteral("North depot, B"));
    act(calculator, "^Ctrl+Z; ^Ctrl+Z");
    QCOMPARE(calculator.window.currentPlan().site, QString());
    // A field's own menu undoes with the window, field and figures together.
    act(calculator, "line_input_days<30; line_input_days<60");
    const QStringList fieldMenu = fromMenu(calculator, "Undo", "line_input_days");
    QCOMPARE(fieldMenu.filter(QRegularExpression("^(Undo|Paste)")).size(), 2); // the window's undo
    QCOMPARE(calculator.field("line_input_days").text(), QStringLiteral("30"));
    QCOMPARE(brokenRelations(calculator), QStringList());
}

void WindowTest::menuBar_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("key");
    for (const char *command :
         {"File/New Ctrl+N", "File/Open… Ctrl+O", "File/Open Recent", "File/Save Ctrl+S",
          "File/Save As… Ctrl+Shift+S", "File/Export report… Ctrl+E", "File/Quit Ctrl+Q",
          "Edit/Undo Ctrl+Z", "Edit/Redo Ctrl+Shift+Z", "Edit/Copy figures Ctrl+C", "Edit/Site…",
          "Edit/Disks…", "Help/Help F1", "Help/About"}) {
        const QString words = command;
        const bool keyed = words.contains(" Ctrl+") || words.endsWith(" F1");
        QTest::newRow(command) << (keyed ? words.section(' ', 0, -2) : words)
                               << (keyed ? words.section(' ', -1) : QString());
    }
}

// Every command has a place in the menu bar, reached by Alt and the letters
// underlined, with its key beside it; the context menu holds it too. The form
// keeps its size and place under the bar: the window grows by it.
void WindowTest::menuBar()
{
    QFETCH(QString, path);
    QFETCH(QString, key);
    QAction *item = fromMenuBar(c(), path, false);
    QVERIFY2(item, qPrintable(path));
    QCOMPARE(item->shortcut().toString(), key);
    const QStringList context = fromMenu(c(), "");
    QVERIFY(context.contains(item->text().remove('&')));
    // The context menu holds every command: each underlined letter picks one.
    QStringList letters;
    for (const QAction *menu : c().window.menuBar()->actions())
        for (const QAction *command : menu->menu()->actions())
            if (!command->isSeparator())
                letters << command->text().section('&', 1).left(1).toLower();
    QCOMPARE(QSet<QString>(letters.begin(), letters.end()).size(), context.size());
    // The form as it is on a window of its own: the same, under the bar.
    QMainWindow bare;
    Ui::MainWindow form;
    form.setupUi(&bare);
    bare.show();
    const int bar = c().window.menuBar()->height();
    QCOMPARE(c().window.centralWidget()->geometry(),
             bare.centralWidget()->geometry().translated(0, bar));
    QCOMPARE(c().window.maximumHeight(), bar + bare.maximumHeight());
}

// The disks for the plan, beside the window, driven by keys: they follow the
// plan; the layout and the bays are the plan's, undone and saved with it; Use
// makes the chosen set the installed disk, in one step.
void WindowTest::disksDialog()
{
    m_calculator.reset(); // a window of its own
    Calculator calculator;
    fromMenuBar(calculator, "Edit/Disks");
    auto *disks = calculator.window.findChild<QDialog *>("disks");
    QVERIFY(disks && disks->isVisible());
    const auto seen = [disks] {
        QStringList texts = {disks->findChild<QLabel *>("disksIncoming")->text(),
                             disks->findChild<QComboBox *>("disksLayout")->currentText() + " in "
                                 + disks->findChild<QSpinBox *>("disksBays")->text(),
                             disks->findChild<QLabel *>("disksNote")->text()};
        const QTableWidget *sets = disks->findChild<QTableWidget *>("disksSets");
        for (int row = 0; row < sets->rowCount(); ++row)
            texts << QString("%1 x %2 = %3: %4")
                         .arg(sets->item(row, 0)->text(), sets->item(row, 1)->text(),
                              sets->item(row, 2)->text(), sets->item(row, 3)->text());
        if (!disks->findChild<QPushButton *>("disksUse")->isEnabled())
            texts << "Use off";
        return texts.join(" | ");
    };
    const auto keys = [disks](const char *name, const QString &sequence) {
        QWidget *widget = disks->findChild<QWidget *>(name);
        QApplication::setActiveWindow(disks);
        widget->setFocus(Qt::TabFocusReason);
        for (const QString &key : sequence.split(' '))
            QTest::keySequence(widget, QKeySequence(key));
    };
    // 16 x 6000 Kbps; 30 days need 33397.66 GB (shown 33397): one volume of 2 x 18 TB holds
    // 36000 GB, which last 36000 / 1.073741824 / 43.2 = 776.1 hours; 40000 GB 862.3, 44000 948.6,
    // 48000 1034.8, 42000 905.5.
    const QString noDays = "96 Mbps | One volume in 4 | Type the Required Days in the window: the "
                           "sets listed here are those that keep them. | Use off";
    QCOMPARE(seen(), noDays);
    act(calculator, "line_input_days<30");
    const QString sets30
        = "96 Mbps | One volume in 4 | Keeping 30 days takes 33397 GB. The fewest drives "
          "of each size that hold that: | 2 x 18 = 36000: 32 Days 8 Hours | 2 x "
          "20 = 40000: 35 Days 22 Hours | 2 x 22 = 44000: 39 Days 12 Hours | 2 x "
          "24 = 48000: 43 Days 2 Hours | 3 x 12 = 36000: 32 Days 8 Hours | 3 x 14 "
          "= 42000: 37 Days 17 Hours | 3 x 16 = 48000: 43 Days 2 Hours | 4 x 10 "
          "= 40000: 35 Days 22 Hours";
    QCOMPARE(seen(), sets30);
    keys("disksLayout", "Down"); // RAID 1: a mirrored pair of 24 TB holds 24000 GB
    QCOMPARE(seen(),
             "96 Mbps | RAID 1 in 4 | Keeping 30 days takes 33397 GB. No set of drives in 4 bays "
             "holds that as RAID 1: the most they hold is 24000 GB (2 × 24 TB). | Use off");
    QCOMPARE(title(calculator.window), QStringLiteral("Untitled*"));
    keys("disksLayout", "Ctrl+Z");
    QCOMPARE(seen(), sets30);
    keys("disksBays", "Ctrl+A 2 Ctrl+Z Ctrl+Y"); // typed, it counts before the undo
    QCOMPARE(seen().section(" | ", 1, 1) + " | " + seen().section(" | ", 3),
             "One volume in 2 | 2 x 18 = 36000: 32 Days 8 Hours | 2 x 20 = 40000: 35 Days 22 "
             "Hours | 2 x 22 = 44000: 39 Days 12 Hours | 2 x 24 = 48000: 43 Days 2 Hours");
    act(calculator, "btn_init!"); // a reset keeps the recorder's disks, as its product
    QCOMPARE(seen().section(" | ", 1, 1), "One volume in 2");
    act(calculator, "^Ctrl+Z");
    keys("disksSets", "Down Return"); // the second set, used
    QCOMPARE(calculator.field("line_input_hdd").text(), QStringLiteral("40000"));
    QCOMPARE(calculator.window.findChild<QLabel *>("lb_cal_days")->text(), "35 Days");
    keys("disksSets", "Ctrl+Z");
    QCOMPARE(calculator.field("line_input_hdd").text(), QString());
    keys("disksSets", "Ctrl+Y");
    QCOMPARE(calculator.field("line_input_hdd").text(), QStringLiteral("40000"));
    const QString file = m_dir.filePath("disks.nvrplan");
    chooseFile(file);
    act(calculator, "^Ctrl+S; ^Ctrl+N");
    QCOMPARE(seen(), noDays);
    QVERIFY(calculator.window.openFile(file));
    QCOMPARE(seen().section(" | ", 1, 1), "One volume in 2");
    QCOMPARE(calculator.field("line_input_hdd").text(), QStringLiteral("40000"));
    // A screen reader hears the table's cells and what each control is.
    QAccessibleInterface *table
        = QAccessible::queryAccessibleInterface(disks->findChild<QTableWidget *>("disksSets"));
    QCOMPARE(table->tableInterface()->cellAt(1, 3)->text(QAccessible::Name), "35 Days 22 Hours");
    QCOMPARE(QAccessible::queryAccessibleInterface(disks->findChild<QComboBox *>("disksLayout"))
                 ->text(QAccessible::Description),
             "Layout");
}

// Open Recent lists the last 8 plans opened or saved, newest first; one that
// is gone says so and is dropped. The file dialogs start in the folder last used.
void WindowTest::recentPlans()
{
    m_calculator.reset(); // a window of its own
    Calculator calculator;
    const QTemporaryDir folder;
    QDir(folder.path()).mkdir("reports");
    const auto plan
        = [&folder](int n) { return folder.filePath(QString("p%1.v2.nvrplan").arg(n)); };
    QString error;
    for (int n = 1; n <= 8; ++n)
        QVERIFY(writePlanFile(plan(n), Plan(), &error) && calculator.window.openFile(plan(n)));
    QStringList offered;
    chooseFile(folder.filePath("reports/r"), &offered, 1); // the suffix of the kind picked
    act(calculator, "^Ctrl+E");
    QCOMPARE(QFileInfo(offered.value(0)).fileName(),
             QStringLiteral("p8.v2.pdf")); // the plan's name
    QVERIFY(QFile::exists(folder.filePath("reports/r.csv")));
    chooseFile(plan(9), &offered);
    act(calculator, "^Ctrl+Shift+S");
    QCOMPARE(offered.value(0), folder.filePath("reports/p8.v2.nvrplan"));
    const auto names = [](QStringList listed) {
        return listed.replaceInStrings(QRegularExpression(" \\(.*"), "").join(' ');
    };
    QCOMPARE(names(fromMenu(calculator, "Open Recent/")),
             "1 p9.v2.nvrplan 2 p8.v2.nvrplan 3 p7.v2.nvrplan 4 p6.v2.nvrplan 5 p5.v2.nvrplan 6 "
             "p4.v2.nvrplan 7 p3.v2.nvrplan 8 p2.v2.nvrplan");
    QVERIFY(QFile::remove(plan(5)));
    fromMenuBar(calculator, "File/Open Recent/5 ");
    QTRY_COMPARE(failureShown(calculator.window),
                 plan(5) + " is no longer there; it is taken off the recent plans.");
    calculator.window.findChild<QMessageBox *>()->close();
    fromMenu(calculator, "Open Recent/3 ");
    QTRY_COMPARE(title(calculator.window), QStringLiteral("p7.v2.nvrplan"));
    QStringList listed;
    for (const QAction *entry :
         fromMenuBar(calculator, "File/Open Recent", false)->menu()->actions())
        listed << entry->text().remove('&');
    QCOMPARE(names(listed),
             "1 p7.v2.nvrplan 2 p9.v2.nvrplan 3 p8.v2.nvrplan 4 p6.v2.nvrplan 5 p4.v2.nvrplan 6 "
             "p3.v2.nvrplan 7 p2.v2.nvrplan");
}

void WindowTest::badPlansAreRefused_data()
{
    // clang-format off
    QTest::addColumn<QString>("message");
    const QMap<QString, QString> refused = {
        {"array", "not a plan: the file holds a JSON array, not an object"},
        {"bitrate-beyond-32-bits", "channels[1].bitrateKbps: 2147483648 is outside -2147483648 to 2147483647"},
        {"bitrate-negative", "channels[3].bitrateKbps: -1 is negative"},
        {"channel-not-object", "channels[0]: 1 is not an object"},
        {"channels-not-array", R"(channels: {"1":"Auto"} is not an array)"},
        {"count-12", "channelCount: 12 is not 4, 8 or 16"},
        {"count-as-text", R"(channelCount: "16" is not a number)"},
        {"count-fraction", "channelCount: 8.5 is not a whole number"},
        {"days-negative", R"(requiredDays: "-30" is negative)"},
        {"days-too-long", "requiredDays: 32768 characters, more than the field holds (32767)"},
        {"disks-bays-65", "disks.bays: 65 is not 1 to 64"},
        {"disks-layout-raid7", R"(disks.layout: "raid7" is not one of "single", "raid1", "raid5", "raid6", "raid10")"},
        {"empty", "the file is empty: not a plan"},
        {"format-missing", "format: missing"},
        {"format-other", R"(format: "nvr-plot" is not "nvr-plan": not a plan file)"},
        {"hdd-not-finite", R"(installedHddGb: "1e999" is not a finite number)"},
        {"manual-on-hybrid", R"(channels[5].mode: "Manual" is not possible with the product "Hybrid-DVR", which records in Auto mode only)"},
        {"missing-key", "installedHddGb: missing"},
        {"not-json", "not JSON: unterminated object at line 1, column 12"},
        {"pal-frame-under-ntsc", R"(channels[0].frame: "25" is not a frame rate under NTSC: 0, 1, 2, 4, 5, 8, 10, 15, 30)"},
        {"product-unknown", R"(product: "DVR" is not one of "NVR", "Hybrid-DVR")"},
        {"quality-ultra", R"(channels[2].quality: "Ultra" is not one of "Super", "Highest", "High", "Standard", "Low")"},
        {"resolution-4k", R"(channels[3].resolution: "4K" is not one of "Full-HD", "HD", "D1")"},
        {"seventeen-channels", "channels: 17 channels, a plan has 16"},
        {"site-not-a-string", R"(site: ["North depot"] is not a string)"},
        {"site-too-long", "site: 213 characters, more than a site name holds (200)"},
        {"site-two-lines", R"(site: "North depot\nBay 4" is not one line)"},
        {"standard-as-number", "videoStandard: 1 is not a string"},
        {"version-2", "version: 2 is newer than this program reads (1)"},
        {"version-as-text", R"(version: "1" is not a number)"},
        {"version-zero", "version: 0 is not a version of this format"},
    };
    // clang-format on
    // Every plan there has its message here, and every message its plan.
    QStringList names = refused.keys();
    for (const QString &file : QDir(NVR_TEST_PLANS "/bad").entryList(QDir::Files))
        names << QFileInfo(file).completeBaseName();
    names.removeDuplicates();
    for (const QString &name : names)
        QTest::newRow(qPrintable(name)) << refused.value(name, "(no message listed)");
}

// A plan that cannot be read is refused with the file, the key that is wrong
// and why, and the window keeps what it showed.
void WindowTest::badPlansAreRefused()
{
    QFETCH(QString, message);
    const QString path = NVR_TEST_PLANS "/bad/" + QString(QTest::currentDataTag()) + ".nvrplan";
    chooseFile(path);
    act(c(), "^Ctrl+O");
    QTRY_COMPARE(failureShown(c().window), path + ": " + message);
    c().window.findChild<QMessageBox *>()->close();
    const QMap<QString, QString> now = shownValues(c().window);
    QCOMPARE(shownWith(now), shownWith(now, started));
    QCOMPARE(c().window.windowHandle()->title(), QStringLiteral("NVR Recording calculator"));
}

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
