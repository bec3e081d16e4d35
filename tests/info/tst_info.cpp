// The help and credits screens.
#include "app/Dialogs.h"
#include "app/ReaderState.h"
#include "app/TMenuForm.h"
#include "EngineView.h"
#include "info/TCreditsForm.h"
#include "info/THelpForm.h"
#include "reader/TMainForm.h"
#include "widgets/TImage32.h"
#include "widgets/TQuelConnectLabel.h"
#include "skin/TsuiImageButton.h"
#include <QLabel>
#include <QDesktopServices>
#include <QtTest>

namespace {
// Stands in for the desktop's web browser and mail program.
class TUrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> Opened;
public slots:
    void Open(const QUrl &url) { Opened << url; }
};

void Press(TsuiImageButton *button) { QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(3, 3)); }

// The columns of a label's drawn text (its pixels that are not see-through).
std::pair<int, int> InkColumns(QWidget *label)
{
    QImage image(label->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    label->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    int left = image.width(), right = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 128) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    return {left, right};
}
}

class TestInfo : public QObject {
    Q_OBJECT
    QTemporaryDir fonts;

private slots:
    void initTestCase()
    {
        qputenv("XDG_DATA_HOME", fonts.path().toLocal8Bit());
        new TMenuForm;
        ReaderState.AppFolder = QStringLiteral(KETAB_BOOK_DIR) + u'/';
        new TMainForm;
        new THelpForm;
        new TCreditsForm;
    }

    void helpOpenedTwiceIsTheSameWindowWhereItWasLeft()
    {
        bool loaded = false;
        HelpForm->PageBrowser->OnDownloadComplete = [&](TWebBrowser *) { loaded = true; };
        MenuForm->show();
        HelpForm->OpenHelp(MenuForm);
        QTRY_VERIFY_WITH_TIMEOUT(loaded, 20000);
        QVERIFY(MenuForm->isEnabled());
        QVERIFY(HelpForm->PageBrowser->LocationURL().endsWith(QStringLiteral("help.htm")));
        // Follow a link inside the help, then open the help again from elsewhere.
        loaded = false;
        QUrl inside = QUrl::fromLocalFile(HelpForm->HelpFile());
        inside.setFragment(QStringLiteral("notes"));
        EngineView(HelpForm->PageBrowser)->load(inside);
        QTRY_VERIFY_WITH_TIMEOUT(HelpForm->PageBrowser->LocationURL().endsWith(QStringLiteral("#notes")), 20000);
        const QPoint place = HelpForm->pos();
        HelpForm->OpenHelp(MenuForm);
        QCOMPARE(HelpForm->pos(), place);
        QVERIFY(HelpForm->PageBrowser->LocationURL().endsWith(QStringLiteral("#notes")));
        HelpForm->DirButtonClick();
        QTRY_VERIFY_WITH_TIMEOUT(HelpForm->PageBrowser->LocationURL().endsWith(QStringLiteral("help.htm")), 20000);
        HelpForm->ReturnButtonClick();
        QVERIFY(!HelpForm->isVisible());
    }

    void creditsCloseOnAClickAndReEnableTheMenu()
    {
        MenuForm->show();
        MenuForm->setEnabled(false);
        CreditsForm->show();
        QCOMPARE(CreditsForm->size(), QSize(402, 366));
        QTest::mouseClick(CreditsForm->BackImage, Qt::LeftButton, {}, QPoint(200, 200));
        QVERIFY(!CreditsForm->isVisible());
        QVERIFY(MenuForm->isEnabled());
    }

