// The installed program itself, as a process: main() must run the start-up
// reset before the event loop, so its only output is the first trace.

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class ProgramTest : public QObject
{
    Q_OBJECT

private slots:
    void startsInDefaultState_data();
    void startsInDefaultState();
};

void ProgramTest::startsInDefaultState_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("no arguments") << QStringList();
    QTest::newRow("a toolkit option") << QStringList {"-style", "Fusion"};
    QTest::newRow("other arguments are ignored") << QStringList {"--unknown", "plan.txt"};
}

void ProgramTest::startsInDefaultState()
{
    QFETCH(QStringList, arguments);
    QTemporaryDir runtime; // keeps the toolkit's note about a missing runtime folder away
    QVERIFY(runtime.isValid());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("XDG_RUNTIME_DIR", runtime.path());

    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(NVR_PROGRAM), arguments);
    QVERIFY(program.waitForStarted());

    QStringList expected;
    for (int i = 0; i < 16; ++i)
        expected << QStringLiteral("MODE CHECK :%1 - FALSE").arg(i);
    QByteArray output;
    QElapsedTimer waited;
    waited.start();
    while (output.count('\n') < 16 && waited.elapsed() < 30000)
        if (program.waitForReadyRead(100) || program.state() == QProcess::Running)
            output += program.readAllStandardError();
    // Nothing more may follow while the window just sits there.
    QTest::qWait(500);
    output += program.readAllStandardError();

    QCOMPARE(program.state(), QProcess::Running);
    QCOMPARE(QString::fromLocal8Bit(output).split('\n', Qt::SkipEmptyParts), expected);
    program.kill();
    program.waitForFinished();
}

QTEST_GUILESS_MAIN(ProgramTest)
#include "tst_program.moc"
