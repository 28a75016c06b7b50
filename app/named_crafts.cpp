#include "app/named_crafts.h"

#include "app/application.h"
#include "catalogue/readers.h"
#include "core/error.h"

#include <QDir>
#include <QMap>

namespace {
// The message of an aircraft's error names the aircraft.
QString Naming(const QString &name, const QString &message)
{
    return message.contains(name) ? message : name + QStringLiteral(": ") + message;
}
}  // namespace

NamedCrafts ReadNamedCrafts(const QString &dataDir, const QString &first, const QString &second)
{
    NamedCrafts crafts;
    if (first.isEmpty() && second.isEmpty())
        return crafts;
    const QString root = QDir(dataDir.isEmpty() ? QDir::currentPath() : dataDir).absolutePath();
    // Files are opened by the bytes the file system names them with, as the window does.
    const DataPaths paths{dataDir.isEmpty() ? CurrentDirectory() : AbsoluteFileName(LocateFileName(dataDir))};
    QMap<QString, FileName> known;  // aircraft as the trees name them
    try {
        for (const auto &entry : ListSpeedEntries(paths)) {
            const FileName name = CraftNameOf(FileName::FromBytes(entry));
            known.insert(name, name);
        }
    } catch (const VarnelError &) {
        // No DataSpeed to look in: every name given is unknown.
    }
    const QString names[2] = {first, second};
    std::optional<CraftRecord> *targets[2] = {&crafts.first, &crafts.second};
    for (int i = 0; i < 2; ++i) {
        if (names[i].isEmpty())
            continue;
        if (!known.contains(names[i])) {
            const QString speedDir = QDir::cleanPath((dataDir.isEmpty() ? root : dataDir) + QStringLiteral("/DataSpeed"));
            throw VarnelError(QStringLiteral("no aircraft \"%1\" in %2").arg(names[i], QDir::toNativeSeparators(speedDir)));
        }
        try {
            // The pictures show no armament: it is not read.
            targets[i]->emplace(ReadCraft(paths, known.value(names[i]), Armament::Skip));
        } catch (const VarnelError &error) {
            throw VarnelError(OneLineMessage(Naming(names[i], ErrorBoxText(error.message()))));
        }
    }
    return crafts;
}
