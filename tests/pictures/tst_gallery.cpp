// The picture gallery and viewer on the sample book, through the real windows.
#include "app/Dialogs.h"
#include "app/Errors.h"
#include "app/ReaderState.h"
#include "app/TMenuForm.h"
#include "pictures/TGalleryItems.h"
#include "pictures/TPicGalleryForm.h"
#include "pictures/TShowPicForm.h"
#include "reader/TMainForm.h"
#include "widgets/TImage32.h"
#include <QListWidget>
#include <QtTest>

namespace {
class TScriptedDialogs : public TDialogs {
public:
    QStringList Messages;
    void Beep() override {}
    void ShowMessage(const QString &text, const QString &, QMessageBox::Icon) override { Messages << text; }
    int Exec(QDialog *) override { return QDialog::Rejected; }
};

QSize PictureSize(const QString &file)
{
    return QImage(file).size();
}
}

class TestGallery : public QObject {
    Q_OBJECT
    QTemporaryDir fonts;
    TScriptedDialogs *dialogs = nullptr;

    int Row() const { return PicGalleryForm->GalleryListBox->currentRow(); }
    QSize Shown() const
    {
        TBitmap32 &b = PicGalleryForm->Picture->Bitmap();
        return QSize(b.Width(), b.Height());
    }

private slots:
    void initTestCase()
    {
        qputenv("XDG_DATA_HOME", fonts.path().toLocal8Bit());
        auto d = std::make_unique<TScriptedDialogs>();
        dialogs = d.get();
        SetDialogs(std::move(d));
        new TMenuForm;
        ReaderState.AppFolder = QStringLiteral(KETAB_BOOK_DIR) + u'/';
        new TMainForm;
        new TPicGalleryForm;
        new TShowPicForm;
        ReaderState.FillSectionTable();
    }

    void itemsFollowTheirForm()
    {
        const QStringList items = TGalleryItems::Items();
        QCOMPARE(items.size(), 39);
        for (const QString &item : items) {
            QVERIFY(item.startsWith(QStringLiteral("شكل ")));
            QVERIFY(item.endsWith(QLatin1Char(' ')));
            QVERIFY(item.contains(QStringLiteral(" صفحه")));
        }
        QCOMPARE(TGalleryItems::PageOf(items[0]), 2144);
        QCOMPARE(TGalleryItems::PageOf(items[13]), 2824);  // extra characters before the digits
        QVERIFY(!items[13].contains(QStringLiteral("صفحه 2824")));
        QCOMPARE(TGalleryItems::PageOf(items[30]), 3693);
        QVERIFY(items[30].startsWith(QStringLiteral("شكل 31 و 32.")));
        // Exactly two items have a zero-width non-joiner right before their page's digits.
        QList<int> joined;
        for (int i = 0; i < items.size(); ++i)
            if (items[i].at(items[i].size() - 6) == QChar(0x200C)) joined << i;
        QCOMPARE(joined, QList<int>({5, 21}));
        QCOMPARE(TGalleryItems::PageOf(items[5]), 2292);
        QCOMPARE(TGalleryItems::PageOf(items[21]), 2991);
        QVERIFY_THROWS_EXCEPTION(EConvertError, TGalleryItems::PageOf(QStringLiteral("شكل 1. بی صفحه abcd ")));
    }

    void firstShowingSelectsFigureOne()
    {
        MenuForm->show();
        MenuForm->setEnabled(false);
        PicGalleryForm->show();
        QCOMPARE(Row(), 0);
        QCOMPARE(Shown(), PictureSize(PicGalleryForm->PictureFile(0)));
        QVERIFY(dialogs->Messages.isEmpty());
    }

