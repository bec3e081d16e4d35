#include "platform/TInstallLayout.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>

// The build derives both from the install rules' folders.
#if !defined(KETAB_DATA_FROM_PROGRAM) || !defined(KETAB_LIBRARY_FROM_PROGRAM)
#error "KETAB_DATA_FROM_PROGRAM and KETAB_LIBRARY_FROM_PROGRAM must be defined by the build"
#endif

const char *const TInstallLayout::DataFolderFromProgram = KETAB_DATA_FROM_PROGRAM;
const char *const TInstallLayout::LibraryFolderFromProgram = KETAB_LIBRARY_FROM_PROGRAM;

namespace {
QString givenBookFolder;

QString Folder(const QString &path) { return QDir::cleanPath(QDir(path).absolutePath()) + QLatin1Char('/'); }

// The executable's folder, also before the application object exists.
QString ProgramFolder() { return QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath(); }

QString Below(const QString &programFolder, const char *relative)
{
    return Folder(programFolder + QLatin1Char('/') + QString::fromUtf8(relative));
}
}

bool TInstallLayout::HoldsBook(const QString &folder)
{
    return !folder.isEmpty() && QFileInfo(folder + QStringLiteral("/datas/dir01.htm")).isFile();
}

QString TInstallLayout::DefaultBookFolder(const QString &programFolder)
{
    return HoldsBook(programFolder) ? Folder(programFolder) : Below(programFolder, DataFolderFromProgram);
}

QStringList TInstallLayout::PrivateLibraryFolders(const QString &programFolder)
{
    return {Folder(programFolder), Below(programFolder, LibraryFolderFromProgram)};
}

QString TInstallLayout::PrivateLibrary(const QString &programFolder, const QString &fileName)
{
    const QStringList folders = PrivateLibraryFolders(programFolder);
    for (const QString &folder : folders)
        if (QFileInfo::exists(folder + fileName)) return folder + fileName;
    return folders.constLast() + fileName;
}

void TInstallLayout::SetGivenBookFolder(const QString &folder)
{
    givenBookFolder = folder.isEmpty() ? QString() : Folder(folder);
}

QString TInstallLayout::BookFolder()
{
    return givenBookFolder.isEmpty() ? DefaultBookFolder(ProgramFolder()) : givenBookFolder;
}

QStringList TInstallLayout::PrivateLibraryFolders() { return PrivateLibraryFolders(ProgramFolder()); }

QString TInstallLayout::PrivateLibrary(const QString &fileName)
{
    return PrivateLibrary(ProgramFolder(), fileName);
}
