// Long runs of the real window. Every hostile text in a field of each kind,
// then a seeded random session of picks, keys, typing and pasting, Reset: after
// every action the window must agree with the model and show the figures of
// the plan it shows. And windows built and destroyed again and again: nothing
// of them may be left behind or keep growing.
//
// NVR_SESSION_SEED replays a failing run; NVR_SESSION_ACTIONS sets its length.

#include "invariants.h"
#include "model.h"
#include "testsupport.h"

#include <QtTest>
#include <QtWidgets>

#include <malloc.h>
#include <unistd.h>

namespace {

// clang-format off
const QStringList hostile = {"", "   ", "abc", "1500kbps", "-5", "+7", "0x10", "12.5GB", "0.5", "1,000",
    "2147483647", "2147483648", "-2147483649", QString(6000, '9'), "1" + QString(6000, '0'), "1e999",
    "-1e999", "inf", "nan", "1e-320", QStringLiteral("\uB179\uD654 \uC77C\uC218"),
    QStringLiteral("\u0623\u064A\u0627\u0645 \u0663\u0660"), QStringLiteral("\U0001F4F9\U0001F4BE"),
    QString(QChar(0)) + "42"};
// clang-format on

template<typename T> T any(const QList<T> &list, QRandomGenerator &random)
{
    return list.at(int(random.bounded(quint32(list.size()))));
}

// A user's next action, in act()'s words: a pick from a list, Tab, a key on
// whatever has the focus, text typed or pasted into a field and taken by
// Return, Tab or a click elsewhere, and now and then Reset.
QString randomAction(const Calculator &calculator, QRandomGenerator &random)
{
    const auto usable = [&calculator](auto *type) {
        QList<decltype(type)> found;
        for (auto *widget : calculator.window.findChildren<decltype(type)>())
            if (widget->isVisible() && widget->isEnabled())
                found << widget;
        return found;
    };
    const int kind = int(random.bounded(100));
    if (kind < 35) {
        const QComboBox *box = any(usable(static_cast<QComboBox *>(nullptr)), random);
        return box->objectName() + "=" + QString::number(random.bounded(box->count()));
    }
    if (kind < 60)
        return "^" + any<QString>({"Tab", "Tab", "Up", "Down", "Home", "End", "PgDown"}, random);
    if (kind < 97) {
        const QLineEdit *field = any(usable(static_cast<QLineEdit *>(nullptr)), random);
        const int text = int(random.bounded(3));
        return field->objectName() + "<"
            + (text == 0       ? any(hostile, random)
                   : text == 1 ? QString::number(int(random.generate()))
                               : QString::number(random.bounded(100000.0) - 1000, 'f', 3))
            + any<QString>({"", ">Tab", ">click"}, random);
    }
    return QStringLiteral("btn_init!");
}

long residentKilobytes()
{
    malloc_trim(0);
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    return statm.readAll().split(' ').value(1).toLong() * (sysconf(_SC_PAGESIZE) / 1024);
}

} // namespace

class SessionTest : public QObject
{
    Q_OBJECT

private slots:
    void hostileTextInEveryKindOfField();
    void randomSession();
    void repeatedStartAndStop();
};

// Committed by Return and by Tab, in a channel's bitrate (the channels taking
// turns), the ALL row's, and both estimate fields.
void SessionTest::hostileTextInEveryKindOfField()
{
    const MessageLog quiet(false);
    Calculator calculator;
    act(calculator, "cb_mode_all=1; cb_mode_2=0; cb_quality_2=3");
    for (int t = 0; t < hostile.size(); ++t) {
        for (const QString &name :
             {Calculator::cell("line_edit_bps", 3 + t % 14), QStringLiteral("line_edit_bps_all"),
              QStringLiteral("line_input_days"), QStringLiteral("line_input_hdd")}) {
            QLineEdit &field = calculator.field(name);
            act(calculator, name + "<" + hostile[t] + (t % 2 ? ">Tab" : ""));
            const QStringList broken = brokenRelations(calculator);
            QVERIFY2(broken.isEmpty(), qPrintable(name + ": " + broken.join("; ")));
            // The estimates keep the text as typed; only NUL may be dropped.
            if (name.startsWith(QLatin1String("line_input")))
                QCOMPARE(field.text().remove(QChar(0)), QString(hostile[t]).remove(QChar(0)));
        }
        QCOMPARE(calculator.field("line_edit_bps_2").text(), QStringLiteral("3480"));
    }
}

void SessionTest::randomSession()
{
    const quint32 seed = qEnvironmentVariableIsSet("NVR_SESSION_SEED")
        ? quint32(qEnvironmentVariableIntValue("NVR_SESSION_SEED"))
        : QRandomGenerator::global()->generate();
    const int actions = qEnvironmentVariableIsSet("NVR_SESSION_ACTIONS")
        ? qEnvironmentVariableIntValue("NVR_SESSION_ACTIONS")
        : 2000;
    qInfo("seed %u, %d actions (replay: NVR_SESSION_SEED=%u)", seed, actions, seed);
    const MessageLog quiet(false);
    Calculator calculator;
    QRandomGenerator random(seed);
    for (int step = 0; step < actions; ++step) {
        const QString action = randomAction(calculator, random);
        act(calculator, action);
        const QStringList broken = brokenRelations(calculator);
        QVERIFY2(broken.isEmpty(),
                 qPrintable(QStringLiteral("seed %1, action %2 (%3): %4")
                                .arg(seed)
                                .arg(step)
                                .arg(action.left(60), broken.join("; "))));
    }
}

// Built, reset and destroyed again and again: no widget, no pointer to one
// and no memory is left behind (LeakSanitizer looks closer in CI).
void SessionTest::repeatedStartAndStop()
{
    const MessageLog quiet(false);
    const int widgetsBefore = QApplication::allWidgets().size();
    const auto startAndStop = [] {
        MainWindow().resetAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    // The allocator and the toolkit's shared data settle within fifty windows.
    for (int i = 0; i < 50; ++i)
        startAndStop();
    const long residentBefore = residentKilobytes();
    for (int i = 0; i < 100; ++i) {
        startAndStop();
        QCOMPARE(QApplication::allWidgets().size(), widgetsBefore);
        QCOMPARE(std::count(std::begin(ch_bps_edit), std::end(ch_bps_edit), nullptr), 16);
    }
    const long growth = residentKilobytes() - residentBefore;
    // One leaked window would be about half a megabyte. Under the sanitizers
    // their own bookkeeping grows, and LeakSanitizer looks instead.
#ifdef NVR_SANITIZE
    Q_UNUSED(growth);
#else
    QVERIFY2(growth < 256, qPrintable(QStringLiteral("grew by %1 KiB").arg(growth)));
#endif
}

QTEST_MAIN(SessionTest)
#include "tst_session.moc"