    void navigatorStaysInsideTheList()
    {
        const int last = PicGalleryForm->GalleryListBox->count() - 1;
        PicGalleryForm->NavigatorButtonClick(nullptr, btStep);  // previous at the first item
        QCOMPARE(Row(), 0);
        PicGalleryForm->NavigatorButtonClick(nullptr, btBack);  // next
        QCOMPARE(Row(), 1);
        QCOMPARE(Shown(), PictureSize(PicGalleryForm->PictureFile(1)));
        PicGalleryForm->NavigatorButtonClick(nullptr, btPrev);  // to the last
        QCOMPARE(Row(), last);
        PicGalleryForm->NavigatorButtonClick(nullptr, btBack);  // next at the last item
        QCOMPARE(Row(), last);
        QCOMPARE(Shown(), PictureSize(PicGalleryForm->PictureFile(last)));
        PicGalleryForm->NavigatorButtonClick(nullptr, btNext);  // to the first
        QCOMPARE(Row(), 0);
    }

    void viewerShowsNaturalSizeAndReturns()
    {
        PicGalleryForm->GalleryListBox->setCurrentRow(5);  // figure 6, larger than a screen
        PicGalleryForm->PictureClick();
        QVERIFY(ShowPicForm->isVisible());
        QVERIFY(!PicGalleryForm->isEnabled());
        const QSize natural = PictureSize(PicGalleryForm->PictureFile(5));
        QVERIFY(natural.width() > 1920);
        QCOMPARE(ShowPicForm->size(), natural);
        QTest::mouseClick(ShowPicForm->Picture, Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(!ShowPicForm->isVisible());
        QVERIFY(PicGalleryForm->isEnabled());
        QCOMPARE(Row(), 5);
    }

    // A click on an item whose picture is missing: the message names the file, the
    // clicked item is current and highlighted, the old picture stays, the next click works.
    void brokenPictureKeepsTheGalleryUsable()
    {
        QListWidget *list = PicGalleryForm->GalleryListBox;
        const auto clickItem = [list](int row) {
            list->scrollToItem(list->item(row));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
        };
        clickItem(6);
        const QSize before = Shown();
        QCOMPARE(before, PictureSize(PicGalleryForm->PictureFile(6)));
        const QString saved = PicGalleryForm->PicMemo[7];
        PicGalleryForm->PicMemo[7] = QStringLiteral("no-such-picture");
        dialogs->Messages.clear();
        clickItem(7);
        QCOMPARE(dialogs->Messages.size(), 1);
        QVERIFY2(dialogs->Messages.first().contains(QStringLiteral("no-such-picture.jpg")), qPrintable(dialogs->Messages.first()));
        QCOMPARE(Row(), 7);
        QCOMPARE(list->selectedItems(), QList<QListWidgetItem *>{list->item(7)});
        QCOMPARE(Shown(), before);
        PicGalleryForm->PicMemo[7] = saved;
        clickItem(8);
        QCOMPARE(Row(), 8);
        QCOMPARE(list->selectedItems(), QList<QListWidgetItem *>{list->item(8)});
        QCOMPARE(Shown(), PictureSize(PicGalleryForm->PictureFile(8)));
        QCOMPARE(dialogs->Messages.size(), 1);
    }

    void gotoOpensThePageInTheReadingWindow()
    {
        PicGalleryForm->GalleryListBox->setCurrentRow(30);  // figures 31 and 32
        PicGalleryForm->GotoButtonClick();
        QCOMPARE(ReaderState.CurPage, 3693);
        QCOMPARE(ReaderState.CurSection, 5);
        QVERIFY(!PicGalleryForm->isVisible());
        QVERIFY(!MenuForm->isVisible());
        QVERIFY(MenuForm->isEnabled());
        QVERIFY(MainForm->isVisible());

        MainForm->hide();
        MenuForm->show();
        PicGalleryForm->show();
        PicGalleryForm->GalleryListBox->setCurrentRow(0);
        PicGalleryForm->GalleryListBoxDblClick();
        QCOMPARE(ReaderState.CurPage, 2144);
        QCOMPARE(ReaderState.CurSection, 4);
    }
};

QTEST_MAIN(TestGallery)
#include "tst_gallery.moc"
