// The installed programs as a user or a script runs them, judged by exit status, output and files
// left, in a scratch copy of tests/plans, with no display, under a comma locale ("." checked).

#include "version.h"

#include <QDate>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run
{
    int status = -1; // -1: still running (state not NotRunning), -2: crashed (CrashExit)
    QByteArray out, err;
};

// A window keeps running: once traceLines lines are out, nothing more may follow while it sits.
Run run(const QStringList &words, int traceLines = -1)
{
    QProcess process;
    process.setReadChannel(QProcess::StandardError);
    process.start(words[0], words.mid(1));
    Run run;
    while (run.err.count('\n') < traceLines && process.waitForReadyRead(30000))
        run.err += process.readAll();
    process.waitForFinished(traceLines >= 0 ? 500 : 30000);
    run.status = process.state() ? -1 : process.exitStatus() ? -2 : process.exitCode();
    process.kill();
    process.waitForFinished();
    run.out = process.readAllStandardOutput();
    // The offscreen platform's own notices, as when a message box opens, aside.
    static const QRegularExpression notice("(?m)^This plugin does not support.*\n");
    run.err = QString::fromUtf8(run.err + process.readAllStandardError()).remove(notice).toUtf8();
    return run;
}

// A PDF as its reader sees it: whether pdffonts finds every font embedded ("emb", the fifth column
// from the end), pdfinfo's pages and paper, then the text in reading order, blanks made one.
QByteArray pdfSeen(const QString &path)
{
    const QByteArray fonts = run({"pdffonts", path}).out;
    const QByteArray info = run({"pdfinfo", path}).out;
    static const QRegularExpression unembedded(R"((?m) no +(yes|no) +(yes|no) +\d+ +\d+$)");
    const bool embedded = fonts.count('\n') > 2 && !unembedded.match(fonts).hasMatch();
    const QByteArray seen = (embedded ? "Fonts embedded " : "Fonts (poppler-utils?): " + fonts)
        + "Pages:" + QString(info).section("Pages:", 1).section("Page rot:", 0, 0).toUtf8()
        + run({"pdftotext", "-layout", path, "-"}).out;
    return seen.simplified() + '\n';
}

// 3000 Kbps are 3000 x 0.0108 = 32.4 GB a day; 14 days need 87.048 x 14 x
// 1.073741824 = 1308.5 GB (shown 1308, and a disk of at least 1309 kept); 1000 GB last 10.699 days,
// 10 days 16.8 hours. 3000 + 3000 + 400 + 1660 Kbps come in: 8.06 Mbps.
const QByteArray hidden_text = "hidden-4.nvrplan: NVR, NTSC, 4 channels\n"
                               "Channel  Mode  Resolution  Frame  Quality   Kbps  GB/day\n"
                               "      1  Auto  HD             30  High      3000    32.4\n"
                               "      2  Auto  HD             30  High      3000    32.4\n"
                               "      3  Auto  D1             10  Standard   400    4.32\n"
                               "      4  Auto  Full-HD         5  Highest   1660  17.928\n"
                               "Total storage per day (GB)  87.048\n"
                               "Incoming bitrate (Mbps)     8.06\n"
                               "Required days               14\n"
                               "Required HDD capacity       1308 GB\n"
                               "Installed HDD size (GB)     1000\n"
                               "Recording time              10 Days 16 Hours\n";
const QByteArray hidden_rows
    = "1,Auto,HD,30,High,3000,32.4\n2,Auto,HD,30,High,3000,32.4\n"
      "3,Auto,D1,10,Standard,400,4.32\n4,Auto,Full-HD,5,Highest,1660,17.928\n";
const QByteArray hidden_csv
    = "channel,mode,resolution,frame,quality,bitrateKbps,dayGb,incomingMbps\n"
    + QByteArray(hidden_rows).replace("\n", ",8.06\n");

} // namespace

class ProgramsTest : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir, m_config;

private slots:
    void initTestCase();
    void commandLine_data();
    void commandLine();
};

void ProgramsTest::initTestCase()
{
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        qunsetenv(name);
    qputenv("LC_ALL", "de_DE.UTF-8");
    qputenv("XDG_RUNTIME_DIR", m_dir.path().toUtf8()); // keeps the toolkit's note about it away
    qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8()); // the calculator's recent plans
    QVERIFY(QDir::setCurrent(m_dir.path())); // every program's working folder
    QCOMPARE(run({"cp", "-R", NVR_TEST_PLANS "/.", "."}).status, 0);
    QCOMPARE(run({"cp", "hidden-4.nvrplan", "north, \"B\".nvrplan"}).status, 0);
    QCOMPARE(run({"cp", "hidden-4.nvrplan", "north, B.nvrplan"}).status, 0);
}

