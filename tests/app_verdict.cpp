#include <QTest>
class AppVerdict : public QObject { Q_OBJECT };
QTEST_MAIN(AppVerdict)
#include "app_verdict.moc"
