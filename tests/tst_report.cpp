// The customer report as the customer gets it: the PDF's text, pages and fonts read back with
// poppler's tools, the CSV parsed back, failures that leave nothing behind,
// and the window's Ctrl+E.

#include "planfile.h"
#include "report.h"
#include "testsupport.h"
#include "version.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

Q_DECLARE_METATYPE(Plan)

namespace {

// The output of one of poppler's tools on file.
QString poppler(const char *tool, const QStringList &arguments)
{
    const QString program = QStandardPaths::findExecutable(QString::fromLatin1(tool));
    if (program.isEmpty())
        qFatal("%s is missing: scripts/deps.sh installs poppler-utils", tool);
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        qFatal("%s failed: %s", tool, process.readAllStandardError().constData());
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The page's text line by line, runs of blanks made one, empty lines left out.
QStringList pageLines(const QString &pdf)
{
    QStringList lines;
    for (const QString &line : poppler("pdftotext", {"-layout", pdf, "-"}).split('\n')) {
        const QString simple = line.simplified();
        if (!simple.isEmpty())
            lines << simple;
    }
    return lines;
}

RowSettings autoRow(int resolution, int frame, int quality)
{
    RowSettings row;
    row.resolution = resolution;
    row.frame = frame;
    row.quality = quality;
    return row;
}

RowSettings manualRow(std::int32_t kbps)
{
    RowSettings row;
    row.manual = true;
    row.manualKbps = kbps;
    return row;
}

// Sixteen NTSC channels at the defaults: Full-HD, 30 fps, Super.
Plan sixteenChannels()
{
    Plan plan;
    plan.requiredDays = QStringLiteral("30");
    plan.installedHddGb = QStringLiteral("4000");
    return plan;
}

// Four NTSC channels, estimates too large to show.
Plan fourChannels()
{
    Plan plan;
    plan.channelCount = 4;
    plan.channels.fill(manualRow(9999)); // hidden channels: never on the page
    plan.channels[0] = manualRow(2500);
    plan.channels[1] = autoRow(1, 7, 2); // HD, item "15", High
    plan.channels[2] = autoRow(2, 1, 4); // D1, item "1", Low
    plan.channels[3] = autoRow(2, 0, 3); // D1, item "0", Standard
    plan.requiredDays = QStringLiteral("1e9");
    plan.installedHddGb = QStringLiteral("inf");
    return plan;
}

// Eight PAL channels on a hybrid recorder.
Plan hybridPal()
{
    Plan plan;
    plan.product = 1;
    plan.videoStandard = 0;
    plan.channelCount = 8;
    plan.channels.fill(autoRow(1, 8, 1)); // HD, item "25", Highest
    plan.channels[7] = autoRow(2, 5, 4); // D1, item "7", Low
    plan.requiredDays = QStringLiteral("14");
    plan.installedHddGb = QStringLiteral("2000");
    return plan;
}

QStringList heading(const QString &name, const QString &standard, int channels,
                    const QString &product)
{
    return {"NVR Recording calculator Recording storage plan",
            "Plan " + name + " Date " + QDate::currentDate().toString(Qt::ISODate),
            QStringLiteral("Video standard %1 Channels %2 Product %3")
                .arg(standard)
                .arg(channels)
                .arg(product),
            "Channels in use", "Channel Mode Resolution Frame Quality Kbps GB/day"};
}

} // namespace

class ReportTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void pageText_data();
    void pageText();
    void pageSizeFollowsLocale_data();
    void pageSizeFollowsLocale();
    void csvParsesBack();
    void failedExportLeavesNothing_data();
    void failedExportLeavesNothing();
    void contextMenuOffersExport();
    void exportFromWindow_data();
    void exportFromWindow();

private:
    QTemporaryDir m_dir;
};

void ReportTest::init()
{
    // A4, whatever the machine's locale, so the text lines are always the same.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
}

