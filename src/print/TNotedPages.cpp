#include "print/TNotedPages.h"
#include "app/Errors.h"
#include "app/ReaderState.h"
#include "print/TPreviewForm.h"
#include "print/TPrintDocument.h"
#include "reader/TMainForm.h"
#include <QListWidget>

namespace {
QString Digits(const QString &entry, int from, int count)
{
    const QString digits = entry.mid(from, count);
    bool ok = digits.size() == count;
    for (QChar c : digits) ok = ok && c >= u'0' && c <= u'9';
    if (!ok) throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(digits));
    return digits;
}
}

QString TNotedPages::PageFileOf(const QString &entry)
{
    // Characters 6-7 hold the section and 18-21 the page (1-based).
    return ReaderState.AppFolder + QStringLiteral("datas/p") + Digits(entry, 5, 2) + Digits(entry, 17, 4)
           + QStringLiteral(".htm");
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
    const QString document = TPrintDocument::Compose(PageFiles(), ReaderState.AppFolder);
    TPrintDocument::Save(document, ReaderState.TempFolder);
    PreviewForm->show();
}
