#pragma once

#include "tables.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

// Everything the figures depend on: what the user chose in the window, or what
// a plan file holds.

// One row of the table: a channel, or the ALL row.
struct RowSettings
{
    bool manual = false;
    int resolution = 0; // index into resolution_names
    int frame = frame_top; // index into the frame list of the plan's standard
    int quality = 0; // index into quality_names
    // The Kbps typed for Manual mode; kept, but unused, while the row is Auto.
    std::int32_t manualKbps = 0;

    friend bool operator==(const RowSettings &a, const RowSettings &b)
    {
        return a.manual == b.manual && a.resolution == b.resolution && a.frame == b.frame
            && a.quality == b.quality && a.manualKbps == b.manualKbps;
    }
    friend bool operator!=(const RowSettings &a, const RowSettings &b) { return !(a == b); }
};

// The recorder's drives: how they are laid out (an index into
// disk_layout_tokens) and how many bays it has. They belong to the plan, as
// the product does.
struct DiskSettings
{
    int layout = 0;
    int bays = 4;

    friend bool operator==(const DiskSettings &a, const DiskSettings &b)
    {
        return a.layout == b.layout && a.bays == b.bays;
    }
    friend bool operator!=(const DiskSettings &a, const DiskSettings &b) { return !(a == b); }
};

// A site name holds this many characters at most, on one line.
constexpr int site_limit = 200;

struct Plan
{
    // The customer's site, as the installer names it; empty when none.
    QString site;
    int product = 0; // index into product_names; any but the first records Auto only
    int videoStandard = 1; // 0 PAL, 1 NTSC
    int channelCount = 16; // 4, 8 or 16
    RowSettings all;
    std::array<RowSettings, channel_max> channels;
    // The two estimate fields as typed; read like the fields when figured.
    QString requiredDays;
    QString installedHddGb;
    DiskSettings disks;

    friend bool operator==(const Plan &a, const Plan &b)
    {
        return a.site == b.site && a.product == b.product && a.videoStandard == b.videoStandard
            && a.channelCount == b.channelCount && a.all == b.all && a.channels == b.channels
            && a.requiredDays == b.requiredDays && a.installedHddGb == b.installedHddGb
            && a.disks == b.disks;
    }
    friend bool operator!=(const Plan &a, const Plan &b) { return !(a == b); }
};

// The Kbps a row records at: its typed bitrate in Manual mode, else what its
// resolution, quality and frame rate give.
std::int32_t rowKbps(const RowSettings &row);

// Every figure the window shows for a plan, with the texts it shows them in,
// so that every front end prints the same strings.
struct PlanFigures
{
    int activeChannels = 0;
    // Channels not in use record nothing: 0 in both.
    std::array<std::int32_t, channel_max> kbps {};
    std::array<float, channel_max> dayGb {};
    std::int32_t allKbps = 0;
    float totalDayGb = 0;
    // Empty where the window shows "--".
    std::optional<std::int32_t> requiredGb;
    std::optional<std::int32_t> recordingDays;
    std::optional<std::int32_t> recordingHours;
    // The required capacity before it is truncated for the window: what a
    // set of disks must hold.
    double requiredGbUnrounded = 0;
    // What the cameras in use send the recorder, all together.
    std::int64_t incomingKbps = 0;

    QString kbpsText(int channel) const;
    QString dayGbText(int channel) const;
    QString allKbpsText() const;
    QString totalText() const;
    QString requiredText() const; // "33397 GB"
    QString daysText() const; // "2 Days"
    QString hoursText() const; // "16 Hours"
    QString recordingTimeText() const; // "2 Days 16 Hours"
    QString incomingMbpsText() const; // "96", "96.5": Kbps / 1000, exact
};

PlanFigures planFigures(const Plan &plan);

// The plan as its file holds it: without the typed bitrate an Auto row keeps
// unused, which no file stores. Two plans that differ only there save alike.
Plan asFiled(Plan plan);

// When the installed disk lasts fewer days than the days asked for, one
// sentence for the customer that says so and what the days need; else empty.
QString shortfallText(const Plan &plan, const PlanFigures &figures);

// What is wrong with site as a plan's site, or empty; quoted is how the
// message shows it.
QString siteFault(const QString &site, const QString &quoted);

// What the figures' units are, in the words the customer reads.
extern const QString units_note;
