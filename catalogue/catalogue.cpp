#include "catalogue/catalogue.h"

QList<AircraftPtr> Catalogue::Aircraft() const
{
    QList<AircraftPtr> read;
    read.reserve(entries_.size());
    for (const CatalogueEntry &entry : entries_)
        if (entry.aircraft)
            read.append(entry.aircraft);
    return read;
}

const CatalogueEntry *Catalogue::Find(const QString &name) const
{
    for (const CatalogueEntry &entry : entries_)
        if (entry.name == name)
            return &entry;
    return nullptr;
}

int Catalogue::ReadCount() const
{
    int count = 0;
    for (const CatalogueEntry &entry : entries_)
        count += entry.aircraft ? 1 : 0;
    return count;
}

QString Catalogue::FailureText() const
{
    // At most this many failures are listed one by one.
    constexpr int kListed = 20;
    QStringList lines;
    int failed = 0;
    for (const CatalogueEntry &entry : entries_)
        if (!entry.aircraft && ++failed <= kListed)
            lines.append(entry.failure);
    if (failed > kListed)
        lines.append(QStringLiteral("... and %1 more").arg(failed - kListed));
    return lines.join(u'\n');
}
