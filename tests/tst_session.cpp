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

const QStringList hostile = {"",
                             "   ",
                             "abc",
                             "1500kbps",
                             "-5",
                             "+7",
                             "0x10",
                             "12.5GB",
                             "0.5",
                             "1,000",
                             "2147483647",
                             "2147483648",
                             "-2147483649",
                             QString(6000, '9'),
                             "1" + QString(6000, '0'),
                             "1e999",
                             "-1e999",
                             "inf",
                             "nan",
                             "1e-320",
                             QStringLiteral("\uB179\uD654 \uC77C\uC218"),
                             QStringLiteral("\u0623\u064A\u0627\u0645 \u0663\u0660"),
                             QStringLiteral("\U0001F4F9\U0001F4BE"),
                             QString(QChar(0)) + "42"};

// A user who picks, presses keys on the focused box after a few Tabs, types
// or pastes into a field and commits it by Return, Tab or a click elsewhere,
// and now and then clicks Reset.
class Session
{
public:
    Session(Calculator &calculator, quint32 seed)
        : m_calculator(calculator)
        , m_random(seed)
    {
    }

    // One user action; returns what it was.
    QString act()
    {
        const int kind = int(m_random.bounded(100));
        if (kind < 40) {
            QComboBox *box = any<QComboBox>();
            const int index = int(m_random.bounded(quint32(box->count())));
            pickFromPopup(*box, index);
            return QStringLiteral("pick %1 in %2").arg(index).arg(box->objectName());
        }
        if (kind < 96) {
            QWidget *focus = kind < 65 ? QApplication::focusWidget() : any<QLineEdit>();
            for (int tabs = kind < 65 ? int(m_random.bounded(1, 6)) : 0; focus && tabs > 0;
                 --tabs) {
                QTest::keyClick(focus, Qt::Key_Tab);
                focus = QApplication::focusWidget();
            }
            if (auto *box = qobject_cast<QComboBox *>(focus)) {
                const Qt::Key key = std::array<Qt::Key, 4> {Qt::Key_Up, Qt::Key_Down, Qt::Key_Home,
                                                            Qt::Key_PageDown}[m_random.bounded(4)];
                QTest::keyClick(box, key);
                return QStringLiteral("key %1 on %2").arg(int(key), 0, 16).arg(box->objectName());
            }
            if (auto *field = qobject_cast<QLineEdit *>(focus))
                return type(*field);
            return QStringLiteral("Tab to nothing to type into");
        }
        QTest::mouseClick(m_calculator.window.findChild<QPushButton *>("btn_init"), Qt::LeftButton);
        return QStringLiteral("click Reset");
    }

private:
    template<typename T> T *any()
    {
        QList<T *> usable;
        for (T *widget : m_calculator.window.findChildren<T *>())
            if (widget->isVisible() && widget->isEnabled())
                usable << widget;
        return usable.at(int(m_random.bounded(quint32(usable.size()))));
    }

    QString type(QLineEdit &field)
    {
        const int kind = int(m_random.bounded(3));
        const QString text = kind == 0 ? hostile.at(int(m_random.bounded(quint32(hostile.size()))))
            : kind == 1                ? QString::number(int(m_random.generate()))
                                       : QString::number(m_random.bounded(100000.0) - 1000, 'f', 3);
        enterText(field, text);
        const int how = int(m_random.bounded(3));
        if (how < 2) {
            QTest::keyClick(&field, how ? Qt::Key_Tab : Qt::Key_Return);
        } else {
            QLineEdit *other = &field;
            while (other == &field)
                other = any<QLineEdit>();
            QTest::mouseClick(other, Qt::LeftButton);
        }
        return QStringLiteral("enter \"%1\" in %2, commit %3")
            .arg(text.left(20), field.objectName())
            .arg(how);
    }

    Calculator &m_calculator;
    QRandomGenerator m_random;
};

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
            enterText(field, hostile[t]);
            QTest::keyClick(&field, t % 2 ? Qt::Key_Tab : Qt::Key_Return);
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
    Session session(calculator, seed);
    for (int step = 0; step < actions; ++step) {
        const QString action = session.act();
        const QStringList broken = brokenRelations(calculator);
        QVERIFY2(broken.isEmpty(),
                 qPrintable(QStringLiteral("seed %1, action %2 (%3): %4")
                                .arg(seed)
                                .arg(step)
                                .arg(action, broken.join("; "))));
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
