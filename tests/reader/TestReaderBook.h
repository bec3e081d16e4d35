#pragma once
// A small book folder for the reading window's tests: a few pages of sections 1 to 3,
// two tables of contents and an index page, in a folder whose path holds a dot.
#include "app/ReaderState.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

class TTestReaderBook {
public:
    TTestReaderBook() : FDir(QDir::tempPath() + QStringLiteral("/ketab.reader-XXXXXX"))
    {
        QDir(FDir.path()).mkpath(QStringLiteral("datas"));
        Write(QStringLiteral("sheet1.css"), QStringLiteral("body { font-size: 18px; }\n"));
        for (int page : {1, 2, 376, 764, 765}) WritePage(1, page);
        for (int page : {766, 767, 1311, 1312}) WritePage(2, page);
        WritePage(3, 1500);
        // The index word and a word that also occurs in the mark put around it.
        WritePage(2, 800, QStringLiteral("<p>ايران و ايرانيان؛ ايران زمين. Iran ايران</p>"));
        WritePage(2, 801, QStringLiteral("<p>nt u> font nt</p>"));
        Write(QStringLiteral("dir01.htm"), Html(QStringLiteral("فهرست جلد اول"),
            QStringLiteral("<p><a id=\"l376\" href=\"p010376.htm\">صفحه ۳۷۶</a></p>"
                           "<p><a id=\"l765\" href=\"p010765.htm\">صفحه ۷۶۵</a></p>"
                           "<p><a id=\"frag\" href=\"p010376.htm#x\">بخش</a></p>")));
        Write(QStringLiteral("dir02.htm"), Html(QStringLiteral("فهرست جلد دوم"),
            QStringLiteral("<p><a id=\"l800\" href=\"p020800.htm\">صفحه ۸۰۰</a></p>")));
        Write(QStringLiteral("ind01.htm"), Html(QStringLiteral("نمايه عمومی"),
            QStringLiteral("<p><a id=\"w\" href=\"p020800.htm#ايران\">ايران</a></p>"
                           "<p><a id=\"nt\" href=\"p020801.htm#nt\">nt</a></p>")));
    }
    // The book folder with a trailing "/".
    QString Folder() const { return FDir.path() + u'/'; }

    static QString Html(const QString &title, const QString &body)
    {
        return QStringLiteral("<html dir=\"rtl\"><head><meta charset=\"utf-8\"><title>") + title
            + QStringLiteral("</title><link rel=\"stylesheet\" href=\"sheet1.css\"></head><body><h3>") + title
            + QStringLiteral("</h3>") + body + QStringLiteral("</body></html>\r\n");
    }
    void WritePage(int section, int page, const QString &body = QString())
    {
        Write(QStringLiteral("p") + SectionNo2(section) + PageNo4(page) + QStringLiteral(".htm"),
              Html(QStringLiteral("صفحه ") + QString::number(page),
                   body.isEmpty() ? QStringLiteral("<p>متن صفحه ") + QString::number(page) + QStringLiteral("</p>") : body));
    }
    void Write(const QString &name, const QString &text)
    {
        QFile f(FDir.path() + QStringLiteral("/datas/") + name);
        if (f.open(QIODevice::WriteOnly)) f.write(text.toUtf8());
    }

private:
    QTemporaryDir FDir;
};
