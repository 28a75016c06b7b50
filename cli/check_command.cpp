#include "cli/check_command.h"

#include "cli/terminal_text.h"
#include "core/error.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {
QString SeverityName(DataProblem::Severity s)
{
    return s == DataProblem::Severity::Error ? QStringLiteral("error") : QStringLiteral("warning");
}

QJsonValue NumberOrNull(int n) { return n > 0 ? QJsonValue(n) : QJsonValue(); }
}  // namespace

QString CheckReportText(const DataCheck &check)
{
    QString out;
    for (const DataProblem &p : check.problems) {
        QString where = ControlsEscaped(p.file);
        if (p.line > 0)
            where += QLatin1Char(':') + QString::number(p.line);
        if (p.line > 0 && p.column > 0)
            where += QLatin1Char(':') + QString::number(p.column);
        out += where + QStringLiteral(": ") + SeverityName(p.severity) + QStringLiteral(": ") +
               ControlsEscaped(p.message) + QLatin1Char('\n');
    }
    const DataCheckSummary &s = check.summary;
    out += QStringLiteral("%1 errors, %2 warnings in %3 files; %4 of %5 aircraft clean\n")
               .arg(s.errors).arg(s.warnings).arg(s.files).arg(s.clean).arg(s.aircraft);
    return out;
}

QByteArray CheckJson(const DataCheck &check)
{
    QJsonArray problems;
    for (const DataProblem &p : check.problems)
        problems.append(QJsonObject{{"file", p.file},
                                    {"line", NumberOrNull(p.line)},
                                    {"column", NumberOrNull(p.column)},
                                    {"severity", SeverityName(p.severity)},
                                    {"aircraft", p.aircraft.isEmpty() ? QJsonValue() : QJsonValue(p.aircraft)},
                                    {"message", p.message}});
    const DataCheckSummary &s = check.summary;
    const QJsonObject summary{{"errors", s.errors}, {"warnings", s.warnings}, {"files", s.files},
                              {"aircraft", s.aircraft}, {"clean", s.clean}};
    return QJsonDocument(QJsonObject{{"problems", problems}, {"summary", summary}}).toJson(QJsonDocument::Indented);
}

CheckOutcome RunCheck(const CommandLine &command)
{
    CheckOutcome outcome;
    const FileName dir = command.dataDir.isEmpty() ? CurrentDirectory() : AbsoluteFileName(command.dataDir);
    DataCheck check;
    try {
        CheckCodePage();
    } catch (const VarnelError &error) {
        outcome.fail(1, error.message());
        return outcome;
    }
    try {
        check = CheckDataFolder(DataPaths{dir});
    } catch (const VarnelError &) {
        const QString shown = command.dataDir.isEmpty() ? QDir::currentPath() : QString(command.dataDir);
        outcome.fail(2, QStringLiteral("no folder %1").arg(QDir::toNativeSeparators(QDir::cleanPath(shown + QStringLiteral("/DataSpeed")))));
        return outcome;
    }
    outcome.output = command.textFormat == TextFormat::Json ? CheckJson(check) : CheckReportText(check).toUtf8();
    outcome.exitCode = check.summary.errors > 0 ? 1 : 0;
    return outcome;
}
