#include "cli/rank_command.h"

#include "cli/named_crafts.h"
#include "cli/terminal_text.h"
#include "core/error.h"
#include "core/language.h"
#include "verdict/ranking_format.h"

namespace {
// Names and errors with their control characters escaped: each stays on its line and
// in its column.
void Escape(Ranking &r)
{
    r.reference = ControlsEscaped(r.reference);
    for (RankRow &row : r.rows) {
        row.name = ControlsEscaped(row.name);
        if (!row.error.isEmpty())
            row.error = ControlsEscaped(OneLineErrorText(row.error));
    }
    for (auto *rows : {&r.byAltitude, &r.bySpeed})
        for (LeaderRow &row : *rows)
            for (Leader &l : row.leaders)
                l.name = ControlsEscaped(l.name);
}

RankQuery QueryOf(const CommandLine &command, const QString &reference, const View &view)
{
    const RankDefaults d = RankDefaultsFor(view.units);
    RankQuery q;
    q.reference = reference;
    q.altitude = command.rankAltitude ? FromShown(Quantity::Altitude, *command.rankAltitude, view.units) : d.altitude;
    q.speed = command.rankSpeed ? FromShown(Quantity::Speed, *command.rankSpeed, view.units) : d.speed;
    q.flaps = command.exportOptions.flaps;
    q.by = command.rankBy;
    q.altitudeStep = d.altitudeStep;
    q.speedStep = d.speedStep;
    return q;
}
}  // namespace

VerdictOutcome RunRank(const CommandLine &command)
{
    return Attempted<VerdictOutcome>([&](VerdictOutcome &outcome) {
        CheckCodePage();
        const View view = ModeView(command);
        const NamedCatalogue named = ReadNamedCatalogue(command.dataDir, command.rankName);
        Ranking r;
        try {
            r = RankCatalogue(named.catalogue, QueryOf(command, named.name, view));
        } catch (const VarnelError &error) {
            // The reference's own data fail at these flap settings.
            throw VarnelError(OneLineErrorText(error.message()));
        }
        if (command.textFormat == TextFormat::Json) {
            outcome.output = RankingJson(r, view);  // names escaped as JSON requires
        } else {
            Escape(r);
            outcome.output = (command.textFormat == TextFormat::Tsv ? RankingTsv(r, view) : RankingText(r, view)).toUtf8();
        }
    });
}