void ProgramsTest::commandLine_data()
{
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<int>("status");
    // All that is printed if it ends a line, else how it begins; out, then the file after -o.
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err");
    // clang-format off
    const auto row = [](const char *name, const QStringList &words, int status, const QByteArray &out, const QByteArray &err) { QTest::newRow(name) << words << status << out << err; };
    const auto usage = [](const char *message) { return "nvr-plan: " + QByteArray(message) + "\nTry 'nvr-plan --help' for more information.\n"; };
    const auto fails = [](const char *message) { return "nvr-plan: " + QByteArray(message) + '\n'; };
    const auto trace = [](const char *modes /* each channel Auto or Manual */) { QByteArray lines; for (int i = 0; modes[i]; ++i) lines += "MODE CHECK :" + QByteArray::number(i) + (modes[i] == 'M' ? " - TRUE\n" : " - FALSE\n"); return lines; };
    const QByteArray start = trace("AAAAAAAAAAAAAAAA"), letter = "612 x 792 pts (letter)";
    QByteArray sixteen; for (int channel = 1; channel <= 15; ++channel) sixteen += QByteArray::number(channel) + " Auto Full-HD 30 Super 6000 64.8 ";
    const auto page = [](const QByteArray &paper, const char *file, const char *settings, const QByteArray &body) {
        return "Fonts embedded Pages: 1 Encrypted: no Page size: " + paper + " NVR Recording calculator Recording storage plan Plan " + file + " Date " + QDate::currentDate().toString(Qt::ISODate).toUtf8()
            + " Video standard " + settings + " Channels in use Channel Mode Resolution Frame Quality Kbps GB/day " + body + " Units: Daily figures and disk sizes are GB of 10^9 bytes. The disk estimates add 7.4 % to the "
            "recorded data (the factor 1.073741824). NVR Recording calculator " NVR_VERSION "\n"; };
    // 4 channels, 30 days on 189 GB; k Kbps make k x 0.0108 GB a day. D1 is per frame 17 Kbps Low, 25 Standard, 33
    // High, 50 Highest; the lowest items record 4, 6, 8 fps. 8 fps Low: 4 x 136 Kbps, 5.8752 GB a day, 30 days 189.25
    // GB, shown as 189, but 189 GB last 29.96 days. 6 fps Low: 141.94 GB, 39.95 days. 4 fps High, Standard, Low: 183.69,
    // 139.16, 94.63 GB. All else needs more: 4 fps Highest 278 GB, 6 fps Standard 208. PAL's 6 fps is "3".
    const QByteArray fit = "NTSC, 4 channels, 30 days on 189 GB: 4 settings fit, best first\n"
                           "Resolution  Frame  Quality   Kbps  GB/day  Required HDD  Recording time\n"
                           "D1              2  Low        102  4.4064        141 GB  39 Days 22 Hours\n"
                           "D1              1  High       132  5.7024        183 GB  30 Days 20 Hours\n"
                           "D1              1  Standard   100    4.32        139 GB  40 Days 17 Hours\n"
                           "D1              1  Low         68  2.9376         94 GB  59 Days 22 Hours\n";
    row("no command", {NVR_PLAN}, 2, "", usage("no command given"));
    row("unknown command", {NVR_PLAN, "list"}, 2, "", usage("unknown command 'list'"));
    row("unknown option", {NVR_PLAN, "show", "--colour", "defaults.nvrplan"}, 2, "", usage("unknown option 'colour'"));
    row("missing option", {NVR_PLAN, "fit", "--days", "30"}, 2, "", usage("fit needs --hdd"));
    row("no days to keep", {NVR_PLAN, "fit", "--days", "0", "--hdd", "100"}, 2, "", usage("--days: '0' is not a number above 0"));
    row("bad format", {NVR_PLAN, "show", "--format", "xml", "defaults.nvrplan"}, 2, "", usage("--format: 'xml' is not one of text, json, csv"));
    row("bad count", {NVR_PLAN, "new", "--channels", "6", "-o", "x.nvrplan"}, 2, "", usage("--channels: '6' is not one of 4, 8, 16"));
    row("NTSC frame under PAL", {NVR_PLAN, "new", "--standard", "PAL", "--frame", "30", "-o", "x.nvrplan"}, 2, "", usage("--frame: '30' is not a frame rate under PAL: 0, 1, 3, 4, 5, 7, 9, 13, 25"));
    row("two points", {NVR_PLAN, "new", "--days", "1.2.3", "-o", "x.nvrplan"}, 2, "", usage("--days: '1.2.3' is not a number such as 30 or 7.5"));
    row("new from a plan", {NVR_PLAN, "new", "hidden-4.nvrplan", "-o", "x.nvrplan"}, 2, "", usage("new takes no argument 'hidden-4.nvrplan'"));
    row("disk beyond 32 bits", {NVR_PLAN, "fit", "--days", "30", "--hdd", "3000000000"}, 2, "", usage("--hdd: '3000000000' is above 2147483647 GB"));
    row("negative days", {NVR_PLAN, "new", "--days", "-3", "-o", "x.nvrplan"}, 2, "", usage("--days: '-3' is not a number such as 30 or 7.5"));
    row("a site of 200 characters", {NVR_PLAN, "new", "--site", QString(200, 'x'), "-o", "x.nvrplan"}, 0, "{\n  \"format\": \"nvr-plan\",\n  \"version\": 1,\n  \"site\": \"" + QByteArray(200, 'x') + "\",", "");
    row("site beyond 200 characters", {NVR_PLAN, "new", "--site", QString(201, 'x'), "-o", "x.nvrplan"}, 2, "", usage("--site: 201 characters, more than a site name holds (200)"));
    row("report to .txt", {NVR_PLAN, "report", "defaults.nvrplan", "-o", "r.txt"}, 2, "", usage("--output: 'r.txt' ends neither in .pdf nor in .csv"));
    row("disks, no days", {NVR_PLAN, "disks", "defaults.nvrplan"}, 2, "", usage("defaults.nvrplan: no required days; --days gives them"));
    row("disks, a size finer than GB", {NVR_PLAN, "disks", "--sizes", "18,1.2345", "defaults.nvrplan"}, 2, "", usage("--sizes: '1.2345' is not a size in TB above 0 with at most three decimals, such as 18 or 1.5"));
    row("disks, 65 bays", {NVR_PLAN, "disks", "--bays", "65", "defaults.nvrplan"}, 2, "", usage("--bays: '65' is not a whole number from 1 to 64"));
    row("missing file", {NVR_PLAN, "show", "none.nvrplan"}, 1, "", fails("none.nvrplan: No such file or directory"));
    // A plan that cannot be read is refused with the key that is wrong and why (the window's tests read every one).
    row("not JSON", {NVR_PLAN, "show", "bad/not-json.nvrplan"}, 1, "", fails("bad/not-json.nvrplan: not JSON: unterminated object at line 1, column 12"));
    row("a device", {NVR_PLAN, "show", "/dev/zero"}, 1, "", fails("/dev/zero: larger than 1 MiB: not a plan"));
    row("report of a bad plan", {NVR_PLAN, "report", "bad/version-zero.nvrplan", "-o", "r.pdf"}, 1, "", fails("bad/version-zero.nvrplan: version: 0 is not a version of this format"));
    row("CSV, missing folder", {NVR_PLAN, "report", "hidden-4.nvrplan", "-o", "none/r.csv"}, 1, "", fails("none/r.csv: No such file or directory"));
    row("full disk", {"sh", "-c", NVR_PLAN " show defaults.nvrplan >/dev/full"}, 1, "", "nvr-plan: write error: ");
    // A file that cannot be written says why, as the system said it, and leaves nothing behind
    // (a coverage build then adds its own complaint about the limit).
    const QString limited = "trap '' XFSZ; ulimit -f 0; LC_ALL=C exec " NVR_PLAN " ";
    row("plan beyond the file size limit", {"sh", "-c", limited + "new -o x.nvrplan"}, 1, "", "nvr-plan: x.nvrplan: File too large");
    row("report beyond the file size limit", {"sh", "-c", limited + "report hidden-4.nvrplan -o r.pdf"}, 1, "", "nvr-plan: r.pdf: File too large");
    row("missing folder", {NVR_PLAN, "new", "-o", "none/x.nvrplan"}, 1, "", fails("none/x.nvrplan: No such file or directory"));
    // A plan already there stays as it was; --force replaces it.
    row("new over a plan", {"sh", "-c", "cp hidden-4.nvrplan y.nvrplan && { " NVR_PLAN " new -o y.nvrplan; test $? = 1; } && cmp hidden-4.nvrplan y.nvrplan && " NVR_PLAN " new --force --channels 8 -o y.nvrplan && grep channelCount y.nvrplan && rm y.nvrplan"}, 0, "  \"channelCount\": 8,\n", fails("y.nvrplan: exists; --force replaces it"));
    row("PDF, missing folder", {NVR_PLAN, "report", "hidden-4.nvrplan", "-o", "none/r.pdf"}, 1, "", fails("none/r.pdf: No such file or directory"));
    // A good plan before a bad one prints nothing either: the output would be short of it.
    row("resolution", {NVR_PLAN, "show", "defaults.nvrplan", "bad/resolution-4k.nvrplan"}, 1, "", fails(R"(bad/resolution-4k.nvrplan: channels[3].resolution: "4K" is not one of "Full-HD", "HD", "D1")"));
    row("summary, a bad plan", {NVR_PLAN, "summary", "defaults.nvrplan", "bad/missing-key.nvrplan"}, 1, "", fails("bad/missing-key.nvrplan: installedHddGb: missing"));
    row("nothing fits", {NVR_PLAN, "fit", "--days", "30", "--hdd", "93", "--channels", "4"}, 1, "", fails("no setting fits: NTSC, 4 channels, 30 days on 93 GB"));
    // The window's start keeping 30 days: 1036.79993 x 30 x 1.073741824 = 33397.66 GB, shown 33397; 16 x 6000 Kbps = 96
    // Mbps. RAID 1 holds one drive, 24000 GB at most; RAID 6 needs 4 drives.
    row("disks, nothing fits", {NVR_PLAN, "disks", "defaults.nvrplan", "--days", "30", "--layout", "raid1"}, 1, "", fails("defaults.nvrplan: no set of drives in 4 bays keeps 30 days; the most they hold is 2 \u00d7 24 TB, RAID 1, 24000 GB"));
    row("disks, too few bays", {NVR_PLAN, "disks", "defaults.nvrplan", "--days", "30", "--layout", "raid6", "--bays", "3"}, 1, "", fails("defaults.nvrplan: RAID 6 takes at least 4 drives; the recorder has 3 bays"));
    // One volume of n drives holds n x c: the fewest drives of each size, by drives then size. c GB last c / 1.073741824 /
    // 43.2 hours: 36000 GB 776.1 (32 days 8 hours), 40000 862.3, 42000 905.4, 44000 948.6, 48000 1034.8.
    row("disks", {NVR_PLAN, "disks", "defaults.nvrplan", "--days", "30"}, 0, "defaults.nvrplan: 33397 GB to keep 30 days, 96 Mbps incoming\nOne volume in 4 bays: 8 sets fit, fewest drives first\nDrives  Size (TB)  Usable (GB)  Recording time\n     2         18        36000  32 Days 8 Hours\n     2         20        40000  35 Days 22 Hours\n     2         22        44000  39 Days 12 Hours\n     2         24        48000  43 Days 2 Hours\n     3         12        36000  32 Days 8 Hours\n     3         14        42000  37 Days 17 Hours\n     3         16        48000  43 Days 2 Hours\n     4         10        40000  35 Days 22 Hours\n", "");
    // RAID 6 holds (n - 2) x c: all 5 bays of 12 or 16 TB; 1.5 TB would take 25 drives. A size given twice counts once.
    row("disks JSON", {NVR_PLAN, "disks", "defaults.nvrplan", "--days", "30", "--layout", "raid6", "--bays", "5", "--sizes", "16,12,1.5,16", "--format", "json"}, 0, R"({"bays":5,"file":"defaults.nvrplan","incomingMbps":96,"layout":"raid6","requiredDays":"30","requiredHddGb":33397,"sets":[{"driveTb":12,"drives":5,"recordingDays":32,"recordingHours":8,"usableGb":36000},{"driveTb":16,"drives":5,"recordingDays":43,"recordingHours":2,"usableGb":48000}]})" "\n", "");
    // The plan's own days, RAID 5 and 8 bays: 30 days of 64.8 + 27 + 64.8 + 64.8 GB need 221.4 x 30 x 1.073741824 = 7131.8
    // GB; RAID 5 holds (n - 1) x c, and 1 TB drives would take 9. 8000 GB last 8000 / 1.073741824 / 221.4 = 33.65 days,
    // 9000 GB 37.86. A plan that records nothing keeps its days on one drive of any size, for ever ("--").
    row("disks CSV", {NVR_PLAN, "disks", "format/written.nvrplan", "--sizes", "1,2,3,4", "--format", "csv"}, 0, "drives,driveTb,usableGb,recordingDays,recordingHours\n3,4,8000,33,15\n4,3,9000,37,20\n5,2,8000,33,15\n", "");
    row("disks CSV, nothing recorded", {NVR_PLAN, "disks", "zero-fps-4.nvrplan", "--sizes", " 1.5,4", "--format", "csv"}, 0, "drives,driveTb,usableGb,recordingDays,recordingHours\n1,1.5,1500,,\n1,4,4000,,\n", "");
    row("fit", {NVR_PLAN, "fit", "--days", "30", "--hdd", "189", "--channels", "4", "--standard", "ntsc"}, 0, fit, "");
    row("fit, PAL", {NVR_PLAN, "fit", "--days", "30", "--hdd", "189", "--channels", "4", "--standard", "pal"}, 0, QByteArray(fit).replace("NTSC", "PAL").replace("D1              2", "D1              3"), "");
    row("show", {NVR_PLAN, "show", "hidden-4.nvrplan"}, 0, hidden_text, "");
    row("show, a site", {NVR_PLAN, "show", "pal-hd-13-4.nvrplan"}, 0, "pal-hd-13-4.nvrplan: NVR, PAL, 4 channels\nSite: North depot, B\nChannel", "");
    row("show CSV", {NVR_PLAN, "show", "--format", "csv", "hidden-4.nvrplan"}, 0, hidden_csv, "");
    // A name with a comma is quoted, with a quote or without.
    const auto linesOf = [](const QByteArray &file) { QByteArray lines; for (const QByteArray &line : hidden_csv.split('\n').mid(1, 4)) lines += file + ',' + line + '\n'; return lines; };
    row("show CSV, several", {NVR_PLAN, "show", "--format", "csv", "north, \"B\".nvrplan", "hidden-4.nvrplan"}, 0, "file," + hidden_csv.left(hidden_csv.indexOf('\n') + 1) + linesOf(R"("north, ""B"".nvrplan")") + linesOf("hidden-4.nvrplan"), "");
    // 87.048 + 86.4 + 23193800 as shown = 23193973.448 GB a day; one required disk unknown, so the total. pal-hd-13-4 takes
    // in 4 x 2000 Kbps, huge-16 15 x 6000 + 2147483647: 8060 + 8000 + 2147573647 = 2147589707 Kbps. Without days, defaults
    // needs no disk, nor does the total.
    row("summary CSV", {NVR_PLAN, "summary", "--format", "csv", "north, B.nvrplan", "pal-hd-13-4.nvrplan", "huge-16.nvrplan"}, 0, "file,site,channels,totalDayGb,requiredHddGb,incomingMbps\n\"north, B.nvrplan\",,4,87.048,1308,8.06\npal-hd-13-4.nvrplan,\"North depot, B\",4,86.4,2783,8\nhuge-16.nvrplan,,16,2.31938e+07,,2147573.647\nTotal,,24,23193973.448,,2147589.707\n", "");
    row("summary JSON", {NVR_PLAN, "summary", "--format", "json", "pal-hd-13-4.nvrplan", "defaults.nvrplan"}, 0, R"({"plans":[{"channels":4,"file":"pal-hd-13-4.nvrplan","incomingMbps":8,"requiredHddGb":2783,"site":"North depot, B","totalDayGb":86.4},{"channels":16,"file":"defaults.nvrplan","incomingMbps":96,"requiredHddGb":null,"site":"","totalDayGb":1036.8}],"total":{"channels":20,"incomingMbps":104,"requiredHddGb":null,"totalDayGb":1123.2}})" "\n", "");
    row("report, CSV", {NVR_PLAN, "report", "hidden-4.nvrplan", "-o", "r.CSV"}, 0, hidden_csv, "");
    // 4 + 8 + 4 channels; 8.06 + 23.014 + 0 = 31.074 Mbps; 87.048 + 248.551 + 0 = 335.599 GB a day; 1308 + 1868 + 0 = 3176 GB.
    row("summary", {NVR_PLAN, "summary", "hidden-4.nvrplan", "manual-8.nvrplan", "zero-fps-4.nvrplan"}, 0,
        "File                Channels    Mbps   GB/day  Required HDD\n"
        "hidden-4.nvrplan           4    8.06   87.048       1308 GB\n"
        "manual-8.nvrplan           8  23.014  248.551       1868 GB\n"
        "zero-fps-4.nvrplan         4       0        0          0 GB\n"
        "Total                     16  31.074  335.599       3176 GB\n", "");
    // One unknown requirement makes the total unknown.
    row("summary, one beyond 32 bits", {NVR_PLAN, "summary", "pal-hd-13-4.nvrplan", "huge-16.nvrplan"}, 0,
        "File                 Channels         Mbps       GB/day  Required HDD\n"
        "pal-hd-13-4.nvrplan         4            8         86.4       2783 GB\n"
        "huge-16.nvrplan            16  2147573.647  2.31938e+07         -- GB\n"
        "Total                      20  2147581.647   23193886.4         -- GB\n", "");
    row("new, the window's start, as in the shared set", {NVR_PLAN, "new", "-o", "new.nvrplan"}, 0, run({"cat", NVR_TEST_PLANS "/defaults.nvrplan"}).out, "");
    row("new, every setting", {NVR_PLAN, "new", "--standard", "pal", "--channels", "4", "--resolution", "hd", "--frame", "13", "--quality", "HIGH", "--days", "30", "--hdd", "4000", "--site", "North depot, B", "-o", "new.nvrplan"}, 0, run({"cat", NVR_TEST_PLANS "/pal-hd-13-4.nvrplan"}).out, "");
    // "-" is standard output for new, standard input for the rest; a plan piped in is untitled on the page. 4 x 6000 Kbps,
    // no days: no required disk.
    // The plan comes through the pipe in two parts, as over a slow link.
    row("new to a pipe, shown from it", {"sh", "-c", "{ " NVR_PLAN " new --channels 4 -o - | head -c 99; sleep 0.3; " NVR_PLAN " new --channels 4 -o - | tail -c +100; } | " NVR_PLAN " summary -"}, 0, "File   Channels  Mbps  GB/day  Required HDD\n-             4    24   259.2\nTotal         4    24   259.2\nWithout required days: -\n", "");
    row("report from a pipe", {"sh", "-c", NVR_PLAN " report - -o r.pdf < hidden-4.nvrplan && pdftotext r.pdf - && rm r.pdf"}, 0, "NVR Recording calculator\nPlan\n\nUntitled", "");
    // GB a day (k Kbps make k x 0.0108), GB for the days (x days x 1.073741824, truncated), days and hours the disk
    // lasts (GB / total / 1.073741824), null for "--". defaults: 16 x 64.8, no days, no disk. manual-8: 27 + 21.6 + 0 +
    // 133.326 + 0.7344 + 1.08 + 64.8 + 0.0108 = 248.5512. hybrid-dvr-8: 6000, 2000, 272, 1992, 830, 528, 798, 264 Kbps
    // (PAL items 25, 13, 9, 7, 5, 4, 3, 1 record 30, 20, 16, 12, 10, 8, 6, 4 fps) = 136.9872. pal-frames: every PAL item,
    // two at 0 fps, 157.4424. pal-hd-13-4: 4 x 3000 / 30 x 20 Kbps. zero-fps-4: nothing recorded, a disk never full.
    // huge-16: 15 x 64.8 + 2147483647 x 0.0108 = 23193795, shown 2.31938e+07; 1e12 days need 2.5e19 GB, 1e290 GB last
    // 4e280 days, beyond 32 bits, yet the hours beyond whole days show: trunc(hours) mod 24 of 1e290 / 23193795 /
    // 1.073741824 x 24. Last, a copy of hidden-4 under a name CSV must quote. Mbps: Kbps / 1000, exactly, as GB a day /
    // 0.0108 (pal-frames 14578). No days, no disk: no figures of them. One plan alone makes an object, and a Manual row keeps
    // the settings it does not use; manual-8's first 4 channels: 27 + 21.6 + 0 + 133.326 = 181.926 GB a day, 7 days need
    // 1367.39 GB, 2000 GB last 10.24 days; 2500 + 2000 + 0 + 12345 Kbps.
    row("JSON", {NVR_PLAN, "show", "--format", "json", "defaults.nvrplan", "hidden-4.nvrplan", "manual-8.nvrplan", "hybrid-dvr-8.nvrplan", "pal-frames.nvrplan", "pal-hd-13-4.nvrplan", "huge-16.nvrplan", "north, \"B\".nvrplan"}, 0,
        R"([{"channels":[...],"file":"defaults.nvrplan","incomingMbps":96,"recordingDays":null,"recordingHours":null,"requiredHddGb":null,"totalDayGb":1036.8},)"
        R"({"channels":[...],"file":"hidden-4.nvrplan","incomingMbps":8.06,"recordingDays":10,"recordingHours":16,"requiredHddGb":1308,"totalDayGb":87.048},)"
        R"({"channels":[...],"file":"manual-8.nvrplan","incomingMbps":23.014,"recordingDays":7,"recordingHours":11,"requiredHddGb":1868,"totalDayGb":248.551},)"
        R"({"channels":[...],"file":"hybrid-dvr-8.nvrplan","incomingMbps":12.684,"recordingDays":3,"recordingHours":9,"requiredHddGb":73,"totalDayGb":136.987},)"
        R"({"channels":[...],"file":"pal-frames.nvrplan","incomingMbps":14.578,"recordingDays":23,"recordingHours":15,"requiredHddGb":5071,"totalDayGb":157.442},)"
        R"({"channels":[...],"file":"pal-hd-13-4.nvrplan","incomingMbps":8,"recordingDays":43,"recordingHours":2,"requiredHddGb":2783,"totalDayGb":86.4},)"
        R"({"channels":[...],"file":"huge-16.nvrplan","incomingMbps":2147573.647,"recordingDays":null,"recordingHours":16,"requiredHddGb":null,"totalDayGb":23193800},)"
        R"({"channels":[...],"file":"north, \"B\".nvrplan","incomingMbps":8.06,"recordingDays":10,"recordingHours":16,"requiredHddGb":1308,"totalDayGb":87.048}])" "\n", "");
    row("JSON, one plan", {"sh", "-c", "sed 's/\"channelCount\": 8/\"channelCount\": 4/' manual-8.nvrplan | \"$0\" show --format \"$1\" -", NVR_PLAN, "json"}, 0,
        R"({"channelCount":4,"channels":[{"bitrateKbps":2500,"channel":1,"dayGb":27,"frame":"30","mode":"Manual","quality":"Super","resolution":"Full-HD"},)"
        R"({"bitrateKbps":2000,"channel":2,"dayGb":21.6,"frame":"15","mode":"Auto","quality":"High","resolution":"HD"},{"bitrateKbps":0,"channel":3,"dayGb":0,"frame":"4","mode":"Manual","quality":"Low","resolution":"D1"},)"
        R"({"bitrateKbps":12345,"channel":4,"dayGb":133.326,"frame":"30","mode":"Manual","quality":"Super","resolution":"Full-HD"}],"file":"-","incomingMbps":16.845,"installedHddGb":"2000","product":"NVR",)"
        R"("recordingDays":10,"recordingHours":5,"requiredDays":"7","requiredHddGb":1367,"site":"","totalDayGb":181.926,"videoStandard":"NTSC"})" "\n", "");
    // Letter where the territory uses it; the figures as show prints them, as JSON's note has them for the others. On the
    // narrower A4 the widest figures are whole; the typed " 1e12" days and "1e290" GB are read as numbers, the one too
    // long for a line in six digits. Under the figures the fewest drives that keep the days: 1308.5 GB on one of 2 TB, 73.5 GB
    // on one of 1 TB, none for 1e12 days; without days nor disk, neither their figures nor drives.
    row("report, Germany", {NVR_PLAN, "report", "huge-16.nvrplan", "-o", "r.pdf"}, 0, page("595 x 842 pts (A4)", "huge-16.nvrplan", "NTSC Channels 16 Product NVR", sixteen
        + "16 Manual 2147483647 2.31928e+07 Total per day (GB) 2.31938e+07 Storage Incoming bitrate 2147573.647 Mbps Required days 1000000000000 Required HDD capacity -- GB Installed HDD size 1e+290 GB Installed HDD lasts -- Days 16 Hours No set of 1 to 24 TB drives in 4 bays keeps 1000000000000 days as one volume."), "");
    row("report, nothing asked", {NVR_PLAN, "report", "defaults.nvrplan", "-o", "r.pdf"}, 0, page("595 x 842 pts (A4)", "defaults.nvrplan", "NTSC Channels 16 Product NVR", sixteen + "16 Auto Full-HD 30 Super 6000 64.8 Total per day (GB) 1036.8 Storage Incoming bitrate 96 Mbps Required days -- Installed HDD size --"), "");
    row("report, United States", {"env", "LC_ALL=en_US.UTF-8", NVR_PLAN, "report", "hidden-4.nvrplan", "-o", "r.pdf"}, 0, page(letter, "hidden-4.nvrplan", "NTSC Channels 4 Product NVR", QByteArray(hidden_rows).replace(',', ' ').replace('\n', ' ')
        + "Total per day (GB) 87.048 Storage Incoming bitrate 8.06 Mbps Required days 14 Required HDD capacity 1308 GB Installed HDD size 1000 GB Installed HDD lasts 10 Days 16 Hours Disks to keep 14 days: 1 \u00d7 2 TB, one volume, 2000 GB. The installed disk of 1000 GB lasts 10 days 16 hours, fewer than the 14 days asked for; keeping 14 days takes a disk of at least 1309 GB."), "");
    row("report, French Canada", {"env", "LC_ALL=fr_CA.UTF-8", NVR_PLAN, "report", "hybrid-dvr-8.nvrplan", "-o", "r.pdf"}, 0, page(letter, "hybrid-dvr-8.nvrplan", "PAL Channels 8 Product Hybrid-DVR", "1 Auto Full-HD 25 Super 6000 64.8 2 Auto HD 13 High 2000 21.6 "
        "3 Auto D1 9 Low 272 2.9376 4 Auto Full-HD 7 Highest 1992 21.5136 5 Auto HD 5 Standard 830 8.964 6 Auto D1 4 Super 528 5.7024 7 Auto Full-HD 3 High 798 8.6184 8 Auto HD 1 Low 264 2.8512 "
        "Total per day (GB) 136.987 Storage Incoming bitrate 12.684 Mbps Required days 0.5 Required HDD capacity 73 GB Installed HDD size 500 GB Installed HDD lasts 3 Days 9 Hours Disks to keep 0.5 days: 1 \u00d7 1 TB, one volume, 1000 GB."), "");
    row("report, Mexico, a site", {"env", "LC_ALL=es_MX.UTF-8", NVR_PLAN, "report", "pal-hd-13-4.nvrplan", "-o", "r.pdf"}, 0, "Fonts embedded Pages: 1 Encrypted: no Page size: " + letter + " NVR Recording calculator Recording storage plan Site North depot, B Plan pal-hd-13-4.nvrplan", "");
    row("version", {NVR_PLAN, "--version"}, 0, "nvr-plan " NVR_VERSION "\n", "");
    row("help", {NVR_PLAN, "--help"}, 0, "Usage: ", "");
    // Answered with no display at all: a man page is made this way at build time.
    row("calculator's version", {NVR_CALCULATOR, "--version"}, 0, "nvr-calculator " NVR_VERSION "\n", "");
    row("calculator's help", {NVR_CALCULATOR, "--help"}, 0, "Usage: ", "");
    // main() resets before the event loop, then opens the plan named: only their trace is printed.
    row("calculator, a toolkit option", {"env", "QT_QPA_PLATFORM=offscreen", NVR_CALCULATOR, "-style", "Fusion"}, -1, "", start);
    row("calculator, a plan file", {"env", "QT_QPA_PLATFORM=offscreen", NVR_CALCULATOR, "manual-8.nvrplan"}, -1, "", start + trace("MAMMAMAM"));
    row("calculator, two plans", {"env", "QT_QPA_PLATFORM=offscreen", NVR_CALCULATOR, "manual-8.nvrplan", "hidden-4.nvrplan"}, -1, "", start + "nvr-calculator: opens one plan at a time: manual-8.nvrplan, not hidden-4.nvrplan\n" + trace("MAMMAMAM"));
    row("calculator, a file that is no plan", {"env", "QT_QPA_PLATFORM=offscreen", NVR_CALCULATOR, "bad/not-json.nvrplan"}, -1, "", start);
    // clang-format on
}

