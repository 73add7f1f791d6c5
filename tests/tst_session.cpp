// A long seeded session of random user actions on the real window: picks,
// keys on focused controls, typing and pasting hostile and plain texts,
// channel count, video standard, product and Reset. After every action the
// window must agree with the model, and after every recalculation every
// figure must follow from the model and the inputs.
//
// NVR_SESSION_SEED replays a failing run; NVR_SESSION_ACTIONS sets the length.

#include "invariants.h"
#include "model.h"
#include "testsupport.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>

namespace {

// The model the latest recalculation read, taken as it starts tracing.
ModelSnapshot modelOfLastRecalculation;
int recalculations = 0;

void watchRecalculations(QtMsgType, const QMessageLogContext &, const QString &text)
{
    if (text.startsWith(QLatin1String("MODE CHECK :0 "))) {
        modelOfLastRecalculation = ModelSnapshot::take();
        ++recalculations;
    }
}

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
        if (kind < 40)
            return pick();
        if (kind < 65)
            return tabAndPress();
        if (kind < 93)
            return typeSomewhere();
        if (kind < 97)
            return returnUnchanged();
        QTest::mouseClick(m_calculator.window.findChild<QPushButton *>("btn_init"), Qt::LeftButton);
        return QStringLiteral("click Reset");
    }

private:
    template<typename T> QList<T *> usable() const
    {
        QList<T *> found;
        for (T *widget : m_calculator.window.findChildren<T *>())
            if (widget->isVisible() && widget->isEnabled())
                found << widget;
        return found;
    }

    template<typename T> T *any(const QList<T *> &list)
    {
        return list.isEmpty() ? nullptr : list.at(int(m_random.bounded(quint32(list.size()))));
    }

    QString text()
    {
        static const QStringList hostile = {"",
                                            "   ",
                                            "abc",
                                            "1500kbps",
                                            "-5",
                                            "+7",
                                            "0x10",
                                            "12.5GB",
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
                                            QStringLiteral("\uB179\uD654"),
                                            QStringLiteral("\u0663\u0660"),
                                            QStringLiteral("\U0001F4F9"),
                                            QString(QChar(0)) + "4"};
        switch (m_random.bounded(4)) {
        case 0:
            return hostile.at(int(m_random.bounded(quint32(hostile.size()))));
        case 1:
            return QString::number(int(m_random.bounded(-100, 20000)));
        case 2:
            return QString::number(m_random.bounded(100000.0) - 1000, 'f', 3);
        default:
            return QString::number(int(m_random.generate()));
        }
    }

    QString pick()
    {
        QComboBox *box = any(usable<QComboBox>());
        const int index = int(m_random.bounded(quint32(box->count())));
        pickFromPopup(*box, index);
        return QStringLiteral("pick %1 in %2").arg(index).arg(box->objectName());
    }

    QString commit(QLineEdit &field)
    {
        switch (m_random.bounded(3)) {
        case 0:
            QTest::keyClick(&field, Qt::Key_Return);
            return QStringLiteral("Return");
        case 1:
            QTest::keyClick(&field, Qt::Key_Tab);
            return QStringLiteral("Tab");
        default: {
            QList<QLineEdit *> others = usable<QLineEdit>();
            others.removeAll(&field);
            QLineEdit *other = any(others);
            QTest::mouseClick(other, Qt::LeftButton);
            return "click into " + other->objectName();
        }
        }
    }

    QString typeSomewhere()
    {
        QLineEdit *field = any(usable<QLineEdit>());
        const QString typed = text();
        enterText(*field, typed);
        const QString how = commit(*field);
        return QStringLiteral("enter \"%1\" in %2, %3")
            .arg(typed.left(20), field->objectName(), how);
    }

    QString returnUnchanged()
    {
        QLineEdit *field = any(usable<QLineEdit>());
        QTest::mouseClick(field, Qt::LeftButton);
        QTest::keyClick(field, Qt::Key_Return);
        return "Return in unchanged " + field->objectName();
    }

    // Moves on with Tab like a keyboard user, then presses a key on whatever
    // has the focus.
    QString tabAndPress()
    {
        QWidget *focus = QApplication::focusWidget();
        if (!focus)
            focus = any(usable<QComboBox>());
        const int tabs = int(m_random.bounded(1, 6));
        for (int i = 0; i < tabs; ++i) {
            QTest::keyClick(focus, Qt::Key_Tab);
            focus = QApplication::focusWidget();
            if (!focus)
                return QStringLiteral("Tab lost the focus");
        }
        if (auto *box = qobject_cast<QComboBox *>(focus)) {
            static const Qt::Key keys[] = {Qt::Key_Up,  Qt::Key_Down,   Qt::Key_Home,
                                           Qt::Key_End, Qt::Key_PageUp, Qt::Key_PageDown};
            const Qt::Key key = keys[m_random.bounded(6)];
            QTest::keyClick(box, key);
            return QStringLiteral("key %1 on %2").arg(int(key), 0, 16).arg(box->objectName());
        }
        if (auto *field = qobject_cast<QLineEdit *>(focus)) {
            const QString typed = text();
            enterText(*field, typed);
            return QStringLiteral("typed \"%1\" in %2, %3")
                .arg(typed.left(20), field->objectName(), commit(*field));
        }
        QTest::keyClick(focus, Qt::Key_Space);
        return "Space on " + focus->objectName();
    }

    Calculator &m_calculator;
    QRandomGenerator m_random;
};

} // namespace

class SessionTest : public QObject
{
    Q_OBJECT

private slots:
    void randomSession();
};

void SessionTest::randomSession()
{
    const quint32 seed = qEnvironmentVariableIsSet("NVR_SESSION_SEED")
        ? quint32(qEnvironmentVariableIntValue("NVR_SESSION_SEED"))
        : QRandomGenerator::global()->generate();
    const int actions = qEnvironmentVariableIsSet("NVR_SESSION_ACTIONS")
        ? qEnvironmentVariableIntValue("NVR_SESSION_ACTIONS")
        : 2000;
    qInfo("seed %u, %d actions (replay: NVR_SESSION_SEED=%u)", seed, actions, seed);

    Calculator calculator;
    Session session(calculator, seed);
    const QtMessageHandler previous = qInstallMessageHandler(watchRecalculations);
    QStringList broken;
    QString action;
    int step = 0;
    for (; step < actions && broken.isEmpty(); ++step) {
        const int before = recalculations;
        action = session.act();
        broken = brokenStateRelations(calculator);
        if (recalculations > before && ModelSnapshot::take() == modelOfLastRecalculation)
            broken += brokenFigureRelations(calculator);
    }
    qInstallMessageHandler(previous);
    QVERIFY2(broken.isEmpty(),
             qPrintable(QStringLiteral("seed %1, action %2 (%3): %4")
                            .arg(seed)
                            .arg(step)
                            .arg(action, broken.join("; "))));
    qInfo("%d actions, %d recalculations", step, recalculations);
    QVERIFY(recalculations > actions / 4);
}

QTEST_MAIN(SessionTest)
#include "tst_session.moc"
