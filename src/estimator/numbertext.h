#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// Text typed by the user is read the way C's atoi and atof read it: leading
// blanks, an optional sign, then as much of a number as fits; nothing readable
// is 0. Only "." is a decimal point, whatever the desktop's locale, and the
// result is the same on every platform.

// A bitrate field's text; numbers beyond the signed 32-bit range saturate.
std::int32_t kbpsFromText(const QString &text);

// An estimate field's text, as a double: decimal and hexadecimal numbers with
// their exponents, "inf", "infinity" and "nan"; overflow gives infinity.
double numberFromText(const QString &text);

// Plain decimal text of an integer, no grouping: 6000 gives "6000".
QString integerText(std::int32_t value);

// value / 1000, exact, for a count of thousandths of 0 or more: Kbps as Mbps,
// GB as TB. At most three decimals, none trailing: 96000 gives "96", 1500 "1.5".
QString thousandthsText(std::int64_t value);

// A capacity in 6 significant digits: 64.8, 0.0108, 2.31928e+07.
QString capacityText(float gigabytes);

// Whether an estimate field takes text: digits with at most one "." and a
// finite value; empty is nothing typed. Nothing else can be read as another
// number than the one it shows.
bool isEstimateText(const QString &text);

// Whether a bitrate field takes text: digits up to 2147483647, which read as
// themselves (beyond, a bitrate saturates); empty is nothing typed.
bool isBitrateText(const QString &text);

// A finite value of 0 or more as such a text, exactly: 12.5, 1000.
QString estimateTextOf(double value);

// An estimate followed by its suffix; "--" stands for a figure that cannot be
// shown (not finite, or beyond the 32-bit range).
QString estimateText(std::optional<std::int32_t> value, const QString &suffix);
