#pragma once

#include <QFont>
#include <QHash>
#include <QValidator>

class QLabel;
class QLineEdit;

// How the window's fields take numbers and its widgets show them.

// A field takes only what it reads: a bitrate digits up to 2147483647, an
// estimate digits with at most one "." for decimals, or a "," where the
// locale writes decimals so, which becomes ".". Anything else (a sign, a
// letter, a comma elsewhere, a blank, a unit) is refused as it is typed or
// pasted, so that no field shows text that would be read as another number.
class NumberValidator : public QValidator
{
public:
    enum Kind { Bitrate, Estimate };
    NumberValidator(Kind kind, QObject *parent);
    State validate(QString &text, int &position) const override;

private:
    Kind m_kind;
};

// Figures are never cut short: a text wider than its widget's room is drawn
// in a smaller size of the form's font. One per window, as long as its widgets.
class WholeFigures
{
public:
    // Shows text in label whole, and gives it to screen readers as the label's
    // description, beside its caption, the name.
    void show(QLabel &label, const QString &text);

    // Keeps field's text whole whenever it changes, typed or shown.
    void keepWhole(QLineEdit &field);

private:
    void fit(QWidget &widget, const QString &text, int room);

    // The form's font of each widget a figure made smaller.
    QHash<const QWidget *, QFont> m_formFonts;
};
