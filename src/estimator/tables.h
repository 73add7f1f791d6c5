#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

// The fixed tables every figure rests on, and the names the lists show.

constexpr int channel_max = 16;

// Channel counts a recorder can have, by the index of the count list.
inline constexpr std::int8_t channel_counts[3] = {4, 8, 16};

// Items of the frame lists, one row per video standard (0 PAL, 1 NTSC).
inline constexpr std::int8_t frame_rate_choices[2][9] = {
    {0, 1, 3, 4, 5, 7, 9, 13, 25},
    {0, 1, 2, 4, 5, 8, 10, 15, 30},
};

// Frames per second the calculation uses for frame index k, under both video
// standards: the item text is never parsed.
inline constexpr std::int8_t frame_index_fps[9] = {0, 4, 6, 8, 10, 12, 16, 20, 30};

// The top frame item, the default.
constexpr int frame_top = 8;

// Reference bitrate in Kbps at 30 fps, by resolution (Full-HD, HD, D1) and
// quality (Super, Highest, High, Standard, Low).
inline constexpr std::int32_t base_bitrate_kbps[3][5] = {
    {6000, 5000, 4000, 3500, 2500},
    {4000, 3500, 3000, 2500, 2000},
    {2000, 1500, 1000, 768, 512},
};

extern const QString product_names[2];
extern const QString video_standard_names[2];
extern const QString mode_names[2];
extern const QString resolution_names[3];
extern const QString quality_names[5];

// How a recorder lays its drives out, by index: the tokens files and the
// command line use ("single", "raid1", ...) and the names people read.
constexpr int disk_layout_count = 5;
extern const QString disk_layout_tokens[disk_layout_count];
extern const QString disk_layout_names[disk_layout_count];

// The drive bays a recorder may have.
constexpr int bays_min = 1;
constexpr int bays_max = 64;

// The text of frame item index under standard: "25", "30", ...
QString frameText(int standard, int index);
// The items of a frame list under standard.
QStringList frameTexts(int standard);

// The index of count in channel_counts, or -1.
int channelCountIndex(int count);
