// The reader's marks as the reading window shows them, in one run on the sample book:
// - a page with 100 marks against the same page without: the time from the page command
//   to the page's marks drawn (the load-complete when it has none), median of 20 turns of
//   each, the two in turn;
// - 10,000 marks spread over the book: the list filled and painted, and each key of a
//   filter typed into it, refiltered and painted.
// With --write-marks FOLDER it only writes 10,000 marks for the book into the marks folder
// FOLDER/ketab (for bench_startup with XDG_DATA_HOME=FOLDER).
#include "app/KetabApplication.h"
#include "app/ReaderState.h"
#include "app/ScratchText.h"
#include "marks/TMarkAnchor.h"
#include "marks/TMarkStore.h"
#include "marks/TMarkedHtml.h"
#include "marks/TMarksList.h"
#include "marks/TMarksPanel.h"
#include "marks/TReaderMarks.h"
#include "reader/TMainForm.h"
#include "skin/TsuiSideChannel.h"
#include <QAction>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QListView>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
constexpr int Turns = 20;
constexpr int MarkedPage = 900;  // section 2
constexpr int MarksOnPage = 100;
constexpr int BookMarks = 10000;

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

QString PageText(int page)
{
    TScratchText file;
    file.LoadFromFile(PageFile(SectionOf(page), page));
    return TMarkedHtml::Text(file.Text());
}

// count marks on the page, on words through its text, a style each in turn.
QList<TMark> MarksOn(int page, int count)
{
    const QString text = PageText(page);
    QList<TMark> out;
    QRegularExpressionMatchIterator words = QRegularExpression(QStringLiteral("\\w{3,}")).globalMatch(text);
    std::vector<std::pair<int, int>> places;
    while (words.hasNext()) {
        const QRegularExpressionMatch w = words.next();
        places.emplace_back(int(w.capturedStart()), int(w.capturedEnd()));
    }
    for (int i = 0; i < count && !places.empty(); ++i) {
        const auto [start, end] = places[size_t(i) * places.size() / size_t(count)];
        TMark m = TMarkAnchor::Make(page, text, start, end, TMark::TStyle(i % TMark::StyleCount));
        if (i % 3 == 0) m.Note = QStringLiteral("يادداشت ") + QString::number(i);
        out.append(m);
    }
    return out;
}

QList<TMark> SpreadMarks()
{
    QList<TMark> all;
    // Six marks on every other page, through the whole book.
    for (int page = 1; all.size() < BookMarks && page <= BookPageCount; page += 2) all += MarksOn(page, 6);
    return all.mid(0, BookMarks);
}

// Waits until the reading window has drawn the marks of a page.
bool WaitMarked(TMainForm &form, const std::function<void()> &command)
{
    bool done = false;
    QEventLoop loop;
    form.Marks->OnPageMarked = [&](int) {
        done = true;
        loop.quit();
    };
    command();
    if (!done) {
        QTimer::singleShot(20000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    form.Marks->OnPageMarked = nullptr;
    return done;
}
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const bool writeOnly = argc > 2 && QByteArray(argv[1]) == "--write-marks";
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", (writeOnly ? QString::fromLocal8Bit(argv[2]) : data.path()).toLocal8Bit());
    TKetabApplication app(argc, argv);
    ReaderState.AppFolder = QStringLiteral(KETAB_BOOK_DIR) + u'/';
    ReaderState.FillSectionTable();
    if (writeOnly) {
        TMarkStore store(TMarkStore::UserFolder(), ReaderState.AppFolder);
        store.Load();
        for (const TMark &m : SpreadMarks()) store.Put(m);
        store.SaveNow();
        std::printf("%d marks written to %s\n", int(store.Marks().size()), qPrintable(store.FileName()));
        return 0;
    }

    TMainForm form;
    form.show();
    ReaderState.CurSection = 2;
    const auto turn = [&](int page) {
        ReaderState.CurPage = page;
        return WaitMarked(form, [&] { form.RefreshPage->trigger(); });
    };
    // The turns with and without the marks alternate, so both see the same machine: the
    // page's 100 marks are put back before a turn with them and removed before one without.
    const QList<TMark> onPage = MarksOn(MarkedPage, MarksOnPage);
    std::vector<double> plainMs, markedMs;
    for (int i = 0; i < 2 * Turns; ++i) {
        const bool marks = i % 2;
        for (const TMark &m : onPage) {
            if (!marks) form.Marks->Store().Remove(m.Id);
            else form.Marks->Store().Put(m);
        }
        QElapsedTimer t;
        if (!turn(MarkedPage + 1) || (t.start(), !turn(MarkedPage))) {
            std::fprintf(stderr, "a page did not load\n");
            return 1;
        }
        (marks ? markedMs : plainMs).push_back(t.nsecsElapsed() / 1e6);
    }
    const double plain = Median(plainMs), marked = Median(markedMs);
    std::printf("page %d opened (command to marks drawn), median of %d turns each, alternating: %.1f ms without marks, "
                "%.1f ms with %d marks: %+.1f ms (goal within 10 ms)\n",
                MarkedPage, Turns, plain, marked, int(form.Marks->MarksOf(MarkedPage).size()), marked - plain);

    for (const TMark &m : SpreadMarks()) form.Marks->Store().Put(m);
    const QList<TMark> all = form.Marks->Store().Marks();
    TMarksPanel *panel = form.MarksPanel;
    form.BookMarkChannel->Pop(true);
    form.NotesPages->setCurrentWidget(panel);
    QCoreApplication::processEvents();
    std::vector<double> opens;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer t;
        t.start();
        panel->Show(form.Marks->Store().Marks(), {});
        panel->List->repaint();
        opens.push_back(t.nsecsElapsed() / 1e6);
    }
    std::printf("list of %d marks filled and painted: median %.1f ms (goal under 100 ms)\n", int(all.size()), Median(opens));
    std::vector<double> keys;
    // The notes' word, typed with the Persian yeh where they have the Arabic.
    const QString typed = QStringLiteral("یادداشت ");
    for (int round = 0; round < 3; ++round) {
        panel->FilterEdit->clear();
        for (const QChar c : typed) {
            QElapsedTimer t;
            t.start();
            panel->FilterEdit->insert(QString(c));
            panel->List->repaint();
            keys.push_back(t.nsecsElapsed() / 1e6);
        }
    }
    std::printf("filter over %d marks, each key refiltered and painted: median %.1f ms, max %.1f ms (goal under 30 ms); "
                "%d lines for \"%s\"\n",
                int(all.size()), Median(keys), *std::max_element(keys.begin(), keys.end()),
                panel->Model()->rowCount(), qPrintable(typed.trimmed()));
    return 0;
}
