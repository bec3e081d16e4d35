#include "print/TPrintDocument.h"
#include "app/PageMarker.h"
#include "app/ScratchText.h"

QString TPrintDocument::Head()
{
    return QStringLiteral("<html>"
                          "<head>"
                          "<meta HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=utf-8\">"
                          "<TITLE>PRINT</TITLE>"
                          "<META NAME=\"Generator\" CONTENT=\"Orvane v2.0\">"
                          "\r\n"
                          "<LINK REL=STYLESHEET HREF=\"sheet1.css\" TYPE=\"text/css\">"
                          "\r\n"
                          "<body dir=rtl link=\"#00FFFF\" vlink=\"#00FFFF\" alink=\"#00FFFF\">"
                          "\r\n");
}

QString TPrintDocument::Tail() { return QStringLiteral("</body></html>"); }

QString TPrintDocument::PageBody(const QString &pageFile, const QString &appFolder)
{
    TScratchText page;
    page.LoadFromFile(pageFile);
    for (int i = 0; i < HeadLines; ++i) page.DeleteLine(0);
    page.DeleteLine(page.LineCount() - 1);
    return TPageMarker::RewritePictureRefs(page.Text(), appFolder);
}

QString TPrintDocument::Compose(const QStringList &pageFiles, const QString &appFolder,
                                const std::function<void(int)> &progress, const TDress &dress)
{
    QString body;
    int n = 0;
    for (const QString &file : pageFiles) {
        body += dress ? dress(file, PageBody(file, appFolder)) : PageBody(file, appFolder);
        if (progress) progress(++n);
    }
    return Head() + body + Tail();
}

void TPrintDocument::Save(const QString &document, const QString &tempFolder)
{
    TScratchText buffer;
    buffer.SetText(document);
    buffer.SaveToTempFolder(tempFolder, QStringLiteral("print.htm"));
}
