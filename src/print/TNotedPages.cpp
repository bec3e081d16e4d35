#include "print/TNotedPages.h"
#include "app/ReaderState.h"
#include "app/WindowProtocol.h"
#include "print/TPreviewForm.h"
#include "print/TPrintDocument.h"
#include "print/TPrintForm.h"
#include "reader/TMainForm.h"
#include "reader/TNoteEntry.h"
#include <QListWidget>

QString TNotedPages::PageFileOf(const QString &entry)
{
    // The digits are joined as written, once they are known to be digits.
    TNoteEntry::Section(entry);
    TNoteEntry::Page(entry);
    return ReaderState.AppFolder + QStringLiteral("datas/p") + TNoteEntry::SectionDigits(entry)
           + TNoteEntry::PageDigits(entry) + QStringLiteral(".htm");
}

QStringList TNotedPages::PageFiles()
{
    QStringList files;
    if (!MainForm || !MainForm->BookMarkBox) return files;
    for (int i = 0; i < MainForm->BookMarkBox->count(); ++i)
        files << PageFileOf(MainForm->BookMarkBox->item(i)->text());
    return files;
}

void TNotedPages::PrintFromNotesPanel()
{
    if (!MainForm || MainForm->BookMarkBox->count() == 0) return;
    const QString document = TPrintDocument::Compose(PageFiles(), ReaderState.AppFolder, {}, TPrintForm::Dress());
    TPrintDocument::Save(document, ReaderState.TempFolder);
    PreviewForm->OpenDocument(MainForm);
}