void ReportTest::cleanup()
{
    QLocale::setDefault(QLocale::system());
}

void ReportTest::pageText_data()
{
    QTest::addColumn<Plan>("plan");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("expected");

    // 6000 Kbps is 6000 * 0.125 * 86400 / 10^6 = 64.8 GB a day; sixteen make
    // 1036.8. 30 days: 1036.8 * 30 * 1.073741824 = 33397.7 GB. 4000 GB are
    // 4000 / 1.073741824 = 3725.3 daily GB, at 43.2 an hour 86.2 hours.
    QStringList sixteen = heading("site-a.nvrplan", "NTSC", 16, "NVR");
    for (int channel = 1; channel <= 16; ++channel)
        sixteen << QStringLiteral("%1 Auto Full-HD 30 Super 6000 64.8").arg(channel);
    sixteen << "Total per day 1036.8"
            << "Storage"
            << "Required days 30 Required HDD capacity 33397 GB"
            << "Installed HDD size 4000 GB Installed HDD lasts 3 Days 14 Hours";
    QTest::newRow("16 channels") << sixteenChannels() << "site-a.nvrplan" << sixteen;

    // NTSC item "15" records at 20 fps: 3000 / 30 * 20 = 2000 Kbps, 21.6 GB.
    // D1 Low at item "1", 4 fps: 512 / 30 = 17 (whole Kbps), * 4 = 68 Kbps,
    // 0.7344 GB. 27 + 21.6 + 0.7344 = 49.3344. 1e9 days and an infinite disk
    // give figures beyond what can be shown.
    QTest::newRow("4 channels, no estimates") << fourChannels() << "Untitled"
                                              << heading("Untitled", "NTSC", 4, "NVR")
            + QStringList {"1 Manual Full-HD 30 Super 2500 27",
                           "2 Auto HD 15 High 2000 21.6",
                           "3 Auto D1 1 Low 68 0.7344",
                           "4 Auto D1 0 Standard 0 0",
                           "Total per day 49.3344",
                           "Storage",
                           "Required days 1e9 Required HDD capacity -- GB",
                           "Installed HDD size inf GB Installed HDD lasts -- Days -- Hours"};

    // PAL item "25" records at 30 fps: 3500 / 30 = 116, * 30 = 3480 Kbps,
    // 37.584 GB. Item "7" is 12 fps: 17 * 12 = 204 Kbps, 2.2032 GB. Seven and
    // one: 265.2912. 14 days: 3714.08 * 1.073741824 = 3987.96 GB. 2000 GB are
    // 1862.6 daily GB, at 11.05 an hour 168.5 hours: 7 days and 0 hours.
    QStringList hybrid = heading("Hybrid site.nvrplan", "PAL", 8, "Hybrid-DVR");
    for (int channel = 1; channel <= 7; ++channel)
        hybrid << QStringLiteral("%1 Auto HD 25 Highest 3480 37.584").arg(channel);
    hybrid << "8 Auto D1 7 Low 204 2.2032"
           << "Total per day 265.291"
           << "Storage"
           << "Required days 14 Required HDD capacity 3987 GB"
           << "Installed HDD size 2000 GB Installed HDD lasts 7 Days 0 Hours";
    QTest::newRow("hybrid recorder, PAL") << hybridPal() << "Hybrid site.nvrplan" << hybrid;
}

