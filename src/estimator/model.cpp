#include "model.h"

const QString video_standard_names[2] = {QStringLiteral("PAL"), QStringLiteral("NTSC")};
const QString mode_names[2] = {QStringLiteral("Auto"), QStringLiteral("Manual")};
const QString resolution_names[3]
    = {QStringLiteral("Full-HD"), QStringLiteral("HD"), QStringLiteral("D1")};
const QString quality_names[5]
    = {QStringLiteral("Super"), QStringLiteral("Highest"), QStringLiteral("High"),
       QStringLiteral("Standard"), QStringLiteral("Low")};

std::int8_t ch_resolution[channel_max];
std::int8_t ch_fps[channel_max];
std::int8_t ch_quality[channel_max];
std::uint8_t ch_manual[channel_max];
std::int32_t ch_manual_kbps[channel_max];
std::int32_t all_manual_kbps;
std::uint8_t video_standard;

QLineEdit *ch_bps_edit[channel_max];
