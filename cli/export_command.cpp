#include "cli/export_command.h"

#include "cli/named_crafts.h"
#include "core/error.h"
#include "pictures/picture_files.h"

ExportOutcome RunExport(const ExportOptions &options, const FileName &dataDir)
{
    const ExportSignals interrupts;  // an interrupted export leaves the folder as it was
    return Attempted<ExportOutcome>([&](ExportOutcome &outcome) {
        CheckCodePage();
        const NamedCrafts crafts = ReadNamedCrafts(dataDir, options.first, options.second);
        const QList<Picture> pictures = DrawComparison(crafts.first, crafts.second, options.flaps, options);
        outcome.written = WritePictures(options.outDir, pictures);
    });
}

int PrintedWritten(const ExportOutcome &outcome)
{
    TextOutcome shown;
    static_cast<CommandOutcome &>(shown) = outcome;
    for (const QString &path : outcome.written)
        shown.output += (ControlsEscaped(path) + QLatin1Char('\n')).toUtf8();
    return Printed(shown);
}
