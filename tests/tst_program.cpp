// The installed program itself, as a process: main() runs the start-up reset
// before the event loop, then opens the plan named on the command line, so its
// only output is the trace of those recalculations.

#include "planfile.h"
#include "version.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

namespace {

QStringList trace(const QString &modes)
{
    QStringList lines;
    for (int i = 0; i < modes.size(); ++i)
        lines
            << QStringLiteral("MODE CHECK :%1 - %2").arg(i).arg(modes[i] == 'M' ? "TRUE" : "FALSE");
    return lines;
}

} // namespace

class ProgramTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void startsAndOpens_data();
    void startsAndOpens();
    void answersWithoutDisplay_data();
    void answersWithoutDisplay();

private:
    QTemporaryDir m_dir;
    QProcessEnvironment m_environment = QProcessEnvironment::systemEnvironment();
};

void ProgramTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // Keeps the toolkit's note about a missing runtime folder away.
    m_environment.insert("XDG_RUNTIME_DIR", m_dir.path());
    Plan plan;
    plan.channelCount = 8;
    plan.channels[1].manual = true;
    plan.channels[1].manualKbps = 2500;
    QString error;
    QVERIFY2(writePlanFile(m_dir.filePath("site.nvrplan"), plan, &error), qPrintable(error));
}

void ProgramTest::startsAndOpens_data()
{
    // clang-format off
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("expected");
    const QStringList defaults = trace("AAAAAAAAAAAAAAAA");
    QTest::newRow("no arguments") << QStringList() << defaults;
    QTest::newRow("a toolkit option") << QStringList {"-style", "Fusion"} << defaults;
    QTest::newRow("unknown options are ignored") << QStringList {"--unknown"} << defaults;
    QTest::newRow("a plan file") << QStringList {"site.nvrplan"} << defaults + trace("AMAAAAAA");
    QTest::newRow("a file that is no plan") << QStringList {"missing.nvrplan"} << defaults;
    // clang-format on
}

void ProgramTest::startsAndOpens()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, expected);
    QProcessEnvironment environment = m_environment;
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(m_dir.path());
    program.start(QStringLiteral(NVR_PROGRAM), arguments);
    QVERIFY(program.waitForStarted());

    QByteArray output;
    QElapsedTimer waited;
    waited.start();
    while (output.count('\n') < expected.size() && waited.elapsed() < 30000)
        if (program.waitForReadyRead(100) || program.state() == QProcess::Running)
            output += program.readAllStandardError();
    // Nothing more may follow while the window just sits there.
    QTest::qWait(500);
    output += program.readAllStandardError();

    program.kill();
    program.waitForFinished();
    QCOMPARE(program.exitStatus(), QProcess::CrashExit); // it was still running
    // The offscreen platform's own notices, as when a message box opens, aside.
    QStringList lines = QString::fromLocal8Bit(output).split('\n', Qt::SkipEmptyParts);
    lines.erase(std::remove_if(lines.begin(), lines.end(),
                               [](const QString &line) {
                                   return line.startsWith("This plugin does not support");
                               }),
                lines.end());
    QCOMPARE(lines, expected);
}

void ProgramTest::answersWithoutDisplay_data()
{
    // clang-format off
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("begins");
    QTest::newRow("--help") << "--help" << "Usage: ";
    QTest::newRow("--version") << "--version" << "nvr-calculator " NVR_VERSION;
    // clang-format on
}

// No window system at all: a man page is made this way at build time.
void ProgramTest::answersWithoutDisplay()
{
    QFETCH(QString, option);
    QFETCH(QString, begins);
    QProcessEnvironment environment = m_environment;
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(NVR_PROGRAM), {option});
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    const QString printed = QString::fromLocal8Bit(program.readAllStandardOutput());
    QVERIFY2(printed.startsWith(begins), qPrintable(printed));
}

QTEST_GUILESS_MAIN(ProgramTest)
#include "tst_program.moc"
