#include "pictures/report.h"

#include "pages/comparison_pages.h"
#include "pages/verdict_page.h"
#include "pages/verdict_strips.h"
#include "pictures/export.h"
#include "pictures/picture_files.h"
#include "pictures/report_parts.h"
#include "core/language.h"
#include "verdict/verdict_format.h"
#include "presentation/chart.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFontInfo>
#include <QHash>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgGenerator>

#include <algorithm>

namespace {

// Text as HTML holds it: never markup, and no character XML has no place for.
QString Esc(const QString &text)
{
    QString out = text.toHtmlEscaped();
    for (QChar &c : out)
        if ((c.unicode() < 0x20 && c != u'\n' && c != u'\t') || (c.unicode() >= 0x7F && c.unicode() < 0xA0) ||
            c.unicode() == 0xFFFE || c.unicode() == 0xFFFF)
            c = QChar(0xFFFD);
    return out;
}

// The fonts a picture's text asks for, as a browser gets them: the font asked for, then
// the one it was measured in here, then the generic sans-serif, so no browser falls
// back on a wider serif face whose words run into their neighbours.
QString WithFontFallback(QString svg)
{
    static const QRegularExpression family(QStringLiteral("font-family=\"([^\"',]*)\""));
    QHash<QString, QString> fallback;
    for (const QRegularExpressionMatch &m : family.globalMatch(svg)) {
        const QString asked = m.captured(1);
        if (!fallback.contains(asked))
            fallback.insert(asked, QStringLiteral("font-family=\"'%1', '%2', sans-serif\"")
                                       .arg(asked, QFontInfo(QFont(asked)).family()));
    }
    for (auto f = fallback.cbegin(); f != fallback.cend(); ++f)
        svg.replace(QStringLiteral("font-family=\"%1\"").arg(f.key()), f.value());
    return svg;
}

// An SVG document as an element of the page: its XML prolog dropped, and what HTML's
// SVG has no place for mended: the version of SVG Tiny on its root, and the units of a
// hatch's mask written as a pattern's. It keeps the size it was drawn at (its text as
// large as in the window) in a block that scrolls sideways on a narrow screen.
QString Inline(const QByteArray &svg)
{
    const QByteArray safe = XmlSafe(svg);
    const qsizetype start = safe.indexOf("<svg");
    QString out = QString::fromUtf8(start < 0 ? QByteArray() : safe.mid(start));
    const qsizetype rootEnd = out.indexOf(u'>');
    static const QRegularExpression size(QStringLiteral(" width=\"[^\"]*\" height=\"[^\"]*\"(\\s*viewBox=\"0 0 (\\d+) (\\d+)\")"));
    out.replace(0, rootEnd,
                out.left(rootEnd)
                    .remove(QStringLiteral(" version=\"1.2\""))
                    .remove(QStringLiteral(" baseProfile=\"tiny\""))
                    .replace(size, QStringLiteral(" width=\"\\2\" height=\"\\3\"\\1")));
    static const QRegularExpression maskUnits(QStringLiteral("(<mask [^>]*)patternUnits="));
    return QStringLiteral("<div class=\"scroll\">") + WithFontFallback(out.replace(maskUnits, QStringLiteral("\\1maskUnits="))) +
           QStringLiteral("</div>\n");
}

// A table of the verdict under its title, a heading of that level.
QString Table(const VerdictTable &t, int level = 3)
{
    QString html = QStringLiteral("<h%1>%2</h%1>\n<div class=\"scroll\"><table>\n<thead><tr>").arg(level).arg(Esc(t.title));
    for (const QString &h : t.header)
        html += QStringLiteral("<th>%1</th>").arg(Esc(h));
    html += QStringLiteral("</tr></thead>\n<tbody>\n");
    for (const auto &row : t.rows) {
        html += QStringLiteral("<tr>");
        for (const VerdictCell &c : row)
            html += c.tint ? QStringLiteral("<td class=\"w%1\">%2</td>").arg(c.tint).arg(Esc(c.text))
                           : QStringLiteral("<td>%1</td>").arg(Esc(c.text));
        html += QStringLiteral("</tr>\n");
    }
    return html + QStringLiteral("</tbody></table></div>\n");
}

QString StripsSvg(const Verdict &v, const View &view)
{
    const QFont font = PagesFont();
    const QSize size(800, int(StripsHeight(v, QFontMetricsF(font))) + 1);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(), size));
    {
        QPainter painter(&svg);
        painter.setFont(font);
        PaintVerdictStrips(painter, v, view, QRectF(1, 0, size.width() - 2, size.height()));
    }
    return Inline(bytes);
}
}  // namespace

