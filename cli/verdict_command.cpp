#include "cli/verdict_command.h"

#include "pages/application.h"
#include "cli/named_crafts.h"
#include "core/language.h"
#include "core/units.h"
#include "catalogue/readers.h"
#include "cli/terminal_text.h"
#include "core/error.h"
#include "verdict/verdict_format.h"

VerdictOutcome RunVerdict(const CommandLine &command)
{
    return Attempted<VerdictOutcome>([&](VerdictOutcome &outcome) {
        const ExportOptions &o = command.exportOptions;
        CheckCodePage();
        const NamedCrafts crafts = ReadNamedCrafts(command.dataDir, o.first, o.second);
        Verdict v;
        try {
            v = ComputeVerdict(crafts.first.get(), crafts.second.get(), o.flaps);
        } catch (const VarnelError &error) {
            // The box's text, which names the aircraft, file and row, on one line.
            throw VarnelError(OneLineErrorText(error.message()));
        }
        const View view = ModeView(command);
        if (command.textFormat == TextFormat::Json) {
            outcome.output = VerdictJson(v, view);  // names escaped as JSON requires
        } else {
            // A name's control characters escaped: it stays on its line and in its column.
            for (QString &name : v.names)
                name = ControlsEscaped(name);
            outcome.output = (command.textFormat == TextFormat::Tsv ? VerdictTsv(v, view) : VerdictText(v, view)).toUtf8();
        }
    });
}
