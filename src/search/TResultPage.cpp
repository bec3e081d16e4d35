#include "search/TResultPage.h"
#include "app/Errors.h"
#include "app/PageMarker.h"
#include "app/ReaderState.h"
#include "app/ScratchText.h"

QString TResultPage::ResultLine(int page, const QString &sectionTitle)
{
    return QStringLiteral(" ") + QStringLiteral("صفحه:") + QStringLiteral(" ") + PageNo4(page) + QStringLiteral(" - ")
        + sectionTitle;
}

int TResultPage::PageOfLine(const QString &line)
{
    return StrToInt(line.mid(7, 4));
}

void TResultPage::Write(TScratchText &buffer, const QString &pageFile, const QStringList &terms, int findOptions,
                        const QString &appFolder, const QString &tempFolder)
{
    buffer.LoadFromFile(pageFile);
    const QString marked = TPageMarker::MarkTerms(buffer.Text(), terms, findOptions, MarkColor());
    buffer.SetText(TPageMarker::RewritePictureRefs(marked, appFolder));
    buffer.SaveToTempFolder(tempFolder, FileName());
}
