#include "testsupport.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

namespace {

struct LoggedMessage
{
    QtMsgType type;
    QString text;
};
QList<LoggedMessage> loggedMessages;

void logMessage(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    loggedMessages.append({type, text});
}

// The offscreen platform says so each time a popup opens; everything else
// goes on to the handler before.
QtMessageHandler beforePopup = nullptr;
void dropPopupNotices(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (text == QLatin1String("This plugin does not support raise()")
        || text == QLatin1String("This plugin does not support grabbing the keyboard"))
        return;
    beforePopup(type, context, text);
}

QtMessageHandler beforeQuiet = nullptr;
void dropTrace(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type != QtDebugMsg || !text.startsWith(QLatin1String("MODE CHECK :")))
        beforeQuiet(type, context, text);
}

} // namespace

const QStringList &declaredWidgetNames()
{
    static const QStringList names = [] {
        QStringList list
            = QStringLiteral(
                  "centralWidget label cb_resolution_6 cb_resolution_2 cb_frame_1 cb_resolution_8 "
                  "cb_resolution_4 cb_frame_4 cb_frame_7 cb_resolution_1 cb_frame_9 cb_mode_9 "
                  "cb_mode_7 "
                  "cb_mode_1 cb_mode_6 cb_frame_6 cb_frame_3 cb_resolution_7 cb_resolution_3 "
                  "cb_frame_5 "
                  "cb_resolution_5 cb_resolution_9 cb_mode_4 cb_mode_5 cb_frame_2 cb_frame_8 "
                  "cb_mode_3 "
                  "cb_mode_8 cb_mode_2 label_2 cb_mode_11 cb_mode_13 cb_frame_14 cb_mode_14 "
                  "cb_mode_15 "
                  "cb_resolution_13 cb_frame_11 cb_frame_15 cb_frame_13 cb_resolution_15 "
                  "cb_resolution_14 "
                  "cb_resolution_11 cb_frame_12 cb_frame_10 cb_mode_12 cb_resolution_12 "
                  "cb_resolution_10 "
                  "cb_mode_10 cb_ntpal qualityColumn cb_quality_10 cb_quality_9 cb_quality_11 "
                  "cb_quality_5 "
                  "cb_quality_12 "
                  "cb_quality_14 cb_quality_2 cb_quality_6 cb_quality_15 cb_quality_4 cb_quality_3 "
                  "cb_quality_7 cb_quality_13 cb_quality_8 cb_quality_1 cb_max_ch label_7 groupBox "
                  "label_3 "
                  "label_4 line_input_days line_input_hdd groupBox_2 lb_cal_hdd lb_cal_days "
                  "lb_cal_time "
                  "label_9 label_10 label_11 label_12 label_13 label_ch_1 label_ch_2 label_ch_3 "
                  "label_ch_4 "
                  "label_ch_5 label_ch_6 label_ch_8 label_ch_7 label_ch_10 label_ch_9 label_ch_11 "
                  "label_ch_15 label_ch_12 label_ch_14 label_ch_13 label_ch_16 label_49 "
                  "lb_day_cap_13 "
                  "lb_day_cap_15 lb_day_cap_3 lb_day_cap_2 lb_day_cap_10 lb_day_cap_12 "
                  "lb_day_cap_8 "
                  "lb_day_cap_5 lb_day_cap_9 lb_day_cap_6 lb_day_cap_1 lb_day_cap_14 lb_day_cap_4 "
                  "lb_day_cap_11 label_50 lb_day_cap_7 lb_total label_55 lb_day_cap_16 "
                  "cb_resolution_16 "
                  "cb_frame_16 cb_mode_16 cb_quality_16 btn_init")
                  .split(QLatin1Char(' '));
        for (int n = 1; n <= 16; ++n)
            list << QStringLiteral("line_edit_bps_%1").arg(n);
        list << QStringLiteral("line_edit_bps_all cb_quality_all cb_mode_all lb_day_cap_all "
                               "cb_resolution_all cb_frame_all label_ch_all cb_product label_5")
                    .split(QLatin1Char(' '));
        return list;
    }();
    return names;
}

QString expectedClassName(const QString &name)
{
    if (name == QLatin1String("centralWidget") || name == QLatin1String("qualityColumn"))
        return QStringLiteral("QWidget");
    if (name.startsWith(QLatin1String("cb_")))
        return QStringLiteral("QComboBox");
    if (name.startsWith(QLatin1String("line_")))
        return QStringLiteral("QLineEdit");
    if (name.startsWith(QLatin1String("groupBox")))
        return QStringLiteral("QGroupBox");
    if (name == QLatin1String("btn_init"))
        return QStringLiteral("QPushButton");
    return QStringLiteral("QLabel");
}

