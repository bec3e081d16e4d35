#include "app/PageMarker.h"
#include "app/ScratchText.h"
#include <QUrl>
#include <vector>

namespace {
struct TSegment {
    QString Text;
    bool IsMark;
};
}

QString TPageMarker::OpenMark(const QString &color)
{
    return QStringLiteral("<font color=\"") + color + QStringLiteral("\"><u>");
}

QString TPageMarker::CloseMark() { return QStringLiteral("</u></font>"); }

QString TPageMarker::MarkTerms(const QString &text, const QStringList &terms, int findOptions,
                               const QString &color, int *marked)
{
    const TFinder find = [&terms, findOptions](const QString &run, int k, qsizetype from, qsizetype &length) {
        length = terms[k].size();
        return TScratchText::FindIn(run, terms[k], from, run.size() - from, findOptions);
    };
    return MarkTerms(text, static_cast<int>(terms.size()), find, color, marked);
}

QString TPageMarker::MarkTerms(const QString &text, int termCount, const TFinder &find, const QString &color, int *marked)
{
    const QString open = OpenMark(color);
    const QString close = CloseMark();
    int count = 0;
    // The text as plain runs and inserted marks; only plain runs are searched. The
    // characters next to a mark are '<' or '>', so a run's edges are word boundaries
    // exactly as in the marked text.
    std::vector<TSegment> segments{{text, false}};
    for (int k = 0; k < termCount; ++k) {
        std::vector<TSegment> next;
        next.reserve(segments.size());
        for (TSegment &seg : segments) {
            if (seg.IsMark) {
                next.push_back(std::move(seg));
                continue;
            }
            qsizetype pos = 0;
            const QString &s = seg.Text;
            for (;;) {
                qsizetype length = 0;
                const qsizetype c = pos < s.size() ? find(s, k, pos, length) : -1;
                if (c < 0 || length <= 0) break;
                if (c > pos) next.push_back({s.mid(pos, c - pos), false});
                next.push_back({open, true});
                next.push_back({s.mid(c, length), false});
                next.push_back({close, true});
                ++count;
                pos = c + length;
            }
            if (pos == 0) next.push_back(std::move(seg));
            else if (pos < s.size()) next.push_back({s.mid(pos), false});
        }
        segments = std::move(next);
    }
    if (marked) *marked = count;
    if (count == 0) return text;
    qsizetype size = 0;
    for (const TSegment &seg : segments) size += seg.Text.size();
    QString out;
    out.reserve(size);
    for (const TSegment &seg : segments) out += seg.Text;
    return out;
}

QString TPageMarker::DataFolderUrl(const QString &appFolder)
{
    return QUrl::fromLocalFile(appFolder + QStringLiteral("datas/")).toString(QUrl::FullyEncoded);
}

QString TPageMarker::RewritePictureRefs(const QString &text, const QString &appFolder)
{
    static const QString needle = QStringLiteral("src=\"pix");
    const QString prefix = DataFolderUrl(appFolder);
    QString out;
    qsizetype pos = 0;
    for (;;) {
        const qsizetype s = text.indexOf(needle, pos, Qt::CaseSensitive);
        if (s < 0) break;
        if (out.isEmpty()) out.reserve(text.size() + 256);
        out += QStringView(text).mid(pos, s + 5 - pos);  // through the opening quote
        out += prefix;
        pos = s + 5;
    }
    if (pos == 0) return text;
    out += QStringView(text).mid(pos);
    return out;
}
