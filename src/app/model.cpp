#include "model.h"

#include <algorithm>
#include <iterator>

std::int8_t ch_resolution[channel_max];
std::int8_t ch_fps[channel_max];
std::int8_t ch_quality[channel_max];
std::uint8_t ch_manual[channel_max];
std::int32_t ch_manual_kbps[channel_max];
std::int32_t all_manual_kbps;
std::uint8_t video_standard;

QLineEdit *ch_bps_edit[channel_max];

int frameIndexOfFps(int fps)
{
    // The rates rise strictly, so each belongs to one index.
    const auto *found = std::find(std::begin(frame_index_fps), std::end(frame_index_fps), fps);
    return found == std::end(frame_index_fps) ? 0 : int(found - std::begin(frame_index_fps));
}
