#include "planfile.h"

#include "numbertext.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

const QString format_name = QStringLiteral("nvr-plan");
constexpr int format_version = 1;

// A value as JSON text, for messages: strings quoted, long values cut short.
QString jsonText(const QJsonValue &value)
{
    QString text
        = QString::fromUtf8(QJsonDocument(QJsonArray {value}).toJson(QJsonDocument::Compact));
    text = text.mid(1, text.size() - 2);
    return text.size() > 60 ? text.left(57) + QStringLiteral("...") : text;
}

QString quotedList(const QString *names, int count)
{
    QStringList quoted;
    for (int i = 0; i < count; ++i)
        quoted << jsonText(names[i]);
    return quoted.join(QStringLiteral(", "));
}

struct ReadError
{
    QString message;
};

[[noreturn]] void fail(const QString &key, const QString &what)
{
    throw ReadError {key + QStringLiteral(": ") + what};
}

// Where a key sits, for messages: "all.frame", "channels[3].mode".
QString keyPath(const QString &prefix, const QString &key)
{
    return prefix.isEmpty() ? key : prefix + QLatin1Char('.') + key;
}

QJsonValue member(const QJsonObject &object, const QString &prefix, const QString &key)
{
    const auto found = object.find(key);
    if (found == object.end())
        fail(keyPath(prefix, key), QStringLiteral("missing"));
    return *found;
}

QString stringMember(const QJsonObject &object, const QString &prefix, const QString &key)
{
    const QJsonValue value = member(object, prefix, key);
    if (!value.isString())
        fail(keyPath(prefix, key), jsonText(value) + QStringLiteral(" is not a string"));
    return value.toString();
}

// A whole number within the signed 32-bit range.
std::int32_t integerMember(const QJsonObject &object, const QString &prefix, const QString &key)
{
    const QJsonValue value = member(object, prefix, key);
    const QString path = keyPath(prefix, key);
    if (!value.isDouble())
        fail(path, jsonText(value) + QStringLiteral(" is not a number"));
    const double number = value.toDouble();
    if (number != std::trunc(number))
        fail(path, jsonText(value) + QStringLiteral(" is not a whole number"));
    if (!(number >= -2147483648.0 && number <= 2147483647.0))
        fail(path, jsonText(value) + QStringLiteral(" is outside -2147483648 to 2147483647"));
    return std::int32_t(number);
}

template<std::size_t N>
int nameMember(const QJsonObject &object, const QString &prefix, const QString &key,
               const QString (&names)[N])
{
    const QString text = stringMember(object, prefix, key);
    for (std::size_t i = 0; i < N; ++i)
        if (names[i] == text)
            return int(i);
    fail(keyPath(prefix, key),
         jsonText(text) + QStringLiteral(" is not one of ") + quotedList(names, int(N)));
}

int frameMember(const QJsonObject &object, const QString &prefix, int standard)
{
    const QString text = stringMember(object, prefix, QStringLiteral("frame"));
    const QStringList items = frameTexts(standard);
    if (items.contains(text))
        return int(items.indexOf(text));
    fail(
        keyPath(prefix, QStringLiteral("frame")),
        QStringLiteral("%1 is not a frame rate under %2: %3")
            .arg(jsonText(text), video_standard_names[standard], items.join(QStringLiteral(", "))));
}

QJsonObject objectOf(const QJsonValue &value, const QString &path)
{
    if (!value.isObject())
        fail(path, jsonText(value) + QStringLiteral(" is not an object"));
    return value.toObject();
}

RowSettings readRow(const QJsonValue &value, const QString &path, const Plan &plan)
{
    const QJsonObject object = objectOf(value, path);
    RowSettings row;
    row.manual = nameMember(object, path, QStringLiteral("mode"), mode_names) != 0;
    if (row.manual && plan.product != 0)
        fail(keyPath(path, QStringLiteral("mode")),
             QStringLiteral("\"Manual\" is not possible with the product %1, which records in "
                            "Auto mode only")
                 .arg(jsonText(product_names[plan.product])));
    row.resolution = nameMember(object, path, QStringLiteral("resolution"), resolution_names);
    row.frame = frameMember(object, path, plan.videoStandard);
    row.quality = nameMember(object, path, QStringLiteral("quality"), quality_names);
    // Only a Manual row's bitrate is an input; an Auto row's merely shows its figure.
    if (row.manual) {
        row.manualKbps = integerMember(object, path, QStringLiteral("bitrateKbps"));
        if (row.manualKbps < 0)
            fail(keyPath(path, QStringLiteral("bitrateKbps")),
                 QStringLiteral("%1 is negative").arg(row.manualKbps));
    }
    return row;
}

// A field holds this many characters at most.
QString fieldText(const QJsonObject &root, const QString &key)
{
    const QString text = stringMember(root, QString(), key);
    if (text.size() > 32767)
        fail(key,
             QStringLiteral("%1 characters, more than the field holds (32767)").arg(text.size()));
    return text;
}

