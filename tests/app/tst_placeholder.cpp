#include <QtTest>
class TestPlaceholder : public QObject { Q_OBJECT private slots: void builds() { QVERIFY(true); } };
QTEST_MAIN(TestPlaceholder)
#include "tst_placeholder.moc"
