// The browser engine's render process dies while a page shows (killed from outside): the
// reading window's next-page command shows its page all the same, and what the reader
// had (the notes list, the page position) is kept.
#include "EngineView.h"
#include "ScriptedDialogs.h"
#include "app/KetabApplication.h"
#include "app/ReaderState.h"
#include "app/TWebBrowser.h"
#include "reader/TMainForm.h"
#include "reader/TNoteEntry.h"
#include "reader/TestReaderBook.h"
#include <QLabel>
#include <QListWidget>
#include <QSignalSpy>
#include <QtTest>
#include <csignal>
#include <memory>
#include <optional>

class TestRenderProcess : public QObject {
    Q_OBJECT
    TTestReaderBook book;
    QTemporaryDir temp;
    TMainForm *form = nullptr;
    TScriptedDialogs *dialogs = nullptr;

    QString ShownFile() const { return form->PageBrowser->Url().fileName(); }
    // The shown document's title as the engine has it; empty when it does not answer.
    QString Title()
    {
        auto answer = std::make_shared<std::optional<QString>>();
        EngineView(form->PageBrowser)->page()->runJavaScript(QStringLiteral("document.title"),
                                                 [answer](const QVariant &v) { *answer = v.toString(); });
        QElapsedTimer clock;
        clock.start();
        while (!answer->has_value() && clock.elapsed() < 5000) QTest::qWait(20);
        return answer->value_or(QString());
    }
    // Waits until the view has shown `file` and the engine answers for it.
    bool Shows(const QString &file)
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 20000) {
            if (ShownFile() == file && !EngineView(form->PageBrowser)->page()->isLoading()
                && Title() == QStringLiteral("صفحه ") + QString::number(ReaderState.CurPage))
                return true;
            QTest::qWait(50);
        }
        return false;
    }

private slots:
    void initTestCase()
    {
        dialogs = TScriptedDialogs::Install();
        for (int page = 3; page <= 5; ++page) book.WritePage(1, page);
        ReaderState.AppFolder = book.Folder();
        form = new TMainForm;
        ReaderState.TempFolder = temp.path() + u'/';
        form->show();
    }

    void nextPageAfterTheRenderProcessWasKilled()
    {
        ReaderState.CurSection = 1;
        ReaderState.CurPage = 1;
        ReaderState.ContentsMode = ReaderState.IndexMode = false;
        form->RefreshPage->trigger();
        QVERIFY(Shows(QStringLiteral("p010001.htm")));
        form->InsertBM->trigger();
        // Twice in a row, so the view's own reload after a crash is not what saves the page.
        for (int page = 2; page <= 4; ++page) {
            QWebEnginePage *view = EngineView(form->PageBrowser)->page();
            const qint64 pid = view->renderProcessPid();
            QVERIFY(pid > 0);
            QSignalSpy died(view, &QWebEnginePage::renderProcessTerminated);
            QVERIFY(kill(pid_t(pid), SIGKILL) == 0);
            QVERIFY(died.wait(15000));
            form->NextPage->trigger();
            QVERIFY2(Shows(QStringLiteral("p01000%1.htm").arg(page)), qPrintable(ShownFile()));
            QVERIFY(EngineView(form->PageBrowser)->page()->renderProcessPid() != pid);
            QCOMPARE(ReaderState.CurPage, page);
            QVERIFY(form->InfoLabel->text().startsWith(QStringLiteral("صفحه: %1 ").arg(page)));
        }
        QCOMPARE(form->BookMarks(), QStringList{TNoteEntry::Compose(1, 1)});
        QVERIFY2(dialogs->Messages.isEmpty(), qPrintable(dialogs->Messages.join(u'\n')));
    }
};

int main(int argc, char **argv)
{
    TKetabApplication app(argc, argv);
    TestRenderProcess test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_renderprocess.moc"
