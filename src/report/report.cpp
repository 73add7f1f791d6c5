#include "report.h"

#include "disks.h"
#include "numbertext.h"
#include "planfile.h"
#include "plantable.h"
#include "tables.h"
#include "version.h"

#include <QBuffer>
#include <QDate>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>

#include <algorithm>
#include <iterator>

namespace {

const QString program_name = QStringLiteral("NVR Recording calculator");

// The launcher icon's colours, so the page looks like it comes from the program.
const QColor accent(0x0a, 0x76, 0xc2);
const QColor ink(0x2d, 0x3a, 0x46);
const QColor muted(0x5f, 0x6b, 0x76);
const QColor panel(0xee, 0xf3, 0xf8);
const QColor hairline(0xc5, 0xd0, 0xda);

constexpr qreal margin_mm = 18;

// The table's columns: heading, share of the width, numbers to the right.
struct Column
{
    const char *heading;
    qreal share;
    bool numeric;
};
constexpr Column columns[] = {
    {"Channel", 0.12, false}, {"Mode", 0.12, false},    {"Resolution", 0.16, false},
    {"Frame", 0.14, false},   {"Quality", 0.14, false}, {"Kbps", 0.14, true},
    {"GB/day", 0.18, true},
};

QFont reportFont(qreal points, bool bold = false)
{
    // The metric twin of Arial, which the program depends on anyway; elsewhere
    // any sans serif does.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// Draws the page top to bottom; every position is in millimetres from the
// top left corner of the area inside the margins.
class Sheet
{
public:
    Sheet(QPainter &painter, qreal dotsPerMm, qreal widthMm, qreal heightMm)
        : m_painter(painter)
        , m_dotsPerMm(dotsPerMm)
        , m_width(widthMm)
        , m_height(heightMm)
    {
    }

    qreal width() const { return m_width; }
    qreal height() const { return m_height; }

    // One line of text in the box. A name that does not fit is elided in the
    // middle; a figure is never cut short, but drawn smaller, on the line of
    // its neighbours.
    void text(qreal x, qreal y, qreal w, qreal h, const QString &text, const QFont &font,
              const QColor &color, Qt::Alignment align = Qt::AlignLeft, bool figure = false)
    {
        const QRectF box = rect(x, y, w, h);
        QFont shown = font;
        while (figure && width(text, shown) > box.width() && shown.pointSizeF() > smallest)
            shown.setPointSizeF(shown.pointSizeF() * 0.95);
        m_painter.setFont(shown);
        m_painter.setPen(color);
        if (shown == font) {
            m_painter.drawText(box, int(align | Qt::AlignVCenter),
                               QFontMetricsF(font, m_painter.device())
                                   .elidedText(text, Qt::ElideMiddle, box.width()));
            return;
        }
        const QFontMetricsF line(font, m_painter.device());
        const qreal baseline = box.top() + (box.height() - line.height()) / 2 + line.ascent();
        const qreal left = align & Qt::AlignRight ? box.right() - width(text, shown) : box.left();
        m_painter.drawText(QPointF(left, baseline), text);
    }

    // Whether a figure fits w millimetres, drawn as small as it may be.
    bool fits(qreal w, const QString &text, QFont font) const
    {
        font.setPointSizeF(smallest);
        return width(text, font) <= w * m_dotsPerMm;
    }

    // The millimetres a paragraph of text takes, wrapped to w.
    qreal paragraphHeight(qreal w, const QString &text, const QFont &font) const
    {
        QTextLayout layout(text, font, m_painter.device());
        return wrap(layout, w) / m_dotsPerMm;
    }

    // Wrapped at blanks, and inside a word only where it is longer than the
    // line: a name is never cut off. Gives the millimetres it took.
    qreal paragraph(qreal x, qreal y, qreal w, const QString &text, const QFont &font,
                    const QColor &color)
    {
        QTextLayout layout(text, font, m_painter.device());
        const qreal height = wrap(layout, w);
        m_painter.setPen(color);
        layout.draw(&m_painter, rect(x, y, 0, 0).topLeft());
        return height / m_dotsPerMm;
    }

    void fill(qreal x, qreal y, qreal w, qreal h, const QColor &color)
    {
        m_painter.fillRect(rect(x, y, w, h), color);
    }

    void line(qreal y, qreal thickness, const QColor &color)
    {
        fill(0, y - thickness / 2, m_width, thickness, color);
    }

private:
    static constexpr qreal smallest = 3; // points

    qreal width(const QString &text, const QFont &font) const
    {
        return QFontMetricsF(font, m_painter.device()).horizontalAdvance(text);
    }

    qreal wrap(QTextLayout &layout, qreal w) const
    {
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        qreal height = 0;
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(w * m_dotsPerMm);
            line.setPosition(QPointF(0, height));
            height += line.height();
        }
        layout.endLayout();
        return height;
    }

    QRectF rect(qreal x, qreal y, qreal w, qreal h) const
    {
        return QRectF(x * m_dotsPerMm, y * m_dotsPerMm, w * m_dotsPerMm, h * m_dotsPerMm);
    }

    QPainter &m_painter;
    qreal m_dotsPerMm;
    qreal m_width;
    qreal m_height;
};

// A label in grey and its value in bold after it, on one line; figure says
// whether the value is one.
void fact(Sheet &sheet, qreal x, qreal y, qreal labelWidth, qreal valueWidth, const QString &label,
          const QString &value, const QColor &valueColor = ink, bool figure = true)
{
    sheet.text(x, y, labelWidth, 7, label, reportFont(9), muted);
    sheet.text(x + labelWidth, y, valueWidth, 7, value, reportFont(10.5, true), valueColor,
               Qt::AlignLeft, figure);
}

// A typed number, with its unit, or "--" for an empty field. One too long for
// the line even in the smallest print is given in six significant digits, as
// the window gives its largest figures: 1e+290.
void typedFact(Sheet &sheet, qreal x, qreal y, qreal valueWidth, const QString &label,
               const QString &text, const QString &unit = QString())
{
    QString value = text.isEmpty() ? QStringLiteral("--") : text + unit;
    if (!sheet.fits(valueWidth, value, reportFont(10.5, true)))
        value = QString::number(numberFromText(text), 'g', 6) + unit;
    fact(sheet, x, y, 42, valueWidth, label, value);
}

void drawReport(Sheet &sheet, const Plan &plan, const QString &planName)
{
    const PlanFigures figures = planFigures(plan);
    const qreal w = sheet.width();

    qreal y = 0;
    sheet.text(0, y, w * 0.65, 11, program_name, reportFont(20, true), ink);
    sheet.text(w * 0.65, y, w * 0.35, 11, QStringLiteral("Recording storage plan"), reportFont(12),
               accent, Qt::AlignRight);
    y += 13;
    sheet.line(y, 0.8, accent);
    y += 4;

    // A site name is the installer's own text: wrapped whole, never cut.
    const qreal siteHeight = plan.site.isEmpty()
        ? 0
        : std::max(8.5, sheet.paragraphHeight(w - 33, plan.site, reportFont(10.5, true)) + 2.5);
    sheet.fill(0, y, w, 18 + siteHeight, panel);
    if (siteHeight > 0) {
        sheet.text(3, y + 1.5, 27, 7, QStringLiteral("Site"), reportFont(9), muted);
        sheet.paragraph(30, y + 2.2, w - 33, plan.site, reportFont(10.5, true), ink);
        y += siteHeight;
    }
    const qreal third = w / 3;
    fact(sheet, 3, y + 1.5, 27, 2 * third - 33, QStringLiteral("Plan"), planName, ink, false);
    fact(sheet, 2 * third + 3, y + 1.5, 16, third - 22, QStringLiteral("Date"),
         QDate::currentDate().toString(Qt::ISODate));
    y += 8.5;
    fact(sheet, 3, y + 1.5, 27, third - 33, QStringLiteral("Video standard"),
         video_standard_names[plan.videoStandard]);
    fact(sheet, third + 3, y + 1.5, 20, third - 26, QStringLiteral("Channels"),
         QString::number(plan.channelCount));
    fact(sheet, 2 * third + 3, y + 1.5, 16, third - 22, QStringLiteral("Product"),
         product_names[plan.product]);
    y += 16;

    sheet.text(0, y, w, 8, QStringLiteral("Channels in use"), reportFont(12, true), ink);
    y += 9;
    constexpr qreal pad = 2.5;
    const auto cells = [&](qreal top, qreal height, const QStringList &texts, const QFont &font,
                           const QColor &color) {
        qreal x = 0;
        for (int i = 0; i < texts.size(); ++i) {
            const qreal cw = columns[i].share * w;
            sheet.text(x + pad, top, cw - 2 * pad, height, texts[i], font, color,
                       columns[i].numeric ? Qt::AlignRight : Qt::AlignLeft, columns[i].numeric);
            x += cw;
        }
    };
    QStringList headings;
    for (const Column &column : columns)
        headings << QString::fromLatin1(column.heading);
    sheet.fill(0, y, w, 7.5, accent);
    cells(y, 7.5, headings, reportFont(9.5, true), Qt::white);
    y += 7.5;

    // What comes under the table, measured first: with sixteen channels, a
    // long site and every sentence the rows close up so that all of it stays
    // on one page, above the foot.
    const QString disks = disksSentence(plan, figures);
    const QString shortfall = shortfallText(plan, figures);
    const QString units = QStringLiteral("Units: ") + units_note;
    const auto height = [&](const QString &text, const QFont &font, qreal gap) {
        return text.isEmpty() ? 0 : sheet.paragraphHeight(w, text, font) + gap;
    };
    constexpr qreal storage_height = 29;
    const qreal below = 12 + 9 + storage_height + 7 + height(disks, reportFont(10.5), 3)
        + height(shortfall, reportFont(10.5, true), 3) + height(units, reportFont(8.5), 0) + 2;
    const qreal foot = sheet.height() - 6;
    const QList<ChannelLine> lines = channelLines(plan, figures);
    const qreal rowHeight
        = lines.isEmpty() ? 6.2 : std::clamp((foot - y - below) / qreal(lines.size()), 4.6, 6.2);
    for (int i = 0; i < lines.size(); ++i) {
        const ChannelLine &line = lines[i];
        if (i % 2 == 1)
            sheet.fill(0, y, w, rowHeight, panel);
        cells(y, rowHeight,
              {QString::number(line.channel), line.mode, line.resolution, line.frame, line.quality,
               line.kbps, line.dayGb},
              reportFont(10), ink);
        y += rowHeight;
    }
    sheet.line(y, 0.3, ink);
    const qreal lastColumn = columns[std::size(columns) - 1].share * w;
    sheet.text(pad, y, w - lastColumn - 2 * pad, 8, QStringLiteral("Total per day (GB)"),
               reportFont(10.5, true), ink);
    sheet.text(w - lastColumn + pad, y, lastColumn - 2 * pad, 8, figures.totalText(),
               reportFont(10.5, true), ink, Qt::AlignRight, true);
    y += 12;

    sheet.text(0, y, w, 8, QStringLiteral("Storage"), reportFont(12, true), ink);
    y += 9;
    sheet.fill(0, y, w, storage_height, panel);
    const qreal half = w / 2;
    fact(sheet, 3, y + 2, 42, half - 48, QStringLiteral("Incoming bitrate"),
         figures.incomingMbpsText() + QStringLiteral(" Mbps"));
    y += 9;
    // A figure of a field left empty would be a guess: left out.
    typedFact(sheet, 3, y + 2, half - 48, QStringLiteral("Required days"), plan.requiredDays);
    if (!plan.requiredDays.isEmpty())
        fact(sheet, half + 3, y + 2, 42, half - 48, QStringLiteral("Required HDD capacity"),
             figures.requiredText(), accent);
    y += 9;
    typedFact(sheet, 3, y + 2, half - 48, QStringLiteral("Installed HDD size"), plan.installedHddGb,
              QStringLiteral(" GB"));
    if (!plan.installedHddGb.isEmpty())
        fact(sheet, half + 3, y + 2, 42, half - 48, QStringLiteral("Installed HDD lasts"),
             figures.recordingTimeText(), accent);
    y += storage_height - 18 + 7;

    if (!disks.isEmpty())
        y += sheet.paragraph(0, y, w, disks, reportFont(10.5), ink) + 3;
    if (!shortfall.isEmpty())
        y += sheet.paragraph(0, y, w, shortfall, reportFont(10.5, true), accent) + 3;
    sheet.paragraph(0, y, w, units, reportFont(8.5), muted);

    sheet.line(foot, 0.2, hairline);
    sheet.text(0, foot + 1, w, 5,
               QStringLiteral("%1 %2").arg(program_name, QStringLiteral(NVR_VERSION)),
               reportFont(8), muted);
}

bool writePdf(const Plan &plan, const QString &planName, QIODevice &file)
{
    QPdfWriter writer(&file);
    writer.setTitle(QStringLiteral("Recording storage plan: %1").arg(planName));
    writer.setCreator(QStringLiteral("%1 %2").arg(program_name, QStringLiteral(NVR_VERSION)));
    writer.setPageSize(reportPageSize(QLocale()));
    writer.setPageOrientation(QPageLayout::Portrait);
    writer.setPageMargins(QMarginsF(margin_mm, margin_mm, margin_mm, margin_mm),
                          QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    const QRectF area = writer.pageLayout().paintRect(QPageLayout::Millimeter);
    Sheet sheet(painter, writer.resolution() / 25.4, area.width(), area.height());
    drawReport(sheet, plan, planName);
    return painter.end();
}

} // namespace

QPageSize reportPageSize(const QLocale &locale)
{
    // The territories whose paper is Letter, after the Unicode locale data.
    static constexpr QLocale::Country letter[] = {
        QLocale::Belize,       QLocale::Canada,     QLocale::Chile,       QLocale::Colombia,
        QLocale::CostaRica,    QLocale::ElSalvador, QLocale::Guatemala,   QLocale::Mexico,
        QLocale::Nicaragua,    QLocale::Panama,     QLocale::Philippines, QLocale::PuertoRico,
        QLocale::UnitedStates, QLocale::Venezuela,
    };
#if QT_VERSION >= QT_VERSION_CHECK(6, 2, 0)
    const QLocale::Country territory = locale.territory();
#else
    const QLocale::Country territory = locale.country();
#endif
    const bool usesLetter
        = std::find(std::begin(letter), std::end(letter), territory) != std::end(letter);
    return QPageSize(usesLetter ? QPageSize::Letter : QPageSize::A4);
}

bool writeReport(const Plan &plan, const QString &planName, const QString &outPath, QString *error)
{
    const bool csv = outPath.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive);
    if (!csv && !qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        *error = outPath + QStringLiteral(": a PDF can only be drawn by a graphical program");
        return false;
    }
    // Drawn in memory first, so the file is written at once or not at all.
    QByteArray contents;
    if (csv) {
        contents = channelCsv(plan, planFigures(plan));
    } else {
        QBuffer buffer(&contents);
        buffer.open(QIODevice::WriteOnly);
        if (!writePdf(plan, planName, buffer)) {
            *error = outPath + QStringLiteral(": the PDF could not be drawn");
            return false;
        }
    }
    return writeFileAtomically(outPath, contents, error);
}
