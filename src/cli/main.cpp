// nvr-plan: the calculator's figures for plan files, from the command line.
// It needs Qt Core only, so that it starts fast and runs where no display is.

#include "commands.h"
#include "numbertext.h"
#include "output.h"
#include "version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>

#include <algorithm>
#include <map>

namespace {

const char description[] = R"(Sizes the disks of network video recorders from plan files (.nvrplan),
with the figures NVR Recording calculator shows for them.

Commands:
  show FILE...           Each plan's channels in use and its figures.
  summary FILE...        One line per plan and the total of them all.
  new -o FILE            Writes a plan with one setting on every channel; an
                         existing FILE only with --force.
  fit --days D --hdd GB  Every setting that keeps D days on GB, best first.
  disks FILE             For each drive size, the fewest drives that keep the
                         plan's days in its layout and bays.
  report FILE -o OUT     The plan's report for the customer, OUT.pdf or OUT.csv.

A FILE of - is standard input; new -o - writes the plan to standard output.)";

struct UsageError
{
    QString message;
};

[[noreturn]] void usage(const QString &message)
{
    throw UsageError {message};
}

// Qt's parser messages as sentences ("Unknown option 'x'.") in the usual form.
QString unixStyle(QString message)
{
    if (message.endsWith(QLatin1Char('.')))
        message.chop(1);
    if (!message.isEmpty())
        message[0] = message[0].toLower();
    return message;
}

QString nameList(const QString *names, int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << names[i];
    return list.join(QStringLiteral(", "));
}

// A name of a list, in any case; its index.
template<std::size_t N>
int nameValue(const QCommandLineParser &parser, const QCommandLineOption &option,
              const QString (&names)[N], int fallback)
{
    if (!parser.isSet(option))
        return fallback;
    const QString value = parser.value(option);
    for (std::size_t i = 0; i < N; ++i)
        if (value.compare(names[i], Qt::CaseInsensitive) == 0)
            return int(i);
    usage(QStringLiteral("--%1: '%2' is not one of %3")
              .arg(option.names().constLast(), value, nameList(names, int(N))));
}

int channelsValue(const QCommandLineParser &parser, const QCommandLineOption &option)
{
    if (!parser.isSet(option))
        return channel_max;
    const QString value = parser.value(option);
    bool ok = false;
    const int count = value.toInt(&ok);
    if (!ok || channelCountIndex(count) < 0)
        usage(QStringLiteral("--channels: '%1' is not one of 4, 8, 16").arg(value));
    return count;
}

int frameValue(const QCommandLineParser &parser, const QCommandLineOption &option, int standard)
{
    if (!parser.isSet(option))
        return frame_top;
    const QString value = parser.value(option);
    const QStringList items = frameTexts(standard);
    if (items.contains(value))
        return int(items.indexOf(value));
    usage(QStringLiteral("--frame: '%1' is not a frame rate under %2: %3")
              .arg(value, video_standard_names[standard], items.join(QStringLiteral(", "))));
}

int baysValue(const QCommandLineParser &parser, const QCommandLineOption &option)
{
    if (!parser.isSet(option))
        return 0;
    const QString value = parser.value(option);
    bool ok = false;
    const int bays = value.toInt(&ok);
    if (!ok || bays < bays_min || bays > bays_max)
        usage(QStringLiteral("--bays: '%1' is not a whole number from %2 to %3")
                  .arg(value)
                  .arg(bays_min)
                  .arg(bays_max));
    return bays;
}

// Drive sizes in TB as sold, decimal: with at most three decimals every size
// is whole GB (1.5 TB = 1500 GB). Repeated sizes count once.
QList<std::int64_t> sizesValue(const QCommandLineParser &parser, const QCommandLineOption &option)
{
    QList<std::int64_t> sizes;
    if (!parser.isSet(option))
        return sizes;
    static const QRegularExpression tb(QStringLiteral("^([0-9]{1,9})(?:\\.([0-9]{1,3}))?$"));
    for (const QString &item : parser.value(option).split(QLatin1Char(','))) {
        const QString text = item.trimmed();
        const QRegularExpressionMatch match = tb.match(text);
        std::int64_t gb = 0;
        if (match.hasMatch())
            gb = match.captured(1).toLongLong() * 1000
                + match.captured(2).leftJustified(3, QLatin1Char('0')).toLongLong();
        if (gb <= 0)
            usage(QStringLiteral("--sizes: '%1' is not a size in TB above 0 with at most three "
                                 "decimals, such as 18 or 1.5")
                      .arg(text));
        if (!sizes.contains(gb))
            sizes.append(gb);
    }
    return sizes;
}

