#include "platform/TPersianKeyboard.h"
#include <QtTest>

class TestPersianKeyboard : public QObject {
    Q_OBJECT
private slots:
    void findsThePersianGroup()
    {
        QCOMPARE(TPersianKeyboard::PersianGroup(QStringLiteral("rules:      evdev\nmodel:      pc105\nlayout:     us,ir\n")), 1);
        QCOMPARE(TPersianKeyboard::PersianGroup(QStringLiteral("layout:     ir\nvariant:    ,\n")), 0);
        QCOMPARE(TPersianKeyboard::PersianGroup(QStringLiteral("layout:     us,irq\n")), -1);
        QCOMPARE(TPersianKeyboard::PersianGroup(QStringLiteral("model: ir\n")), -1);
    }
    void doesNothingWithoutX11() { TPersianKeyboard::Activate(); }
};

QTEST_MAIN(TestPersianKeyboard)
#include "tst_persiankeyboard.moc"
