#pragma once
// The catalogue: every aircraft of a data folder's DataSpeed in the trees' order, each
// read into its value or, where it can't be read, kept with its located failure. The
// scan makes it once and nothing changes it after; the trees show it, the command line
// and the ranking read it.
#include "catalogue/aircraft.h"

#include <QList>
#include <QString>

#include <memory>

struct CatalogueEntry {
    QString name;          // as the trees show it
    FileName fileName;     // the bytes its files are named by
    AircraftPtr aircraft;  // null when it can't be read
    QString failure;       // the error box's text of why not (empty when it was read)
};

class Catalogue {
public:
    Catalogue() = default;
    explicit Catalogue(QList<CatalogueEntry> entries) : entries_(std::move(entries)) {}

    // Every aircraft, read or not, in the trees' order.
    const QList<CatalogueEntry> &Entries() const { return entries_; }
    // The aircraft that were read, in the same order.
    QList<AircraftPtr> Aircraft() const;
    // The entry named name exactly as the trees name it, or null.
    const CatalogueEntry *Find(const QString &name) const;
    // How many were read.
    int ReadCount() const;
    // The one error box's text of the entries that can't be read: their failures one a
    // line in the trees' order (the first 20, then how many more); empty when all were
    // read.
    QString FailureText() const;

private:
    QList<CatalogueEntry> entries_;
};
using CataloguePtr = std::shared_ptr<const Catalogue>;
