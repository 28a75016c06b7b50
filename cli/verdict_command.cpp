#include "cli/verdict_command.h"

#include "pages/application.h"
#include "cli/named_crafts.h"
#include "catalogue/readers.h"
#include "core/error.h"
#include "verdict/verdict_format.h"

VerdictOutcome RunVerdict(const CommandLine &command)
{
    VerdictOutcome outcome;
    const ExportOptions &o = command.exportOptions;
    try {
        CheckCodePage();
        const NamedCrafts crafts = ReadNamedCrafts(command.dataDir, o.first, o.second);
        Verdict v;
        try {
            v = ComputeVerdict(crafts.first ? &*crafts.first : nullptr, crafts.second ? &*crafts.second : nullptr, o.flapShown);
        } catch (const VarnelError &error) {
            // The box's text, which names the aircraft, file and row, on one line.
            throw VarnelError(OneLineErrorText(error.message()));
        }
        if (command.verdictFormat == QLatin1String("json"))
            outcome.output = VerdictJson(v);
        else
            outcome.output = (command.verdictFormat == QLatin1String("tsv") ? VerdictTsv(v) : VerdictText(v)).toUtf8();
    } catch (const VarnelError &error) {
        outcome.exitCode = 1;
        outcome.error = QStringLiteral("varnel: ") + error.message();
    }
    return outcome;
}
