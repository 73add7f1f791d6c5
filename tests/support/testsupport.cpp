#include "testsupport.h"

#include "model.h"

#include <QtTest>
#include <QtWidgets>

Calculator::Calculator()
{
    if (!showActive(window))
        qWarning("the window did not get the keyboard focus");
    window.resetAll();
}

QString Calculator::cell(const char *family, int row)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(family),
                                       row == 0 ? QStringLiteral("all") : QString::number(row));
}

bool showActive(QWidget &window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

namespace {

// A user's choice from the popup list of box: raises activated(index) also for
// the item that is already current.
void pickFromPopup(QComboBox &box, int index)
{
    box.showPopup();
    QAbstractItemView *list = box.view();
    list->setCurrentIndex(list->model()->index(index, box.modelColumn()));
    QTest::keyClick(list, Qt::Key_Return);
    // A window system gives the window back its activation when the popup
    // closes; Qt 5's offscreen platform leaves it with the closed list, once
    // the list's queued activation arrives.
    QCoreApplication::processEvents();
    if (QApplication::activeWindow() != box.window())
        QApplication::setActiveWindow(box.window());
}

// Clicks into field, selects its text and types text over it, like a user,
// or pastes it; what QTest cannot type (long texts, other scripts, NUL) is
// pasted anyway.
void enterText(QLineEdit &field, const QString &text, bool paste)
{
    QTest::mouseClick(&field, Qt::LeftButton);
    QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
    // QTest has keys for printable ASCII only.
    const bool typable = !paste && text.size() <= 40
        && std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() >= 0x20 && c.unicode() < 0x7f; });
    if (text.isEmpty()) {
        QTest::keyClick(&field, Qt::Key_Delete);
    } else if (typable) {
        QTest::keyClicks(&field, text);
    } else {
        QApplication::clipboard()->setText(text);
        QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
    }
}

} // namespace

QStringList itemTexts(const QComboBox &box)
{
    QStringList texts;
    for (int i = 0; i < box.count(); ++i)
        texts << box.itemText(i);
    return texts;
}

void act(Calculator &calculator, const QString &actions)
{
    static const QRegularExpression step(
        "^(\\w+)(?:=(\\d+)|<(<?)(.*?)(?:>(Tab|click|))?|(!)|(@))$");
    for (const QString &action : actions.split(QStringLiteral("; "), Qt::SkipEmptyParts)) {
        if (action.startsWith('^')) {
            // Keys for the window, as a shortcut: Qt 5's offscreen platform can
            // leave a closed popup the active window.
            QCoreApplication::processEvents();
            QApplication::setActiveWindow(&calculator.window);
            QWidget *focus = calculator.window.focusWidget();
            QTest::keySequence(focus ? focus : &calculator.window, QKeySequence(action.mid(1)));
            continue;
        }
        const QRegularExpressionMatch match = step.match(action);
        if (!match.hasMatch())
            qFatal("not an action: %s", qPrintable(action));
        const QString name = match.captured(1);
        if (match.capturedStart(2) >= 0) {
            pickFromPopup(calculator.box(name), match.captured(2).toInt());
        } else if (match.capturedStart(3) >= 0) {
            QLineEdit &field = calculator.field(name);
            enterText(field, match.captured(4), !match.captured(3).isEmpty());
            const QString then = match.captured(5);
            if (then == QLatin1String("click"))
                QTest::mouseClick(&calculator.field(name == QLatin1String("line_input_days")
                                                        ? "line_input_hdd"
                                                        : "line_input_days"),
                                  Qt::LeftButton);
            else if (match.capturedStart(5) < 0 || !then.isEmpty())
                QTest::keyClick(&field, then.isEmpty() ? Qt::Key_Return : Qt::Key_Tab);
        } else if (match.capturedStart(7) >= 0) {
            calculator.window.findChild<QWidget *>(name)->setFocus(Qt::MouseFocusReason);
        } else {
            QTest::mouseClick(calculator.window.findChild<QPushButton *>(name), Qt::LeftButton);
        }
    }
}

QMap<QString, QString> shownValues(const QWidget &window)
{
    QMap<QString, QString> values;
    for (const QWidget *widget : window.findChildren<QWidget *>()) {
        const QString name = widget->objectName();
        auto *box = qobject_cast<const QComboBox *>(widget);
        auto *field = qobject_cast<const QLineEdit *>(widget);
        auto *label = qobject_cast<const QLabel *>(widget);
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")) || !(box || field || label))
            continue;
        QString value = box ? box->currentText() : field ? field->text() : label->text();
        if (name.startsWith(QLatin1String("cb_frame_")))
            value += " of " + itemTexts(*box).join('|');
        if ((box || field) && !widget->isEnabled())
            value += QLatin1String(" (off)");
        values.insert(name, widget->isVisibleTo(&window) ? value : QStringLiteral("hidden"));
    }
    return values;
}

