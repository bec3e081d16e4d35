#pragma once
#include <QString>

// The process-wide navigation state shared by the reading window, the start menu,
// search, printing and the gallery.
struct TReaderState {
    QString AppFolder;   // the executable's folder, ending with "/"
    QString TempFolder;  // the user's private temporary folder, ending with "/"
    int FirstPage[6] = {0, 0, 0, 0, 0, 0};  // index 1..5
    int LastPage[6] = {0, 0, 0, 0, 0, 0};   // index 1..5
    int CurPage = 0;
    int CurSection = 0;
    int MusicSection = 0;
    bool ResultPending = false;
    bool ContentsMode = false;
    bool IndexMode = false;
    bool CanForward = true;
    bool CanBack = false;
    bool MusicEnabled = true;

    // Fills FirstPage/LastPage with the book's fixed section table.
    void FillSectionTable();
    // Back to the values of a fresh start (folders kept).
    void ResetFlags();
};

extern TReaderState ReaderState;

constexpr int BookPageCount = 3983;
constexpr int SectionCount = 5;

QString PageNo4(int n);
QString SectionNo2(int n);
int SectionOf(int page);
QString PageFile(int section, int page);
QString ContentsFile(int section);
// The user's private temporary folder with a trailing "/"; created when absent.
// Throws EFileError when it cannot be made safe.
QString TempFolderPath();