QByteArray ReportHtml(const ReportInput &input)
{
    const ReportPages report = OpenComparison(input);
    const Verdict &v = report.pages->tab_Verdict->Shown();
    const PictureCaption caption = ReportCaption(input);
    const QString tint1 = VerdictPage::Tint(1).name(), tint2 = VerdictPage::Tint(2).name();
    QString html = QStringLiteral(
                       "<!DOCTYPE html>\n<html lang=\"%7\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                       "<meta name=\"generator\" content=\"Varnel %1\">\n<title>%2</title>\n<style>\n"
                       "body{font-family:sans-serif;margin:1em;max-width:60em}\n"
                       "svg{display:block}\n"
                       ".scroll{overflow-x:auto}\ntable{border-collapse:collapse;margin-bottom:1em}\n"
                       "th,td{border:1px solid #ccc;padding:2px 6px;text-align:right;white-space:nowrap}\n"
                       "th:first-child,td:first-child{text-align:left}\nth{background:#eee}\n"
                       ".w1{background:%3}\n.w2{background:%4}\n.c1{color:%5}\n.c2{color:%6}\n</style>\n</head>\n<body>\n")
                       .arg(QStringLiteral(VARNEL_VERSION), Esc(ReportTitle(input)), tint1, tint2, AircraftColor(1).name(),
                            AircraftColor(2).name(), input.view.language);
    html += QStringLiteral("<h1><span class=\"c1\">%1</span> — <span class=\"c2\">%2</span></h1>\n")
                .arg(Esc(caption.first.isEmpty() ? QStringLiteral("—") : caption.first),
                     Esc(caption.second.isEmpty() ? QStringLiteral("—") : caption.second));
    for (const QString &line : ReportFacts(input))
        html += QStringLiteral("<p>%1</p>\n").arg(Esc(line));
    // The verdict's first table (the summary values) under the facts, and again with the others.
    const std::vector<VerdictBlock> blocks = VerdictBlocks(v, input.view, 0, true);
    const auto table = std::find_if(blocks.begin(), blocks.end(), [](const VerdictBlock &b) { return b.kind == VerdictBlock::Kind::Table; });
    if (table != blocks.end())
        html += Table(table->table, 2);
    for (qsizetype i = 0; i < report.charts.size(); ++i) {
        QWidget *page = report.charts[i];
        const PictureCaption pageCaption = ReportCaption(input, report.names[i]);
        LayOutPage(page, report.pages.get(), QSize(800, 560));
        for (TChart *chart : page->findChildren<TChart *>())
            chart->SetVectorOnly();
        if (auto *chart = qobject_cast<TChart *>(page))
            chart->SetVectorOnly();
        html += QStringLiteral("<section>\n<h2>%1</h2>\n%2</section>\n")
                    .arg(Esc(pageCaption.page), Inline(RenderPicture(page, QStringLiteral("svg"), 1, &pageCaption)));
    }
    html += QStringLiteral("<section>\n<h2>%1</h2>\n").arg(Esc(QCoreApplication::translate("Varnel", "Кто лучше")));
    if (!blocks.empty() && blocks.front().kind == VerdictBlock::Kind::Strip)
        html += StripsSvg(v, input.view);  // the strips in one picture
    for (const VerdictBlock &b : blocks)
        if (b.kind == VerdictBlock::Kind::Sentence)
            html += QStringLiteral("<p>%1</p>\n").arg(Esc(b.text));
    for (const VerdictBlock &b : blocks)
        if (b.kind == VerdictBlock::Kind::Table)
            html += Table(b.table);
    html += QStringLiteral("</section>\n</body>\n</html>\n");
    return html.toUtf8();
}
