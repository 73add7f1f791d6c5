#pragma once

#include "mainwindow.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMap>
#include <QStringList>

#include <functional>

// The calculator as main() starts it: built, shown (here also given the
// keyboard focus) and reset. Widgets are found by object name, as the slots
// are bound to them.
class Calculator
{
public:
    Calculator();
    QComboBox &box(const QString &name) const { return widget<QComboBox>(name); }
    QLineEdit &field(const QString &name) const { return widget<QLineEdit>(name); }
    // Family and row: cell("cb_mode", 3) is cb_mode_3, cell("cb_mode", 0) cb_mode_all.
    static QString cell(const char *family, int row);

    MainWindow window;

private:
    template<typename T> T &widget(const QString &name) const
    {
        T *found = window.findChild<T *>(name);
        if (!found)
            qFatal("the window has no %s named %s", T::staticMetaObject.className(),
                   qPrintable(name));
        return *found;
    }
};

// Shows the window and waits until it has the keyboard focus.
bool showActive(QWidget &window);

QStringList itemTexts(const QComboBox &box);

// Performs a user's actions, separated by "; ": "box=2" picks item 2 from the
// box's list, "field<text" types text over the field's and presses Return
// ("field<text>Tab" presses Tab instead, "field<text>click" clicks into
// another field, "field<text>" leaves it typed; "field<<text" pastes it),
// "button!" clicks it, "name@" gives it the focus, and "^Ctrl+Z" presses keys
// where the focus is.
void act(Calculator &calculator, const QString &actions);

// The window as a user reads it, widget by widget: a box's current item (a
// frame box's with its list), a field's or a label's text; " (off)" after a
// box or field that cannot be used, "hidden" for whatever is not shown.
QMap<QString, QString> shownValues(const QWidget &window);

// shownValues as lines "name=value", with the values that changes gives instead:
// "name=value" entries separated by "; ", where a name may end in "_*" (the
// sixteen channels) or "_5-16" (those channels), and "row_..." stands for
// every cell of the rows. Later entries win.
QStringList shownWith(const QMap<QString, QString> &shown, const QString &changes = QString());

// Runs answer on the next modal dialog once it has opened (a message box, a
// file dialog), from inside its event loop.
void whenDialogOpens(std::function<void(QWidget *dialog)> answer);

// What must hold after every user action: the controls show the model (modes,
// usable bitrate fields, resolution, frame, quality, the frame list of the
// standard, the rows of the count, the product's lock), and every figure shown
// is the one the plan the window shows gives. Returns what is broken.
QStringList brokenRelations(const Calculator &calculator);
