#include "app/ReaderState.h"
#include "platform/UserTempFolder.h"

TReaderState ReaderState;

namespace {
constexpr int SectionFirst[6] = {0, 1, 766, 1313, 1993, 3113};
constexpr int SectionLast[6] = {0, 765, 1312, 1992, 3112, 3983};
}

void TReaderState::FillSectionTable()
{
    for (int s = 1; s <= SectionCount; ++s) {
        FirstPage[s] = SectionFirst[s];
        LastPage[s] = SectionLast[s];
    }
}

void TReaderState::ResetFlags()
{
    CurPage = 0;
    CurSection = 0;
    MusicSection = 0;
    ResultPending = false;
    ContentsMode = false;
    IndexMode = false;
    CanForward = true;
    CanBack = false;
    MusicEnabled = true;
}

QString PageNo4(int n)
{
    if (n <= 9) return QStringLiteral("000") + QString::number(n);
    if (n <= 99) return QStringLiteral("00") + QString::number(n);
    if (n <= 999) return QStringLiteral("0") + QString::number(n);
    return QString::number(n);
}

QString SectionNo2(int n)
{
    return n < 10 ? QStringLiteral("0") + QString::number(n) : QString::number(n);
}

int SectionOf(int page)
{
    for (int s = 1; s <= SectionCount; ++s)
        if (ReaderState.FirstPage[s] <= page && page <= ReaderState.LastPage[s]) return s;
    return 0;
}

QString PageFile(int section, int page)
{
    return ReaderState.AppFolder + QStringLiteral("datas/p") + SectionNo2(section) + PageNo4(page) + QStringLiteral(".htm");
}

QString ContentsFile(int section)
{
    return ReaderState.AppFolder + QStringLiteral("datas/dir") + SectionNo2(section) + QStringLiteral(".htm");
}

QString TempFolderPath()
{
    return TUserTempFolder::Path();
}
