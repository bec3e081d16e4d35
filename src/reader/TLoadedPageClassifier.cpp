#include "reader/TLoadedPageClassifier.h"
#include "app/Errors.h"
#include "app/ReaderState.h"
#include <QUrl>

namespace {
using TResult = TLoadedPageClassifier::TResult;

bool IsKey(const QString &key, const char *lower, const char *upper)
{
    return key == QLatin1String(lower) || key == QLatin1String(upper);
}

// The page and section digits before the dot, or lpIgnored when the name cannot be a
// book page. name is the file name followed by "#" and the fragment when there is one.
TResult BookPage(const QString &name, qsizetype dot, bool fragmentStops, TLoadedPageClassifier::TKind kind)
{
    TResult r;
    r.Kind = TLoadedPageClassifier::lpIgnored;
    if (dot < 0) return r;
    const auto at = [&](qsizetype i) { return i >= 0 && i < name.size() ? name.at(i) : QChar(); };
    static const QString notBeforeDot = QStringLiteral("gtepdGTEPD");
    const QChar before = at(dot - 1);
    if (!before.isNull() && notBeforeDot.contains(before)) return r;
    if (at(dot - 3) == u'b' || at(dot - 3) == u'B') return r;
    if (fragmentStops && at(dot + 4) == u'#') return r;
    const auto number = [&](qsizetype from, int count) {
        return StrToInt(from >= 0 ? name.mid(from, count) : QString());
    };
    const int page = number(dot - 4, 4);
    const int section = number(dot - 6, 2);
    // A section outside the book would index past the section table.
    if (section < 1 || section > SectionCount) return r;
    r.Kind = kind;
    r.Page = page;
    r.Section = section;
    if (kind == TLoadedPageClassifier::lpIndexLink) r.Word = name.mid(dot + 5);
    return r;
}
}

QString TLoadedPageClassifier::NameKey(const QString &fileName)
{
    return fileName.size() >= 9 ? fileName.mid(fileName.size() - 9, 3) : QString();
}

TResult TLoadedPageClassifier::Classify(const QUrl &address, bool resultPending, bool contentsMode, bool indexMode)
{
    return ClassifyName(address.fileName(QUrl::FullyDecoded), address.hasFragment(),
                        address.fragment(QUrl::FullyDecoded), resultPending, contentsMode, indexMode);
}

TResult TLoadedPageClassifier::ClassifyName(const QString &fileName, bool hasFragment, const QString &fragment,
                                            bool resultPending, bool contentsMode, bool indexMode)
{
    const QString key = NameKey(fileName);
    TResult r;
    if (IsKey(key, "fou", "FOU")) r.Kind = lpResultPage;
    else if (IsKey(key, "dir", "DIR") && !resultPending) r.Kind = lpContentsPage;
    else if (IsKey(key, "ind", "IND")) r.Kind = lpIndexPage;
    else if (IsKey(key, "int", "INT")) r.Kind = lpIntroPage;
    else if (indexMode && !resultPending || contentsMode && !resultPending) {
        const QString name = hasFragment ? fileName + u'#' + fragment : fileName;
        const qsizetype dot = fileName.indexOf(u'.');
        return indexMode ? BookPage(name, dot, false, lpIndexLink) : BookPage(name, dot, true, lpContentsLink);
    }
    return r;
}
