#pragma once

#include "plan.h"

#include <QByteArray>
#include <QString>

#include <optional>

// Plan files (.nvrplan): UTF-8 JSON with "format": "nvr-plan" and "version": 1.
// Names are the items as the lists show them, the frame the item text under
// the plan's video standard. Every row carries its bitrateKbps; it is read back
// only where the mode is Manual, elsewhere it shows what the settings give.

// Larger files are refused unread.
constexpr qint64 plan_file_limit = 1 << 20;

// The file's contents: keys in a fixed order, two-space indent, a final
// newline, so that plans diff well.
QByteArray planToJson(const Plan &plan);

// The plan a file's contents hold, or nothing with the error set to what is
// wrong and where ("channels[3].resolution: ..."). Unknown keys are ignored.
std::optional<Plan> planFromJson(const QByteArray &json, QString *error);

// The same for a file; errors begin with the path.
std::optional<Plan> readPlanFile(const QString &path, QString *error);

// The same for a command-line argument, where "-" is standard input.
std::optional<Plan> readPlanArgument(const QString &path, QString *error);

// Replaces the file at path with contents at once or not at all: on failure
// the old file stays as it was and error says why ("PATH: reason").
bool writeFileAtomically(const QString &path, const QByteArray &contents, QString *error);

// Replaces the file at once or not at all: on failure the old file stays as it
// was and error says why.
bool writePlanFile(const QString &path, const Plan &plan, QString *error);