void ReportTest::pageText()
{
    QFETCH(Plan, plan);
    QFETCH(QString, name);
    QFETCH(QStringList, expected);
    const QString pdf = m_dir.filePath("report.pdf");
    QString error;
    QVERIFY2(writeReport(plan, name, pdf, &error), qPrintable(error));

    QStringList lines = pageLines(pdf);
    const int units = lines.indexOf(QRegularExpression("^Units: .*"));
    QVERIFY(units > 0);
    QCOMPARE(lines.mid(0, units), expected);
    // The units note wraps as the page's width allows; the footer ends the page.
    const QString rest = lines.mid(units).join(' ');
    QVERIFY2(rest.contains("daily figures (GB/day and the total per day) are in GB of 2^30 bytes")
                 && rest.contains("disk sizes (required and installed) are in GB of 10^9 bytes")
                 && rest.contains("factor 1.073741824"),
             qPrintable(rest));
    QCOMPARE(lines.constLast(), QStringLiteral("NVR Recording calculator " NVR_VERSION));

    QVERIFY(poppler("pdfinfo", {pdf}).contains(QRegularExpression("\nPages: +1\n")));
    // Every font the page uses travels with it: the fifth column from the end is "emb".
    const QStringList fonts = poppler("pdffonts", {pdf}).split('\n', Qt::SkipEmptyParts).mid(2);
    QVERIFY(!fonts.isEmpty());
    for (const QString &font : fonts) {
        const QStringList columns = font.simplified().split(' ');
        QVERIFY2(columns.size() >= 7 && columns[columns.size() - 5] == "yes", qPrintable(font));
    }
}

void ReportTest::pageSizeFollowsLocale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("size");
    QTest::newRow("United States")
        << QLocale(QLocale::English, QLocale::UnitedStates) << "612 x 792 pts (letter)";
    QTest::newRow("French Canada")
        << QLocale(QLocale::French, QLocale::Canada) << "612 x 792 pts (letter)";
    QTest::newRow("Mexico") << QLocale(QLocale::Spanish, QLocale::Mexico)
                            << "612 x 792 pts (letter)";
    QTest::newRow("United Kingdom")
        << QLocale(QLocale::English, QLocale::UnitedKingdom) << "595 x 842 pts (A4)";
    QTest::newRow("Spain") << QLocale(QLocale::Spanish, QLocale::Spain) << "595 x 842 pts (A4)";
    QTest::newRow("C") << QLocale::c() << "595 x 842 pts (A4)";
}

void ReportTest::pageSizeFollowsLocale()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, size);
    QLocale::setDefault(locale);
    const QString pdf = m_dir.filePath("report.pdf");
    QString error;
    QVERIFY2(writeReport(sixteenChannels(), "site-a.nvrplan", pdf, &error), qPrintable(error));
    const QString info = poppler("pdfinfo", {pdf});
    QVERIFY2(info.contains(QRegularExpression("\nPage size: +" + QRegularExpression::escape(size))),
             qPrintable(info));
    QCOMPARE(pageLines(pdf).constLast(), QStringLiteral("NVR Recording calculator " NVR_VERSION));
}

void ReportTest::csvParsesBack()
{
    // The suffix decides, in any case.
    const QString path = m_dir.filePath("table.CSV");
    QString error;
    QVERIFY2(writeReport(fourChannels(), "Untitled", path, &error), qPrintable(error));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QList<QStringList> rows;
    for (const QByteArray &line : file.readAll().split('\n'))
        if (!line.isEmpty())
            rows << QString::fromUtf8(line).split(',');
    const QList<QStringList> expected = {
        {"channel", "mode", "resolution", "frame", "quality", "bitrateKbps", "dayGb"},
        {"1", "Manual", "Full-HD", "30", "Super", "2500", "27"},
        {"2", "Auto", "HD", "15", "High", "2000", "21.6"},
        {"3", "Auto", "D1", "1", "Low", "68", "0.7344"},
        {"4", "Auto", "D1", "0", "Standard", "0", "0"},
    };
    QCOMPARE(rows, expected);
}

void ReportTest::failedExportLeavesNothing_data()
{
    // Folders no one can write into, root included.
    QTest::addColumn<QString>("path");
    QTest::newRow("folder missing, PDF") << "missing/report.pdf";
    QTest::newRow("folder is a file, CSV") << "file.txt/report.csv";
}

