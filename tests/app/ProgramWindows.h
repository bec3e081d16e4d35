#pragma once
// The whole program for tests that drive it: the nine windows made in start-up's order on
// the built book, and dialogs that answer at once (messages are kept, nothing blocks).
#include "app/Dialogs.h"
#include "app/KetabApplication.h"
#include "app/ReaderState.h"
#include "app/TMenuForm.h"
#include "app/TProgramStart.h"
#include "app/WindowProtocol.h"
#include "info/TCreditsForm.h"
#include "info/THelpForm.h"
#include "pictures/TPicGalleryForm.h"
#include "pictures/TShowPicForm.h"
#include "print/TPreviewForm.h"
#include "print/TPrintForm.h"
#include "reader/TMainForm.h"
#include "search/TSearchForm.h"
#include <QTest>

class TQuietDialogs : public TDialogs {
public:
    QStringList messages;
    QStringList questions;  // asked, each answered Cancel
    QString saveName;       // what a save dialog answers
    void Beep() override {}
    void ShowMessage(const QString &text, const QString &, QMessageBox::Icon) override { messages << text; }
    int Exec(QDialog *) override { return 0; }
    QMessageBox::StandardButton Ask(const QString &text, const QString &, QMessageBox::StandardButtons) override
    {
        questions << text;
        return QMessageBox::Cancel;
    }
    QString SaveFileName(QWidget *, const QString &) override { return saveName; }
};

// Makes the nine windows and shows the start menu; false when the program refused to
// start or the start menu did not come on screen.
inline bool MakeProgramWindows()
{
    SetDialogs(std::make_unique<TQuietDialogs>());
    // The test runs outside the book folder: point the program at the built book.
    if (!TProgramStart::CreateWindows({}, [] { ReaderState.AppFolder = QStringLiteral(KETAB_BOOK_DIR "/"); }))
        return false;
    MenuForm->show();
    return QTest::qWaitForWindowExposed(MenuForm);
}

inline QStringList &QuietMessages() { return static_cast<TQuietDialogs &>(Dialogs()).messages; }

inline void HideSecondaryWindows()
{
    for (QWidget *w : std::initializer_list<QWidget *>{SearchForm, PrintForm, PreviewForm, HelpForm, CreditsForm,
                                                      ShowPicForm, PicGalleryForm})
        w->hide();
}
