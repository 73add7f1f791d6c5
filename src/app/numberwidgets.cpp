#include "numberwidgets.h"

#include "numbertext.h"

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>

namespace {

// The width a label's plain text has, as QLabel lays it out: inside the frame
// and the margin, less the indent a framed label keeps on its aligned side.
int labelRoom(const QLabel &label)
{
    int indent = label.indent();
    if (indent < 0 && label.frameWidth() > 0)
        indent = label.fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 - label.margin();
    const bool indented = label.alignment() & (Qt::AlignLeft | Qt::AlignRight);
    return label.contentsRect().width() - 2 * label.margin() - (indented ? std::max(indent, 0) : 0);
}

// The same for a field: inside its frame and text margins, less the two
// pixels a QLineEdit keeps each side and one for the cursor.
int fieldRoom(const QLineEdit &field)
{
    QStyleOptionFrame option;
    option.initFrom(&field);
    option.lineWidth = field.hasFrame()
        ? field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &field)
        : 0;
    const QRect contents
        = field.style()->subElementRect(QStyle::SE_LineEditContents, &option, &field);
    const QMargins margins = field.textMargins();
    return contents.width() - margins.left() - margins.right() - 2 * 2 - 1;
}

// Glyph by glyph, at a fraction of the cost of laying the text out; a
// figure's characters are not kerned.
qreal textWidth(const QFontMetricsF &metrics, const QString &text)
{
    qreal width = 0;
    for (const QChar c : text)
        width += metrics.horizontalAdvance(c);
    return width;
}

} // namespace

NumberValidator::NumberValidator(Kind kind, QObject *parent)
    : QValidator(parent)
    , m_kind(kind)
{
}

QValidator::State NumberValidator::validate(QString &text, int &) const
{
    // Where the desktop writes decimals with a comma, a comma is the decimal
    // point: shown as ".", the point the fields and plan files hold.
    if (m_kind == Estimate && QString(QLocale().decimalPoint()) == QStringLiteral(","))
        text.replace(QLatin1Char(','), QLatin1Char('.'));
    const bool takes = m_kind == Estimate ? isEstimateText(text) : isBitrateText(text);
    return takes ? Acceptable : Invalid;
}

void WholeFigures::fit(QWidget &widget, const QString &text, int room)
{
    const auto saved = m_formFonts.constFind(&widget);
    // The usual case: the form's font has room.
    if (saved == m_formFonts.cend() && textWidth(QFontMetricsF(widget.fontMetrics()), text) <= room)
        return;
    const QFont form = saved == m_formFonts.cend() ? widget.font() : *saved;
    QFont font = form;
    while (textWidth(QFontMetricsF(font, &widget), text) > room && font.pointSizeF() > 4)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    if (font == form)
        m_formFonts.remove(&widget);
    else
        m_formFonts.insert(&widget, form);
    if (font != widget.font())
        widget.setFont(font);
}

void WholeFigures::show(QLabel &label, const QString &text)
{
    if (label.text() == text && label.accessibleDescription() == text)
        return;
    fit(label, text, labelRoom(label));
    label.setText(text);
    label.setAccessibleDescription(text);
}

void WholeFigures::keepWhole(QLineEdit &field)
{
    QObject::connect(&field, &QLineEdit::textChanged, &field,
                     [this, &field](const QString &text) { fit(field, text, fieldRoom(field)); });
}
