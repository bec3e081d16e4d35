// A window's first show prepared while it stays hidden: its native window made, every
// control laid out, shown and painted once, no FormShow or FormHide, and the later real
// show as usual.
#include "app/TForm.h"
#include <QLabel>
#include <QVBoxLayout>
#include <QtTest>

namespace {
class TCountingForm : public TForm {
public:
    int Shows = 0;
    int Hides = 0;

protected:
    void FormShow() override { ++Shows; }
    void FormHide() override { ++Hides; }
};

// A control that counts its show and paint events.
class TCountingControl : public QLabel {
public:
    using QLabel::QLabel;
    int Shows = 0;
    int Paints = 0;

protected:
    void showEvent(QShowEvent *event) override
    {
        ++Shows;
        QLabel::showEvent(event);
    }
    void paintEvent(QPaintEvent *event) override
    {
        ++Paints;
        QLabel::paintEvent(event);
    }
};
}

class TestForm : public QObject {
    Q_OBJECT
private slots:
    void firstShowIsPreparedUnseen()
    {
        TCountingForm form;
        form.resize(300, 200);
        auto *control = new TCountingControl(QStringLiteral("متن"), &form);
        auto *layout = new QVBoxLayout(&form);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(control);
        QVERIFY(!form.testAttribute(Qt::WA_WState_Created));

        form.PrepareFirstShow();
        QVERIFY(!form.isVisible());
        QVERIFY(form.testAttribute(Qt::WA_WState_Created));  // the native window is made
        QVERIFY(!form.testAttribute(Qt::WA_DontShowOnScreen));
        QCOMPARE(control->Shows, 1);
        QVERIFY(control->Paints >= 1);
        QCOMPARE(control->geometry().size(), QSize(300, 200));  // laid out
        QCOMPARE(form.Shows, 0);
        QCOMPARE(form.Hides, 0);

        // The real show: on screen, FormShow runs once.
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.Shows, 1);
        QCOMPARE(control->Shows, 2);

        // A visible window is left alone.
        form.PrepareFirstShow();
        QVERIFY(form.isVisible());
        QCOMPARE(form.Hides, 0);
        QCOMPARE(control->Shows, 2);
    }
};

QTEST_MAIN(TestForm)
#include "tst_form.moc"
