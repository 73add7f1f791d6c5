#pragma once

#include <QString>

#include <cstdint>

class QLineEdit;

// The channel model and its fixed tables. They are process-wide: the window's
// handlers write the model and recalculate() reads it. Channel index i (0 to 15)
// belongs to the widgets whose object names end in i + 1.

constexpr int channel_max = 16;

// Channel counts offered by cb_max_ch, by its index.
inline constexpr std::int8_t channel_counts[3] = {4, 8, 16};

// Items of the frame boxes, one row per video standard (0 PAL, 1 NTSC).
inline constexpr std::int8_t frame_rate_choices[2][9] = {
    {0, 1, 3, 4, 5, 7, 9, 13, 25},
    {0, 1, 2, 4, 5, 8, 10, 15, 30},
};

// Frames per second the calculation uses for frame index k, under both video
// standards: the item text is never parsed.
inline constexpr std::int8_t frame_index_fps[9] = {0, 4, 6, 8, 10, 12, 16, 20, 30};

// Reference bitrate in Kbps at 30 fps, by resolution (Full-HD, HD, D1) and
// quality (Super, Highest, High, Standard, Low).
inline constexpr std::int32_t base_bitrate_kbps[3][5] = {
    {6000, 5000, 4000, 3500, 2500},
    {4000, 3500, 3000, 2500, 2000},
    {2000, 1500, 1000, 768, 512},
};

extern const QString video_standard_names[2];
extern const QString mode_names[2];
extern const QString resolution_names[3];
extern const QString quality_names[5];

extern std::int8_t ch_resolution[channel_max]; // row of base_bitrate_kbps
extern std::int8_t ch_fps[channel_max]; // frames per second, a value of frame_index_fps
extern std::int8_t ch_quality[channel_max]; // column of base_bitrate_kbps
extern std::uint8_t ch_manual[channel_max]; // 1 = Manual, 0 = Auto
extern std::int32_t ch_manual_kbps[channel_max];
extern std::int32_t all_manual_kbps;
extern std::uint8_t video_standard; // 0 PAL, 1 NTSC

// The channels' bitrate fields, filled once by the window; not owning.
extern QLineEdit *ch_bps_edit[channel_max];
