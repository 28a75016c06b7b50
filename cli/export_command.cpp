#include "cli/export_command.h"

#include "cli/named_crafts.h"
#include "core/error.h"
#include "pictures/picture_files.h"

ExportOutcome RunExport(const ExportOptions &options, const FileName &dataDir)
{
    ExportOutcome outcome;
    const ExportSignals interrupts;  // an interrupted export leaves the folder as it was
    try {
        const NamedCrafts crafts = ReadNamedCrafts(dataDir, options.first, options.second);
        const QList<Picture> pictures = DrawComparison(crafts.first, crafts.second, options.flaps, options);
        outcome.written = WritePictures(options.outDir, pictures);
    } catch (const VarnelError &error) {
        outcome.exitCode = 1;
        outcome.error = QStringLiteral("varnel: ") + error.message();
    }
    return outcome;
}
