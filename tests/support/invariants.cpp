#include "invariants.h"

#include "model.h"
#include "testsupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

QStringList brokenRelations(const Calculator &calculator)
{
    QStringList broken;
    const auto expect = [&broken](bool holds, const QString &what) {
        if (!holds)
            broken << what;
    };
    const auto shows = [&](const QString &name, const QString &expected) {
        QWidget *widget = calculator.window.findChild<QWidget *>(name);
        const auto *field = qobject_cast<QLineEdit *>(widget);
        const QString text = field ? field->text() : qobject_cast<QLabel *>(widget)->text();
        expect(text == expected,
               QStringLiteral("%1 shows \"%2\", not \"%3\"").arg(name, text, expected));
    };
    const int inUse = QList<int>({4, 8, 16}).value(calculator.box("cb_max_ch").currentIndex());
    const QStringList frames = itemTexts(calculator.box("cb_frame_all"));
    expect(calculator.box("cb_ntpal").currentIndex() == video_standard, "standard box vs model");
    expect(frames.value(8) == (video_standard ? "30" : "25"), "frame list of the other standard");
    const bool locked = calculator.box("cb_product").currentIndex() != 0;
    const PlanFigures figures = planFigures(calculator.window.currentPlan());
    for (int n = 0; n <= 16; ++n) {
        const int i = n - 1;
        const auto cell = [n](const char *family) { return Calculator::cell(family, n); };
        const QComboBox &mode = calculator.box(cell("cb_mode"));
        expect(mode.isEnabled() == !locked && (!locked || mode.currentIndex() == 0),
               "product lock of " + mode.objectName());
        expect(calculator.field(cell("line_edit_bps")).isEnabled() == (mode.currentIndex() != 0),
               "enabled state of " + cell("line_edit_bps"));
        if (n == 0)
            continue;
        expect((mode.currentIndex() != 0) == (ch_manual[i] != 0), "mode box vs model " + cell(""));
        expect(calculator.box(cell("cb_resolution")).currentIndex() == ch_resolution[i],
               "resolution box vs model " + cell(""));
        expect(calculator.box(cell("cb_quality")).currentIndex() == ch_quality[i],
               "quality box vs model " + cell(""));
        const QComboBox &frame = calculator.box(cell("cb_frame"));
        expect(frame_index_fps[qMax(0, frame.currentIndex())] == ch_fps[i]
                   && itemTexts(frame) == frames,
               "frame box vs model " + cell(""));
        for (const char *family : {"label_ch", "cb_mode", "cb_resolution", "cb_frame", "cb_quality",
                                   "line_edit_bps", "lb_day_cap"})
            expect(calculator.window.findChild<QWidget *>(cell(family))->isVisible()
                       == (n <= inUse),
                   "visibility of " + cell(family));
        shows(cell("line_edit_bps"), figures.kbpsText(i));
        shows(cell("lb_day_cap"), figures.dayGbText(i));
    }
    shows("line_edit_bps_all", figures.allKbpsText());
    shows("lb_day_cap_all", QString());
    shows("lb_total", figures.totalText());
    shows("lb_cal_hdd", figures.requiredText());
    shows("lb_cal_days", figures.daysText());
    shows("lb_cal_time", figures.hoursText());
    return broken;
}
