// The sample book generator: writes the whole book folder (pages, contents and
// index pages, style sheet, font, pictures and their list, music, help page) from a
// fixed seed, so every run gives the same bytes.
//
// Usage: ketab-bookgen --words WORDLIST --font FONT BOOK_FOLDER
#include "BookContents.h"
#include "BookFiles.h"
#include "BookHelp.h"
#include "BookMusic.h"
#include "BookPages.h"
#include "BookPictures.h"
#include "BookStyleSheet.h"
#include "BookVocabulary.h"
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QCoreApplication>
#include <cstdio>
#include <exception>
#include <thread>
#include <vector>

namespace {
constexpr uint64_t BookSeed = 0x6B657461620001ull;

void CopyFont(const QString &font, const QString &bookFolder)
{
    QFile file(font);
    if (!file.open(QIODevice::ReadOnly)) throw std::runtime_error(("cannot read the font " + font).toStdString());
    TBookFiles::Write(bookFolder + QStringLiteral("/Rederu.ttf"), file.readAll());
}
}

int main(int argc, char *argv[])
{
    // The pictures are painted on images without text, so no window system is needed.
    QCoreApplication app(argc, argv);
    QString words, font, folder;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--words") && i + 1 < args.size()) words = args[++i];
        else if (args[i] == QLatin1String("--font") && i + 1 < args.size()) font = args[++i];
        else folder = args[i];
    }
    if (words.isEmpty() || font.isEmpty() || folder.isEmpty()) {
        std::fprintf(stderr, "usage: ketab-bookgen --words WORDLIST --font FONT BOOK_FOLDER\n");
        return 2;
    }
    QElapsedTimer clock;
    clock.start();
    try {
        QDir().mkpath(folder + QStringLiteral("/datas/pix"));
        QDir().mkpath(folder + QStringLiteral("/Musics"));

        // The tracks are the slow part: encode them beside the text and pictures.
        std::vector<std::exception_ptr> failures(5);
        std::thread music([&] {
            for (int s = 1; s <= 5; ++s) {
                try {
                    TBookMusic::WriteTrack(folder, s);
                } catch (...) {
                    failures[s - 1] = std::current_exception();
                }
            }
        });

        TBookRandom random(BookSeed);
        const TBookVocabulary vocabulary(words, random);
        TBookPages pages(vocabulary, BookSeed + 1);
        pages.Write(folder);
        TBookContents(vocabulary, pages, BookSeed + 2).Write(folder);
        TBookFiles::Write(folder + QStringLiteral("/datas/sheet1.css"), TBookFiles::Encode(TBookStyleSheet::Text(), TBookEncoding::Utf8));
        TBookFiles::Write(folder + QStringLiteral("/help.htm"), TBookFiles::Encode(TBookHelp::Text(), TBookEncoding::Utf8));
        CopyFont(font, folder);
        TBookPictures::Write(folder);

        music.join();
        for (const auto &f : failures)
            if (f) std::rethrow_exception(f);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "ketab-bookgen: %s\n", e.what());
        return 1;
    }
    std::printf("sample book written to %s in %.1f s\n", qPrintable(folder), clock.elapsed() / 1000.0);
    return 0;
}