void ProgramsTest::commandLine()
{
    QFETCH(QStringList, words);
    QFETCH(int, status);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    const QString file = status == 0 && words.contains("-o") ? words[words.indexOf("-o") + 1] : "";
    const QStringList before = QDir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    Run result = run(words, status == -1 ? int(err.count('\n')) : -1);
    const auto shows = [](const QByteArray &seen, const QByteArray &wanted) {
        return wanted.isEmpty() || wanted.endsWith('\n') ? seen == wanted : seen.startsWith(wanted);
    };
    QCOMPARE(result.status, status);
    QVERIFY2(shows(result.err, err), result.err.constData());
    if (!file.isEmpty()) {
        result.out += file.endsWith(".pdf") ? pdfSeen(file) : run({"cat", file}).out;
        QVERIFY(QFile::remove(file));
    }
    if (words.contains(
            "json")) { // as a script reads it; several plans without their channels, settings
        QJsonDocument document = QJsonDocument::fromJson(result.out);
        const bool several = document.isArray();
        if (several) {
            QJsonArray plans;
            for (const QJsonValue &plan : document.array()) {
                QJsonObject figures = plan.toObject();
                for (const char *key : {"site", "product", "videoStandard", "channelCount",
                                        "requiredDays", "installedHddGb"})
                    figures.remove(key);
                plans.append(figures);
            }
            document.setArray(plans);
        }
        QString compact = document.toJson(QJsonDocument::Compact) + '\n';
        if (several)
            compact.replace(QRegularExpression(R"("channels":\[[^\]]*\])"), R"("channels":[...])");
        result.out = compact.toUtf8();
    }
    QVERIFY2(shows(result.out, out), result.out.constData());
    // A failed run leaves nothing behind, a good one only its file.
    QCOMPARE(QDir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
}

QTEST_GUILESS_MAIN(ProgramsTest)
#include "tst_programs.moc"
