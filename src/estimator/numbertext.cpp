#include "numbertext.h"

#include <QByteArray>

#include <cstdlib>
#include <limits>
#include <locale.h>

namespace {

// The toolkit sets the process locale from the environment, and strtod would
// then take "0.5" as 0 on a comma-decimal desktop. Parse in the C locale.
locale_t cLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return locale;
}

} // namespace

std::int32_t kbpsFromText(const QString &text)
{
    // The field's characters as 8-bit text; anything outside Latin-1 becomes
    // '?' and stops the number.
    const QByteArray bytes = text.toLatin1();
    const long long value = strtoll_l(bytes.constData(), nullptr, 10, cLocale());
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

double numberFromText(const QString &text)
{
    const QByteArray bytes = text.toLatin1();
    return strtod_l(bytes.constData(), nullptr, cLocale());
}

QString integerText(std::int32_t value)
{
    return QString::number(value);
}

QString capacityText(float gigabytes)
{
    return QString::number(double(gigabytes), 'g', 6);
}

QString estimateText(std::optional<std::int32_t> value, const QString &suffix)
{
    return (value ? integerText(*value) : QStringLiteral("--")) + suffix;
}
