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
#include <QtTest>

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
        HelpForm->OpenHelp();
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
        HelpForm->OpenHelp();
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
