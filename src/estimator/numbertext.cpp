#include "numbertext.h"

#include <QByteArray>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Reads characters of a text one after another; past the end it sees NUL,
// which no number contains, just as C's parsers stop at a NUL.
class Scanner
{
public:
    explicit Scanner(const QString &text)
        : m_text(text)
    {
    }

    char peek(int ahead = 0) const
    {
        const int at = m_at + ahead;
        if (at >= m_text.size())
            return 0;
        const char16_t c = m_text.at(at).unicode();
        return c < 0x80 ? char(c) : 0;
    }
    void skip(int count = 1) { m_at += count; }
    int position() const { return m_at; }
    void rewind(int position) { m_at = position; }

    // C's isspace in the "C" locale.
    void skipBlanks()
    {
        while (peek() == ' ' || (peek() >= '\t' && peek() <= '\r'))
            skip();
    }
    // A leading sign; true for minus.
    bool takeSign()
    {
        const char c = peek();
        if (c == '+' || c == '-')
            skip();
        return c == '-';
    }
    bool takeWord(const char *lowerCase)
    {
        int n = 0;
        for (; lowerCase[n]; ++n)
            if ((peek(n) | 0x20) != lowerCase[n])
                return false;
        skip(n);
        return true;
    }

private:
    const QString &m_text;
    int m_at = 0;
};

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    const char lower = char(c | 0x20);
    return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

// An exponent's digits, saturated far beyond any double's range.
long takeExponentDigits(Scanner &in)
{
    long value = 0;
    for (; isDigit(in.peek()); in.skip())
        value = std::min(value * 10 + (in.peek() - '0'), 100000000L);
    return value;
}

// An optional exponent: the marker, a sign and at least one digit; otherwise
// nothing of it is read.
long takeExponent(Scanner &in, char marker)
{
    if ((in.peek() | 0x20) != marker)
        return 0;
    const int start = in.position();
    in.skip();
    const bool negative = in.takeSign();
    if (!isDigit(in.peek())) {
        in.rewind(start);
        return 0;
    }
    const long value = takeExponentDigits(in);
    return negative ? -value : value;
}

// After "0x": hex digits with an optional point and binary exponent. The first
// 16 significant digits are kept exactly; later ones only as a sticky bit, which
// still rounds the result correctly.
std::optional<double> hexadecimal(Scanner &in)
{
    std::uint64_t mantissa = 0;
    long exponent = 0;
    int kept = 0;
    bool digits = false;
    bool sticky = false;
    bool fraction = false;
    for (;; in.skip()) {
        if (in.peek() == '.' && !fraction) {
            fraction = true;
            continue;
        }
        const int value = hexValue(in.peek());
        if (value < 0)
            break;
        digits = true;
        if (mantissa == 0 && value == 0) {
            exponent -= fraction ? 4 : 0;
        } else if (kept < 16) {
            mantissa = mantissa * 16 + std::uint64_t(value);
            ++kept;
            exponent -= fraction ? 4 : 0;
        } else {
            sticky = sticky || value != 0;
            exponent += fraction ? 0 : 4;
        }
    }
    if (!digits)
        return std::nullopt;
    exponent += takeExponent(in, 'p');
    if (sticky)
        mantissa |= 1;
    return std::ldexp(double(mantissa), int(std::clamp(exponent, -100000L, 100000L)));
}

// A decimal number: digits with an optional point, at least one digit, then an
// optional exponent. Converted by Qt's locale-free, correctly rounding parser.
std::optional<double> decimal(Scanner &in)
{
    QByteArray number;
    // Where the first significant digit stands, as a power of ten, to tell an
    // overflow from an underflow when the parser declines either.
    long magnitude = 0;
    bool significant = false;
    bool fraction = false;
    bool digits = false;
    for (;; in.skip()) {
        const char c = in.peek();
        if (c == '.' && !fraction) {
            fraction = true;
        } else if (isDigit(c)) {
            digits = true;
            if (c != '0')
                significant = true;
            if (significant && !fraction)
                ++magnitude;
            else if (!significant && fraction)
                --magnitude;
        } else {
            break;
        }
        number += c;
    }
    if (!digits)
        return std::nullopt;
    const long exponent = takeExponent(in, 'e');
    if (!significant)
        return 0.0;
    number += 'e' + QByteArray::number(qlonglong(exponent));
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (ok)
        return value;
    return magnitude + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
}

} // namespace

std::int32_t kbpsFromText(const QString &text)
{
    Scanner in(text);
    in.skipBlanks();
    const bool negative = in.takeSign();
    // Far enough past the 32-bit range to saturate either way.
    constexpr std::int64_t cap = std::int64_t(1) << 40;
    std::int64_t value = 0;
    for (; isDigit(in.peek()); in.skip())
        value = std::min(value * 10 + (in.peek() - '0'), cap);
    if (negative)
        value = -value;
    return std::int32_t(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                 std::numeric_limits<std::int32_t>::max()));
}

double numberFromText(const QString &text)
{
    Scanner in(text);
    in.skipBlanks();
    const bool negative = in.takeSign();
    std::optional<double> value;
    if (in.peek() == '0' && (in.peek(1) | 0x20) == 'x') {
        const int start = in.position();
        in.skip(2);
        value = hexadecimal(in);
        if (!value)
            in.rewind(start); // "0x" with no digit is the number 0
    }
    if (!value)
        value = decimal(in);
    if (!value) {
        if (in.takeWord("infinity") || in.takeWord("inf"))
            value = std::numeric_limits<double>::infinity();
        else if (in.takeWord("nan"))
            value = std::numeric_limits<double>::quiet_NaN();
        else
            return 0;
    }
    return negative ? -*value : *value;
}

QString integerText(std::int32_t value)
{
    return QString::number(value);
}

QString thousandthsText(std::int64_t value)
{
    QString text = QString::number(value / 1000);
    if (value % 1000 != 0) {
        QString decimals = QString::number(value % 1000).rightJustified(3, QLatin1Char('0'));
        while (decimals.endsWith(QLatin1Char('0')))
            decimals.chop(1);
        text += QLatin1Char('.') + decimals;
    }
    return text;
}

QString capacityText(float gigabytes)
{
    return QString::number(double(gigabytes), 'g', 6);
}

bool isEstimateText(const QString &text)
{
    int points = 0;
    for (const QChar c : text) {
        if (c == QLatin1Char('.'))
            ++points;
        else if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    // Past 1.8e308 (309 digits) a number is beyond a double.
    return points <= 1 && std::isfinite(numberFromText(text));
}

bool isBitrateText(const QString &text)
{
    const bool digits = std::all_of(text.cbegin(), text.cend(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
    bool read = false;
    return digits && (text.isEmpty() || (text.toULongLong(&read) <= 2147483647 && read));
}

QString estimateTextOf(double value)
{
    // The shortest digits that read back as value; + 0.0 makes -0 plain 0.
    return QString::number(value + 0.0, 'f', QLocale::FloatingPointShortest);
}

QString estimateText(std::optional<std::int32_t> value, const QString &suffix)
{
    return (value ? integerText(*value) : QStringLiteral("--")) + suffix;
}
