#pragma once

#include <cstdint>
#include <optional>

// The recording arithmetic, free of widgets.
//
// Units: bitrates are whole Kbps (kilobits per second) in signed 32-bit
// integers. A day of recording is Kbps x 0.125 (kilobytes per second)
// x 86400 s / 1,000,000 gigabytes of 10^9 bytes, kept as a float: 6000 Kbps
// make 64.8 GB a day. Disk sizes are GB of 10^9 bytes too. The estimates
// multiply the recorded data by 1.073741824 (1024^3 / 1000^3): the required
// disk is 7.4 % above the data for the days, and a disk lasts its size over
// the daily data divided by 1.073741824 (6.9 % less); a margin, kept since
// every figure rests on it. The order of evaluation below is part of the
// result: truncation makes a reordered formula differ in the last digit.

// Auto-mode bitrate: the 30 fps reference bitrate divided by 30 in integer
// division first, then multiplied by the frame rate (5000 / 30 x 30 = 4980).
std::int32_t autoBitrateKbps(int resolution, int quality, int fps);

// Storage of one day of recording at kbps, in GB: evaluated in double, rounded
// once to float.
float dayCapacityGb(std::int32_t kbps);

// The float sum of the first count capacities, added in channel order.
float dayTotalGb(const float *capacities, int count);

// Disk needed to keep requiredDays of recording, in GB of 10^9 bytes.
double requiredGb(double dayTotal, double requiredDays);

// The same truncated, as the window shows it. Empty when the figure is not
// finite or does not fit a signed 32-bit integer.
std::optional<std::int32_t> requiredCapacityGb(double dayTotal, double requiredDays);

// Hours of recording that fit on a disk of installedGb (GB of 10^9 bytes); not
// finite when dayTotal is 0.
double recordingHours(double dayTotal, double installedGb);

// Whole days in hours, truncated; empty when that does not fit.
std::optional<std::int32_t> recordingDays(double hours);

// The whole hours beyond the whole days: trunc(hours) mod 24 with the sign of
// the dividend; defined for every finite value, empty otherwise.
std::optional<std::int32_t> recordingHoursBeyondDays(double hours);

// value truncated toward zero, or empty when it is not finite or the result
// lies outside the signed 32-bit range.
std::optional<std::int32_t> truncatedInt32(double value);