// Days and disk sizes: plain decimal numbers, kept as typed like the fields.
QString numberValue(const QCommandLineParser &parser, const QCommandLineOption &option,
                    bool aboveZero)
{
    const QString value = parser.value(option);
    // As the window's fields take it, with a digit at least.
    const bool number = isEstimateText(value)
        && std::any_of(value.cbegin(), value.cend(), [](QChar c) { return c.isDigit(); });
    if (!number || (aboveZero && !(numberFromText(value) > 0)))
        usage(QStringLiteral("--%1: '%2' is not %3")
                  .arg(option.names().constLast(), value,
                       aboveZero ? QStringLiteral("a number above 0")
                                 : QStringLiteral("a number such as 30 or 7.5")));
    return value;
}

int run(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromUtf8(description));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption format(
        QStringLiteral("format"),
        QStringLiteral("show, summary, disks: text (the default), json or csv."),
        QStringLiteral("format"));
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("new, report: the file to write."),
                                    QStringLiteral("file"));
    const QCommandLineOption force(QStringLiteral("force"),
                                   QStringLiteral("new: replace the file when it exists."));
    const QCommandLineOption standard(QStringLiteral("standard"),
                                      QStringLiteral("new, fit: PAL or NTSC (default NTSC)."),
                                      QStringLiteral("standard"));
    const QCommandLineOption channels(QStringLiteral("channels"),
                                      QStringLiteral("new, fit: 4, 8 or 16 (default 16)."),
                                      QStringLiteral("count"));
    const QCommandLineOption resolution(QStringLiteral("resolution"),
                                        QStringLiteral("new: Full-HD, HD or D1 (default Full-HD)."),
                                        QStringLiteral("resolution"));
    const QCommandLineOption frame(
        QStringLiteral("frame"),
        QStringLiteral("new: the frame rate as the list shows it under the standard "
                       "(default the top one, 25 under PAL, 30 under NTSC)."),
        QStringLiteral("frame"));
    const QCommandLineOption quality(
        QStringLiteral("quality"),
        QStringLiteral("new: Super, Highest, High, Standard or Low (default Super)."),
        QStringLiteral("quality"));
    const QCommandLineOption days(
        QStringLiteral("days"),
        QStringLiteral("new: the required days (default none); fit: the days to keep; disks: the "
                       "days to keep (default the plan's)."),
        QStringLiteral("days"));
    const QCommandLineOption hdd(
        QStringLiteral("hdd"),
        QStringLiteral("new: the installed HDD size in GB (default none); fit: the disk."),
        QStringLiteral("GB"));
    const QCommandLineOption site(QStringLiteral("site"),
                                  QStringLiteral("new: the customer's site, for the report "
                                                 "(default none)."),
                                  QStringLiteral("text"));
    const QCommandLineOption layout(
        QStringLiteral("layout"),
        QStringLiteral("disks: single, raid1, raid5, raid6 or raid10 (default the plan's)."),
        QStringLiteral("layout"));
    const QCommandLineOption bays(
        QStringLiteral("bays"),
        QStringLiteral("disks: the recorder's drive bays, 1 to 64 (default the plan's)."),
        QStringLiteral("count"));
    const QCommandLineOption sizes(QStringLiteral("sizes"),
                                   QStringLiteral("disks: drive sizes in TB, such as 8,12,18 "
                                                  "(default 1 to 24 TB as sold)."),
                                   QStringLiteral("TB,..."));
    const QList<const QCommandLineOption *> options {
        &format,  &output, &force, &standard, &channels, &resolution, &frame,
        &quality, &days,   &hdd,   &site,     &layout,   &bays,       &sizes};
    for (const QCommandLineOption *option : options)
        parser.addOption(*option);
    parser.addPositionalArgument(QStringLiteral("command"),
                                 QStringLiteral("show, summary, new, fit, disks or report, as "
                                                "above."),
                                 QStringLiteral("command [argument...]"));

    if (!parser.parse(arguments))
        usage(unixStyle(parser.errorText()));
    if (parser.isSet(help) || parser.optionNames().contains(QStringLiteral("help-all")))
        return writeOut(parser.helpText().toUtf8()) ? exit_ok : exit_failure;
    if (parser.isSet(version))
        return writeOut("nvr-plan " NVR_VERSION "\n") ? exit_ok : exit_failure;

    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        usage(QStringLiteral("no command given"));
    const QString command = positional.takeFirst();
    const std::map<QString, QList<const QCommandLineOption *>> taken {
        {QStringLiteral("show"), {&format}},
        {QStringLiteral("summary"), {&format}},
        {QStringLiteral("new"),
         {&output, &force, &standard, &channels, &resolution, &frame, &quality, &days, &hdd,
          &site}},
        {QStringLiteral("fit"), {&standard, &channels, &days, &hdd}},
        {QStringLiteral("disks"), {&format, &days, &layout, &bays, &sizes}},
        {QStringLiteral("report"), {&output}}};
    const auto found = taken.find(command);
    if (found == taken.end())
        usage(QStringLiteral("unknown command '%1'").arg(command));
    for (const QCommandLineOption *option : options)
        if (parser.isSet(*option) && !found->second.contains(option))
            usage(QStringLiteral("%1 takes no --%2").arg(command, option->names().constLast()));

    const bool takesFiles = command == QLatin1String("show") || command == QLatin1String("summary");
    if (takesFiles && positional.isEmpty())
        usage(command + QStringLiteral(": no plan file given"));
    const bool takesOneFile
        = command == QLatin1String("report") || command == QLatin1String("disks");
    if (takesOneFile && positional.size() != 1)
        usage(command + QStringLiteral(" takes one plan file"));
    if (!takesFiles && !takesOneFile && !positional.isEmpty())
        usage(QStringLiteral("%1 takes no argument '%2'").arg(command, positional.first()));
    const auto need = [&](const QCommandLineOption &option) {
        if (!parser.isSet(option))
            usage(QStringLiteral("%1 needs --%2").arg(command, option.names().constLast()));
    };
    if (command == QLatin1String("new") || command == QLatin1String("report"))
        need(output);
    if (command == QLatin1String("fit")) {
        need(days);
        need(hdd);
    }

    static const QString formats[]
        = {QStringLiteral("text"), QStringLiteral("json"), QStringLiteral("csv")};
    if (command == QLatin1String("show"))
        return showPlans(positional, Format(nameValue(parser, format, formats, 0)));
    if (command == QLatin1String("summary"))
        return summarizePlans(positional, Format(nameValue(parser, format, formats, 0)));
    if (command == QLatin1String("disks")) {
        DisksRequest request;
        request.file = positional.first();
        if (parser.isSet(days))
            request.days = numberValue(parser, days, true);
        request.layout = nameValue(parser, layout, disk_layout_tokens, -1);
        request.bays = baysValue(parser, bays);
        request.driveGb = sizesValue(parser, sizes);
        request.format = Format(nameValue(parser, format, formats, 0));
        return chooseDisks(request);
    }
    if (command == QLatin1String("report")) {
        const QString out = parser.value(output);
        if (!out.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)
            && !out.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
            usage(QStringLiteral("--output: '%1' ends neither in .pdf nor in .csv").arg(out));
        return reportPlan(positional.first(), out);
    }
    if (command == QLatin1String("fit")) {
        FitRequest request;
        request.videoStandard = nameValue(parser, standard, video_standard_names, 1);
        request.channelCount = channelsValue(parser, channels);
        request.days = numberValue(parser, days, true);
        request.hdd = numberValue(parser, hdd, true);
        // The window's figures are 32-bit: a larger disk lasts longer than it can show.
        if (numberFromText(request.hdd) > 2147483647)
            usage(QStringLiteral("--hdd: '%1' is above 2147483647 GB").arg(request.hdd));
        return fitSettings(request);
    }
    // new: what choosing the settings in the ALL row does, on the window's start.
    Plan plan;
    plan.videoStandard = nameValue(parser, standard, video_standard_names, 1);
    plan.channelCount = channelsValue(parser, channels);
    RowSettings row;
    row.resolution = nameValue(parser, resolution, resolution_names, 0);
    row.frame = frameValue(parser, frame, plan.videoStandard);
    row.quality = nameValue(parser, quality, quality_names, 0);
    plan.all = row;
    plan.channels.fill(row);
    if (parser.isSet(days))
        plan.requiredDays = numberValue(parser, days, false);
    if (parser.isSet(hdd))
        plan.installedHddGb = numberValue(parser, hdd, false);
    plan.site = parser.value(site);
    const QString fault = siteFault(plan.site, QLatin1Char('\'') + plan.site + QLatin1Char('\''));
    if (!fault.isEmpty())
        usage(QStringLiteral("--site: ") + fault);
    return writeNewPlan(plan, parser.value(output), parser.isSet(force));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("nvr-plan"));
    QCoreApplication::setApplicationVersion(QStringLiteral(NVR_VERSION));
    try {
        return run(QCoreApplication::arguments());
    } catch (const UsageError &error) {
        return printUsageError(error.message);
    }
}