void ReportTest::failedExportLeavesNothing()
{
    QFETCH(QString, path);
    QTemporaryDir dir;
    QVERIFY(QFile(dir.filePath("file.txt")).open(QIODevice::WriteOnly));
    path = dir.filePath(path);
    QString error;
    QVERIFY(!writeReport(sixteenChannels(), "site-a.nvrplan", path, &error));
    QVERIFY2(error.startsWith(path + ": ") && error.size() > path.size() + 4, qPrintable(error));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList {"file.txt"});
}

void ReportTest::contextMenuOffersExport()
{
    QuietTrace quiet;
    Calculator calculator;
    QStringList offered;
    QTimer::singleShot(0, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (const QAction *action : menu->actions())
            offered << action->text() + ' ' + action->shortcut().toString();
        menu->close();
    });
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5),
                            calculator.window.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&calculator.window, &click);
    QVERIFY2(offered.contains(QStringLiteral("&Export report… Ctrl+E")),
             qPrintable(offered.join('|')));
}

void ReportTest::exportFromWindow_data()
{
    // clang-format off
    QTest::addColumn<bool>("fromFile");
    QTest::addColumn<bool>("csvFilter");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("shown");
    QTest::newRow("plan file, PDF") << true << false << "north" << "north.pdf" << "north.nvrplan";
    QTest::newRow("untitled, PDF") << false << false << "quote" << "quote.pdf" << "Untitled";
    QTest::newRow("CSV filter") << true << true << "north" << "north.csv" << "";
    QTest::newRow("folder missing") << false << false << "missing/quote.pdf" << "" << "";
    // clang-format on
}

void ReportTest::exportFromWindow()
{
    QFETCH(bool, fromFile);
    QFETCH(bool, csvFilter);
    QFETCH(QString, typed);
    QFETCH(QString, written);
    QFETCH(QString, shown);
    QTemporaryDir dir;
    QuietTrace quiet;
    Calculator calculator;
    const QString planPath = dir.filePath("north.nvrplan");
    if (fromFile) {
        QString error;
        QVERIFY2(writePlanFile(planPath, hybridPal(), &error), qPrintable(error));
        QVERIFY(calculator.window.openFile(planPath));
    }

    // The dialog runs its own loop: it is answered from inside, like a user.
    QString suggested;
    bool answered = false;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        suggested = dialog->selectedFiles().value(0);
        dialog->setDirectory(dir.path());
        if (csvFilter)
            pickFromPopup(*dialog->findChild<QComboBox *>("fileTypeCombo"), 1);
        QLineEdit *name = dialog->findChild<QLineEdit *>("fileNameEdit");
        name->setText(typed);
        QTest::keyClick(name, Qt::Key_Return);
        answered = true;
    });
    QTest::keyClick(&calculator.window, Qt::Key_E, Qt::ControlModifier);
    QVERIFY(answered);
    // Beside the plan and named after it, else in the documents folder.
    QVERIFY2(suggested.endsWith(fromFile ? dir.filePath("north.pdf") : "/Untitled.pdf"),
             qPrintable(suggested));

    auto *failure = calculator.window.findChild<QMessageBox *>();
    if (written.isEmpty()) {
        QVERIFY(failure);
        QCOMPARE(failure->text(), QStringLiteral("The report could not be written."));
        QVERIFY(failure->informativeText().startsWith(dir.filePath(typed) + ": "));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());
        return;
    }
    QVERIFY(!failure);
    const QString path = dir.filePath(written);
    QVERIFY(QFile::exists(path));
    if (csvFilter) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.size(), 1 + 8 + 1);
        QCOMPARE(lines[1], QByteArray("1,Auto,HD,25,Highest,3480,37.584"));
    } else {
        QVERIFY(pageLines(path).contains("Plan " + shown + " Date "
                                         + QDate::currentDate().toString(Qt::ISODate)));
    }
}

QTEST_MAIN(ReportTest)
#include "tst_report.moc"