QStringList shownWith(const QMap<QString, QString> &shown, const QString &changes)
{
    QMap<QString, QString> values = shown;
    static const QRegularExpression entry("^(\\w+?)(?:_(\\*|(\\d+)-(\\d+)))?=(.*)$");
    for (const QString &item : changes.split(QStringLiteral("; "), Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch match = entry.match(item);
        const bool range = match.capturedStart(2) >= 0;
        if (!match.hasMatch() || (!range && !values.contains(match.captured(1))))
            qFatal("not a widget's value: %s", qPrintable(item));
        if (!range) {
            values[match.captured(1)] = match.captured(5);
            continue;
        }
        const bool all = match.captured(2) == QLatin1String("*");
        const QStringList families = match.captured(1) == QLatin1String("row")
            ? QStringList {"label_ch",   "cb_mode",       "cb_resolution", "cb_frame",
                           "cb_quality", "line_edit_bps", "lb_day_cap"}
            : QStringList {match.captured(1)};
        for (const QString &family : families)
            for (int n = all ? 1 : match.captured(3).toInt();
                 n <= (all ? 16 : match.captured(4).toInt()); ++n)
                values[family + '_' + QString::number(n)] = match.captured(5);
    }
    QStringList lines;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        lines << it.key() + '=' + it.value();
    return lines;
}

void whenDialogOpens(std::function<void(QWidget *dialog)> answer)
{
    // Polls, for five seconds at most: the dialog opens inside a nested event
    // loop of the call under test. The calculator's own window is modal too.
    auto *timer = new QTimer;
    QElapsedTimer waited;
    waited.start();
    QObject::connect(timer, &QTimer::timeout, [timer, answer, waited] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if ((!dialog || !dialog->isVisible()) && waited.elapsed() < 5000)
            return;
        timer->stop();
        timer->deleteLater();
        if (dialog)
            answer(dialog);
    });
    timer->start(10);
}

QStringList brokenRelations(const Calculator &calculator)
{
    QStringList broken;
    const QMap<QString, QString> shown = shownValues(calculator.window);
    const auto expect = [&](const QString &name, const QString &value) {
        if (shown.value(name) != value)
            broken << QStringLiteral("%1 shows \"%2\", not \"%3\"")
                          .arg(name, shown.value(name), value);
    };
    const int inUse = QList<int>({4, 8, 16}).value(calculator.box("cb_max_ch").currentIndex());
    const QStringList frames = itemTexts(calculator.box("cb_frame_all"));
    const QString frameList = " of " + frames.join('|');
    const bool locked = calculator.box("cb_product").currentIndex() != 0;
    const QString off = QStringLiteral(" (off)");
    const PlanFigures figures = planFigures(calculator.window.currentPlan());
    expect("cb_ntpal", video_standard_names[video_standard]);
    if (frames.value(8) != (video_standard ? "30" : "25"))
        broken << "frame list of the other standard";
    for (int n = 1; n <= 16; ++n) {
        const int i = n - 1;
        const auto cell = [n](const char *family) { return Calculator::cell(family, n); };
        if (n > inUse) {
            for (const char *family : {"label_ch", "cb_mode", "cb_resolution", "cb_frame",
                                       "cb_quality", "line_edit_bps", "lb_day_cap"})
                expect(cell(family), "hidden");
            continue;
        }
        expect(cell("cb_mode"), mode_names[ch_manual[i]] + (locked ? off : QString()));
        expect(cell("cb_resolution"), resolution_names[ch_resolution[i]]);
        expect(cell("cb_quality"), quality_names[ch_quality[i]]);
        const int frame
            = int(std::find(std::begin(frame_index_fps), std::end(frame_index_fps), ch_fps[i])
                  - std::begin(frame_index_fps));
        expect(cell("cb_frame"), frames.value(frame) + frameList);
        expect(cell("line_edit_bps"), figures.kbpsText(i) + (ch_manual[i] ? QString() : off));
        expect(cell("lb_day_cap"), figures.dayGbText(i));
    }
    const bool allManual = calculator.box("cb_mode_all").currentIndex() != 0;
    expect("cb_mode_all", mode_names[allManual] + (locked ? off : QString()));
    expect("line_edit_bps_all", figures.allKbpsText() + (allManual ? QString() : off));
    expect("lb_day_cap_all", QString());
    expect("lb_total", figures.totalText());
    expect("lb_cal_hdd", figures.requiredText());
    expect("lb_cal_days", figures.daysText());
    expect("lb_cal_time", figures.hoursText());
    // No field shows what it would read as another number, and a screen
    // reader hears every figure with its caption.
    for (const QLineEdit *field : calculator.window.findChildren<QLineEdit *>())
        if (!field->hasAcceptableInput())
            broken << field->objectName() + " shows \"" + field->text() + "\", which it refuses";
    for (const QLabel *label :
         calculator.window.findChildren<QLabel *>(QRegularExpression("^lb_"))) {
        QAccessibleInterface *heard
            = QAccessible::queryAccessibleInterface(const_cast<QLabel *>(label));
        if (heard->text(QAccessible::Description) != label->text()
            || heard->text(QAccessible::Name).isEmpty())
            broken << label->objectName() + " is heard as \"" + heard->text(QAccessible::Name)
                    + ": " + heard->text(QAccessible::Description) + '"';
    }
    return broken;
}