QString expectedParentName(const QString &name)
{
    static const QStringList inGroupBox
        = {"label_3", "label_4", "line_input_days", "line_input_hdd"};
    static const QStringList inGroupBox2 = {"lb_cal_hdd", "lb_cal_days", "lb_cal_time"};
    if (name == QLatin1String("centralWidget"))
        return QStringLiteral("MainWindow");
    if (inGroupBox.contains(name))
        return QStringLiteral("groupBox");
    if (inGroupBox2.contains(name))
        return QStringLiteral("groupBox_2");
    if (name.startsWith(QLatin1String("cb_quality_")))
        return QStringLiteral("qualityColumn");
    return QStringLiteral("centralWidget");
}

bool showActive(QWidget &window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

void pickFromPopup(QComboBox &box, int index)
{
    beforePopup = qInstallMessageHandler(dropPopupNotices);
    box.showPopup();
    QAbstractItemView *list = box.view();
    list->setCurrentIndex(list->model()->index(index, box.modelColumn()));
    QTest::keyClick(list, Qt::Key_Return);
    qInstallMessageHandler(beforePopup);
    // A window system gives the window back its activation when the popup
    // closes; Qt 5's offscreen platform leaves it with the closed list.
    if (QApplication::activeWindow() != box.window())
        showActive(*box.window());
}

void typeOver(QLineEdit &field, const QString &text)
{
    QTest::mouseClick(&field, Qt::LeftButton);
    QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(&field, Qt::Key_Delete);
    else
        QTest::keyClicks(&field, text);
}

void enterText(QLineEdit &field, const QString &text)
{
    // QTest has keys for printable ASCII only.
    const bool typable = text.size() <= 40 && std::all_of(text.begin(), text.end(), [](QChar c) {
                             return c.unicode() >= 0x20 && c.unicode() < 0x7f;
                         });
    if (typable) {
        typeOver(field, text);
        return;
    }
    QApplication::clipboard()->setText(text);
    QTest::mouseClick(&field, Qt::LeftButton);
    QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
}

void typeAndReturn(QLineEdit &field, const QString &text)
{
    typeOver(field, text);
    QTest::keyClick(&field, Qt::Key_Return);
}

QStringList itemTexts(const QComboBox &box)
{
    QStringList texts;
    for (int i = 0; i < box.count(); ++i)
        texts << box.itemText(i);
    return texts;
}

QStringList shownState(const QWidget &window)
{
    QStringList lines;
    for (const QWidget *widget : window.findChildren<QWidget *>()) {
        const QString name = widget->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
            continue;
        QString shown;
        if (auto *box = qobject_cast<const QComboBox *>(widget))
            shown = box->currentText() + " of " + itemTexts(*box).join('|');
        else if (auto *field = qobject_cast<const QLineEdit *>(widget))
            shown = field->text();
        else if (auto *label = qobject_cast<const QLabel *>(widget))
            shown = label->text();
        lines << QStringLiteral("%1: \"%2\"%3%4")
                     .arg(name, shown, widget->isVisibleTo(&window) ? "" : ", hidden",
                          widget->isEnabled() ? "" : ", disabled");
    }
    lines.sort();
    return lines;
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

QStringList shownWith(const QMap<QString, QString> &shown, const QString &spec)
{
    QMap<QString, QString> values = shown;
    static const QRegularExpression entry("^(\\w+?)(?:_(\\*|(\\d+)-(\\d+)))?=(.*)$");
    for (const QString &item : spec.split(QStringLiteral("; "), Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch match = entry.match(item);
        if (!match.hasMatch()
            || (match.captured(2).isEmpty() && !values.contains(match.captured(1))))
            qFatal("not a widget's value: %s", qPrintable(item));
        if (match.captured(2).isEmpty()) {
            values[match.captured(1)] = match.captured(5);
            continue;
        }
        const bool all = match.captured(2) == QLatin1String("*");
        const int first = all ? 1 : match.captured(3).toInt();
        const int last = all ? 16 : match.captured(4).toInt();
        const QStringList families = match.captured(1) == QLatin1String("row")
            ? QStringList {"label_ch",   "cb_mode",       "cb_resolution", "cb_frame",
                           "cb_quality", "line_edit_bps", "lb_day_cap"}
            : QStringList {match.captured(1)};
        for (const QString &family : families)
            for (int n = first; n <= last; ++n)
                values[family + '_' + QString::number(n)] = match.captured(5);
    }
    QStringList lines;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        lines << it.key() + '=' + it.value();
    return lines;
}

void act(Calculator &calculator, const QString &actions)
{
    static const QRegularExpression step(
        "^(\\w+)(?:=(\\d+)|\\^(\\w+)|<(.*?)(?:>(Tab|click))?|(!))$");
    for (const QString &action : actions.split(QStringLiteral("; "), Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch match = step.match(action);
        if (!match.hasMatch())
            qFatal("not an action: %s", qPrintable(action));
        const QString name = match.captured(1);
        if (match.capturedStart(2) >= 0) {
            pickFromPopup(calculator.box(name), match.captured(2).toInt());
        } else if (match.capturedStart(3) >= 0) {
            static const QHash<QString, Qt::Key> keys = {{"Up", Qt::Key_Up},
                                                         {"Down", Qt::Key_Down},
                                                         {"Home", Qt::Key_Home},
                                                         {"End", Qt::Key_End}};
            calculator.box(name).setFocus(Qt::TabFocusReason);
            QTest::keyClick(&calculator.box(name), keys.value(match.captured(3)));
        } else if (match.capturedStart(4) >= 0) {
            QLineEdit &field = calculator.field(name);
            typeOver(field, match.captured(4));
            if (match.captured(5) == QLatin1String("Tab"))
                QTest::keyClick(&field, Qt::Key_Tab);
            else if (match.captured(5) == QLatin1String("click"))
                QTest::mouseClick(&calculator.field(name == QLatin1String("line_input_days")
                                                        ? "line_input_hdd"
                                                        : "line_input_days"),
                                  Qt::LeftButton);
            else
                QTest::keyClick(&field, Qt::Key_Return);
        } else {
            QTest::mouseClick(calculator.window.findChild<QPushButton *>(name), Qt::LeftButton);
        }
    }
}

void whenDialogOpens(std::function<void(QWidget *dialog)> answer)
{
    // Polls: the dialog opens inside a nested event loop of the call under test.
    auto *timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        // The calculator's own window is modal too: wait for a dialog.
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        answer(dialog);
    });
    timer->start(10);
}

QStringList repeated(const QString &text, int count, int at, const QString &there)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << (i == at ? there : text);
    return list;
}

QuietTrace::QuietTrace()
{
    beforeQuiet = qInstallMessageHandler(dropTrace);
}

QuietTrace::~QuietTrace()
{
    qInstallMessageHandler(beforeQuiet);
}

MessageLog::MessageLog()
    : m_previous(qInstallMessageHandler(logMessage))
{
    loggedMessages.clear();
}

MessageLog::~MessageLog()
{
    qInstallMessageHandler(m_previous);
}

QStringList MessageLog::debugLines() const
{
    QStringList lines;
    for (const LoggedMessage &message : loggedMessages)
        if (message.type == QtDebugMsg)
            lines << message.text;
    return lines;
}

QStringList MessageLog::warnings() const
{
    QStringList lines;
    for (const LoggedMessage &message : loggedMessages)
        if (message.type != QtDebugMsg && message.type != QtInfoMsg)
            lines << message.text;
    return lines;
}

void MessageLog::clear()
{
    loggedMessages.clear();
}

Calculator::Calculator()
{
    if (!showActive(window))
        qWarning("the window did not get the keyboard focus");
    window.resetAll();
}

QComboBox &Calculator::box(const QString &name) const
{
    auto *found = window.findChild<QComboBox *>(name);
    if (!found)
        qFatal("the window has no combo box named %s", qPrintable(name));
    return *found;
}

QLineEdit &Calculator::field(const QString &name) const
{
    auto *found = window.findChild<QLineEdit *>(name);
    if (!found)
        qFatal("the window has no line edit named %s", qPrintable(name));
    return *found;
}

QLabel &Calculator::label(const QString &name) const
{
    auto *found = window.findChild<QLabel *>(name);
    if (!found)
        qFatal("the window has no label named %s", qPrintable(name));
    return *found;
}

QString Calculator::cell(const char *family, int row)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(family),
                                       row == 0 ? QStringLiteral("all") : QString::number(row));
}

QStringList Calculator::column(const char *family) const
{
    QStringList texts;
    for (int n = 1; n <= 16; ++n) {
        QObject *widget = window.findChild<QObject *>(cell(family, n));
        if (auto *line = qobject_cast<QLineEdit *>(widget))
            texts << line->text();
        else if (auto *text = qobject_cast<QLabel *>(widget))
            texts << text->text();
        else if (auto *combo = qobject_cast<QComboBox *>(widget))
            texts << combo->currentText();
    }
    return texts;
}