    // A click on a link opens it and leaves the credits open; the links are white.
    void linksOpenAndKeepTheCredits()
    {
        TUrlCatcher desktop;
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &desktop, "Open");
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &desktop, "Open");
        MenuForm->show();
        Press(MenuForm->CreditsButton);
        QVERIFY(QTest::qWaitForWindowExposed(CreditsForm));
        for (TQuelConnectLabel *link : {CreditsForm->WebLabel, CreditsForm->MailLabel}) {
            const QPoint middle = link->rect().center();
            QTest::mouseClick(link, Qt::LeftButton, {}, middle);
            QVERIFY(CreditsForm->isVisible());
            QVERIFY(!MenuForm->isEnabled());
        }
        QCOMPARE(desktop.Opened.size(), 2);
        QCOMPARE(desktop.Opened[0].scheme(), QStringLiteral("http"));
        QCOMPARE(desktop.Opened[1].scheme(), QStringLiteral("mailto"));
        const QImage shot = CreditsForm->WebLabel->grab().toImage();
        bool white = false;
        for (int y = 0; y < shot.height() && !white; ++y)
            for (int x = 0; x < shot.width() && !white; ++x) white = shot.pixelColor(x, y) == QColor(Qt::white);
        QVERIFY(white);
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
        // Outside the links a click closes them.
        QTest::mouseClick(CreditsForm->BackImage, Qt::LeftButton, {}, QPoint(200, 200));
        QVERIFY(!CreditsForm->isVisible());
        QVERIFY(MenuForm->isEnabled());
    }

    // The credits keep their size: their border shows no sizing cursor and sizes nothing.
    void creditsAreFixedSize()
    {
        MenuForm->show();
        Press(MenuForm->CreditsButton);
        QVERIFY(QTest::qWaitForWindowExposed(CreditsForm));
        QWindow *window = CreditsForm->windowHandle();
        const auto send = [window](QEvent::Type type, QPoint pos, Qt::MouseButtons buttons) {
            QMouseEvent event(type, QPointF(pos), QPointF(window->mapToGlobal(pos)),
                              type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, Qt::NoModifier);
            QApplication::sendEvent(window, &event);
        };
        const QPoint corner(401, 365);
        for (QPoint edge : {QPoint(401, 200), QPoint(0, 200), QPoint(200, 365), QPoint(200, 0), corner}) {
            send(QEvent::MouseMove, edge, Qt::NoButton);
            QVERIFY(!QGuiApplication::overrideCursor());
        }
        send(QEvent::MouseButtonPress, corner, Qt::LeftButton);
        send(QEvent::MouseMove, corner + QPoint(40, 30), Qt::LeftButton);
        send(QEvent::MouseButtonRelease, corner + QPoint(40, 30), Qt::NoButton);
        QCOMPARE(CreditsForm->size(), QSize(402, 366));
        QVERIFY(CreditsForm->isVisible());
        QTest::mouseClick(CreditsForm->BackImage, Qt::LeftButton, {}, QPoint(200, 200));
        QVERIFY(!CreditsForm->isVisible());
    }

    // The right column's Persian captions end at the column's right edge.
    void rightColumnIsFlushRight()
    {
        int labels = 0, narrower = 0;
        for (QLabel *label : CreditsForm->BackImage->findChildren<QLabel *>()) {
            if (label->x() < 190 || qobject_cast<TQuelConnectLabel *>(label)) continue;
            const auto [left, right] = InkColumns(label);
            QVERIFY2(right >= label->width() - 4, qPrintable(label->text()));
            ++labels;
            if (left > 20) ++narrower;  // where the alignment shows
        }
        QCOMPARE(labels, 10);
        QVERIFY(narrower >= 5);
    }

    void linksOpenWebAndMail()
    {
        QCOMPARE(CreditsForm->WebLabel->AddressStyle(), asHttp);
        QVERIFY(CreditsForm->WebLabel->Target().startsWith(QStringLiteral("http://")));
        QCOMPARE(CreditsForm->MailLabel->AddressStyle(), asMail);
        QVERIFY(CreditsForm->MailLabel->Target().startsWith(QStringLiteral("mailto:")));
        QVERIFY(CreditsForm->MailLabel->text().startsWith(QStringLiteral("e-mail: ")));
    }
};

QTEST_MAIN(TestInfo)
#include "tst_info.moc"
