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
