#include "invariants.h"

#include "model.h"
#include "testsupport.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>

QStringList brokenRelations(const Calculator &calculator)
{
    QStringList broken;
    const QMap<QString, QString> shown = shownValues(calculator.window);
    const auto expect = [&](const QString &name, const QString &value) {
        if (shown.value(name) != value)
            broken << QStringLiteral("%1 shows \"%2\", not \"%3\"")
                          .arg(name, shown.value(name), value);
    };
    const int inUse = QList<int>({4, 8, 16}).value(calculator.box("cb_max_ch").currentIndex());
    const QStringList frames = itemTexts(calculator.box("cb_frame_all"));
    const QString frameList = " of " + frames.join('|');
    const bool locked = calculator.box("cb_product").currentIndex() != 0;
    const QString off = QStringLiteral(" (off)");
    const PlanFigures figures = planFigures(calculator.window.currentPlan());
    expect("cb_ntpal", video_standard_names[video_standard]);
    if (frames.value(8) != (video_standard ? "30" : "25"))
        broken << "frame list of the other standard";
    for (int n = 1; n <= 16; ++n) {
        const int i = n - 1;
        const auto cell = [n](const char *family) { return Calculator::cell(family, n); };
        if (n > inUse) {
            for (const char *family : {"label_ch", "cb_mode", "cb_resolution", "cb_frame",
                                       "cb_quality", "line_edit_bps", "lb_day_cap"})
                expect(cell(family), "hidden");
            continue;
        }
        expect(cell("cb_mode"), mode_names[ch_manual[i]] + (locked ? off : QString()));
        expect(cell("cb_resolution"), resolution_names[ch_resolution[i]]);
        expect(cell("cb_quality"), quality_names[ch_quality[i]]);
        const int frame
            = int(std::find(std::begin(frame_index_fps), std::end(frame_index_fps), ch_fps[i])
                  - std::begin(frame_index_fps));
        expect(cell("cb_frame"), frames.value(frame) + frameList);
        expect(cell("line_edit_bps"), figures.kbpsText(i) + (ch_manual[i] ? QString() : off));
        expect(cell("lb_day_cap"), figures.dayGbText(i));
    }
    const bool allManual = calculator.box("cb_mode_all").currentIndex() != 0;
    expect("cb_mode_all", mode_names[allManual] + (locked ? off : QString()));
    expect("line_edit_bps_all", figures.allKbpsText() + (allManual ? QString() : off));
    expect("lb_day_cap_all", QString());
    expect("lb_total", figures.totalText());
    expect("lb_cal_hdd", figures.requiredText());
    expect("lb_cal_days", figures.daysText());
    expect("lb_cal_time", figures.hoursText());
    // No field shows what it would read as another number, and a screen
    // reader hears every figure with its caption.
    for (const QLineEdit *field : calculator.window.findChildren<QLineEdit *>())
        if (!field->hasAcceptableInput())
            broken << field->objectName() + " shows \"" + field->text() + "\", which it refuses";
    for (const QLabel *label :
         calculator.window.findChildren<QLabel *>(QRegularExpression("^lb_"))) {
        QAccessibleInterface *heard
            = QAccessible::queryAccessibleInterface(const_cast<QLabel *>(label));
        if (heard->text(QAccessible::Description) != label->text()
            || heard->text(QAccessible::Name).isEmpty())
            broken << label->objectName() + " is heard as \"" + heard->text(QAccessible::Name)
                    + ": " + heard->text(QAccessible::Description) + '"';
    }
    return broken;
}
