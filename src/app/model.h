#pragma once

#include "tables.h"

#include <cstdint>

class QLineEdit;

// The window's channel model. It is process-wide: the window's handlers write
// it, and every recalculation reads it. Channel index i (0 to 15) belongs to
// the widgets whose object names end in i + 1.

extern std::int8_t ch_resolution[channel_max]; // row of base_bitrate_kbps
extern std::int8_t ch_fps[channel_max]; // frames per second, a value of frame_index_fps
extern std::int8_t ch_quality[channel_max]; // column of base_bitrate_kbps
extern std::uint8_t ch_manual[channel_max]; // 1 = Manual, 0 = Auto
extern std::int32_t ch_manual_kbps[channel_max];
extern std::int32_t all_manual_kbps;
extern std::uint8_t video_standard; // 0 PAL, 1 NTSC

// The channels' bitrate fields, filled once by the window; not owning.
extern QLineEdit *ch_bps_edit[channel_max];

// The frame index whose rate is fps (the model keeps the rate).
int frameIndexOfFps(int fps);
