#include "marks/TMarksTransfer.h"
#include "app/Dialogs.h"
#include "app/Errors.h"
#include "app/ReaderState.h"
#include "app/ScratchText.h"
#include "marks/TCitation.h"
#include "marks/TMarkAnchor.h"
#include "marks/TMarkExport.h"
#include "marks/TMarkStore.h"
#include "marks/TMarkedHtml.h"
#include "marks/TReaderMarks.h"
#include "reader/TMainForm.h"
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>

TMarksTransfer::TMarksTransfer(TReaderMarks &marks) : FMarks(marks) {}

void TMarksTransfer::Export(TMarksPanel::TFormat format, const QList<TMark> &marks)
{
    const QString caption = QStringLiteral("كتاب");
    if (marks.isEmpty()) {
        Dialogs().ShowMessage(tr("There are no marks to export."), caption, QMessageBox::Information);
        return;
    }
    static const char *const Filters[] = {QT_TR_NOOP("Markdown (*.md)"), QT_TR_NOOP("HTML (*.html)"),
                                          QT_TR_NOOP("Web Annotation (*.jsonld)")};
    const QString name = Dialogs().SaveFileName(&FMarks.Form(), tr(Filters[format]));
    if (name.isEmpty()) return;
    const TCitationNames names = TCitationNames::OfBook();
    const QByteArray bytes = format == TMarksPanel::efMarkdown ? TMarkExport::Markdown(marks, names).toUtf8()
                             : format == TMarksPanel::efHtml   ? TMarkExport::Html(marks, names).toUtf8()
                                                               : TMarkExport::WebAnnotation(marks, names);
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        Dialogs().ShowMessage(tr("The marks could not be written to %1: %2").arg(name, file.errorString()), caption);
}

void TMarksTransfer::Import()
{
    const QString caption = QStringLiteral("كتاب");
    const QString name = Dialogs().OpenFileName(&FMarks.Form(), tr("Web Annotation (*.jsonld *.json)"));
    if (name.isEmpty()) return;
    QFile file(name);
    if (QFileInfo(name).size() > MaxImportBytes) {
        Dialogs().ShowMessage(tr("%1 is too large to be a file of marks; nothing was changed.").arg(name), caption);
        return;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        Dialogs().ShowMessage(tr("%1 could not be read: %2").arg(name, file.errorString()), caption);
        return;
    }
    const TImported read = TMarkExport::Import(file.read(MaxImportBytes + 1));
    if (!read.Error.isEmpty()) {
        Dialogs().ShowMessage(tr("%1 holds no marks that can be brought in: %2 Nothing was changed.").arg(name, read.Error),
                              caption);
        return;
    }
    QHash<int, QString> texts;
    int notFound = 0;
    const QList<TMark> marks = Refound(read.Marks, [&texts](int page) {
        if (!texts.contains(page)) texts.insert(page, PageText(page));
        return texts.value(page);
    }, &notFound);
    const int merged = FMarks.Store().Merge(marks);
    // Persian counts without plural forms: one message for every number.
    QString said = tr("Marks brought in: %1.").arg(merged);
    if (notFound) said += u' ' + tr("Passages not found on their pages, their marks kept: %1.").arg(notFound);
    if (read.Skipped) said += u' ' + tr("Annotations of other pages or without a quote, passed over: %1.").arg(read.Skipped);
    Dialogs().ShowMessage(said, caption, QMessageBox::Information);
}

QList<TMark> TMarksTransfer::Refound(QList<TMark> marks, const std::function<QString(int)> &pageText, int *notFound)
{
    int lost = 0;
    for (TMark &m : marks) {
        const QString text = pageText(m.Page);
        const TMarkAnchor::TFound found = text.isEmpty() ? TMarkAnchor::TFound{false, 0, 0} : TMarkAnchor::Find(m, text);
        if (found.Found) {
            m.Start = found.Start;
            m.End = found.End;
        } else {
            ++lost;
        }
    }
    if (notFound) *notFound = lost;
    return marks;
}

QString TMarksTransfer::PageText(int page)
{
    const int section = SectionOf(page);
    if (!section) return QString();
    TScratchText file;
    try {
        file.LoadFromFile(PageFile(section, page));
    } catch (const EFileError &) {
        return QString();
    }
    return TMarkedHtml::Text(file.Text());
}
