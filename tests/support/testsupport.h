#pragma once

#include "mainwindow.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

// The window's 147 named widgets.
const QStringList &declaredWidgetNames();

// The expected class and parent of a widget, from its object name.
QString expectedClassName(const QString &objectName);
QString expectedParentName(const QString &objectName);

// Shows the window and waits until it has the keyboard focus, as a user's
// window would; needed wherever focus decides what a key does.
bool showActive(QWidget &window);

// A user's choice from the popup list of box: raises activated(index) also for
// the item that is already current.
void pickFromPopup(QComboBox &box, int index);

// Clicks into field, selects its text and types text over it, like a user.
void typeOver(QLineEdit &field, const QString &text);

// Like typeOver for short ASCII; anything else (long texts, other scripts,
// emoji, NUL) arrives the way a user gets it in: pasted from the clipboard.
void enterText(QLineEdit &field, const QString &text);

// The same, then Return.
void typeAndReturn(QLineEdit &field, const QString &text);

QStringList itemTexts(const QComboBox &box);

// What the user sees of every control and figure of window, one line per
// widget in name order: its text or items, and whether it is shown and usable.
QStringList shownState(const QWidget &window);

// The window as a user reads it, widget by widget: a box's current item (a
// frame box's with its list), a field's or a label's text; " (off)" after a
// box or field that cannot be used, "hidden" for whatever is not shown.
QMap<QString, QString> shownValues(const QWidget &window);

// shownValues lines "name=value", with the values that spec gives instead:
// "name=value" entries separated by "; ", where a name may end in "_*" (the
// sixteen channels) or "_5-16" (those channels), and "row_..." stands for
// every cell of the rows. Later entries win.
QStringList shownWith(const QMap<QString, QString> &shown, const QString &spec);

// Performs a user's actions, separated by "; ": "box=2" picks item 2 from the
// box's list, "box^Down" presses the key on the box, "field<text" types text
// over the field's and presses Return ("field<text>Tab" presses Tab instead,
// "field<text>click" clicks into another field), "button!" clicks it.
class Calculator;
void act(Calculator &calculator, const QString &actions);

// Runs answer on the next modal dialog once it has opened (a message box, a
// file dialog), from inside its event loop.
void whenDialogOpens(std::function<void(QWidget *dialog)> answer);

// count copies of text; with at, the entry there is replaced by there.
QStringList repeated(const QString &text, int count, int at = -1, const QString &there = {});

// Drops the program's trace lines while it lives, and passes every other
// message on; for long runs that must neither print nor keep them.
class QuietTrace
{
public:
    QuietTrace();
    ~QuietTrace();
    QuietTrace(const QuietTrace &) = delete;
    QuietTrace &operator=(const QuietTrace &) = delete;
};

// Records every message the program sends to the toolkit's message output
// while it lives, and keeps it off the console.
class MessageLog
{
public:
    MessageLog();
    ~MessageLog();
    MessageLog(const MessageLog &) = delete;
    MessageLog &operator=(const MessageLog &) = delete;

    QStringList debugLines() const;
    QStringList warnings() const;
    void clear();

private:
    QtMessageHandler m_previous;
};

// The calculator as main() starts it: built, shown (here also given the
// keyboard focus) and reset. Widgets are looked up by object name, the way
// the slots are bound to them.
class Calculator
{
public:
    Calculator();

    QComboBox &box(const QString &name) const;
    QLineEdit &field(const QString &name) const;
    QLabel &label(const QString &name) const;
    // Family and row: cell("cb_mode", 3) is cb_mode_3, cell("cb_mode", 0) cb_mode_all.
    static QString cell(const char *family, int row);
    // The shown texts of a column for channels 1 to 16.
    QStringList column(const char *family) const;

    MainWindow window;
};
