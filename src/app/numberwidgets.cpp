#include "numberwidgets.h"

#include "numbertext.h"

#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>

namespace {

// Where a widget keeps the form's font once a figure made it smaller.
const char form_font[] = "nvrFormFont";

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

void fitFont(QWidget &widget, const QString &text, int room)
{
    const QVariant saved = widget.property(form_font);
    // The usual case: the form's font has room.
    if (!saved.isValid() && widget.fontMetrics().horizontalAdvance(text) <= room)
        return;
    const QFont form = saved.isValid() ? saved.value<QFont>() : widget.font();
    QFont font = form;
    while (QFontMetrics(font, &widget).horizontalAdvance(text) > room && font.pointSizeF() > 4)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    if (!saved.isValid())
        widget.setProperty(form_font, form);
    if (font != widget.font())
        widget.setFont(font);
}

} // namespace

NumberValidator::NumberValidator(Kind kind, QObject *parent)
    : QValidator(parent)
    , m_kind(kind)
{
}

QValidator::State NumberValidator::validate(QString &text, int &) const
{
    if (m_kind == Estimate)
        return isEstimateText(text) ? Acceptable : Invalid;
    const bool digits = std::all_of(text.cbegin(), text.cend(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
    return digits ? Acceptable : Invalid;
}

void showFigure(QLabel &label, const QString &text)
{
    if (label.text() == text && label.accessibleDescription() == text)
        return;
    fitFont(label, text, labelRoom(label));
    label.setText(text);
    label.setAccessibleDescription(text);
}

void keepWhole(QLineEdit &field)
{
    QObject::connect(&field, &QLineEdit::textChanged, &field,
                     [&field](const QString &text) { fitFont(field, text, fieldRoom(field)); });
}
