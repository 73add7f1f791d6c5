#include "tables.h"

#include <algorithm>
#include <iterator>

const QString product_names[2] = {QStringLiteral("NVR"), QStringLiteral("Hybrid-DVR")};
const QString video_standard_names[2] = {QStringLiteral("PAL"), QStringLiteral("NTSC")};
const QString mode_names[2] = {QStringLiteral("Auto"), QStringLiteral("Manual")};
const QString resolution_names[3]
    = {QStringLiteral("Full-HD"), QStringLiteral("HD"), QStringLiteral("D1")};
const QString quality_names[5]
    = {QStringLiteral("Super"), QStringLiteral("Highest"), QStringLiteral("High"),
       QStringLiteral("Standard"), QStringLiteral("Low")};

const QString disk_layout_tokens[disk_layout_count]
    = {QStringLiteral("single"), QStringLiteral("raid1"), QStringLiteral("raid5"),
       QStringLiteral("raid6"), QStringLiteral("raid10")};
const QString disk_layout_names[disk_layout_count]
    = {QStringLiteral("one volume"), QStringLiteral("RAID 1"), QStringLiteral("RAID 5"),
       QStringLiteral("RAID 6"), QStringLiteral("RAID 10")};

QString frameText(int standard, int index)
{
    return QString::number(frame_rate_choices[standard][index]);
}

QStringList frameTexts(int standard)
{
    QStringList texts;
    for (const auto fps : frame_rate_choices[standard])
        texts << QString::number(fps);
    return texts;
}

int channelCountIndex(int count)
{
    const auto *found = std::find(std::begin(channel_counts), std::end(channel_counts), count);
    return found == std::end(channel_counts) ? -1 : int(found - std::begin(channel_counts));
}
