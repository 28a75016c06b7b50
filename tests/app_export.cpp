#include <QTest>
class AppExport : public QObject { Q_OBJECT };
QTEST_MAIN(AppExport)
#include "app_export.moc"
