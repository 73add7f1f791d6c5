// libFuzzer target for the plan reader: whatever the bytes, reading either
// gives a plan or a message, never a crash; and a plan read writes back to a
// file that reads back as the same plan.

#include "plan.h"
#include "planfile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size > std::size_t(plan_file_limit))
        return 0;
    const QByteArray json
        = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    QString error;
    const std::optional<Plan> plan = planFromJson(json, &error);
    if (!plan) {
        if (error.isEmpty())
            std::abort(); // a rejection without a message
        return 0;
    }
    const QByteArray written = planToJson(*plan);
    const std::optional<Plan> again = planFromJson(written, &error);
    if (!again || !(*again == *plan) || planToJson(*again) != written)
        std::abort(); // what was read does not survive a save
    const PlanFigures figures = planFigures(*plan);
    for (int i = 0; i < figures.activeChannels; ++i)
        if (figures.kbpsText(i).isEmpty() || figures.dayGbText(i).isEmpty())
            std::abort();
    if (figures.requiredText().isEmpty() || figures.daysText().isEmpty()
        || figures.hoursText().isEmpty())
        std::abort();
    return 0;
}
