#include "pictures/report_parts.h"

#include "pages/comparison_pages.h"
#include "pages/verdict_page.h"
#include "core/error.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>

ReportPages OpenComparison(const ReportInput &input)
{
    ReportPages out{std::make_unique<ComparisonPages>(input.view), {}, {}};
    ComparisonPages *pages = out.pages.get();
    pages->SetAdvantageShown(input.advantage);
    try {
        pages->SetComparison(input.first, input.second, input.flaps);
    } catch (const VarnelError &error) {
        throw VarnelError(OneLineErrorText(error.message()));
    }
    for (const auto &[row, page] : pages->Pages()) {
        if (!row->InReport())
            continue;
        out.charts << page;
        out.names << pages->tabText(pages->indexOf(page));
    }
    return out;
}

PictureCaption ReportCaption(const ReportInput &input, const QString &page)
{
    PictureCaption caption;
    caption.first = input.first ? input.first->name : QString();
    caption.second = input.second ? input.second->name : QString();
    caption.flaps = input.flaps;
    caption.page = page;
    return caption;
}

QStringList ReportFacts(const ReportInput &input)
{
    QStringList flaps;
    for (int f = 0; f < 4; ++f)
        if (input.flaps.Shows(f))
            flaps << QString::number(f);
    return {QCoreApplication::translate("Varnel", "Закрылки: %1").arg(flaps.isEmpty() ? QCoreApplication::translate("Varnel", "нет") : flaps.join(QStringLiteral(", "))),
            QCoreApplication::translate("Varnel", "Папка данных: %1").arg(QDir::toNativeSeparators(input.dataFolder)),
            QCoreApplication::translate("Varnel", "Дата: %1").arg(QDate::currentDate().toString(Qt::ISODate)),
            QCoreApplication::translate("Varnel", "Программа: Varnel %1").arg(QStringLiteral(VARNEL_VERSION))};
}
