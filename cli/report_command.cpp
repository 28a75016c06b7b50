#include "cli/report_command.h"

#include "cli/named_crafts.h"
#include "core/language.h"
#include "core/units.h"
#include "core/error.h"
#include "pictures/picture_files.h"
#include "pictures/report.h"


bool IsHtmlReport(const QString &file)
{
    return file.endsWith(QLatin1String(".html"), Qt::CaseInsensitive) || file.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive);
}

ExportOutcome RunReport(const CommandLine &command)
{
    const ExportSignals interrupts;  // an interrupted report leaves the folder as it was
    return Attempted<ExportOutcome>([&](ExportOutcome &outcome) {
        CheckCodePage();
        const ExportOptions &options = command.exportOptions;
        const NamedCrafts crafts = ReadNamedCrafts(command.dataDir, options.first, options.second);
        ReportInput input;
        input.first = crafts.first;
        input.second = crafts.second;
        input.flaps = options.flaps;
        input.advantage = options.advantage;
        input.paper = command.reportPaper;
        input.view = ModeView(command);
        input.dataFolder = DisplayName(AbsoluteFileName(command.dataDir.isEmpty() ? CurrentDirectory() : command.dataDir).bytes);
        const QByteArray &file = command.reportFile.bytes;
        const qsizetype slash = file.lastIndexOf('/');
        const FileName dir = FileName::FromBytes(slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : file.left(slash));
        const FileName name = FileName::FromBytes(file.mid(slash + 1));
        const QByteArray bytes = IsHtmlReport(DisplayName(name.bytes)) ? ReportHtml(input) : ReportPdf(input);
        outcome.written = WritePictures(dir, {{name, bytes}});
    });
}
