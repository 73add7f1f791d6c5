#include "calculation.h"

#include "tables.h"

#include <cmath>
#include <limits>

std::int32_t autoBitrateKbps(int resolution, int quality, int fps)
{
    return base_bitrate_kbps[resolution][quality] / 30 * fps;
}

float dayCapacityGb(std::int32_t kbps)
{
    return static_cast<float>(kbps * 0.125 * 60 * 60 * 24 / 1000000);
}

float dayTotalGb(const float *capacities, int count)
{
    float total = 0;
    for (int i = 0; i < count; ++i)
        total += capacities[i];
    return total;
}

std::optional<std::int32_t> truncatedInt32(double value)
{
    // Both bounds are exact doubles; NaN fails both comparisons.
    constexpr double below = double(std::numeric_limits<std::int32_t>::min()) - 1;
    constexpr double above = double(std::numeric_limits<std::int32_t>::max()) + 1;
    if (!(value > below && value < above))
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

double requiredGb(double dayTotal, double requiredDays)
{
    return dayTotal * requiredDays * 1024 * 1024 * 1024 / 1000 / 1000 / 1000;
}

std::optional<std::int32_t> requiredCapacityGb(double dayTotal, double requiredDays)
{
    return truncatedInt32(requiredGb(dayTotal, requiredDays));
}

double recordingHours(double dayTotal, double installedGb)
{
    const double hourlyGb = dayTotal / 24;
    return installedGb * 1000 * 1000 * 1000 * 0.0009765625 * 0.0009765625 * 0.0009765625 / hourlyGb;
}

std::optional<std::int32_t> recordingDays(double hours)
{
    return truncatedInt32(hours / 24);
}

std::optional<std::int32_t> recordingHoursBeyondDays(double hours)
{
    if (!std::isfinite(hours))
        return std::nullopt;
    // fmod of the whole hours is exact and keeps the dividend's sign, like the
    // integer remainder, without converting a value that may not fit an int.
    return static_cast<std::int32_t>(std::fmod(std::trunc(hours), 24.0));
}