// An estimate field's text as the field takes it. Older plans may hold more
// after the number ("12.5GB"): that text becomes the number it reads as.
QString estimateMember(const QJsonObject &root, const QString &key)
{
    const QString text = fieldText(root, key);
    if (isEstimateText(text))
        return text;
    const double value = numberFromText(text);
    if (!std::isfinite(value))
        fail(key, jsonText(text) + QStringLiteral(" is not a finite number"));
    if (value < 0)
        fail(key, jsonText(text) + QStringLiteral(" is negative"));
    // Without a digit nothing that counts was typed: an empty field.
    const bool digits = std::any_of(text.cbegin(), text.cend(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
    return digits ? estimateTextOf(value) : QString();
}

Plan readPlan(const QJsonObject &root)
{
    const QString format = stringMember(root, QString(), QStringLiteral("format"));
    if (format != format_name)
        fail(QStringLiteral("format"),
             jsonText(format) + QStringLiteral(" is not \"nvr-plan\": not a plan file"));
    const QJsonValue version = member(root, QString(), QStringLiteral("version"));
    if (!version.isDouble())
        fail(QStringLiteral("version"), jsonText(version) + QStringLiteral(" is not a number"));
    if (version.toDouble() > format_version)
        fail(QStringLiteral("version"),
             QStringLiteral("%1 is newer than this program reads (%2)")
                 .arg(jsonText(version))
                 .arg(format_version));
    if (version.toDouble() != format_version)
        fail(QStringLiteral("version"),
             jsonText(version) + QStringLiteral(" is not a version of this format"));

    Plan plan;
    // Plans written before sites were named have none.
    if (root.contains(QStringLiteral("site"))) {
        plan.site = stringMember(root, QString(), QStringLiteral("site"));
        const QString fault = siteFault(plan.site, jsonText(plan.site));
        if (!fault.isEmpty())
            fail(QStringLiteral("site"), fault);
    }
    plan.product = nameMember(root, QString(), QStringLiteral("product"), product_names);
    plan.videoStandard
        = nameMember(root, QString(), QStringLiteral("videoStandard"), video_standard_names);
    plan.channelCount = integerMember(root, QString(), QStringLiteral("channelCount"));
    if (channelCountIndex(plan.channelCount) < 0)
        fail(QStringLiteral("channelCount"),
             QStringLiteral("%1 is not 4, 8 or 16").arg(plan.channelCount));
    plan.requiredDays = estimateMember(root, QStringLiteral("requiredDays"));
    plan.installedHddGb = estimateMember(root, QStringLiteral("installedHddGb"));
    // Plans written before disks were planned have none: one volume in 4 bays.
    if (root.contains(QStringLiteral("disks"))) {
        const QJsonObject disks
            = objectOf(root.value(QStringLiteral("disks")), QStringLiteral("disks"));
        const QString prefix = QStringLiteral("disks");
        plan.disks.layout = nameMember(disks, prefix, QStringLiteral("layout"), disk_layout_tokens);
        plan.disks.bays = integerMember(disks, prefix, QStringLiteral("bays"));
        if (plan.disks.bays < bays_min || plan.disks.bays > bays_max)
            fail(QStringLiteral("disks.bays"),
                 QStringLiteral("%1 is not %2 to %3")
                     .arg(plan.disks.bays)
                     .arg(bays_min)
                     .arg(bays_max));
    }
    plan.all = readRow(member(root, QString(), QStringLiteral("all")), QStringLiteral("all"), plan);

    const QJsonValue channels = member(root, QString(), QStringLiteral("channels"));
    if (!channels.isArray())
        fail(QStringLiteral("channels"), jsonText(channels) + QStringLiteral(" is not an array"));
    const QJsonArray array = channels.toArray();
    if (array.size() != channel_max)
        fail(QStringLiteral("channels"),
             QStringLiteral("%1 channels, a plan has %2").arg(array.size()).arg(channel_max));
    for (int i = 0; i < channel_max; ++i)
        plan.channels[i] = readRow(array.at(i), QStringLiteral("channels[%1]").arg(i), plan);
    return plan;
}

// Line and column of a byte offset, for parse errors.
QString placeOf(const QByteArray &json, int offset)
{
    const QByteArray before = json.left(offset);
    const int line = before.count('\n') + 1;
    const int column = offset - (before.lastIndexOf('\n') + 1) + 1;
    return QStringLiteral("line %1, column %2").arg(line).arg(column);
}

QByteArray quoted(const QString &text)
{
    return QJsonDocument(QJsonArray {text}).toJson(QJsonDocument::Compact).chopped(1).mid(1);
}

QByteArray rowJson(const RowSettings &row, int standard)
{
    return "{\"mode\": " + quoted(mode_names[row.manual])
        + ", \"resolution\": " + quoted(resolution_names[row.resolution])
        + ", \"frame\": " + quoted(frameText(standard, row.frame))
        + ", \"quality\": " + quoted(quality_names[row.quality])
        + ", \"bitrateKbps\": " + QByteArray::number(rowKbps(row)) + "}";
}

} // namespace

QByteArray planToJson(const Plan &plan)
{
    QByteArray json = "{\n  \"format\": " + quoted(format_name) + ",\n  \"version\": "
        + QByteArray::number(format_version) + ",\n  \"site\": " + quoted(plan.site)
        + ",\n  \"product\": " + quoted(product_names[plan.product])
        + ",\n  \"videoStandard\": " + quoted(video_standard_names[plan.videoStandard])
        + ",\n  \"channelCount\": " + QByteArray::number(plan.channelCount)
        + ",\n  \"requiredDays\": " + quoted(plan.requiredDays)
        + ",\n  \"installedHddGb\": " + quoted(plan.installedHddGb)
        + ",\n  \"disks\": {\"layout\": " + quoted(disk_layout_tokens[plan.disks.layout])
        + ", \"bays\": " + QByteArray::number(plan.disks.bays) + "}"
        + ",\n  \"all\": " + rowJson(plan.all, plan.videoStandard) + ",\n  \"channels\": [\n";
    for (int i = 0; i < channel_max; ++i)
        json += "    " + rowJson(plan.channels[i], plan.videoStandard)
            + (i + 1 < channel_max ? ",\n" : "\n");
    return json + "  ]\n}\n";
}

std::optional<Plan> planFromJson(const QByteArray &json, QString *error)
{
    // Editors on some systems start UTF-8 files with a byte order mark.
    const QByteArray text = json.startsWith("\xEF\xBB\xBF") ? json.mid(3) : json;
    if (text.trimmed().isEmpty()) {
        *error = QStringLiteral("the file is empty: not a plan");
        return std::nullopt;
    }
    QJsonParseError parsed;
    const QJsonDocument document = QJsonDocument::fromJson(text, &parsed);
    if (parsed.error != QJsonParseError::NoError) {
        *error = QStringLiteral("not JSON: %1 at %2")
                     .arg(parsed.errorString(), placeOf(text, parsed.offset));
        return std::nullopt;
    }
    if (!document.isObject()) {
        *error = QStringLiteral("not a plan: the file holds a JSON array, not an object");
        return std::nullopt;
    }
    try {
        return readPlan(document.object());
    } catch (const ReadError &failure) {
        *error = failure.message;
        return std::nullopt;
    }
}

namespace {

// A plan from a file, a pipe or standard input, once opened; errors begin
// with name.
std::optional<Plan> readPlan(QFile &file, bool opened, const QString &name, QString *error)
{
    if (!opened) {
        *error = name + QStringLiteral(": ") + file.errorString();
        return std::nullopt;
    }
    // Read one byte past the limit: devices and pipes report no size. A pipe
    // gives what has come so far: read on until its end.
    QByteArray json;
    while (json.size() <= plan_file_limit) {
        const QByteArray more = file.read(plan_file_limit + 1 - json.size());
        if (more.isEmpty())
            break;
        json += more;
    }
    if (json.size() > plan_file_limit) {
        *error = name + QStringLiteral(": larger than 1 MiB: not a plan");
        return std::nullopt;
    }
    if (file.error() != QFileDevice::NoError) {
        *error = name + QStringLiteral(": ") + file.errorString();
        return std::nullopt;
    }
    std::optional<Plan> plan = planFromJson(json, error);
    if (!plan)
        *error = name + QStringLiteral(": ") + *error;
    return plan;
}

} // namespace

std::optional<Plan> readPlanFile(const QString &path, QString *error)
{
    QFile file(path);
    return readPlan(file, file.open(QIODevice::ReadOnly), path, error);
}

std::optional<Plan> readPlanArgument(const QString &path, QString *error)
{
    if (path != QLatin1String("-"))
        return readPlanFile(path, error);
    QFile input;
    return readPlan(input, input.open(stdin, QIODevice::ReadOnly), path, error);
}

bool writeFileAtomically(const QString &path, const QByteArray &contents, QString *error)
{
    QSaveFile file(path);
    // Unbuffered, so that a short write (a full disk) is seen here: a buffered
    // flush can pass a partly written file on to the commit as a success.
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        qint64 done = 0;
        qint64 written = 0;
        while (done < contents.size()
               && (written = file.write(contents.constData() + done, contents.size() - done)) > 0)
            done += written;
        if (done == contents.size() && file.commit())
            return true;
    }
    // The error that stopped the write ("No space left on device"); the
    // temporary file goes with the QSaveFile, uncommitted.
    *error = path + QStringLiteral(": ") + file.errorString();
    return false;
}

bool writePlanFile(const QString &path, const Plan &plan, QString *error)
{
    return writeFileAtomically(path, planToJson(plan), error);
}
