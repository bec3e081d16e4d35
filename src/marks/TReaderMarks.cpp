#include "marks/TReaderMarks.h"
#include "app/Dialogs.h"
#include "app/KetabApplication.h"
#include "app/ReaderState.h"
#include "app/TPageLayers.h"
#include "app/TWebBrowser.h"
#include "marks/TCitation.h"
#include "marks/TMarkAnchor.h"
#include "marks/TMarkExport.h"
#include "marks/TMarkNoteEditor.h"
#include "marks/TMarkStore.h"
#include "marks/TMarkStyle.h"
#include "marks/TMarkedHtml.h"
#include "marks/TMarksLayer.h"
#include "marks/TMarksPanel.h"
#include "marks/TMarksTransfer.h"
#include "reader/TMainForm.h"
#include "reader/TPageMenu.h"
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QShortcut>
#include <QTimer>

namespace {
const QString MarkAttribute = QLatin1String(TMarksLayer::MarkAttribute);

QJsonObject Parsed(const QVariant &value)
{
    return QJsonDocument::fromJson(value.toString().toUtf8()).object();
}

QDateTime Now() { return QDateTime::currentDateTimeUtc(); }

// A box the page gives, {x, y, w, h} in fractions of its pixels.
QRect Box(const QJsonObject &box)
{
    const auto at = [&box](const char *key) { return qRound(box.value(QLatin1String(key)).toDouble()); };
    return QRect(at("x"), at("y"), at("w"), at("h"));
}

// A value for a script: a JSON array of one, read back as [0], never as code.
QString Quoted(const QString &value)
{
    return QString::fromUtf8(QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact));
}
}

TReaderMarks::TReaderMarks(TMainForm &form)
    : FForm(form),
      FStore(std::make_unique<TMarkStore>(TMarkStore::UserFolder(), ReaderState.AppFolder))
{
    FStore->OnChanged = [this] { Changed(); };
    FStore->OnProblem = [this] { Tell(FStore->TakeProblem()); };
    TWebBrowser *view = form.PageBrowser;
    view->Layers().Set(QLatin1String(TMarksLayer::LayerName), TMarksLayer::Layer(false));
    auto processing = view->OnDownloadComplete;
    view->OnDownloadComplete = [this, processing](TWebBrowser *sender) {
        if (processing) processing(sender);
        PageLoaded(sender);
    };
    AddMenuPart();

    // The keys act on the page: in the note editor or the list's filter they are theirs.
    const auto key = [this](QKeyCombination keys, std::function<void()> run) {
        auto *shortcut = new QShortcut(QKeySequence(keys), &FForm);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, run] {
            QWidget *focus = QApplication::focusWidget();
            const bool onPage = focus && (focus == FForm.PageBrowser || FForm.PageBrowser->isAncestorOf(focus));
            if (FForm.isEnabled() && onPage) TKetabApplication::Guarded(run);
        });
    };
    key(Qt::CTRL | Qt::Key_H, [this] { MarkSelection(FLastStyle, false); });
    key(Qt::CTRL | Qt::SHIFT | Qt::Key_C, [this] {
        FForm.PageBrowser->Layers().Run(QStringLiteral("JSON.stringify(ketab.selection())"), [this](const QVariant &v) {
            CopyWithCitation(Parsed(v).value(QLatin1String("text")).toString(), QString());
        });
    });

    TMarksPanel *panel = FForm.MarksPanel;
    panel->OnShowing = [this] { Load(); FForm.MarksPanel->Show(FStore->Marks(), FLost); };
    panel->OnOpen = [this](const QString &id) { Open(id); };
    panel->OnRemove = [this](const QString &id) { Remove(id); };
    panel->OnUndo = [this] {
        if (!UndoRemove()) Dialogs().Beep();
    };
    FTransfer = std::make_unique<TMarksTransfer>(*this);
    panel->OnExport = [this](TMarksPanel::TFormat format) { FTransfer->Export(format, FForm.MarksPanel->Listed()); };
    panel->OnImport = [this] { FTransfer->Import(); };
    // Every way out through the event loop's end writes what is not written yet.
    TKetabApplication::Connect(qApp, &QCoreApplication::aboutToQuit, this, [this] {
        if (FLoaded) FStore->SaveNow();
    });
}

TReaderMarks::~TReaderMarks() = default;

TMarkStore &TReaderMarks::Store()
{
    Load();
    return *FStore;
}

void TReaderMarks::Load()
{
    if (FLoaded) return;
    FLoaded = true;
    FStore->Load();
    const QString problem = FStore->TakeProblem();
    // Marks that will not be kept, where there are none yet, matter once the reader makes one.
    if (!FStore->Keeps() && FStore->Marks().isEmpty() && !QFileInfo::exists(FStore->FileName())) FHeldProblem = problem;
    else Tell(problem);
}

void TReaderMarks::Tell(const QString &problem)
{
    if (!problem.isEmpty()) Dialogs().ShowMessage(problem, QStringLiteral("كتاب"), QMessageBox::Warning);
}

void TReaderMarks::SetNight(bool night)
{
    if (night == FNight) return;
    FNight = night;
    FForm.PageBrowser->Layers().Set(QLatin1String(TMarksLayer::LayerName), TMarksLayer::Layer(night));
}

int TReaderMarks::BookPageOf(const QUrl &shown)
{
    if (!shown.isLocalFile()) return 0;
    const QFileInfo file(shown.toLocalFile());
    const QString folder = QDir::cleanPath(file.absolutePath());
    if (file.fileName() == QLatin1String("found.htm"))
        return folder == QDir::cleanPath(ReaderState.TempFolder) && SectionOf(ReaderState.CurPage) ? ReaderState.CurPage : 0;
    if (folder != QDir::cleanPath(ReaderState.AppFolder + QStringLiteral("datas"))) return 0;
    return TMarkExport::PageOfSource(file.fileName());
}

QList<TMark> TReaderMarks::MarksOf(int page)
{
    Load();
    if (FByPageStale) {
        FByPage.clear();
        for (const TMark &m : FStore->Marks()) FByPage[m.Page].append(m);
        FByPageStale = false;
    }
    return FByPage.value(page);
}

void TReaderMarks::Changed()
{
    // Told after the change, outside the store's own call.
    if (!FHeldProblem.isEmpty())
        QTimer::singleShot(0, this, [this, problem = std::exchange(FHeldProblem, QString())] {
            TKetabApplication::Guarded([this, &problem] { Tell(problem); });
        });
    FByPageStale = true;
    if (FForm.MarksPanel->isVisible()) FForm.MarksPanel->Show(FStore->Marks(), FLost);
    if (!FShownPage || FRedrawAsked) return;
    // Several changes in one turn of the event loop are drawn once.
    FRedrawAsked = true;
    QTimer::singleShot(0, this, [this] {
        FRedrawAsked = false;
        TKetabApplication::Guarded([this] { Redraw(); });
    });
}

void TReaderMarks::PageLoaded(TWebBrowser *view)
{
    if (FEditor) FEditor->Close(true);
    FShownPage = BookPageOf(view->Url());
    FDrawn.clear();
    Redraw();
}

void TReaderMarks::Redraw()
{
    const int page = FShownPage;
    const int drawing = ++FDrawing;
    const QList<TMark> marks = page ? MarksOf(page) : QList<TMark>();
    if (marks.isEmpty() && FDrawn.isEmpty()) {
        FShowWhenDrawn.clear();
        if (OnPageMarked) OnPageMarked(page);
        return;
    }
    // Marks standing where they were are drawn in one turn of the page; on a page whose text
    // changed, they are found again in its text first.
    QList<TMarksLayer::TDrawn> atPlaces;
    for (const TMark &m : marks) atPlaces.append({m.Id, m.Start, m.End, m.Style, m.Note, m.Quote});
    FForm.PageBrowser->Layers().Run(TMarksLayer::PlaceScript(atPlaces), [this, page, drawing, marks](const QVariant &v) {
        if (drawing != FDrawing) return;
        const QJsonObject said = Parsed(v);
        if (said.value(QLatin1String("placed")).toBool()) {
            FDrawn.clear();
            for (const TMark &m : marks) {
                FDrawn.insert(m.Id, {m.Start, m.End});
                FLost.remove(m.Id);
            }
            Drawn(page);
        } else if (said.contains(QLatin1String("text"))) {
            FindAndDraw(page, drawing, marks, said);
        }
    });
}

void TReaderMarks::FindAndDraw(int page, int drawing, const QList<TMark> &marks, const QJsonObject &read)
{
    const QString text = read.value(QLatin1String("text")).toString();
    QList<TMarksLayer::TDrawn> drawn;
    QHash<QString, std::pair<int, int>> places;
    QList<std::pair<QString, std::pair<int, int>>> moved;
    for (const TMark &m : marks) {
        const TMarkAnchor::TFound found = TMarkAnchor::Find(m, text);
        if (!found.Found) {
            FLost.insert(m.Id);
            continue;
        }
        FLost.remove(m.Id);
        drawn.append({m.Id, found.Start, found.End, m.Style, m.Note, m.Quote});
        places.insert(m.Id, {found.Start, found.End});
        if (found.Start != m.Start || found.End != m.End) moved.append({m.Id, {found.Start, found.End}});
    }
    FForm.PageBrowser->Layers().Run(TMarksLayer::DrawScript(read.value(QLatin1String("token")).toString(), drawn),
                                    [this, page, drawing, places](const QVariant &) {
                                        if (drawing != FDrawing) return;
                                        FDrawn = places;
                                        Drawn(page);
                                    });
    // The place a mark was found at is where it is looked for first next time (the mark as
    // it is now: the reader may have changed it meanwhile).
    for (const auto &[id, place] : moved)
        if (const TMark *now = FStore->Find(id)) {
            TMark placed = *now;
            placed.Start = place.first;
            placed.End = place.second;
            FStore->Put(placed);
        }
    if (FForm.MarksPanel->isVisible() && !moved.isEmpty()) FForm.MarksPanel->Show(FStore->Marks(), FLost);
}

void TReaderMarks::Drawn(int page)
{
    if (!FShowWhenDrawn.isEmpty()) {
        FForm.PageBrowser->Layers().Run(QStringLiteral("ketab.marks.show(%1[0])").arg(Quoted(FShowWhenDrawn)));
        FShowWhenDrawn.clear();
    }
    if (OnPageMarked) OnPageMarked(page);
}

QString TReaderMarks::MarkAt(const QString &attribute, int start, int end) const
{
    if (!attribute.isEmpty() && FDrawn.contains(attribute)) return attribute;
    if (start < 0) return QString();
    for (auto at = FDrawn.constBegin(); at != FDrawn.constEnd(); ++at)
        if (at->first <= start && std::max(start + 1, end) <= at->second) return at.key();
    return QString();
}

void TReaderMarks::AddMenuPart()
{
    FForm.PageMenu->Add(TPageMenu::poMarks, [this](QMenu &menu, const TPageMenu::TContext &c) {
        const auto item = [this](QMenu &in, const QString &caption, const char *name, bool enabled, auto handler) {
            QAction *a = in.addAction(caption);
            a->setObjectName(QString::fromLatin1(name));
            a->setEnabled(enabled);
            TKetabApplication::Connect(a, &QAction::triggered, this, handler);
            return a;
        };
        const bool bookPage = FShownPage != 0;
        const bool selected = !c.Selected.isEmpty();
        const QString id = bookPage ? MarkAt(c.Attributes.value(MarkAttribute).toString(), c.Start, c.End) : QString();
        const QString text = c.Selected;
        QAction *cite = item(menu, tr("Copy with citation"), "PageCopyCited", bookPage && (selected || !id.isEmpty()),
                             [this, text, id] { CopyWithCitation(text, id); });
        cite->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
        const auto styleCaption = [](int s) {
            return s == TMark::msUnderline ? tr("Underline") : tr("Mark in %1").arg(TMarkStyle::Caption(TMark::TStyle(s)));
        };
        const TMark *mark = id.isEmpty() ? nullptr : FStore->Find(id);
        if (mark) {
            QMenu *styles = menu.addMenu(tr("Change colour"));
            styles->setObjectName(QStringLiteral("PageMarkStyles"));
            styles->setLayoutDirection(Qt::RightToLeft);
            for (int s = 0; s < TMark::StyleCount; ++s) {
                QAction *a = item(*styles, TMarkStyle::Caption(TMark::TStyle(s)), "PageMarkStyle", true,
                                  [this, id, s] { Restyle(id, TMark::TStyle(s)); });
                a->setCheckable(true);
                a->setChecked(mark->Style == s);
            }
            item(menu, mark->Note.isEmpty() ? tr("Write a note...") : tr("Edit the note..."), "PageMarkNote", true,
                 [this, id] { EditNote(id); });
            item(menu, tr("Remove the mark"), "PageMarkRemove", true, [this, id] { Remove(id); });
            return;
        }
        for (int s = 0; s < TMark::StyleCount; ++s) {
            QAction *a = item(menu, styleCaption(s), "PageMarkIn", bookPage && selected,
                              [this, s] { MarkSelection(TMark::TStyle(s), false); });
            if (s == FLastStyle) a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
        }
        item(menu, tr("Mark with a note..."), "PageMarkWithNote", bookPage && selected,
             [this] { MarkSelection(FLastStyle, true); });
    });
}

void TReaderMarks::MarkSelection(TMark::TStyle style, bool withNote)
{
    const int page = FShownPage;
    if (!page) {
        Dialogs().Beep();
        return;
    }
    Load();
    const QString selected = QStringLiteral("ketab.marks ? ketab.marks.selected() : null");
    FForm.PageBrowser->Layers().Run(selected, [this, page, style, withNote](const QVariant &v) {
        if (FShownPage != page) return;
        const QJsonObject said = Parsed(v);
        const QJsonObject sel = said.value(QLatin1String("sel")).toObject();
        const QString text = said.value(QLatin1String("text")).toString();
        const int start = sel.value(QLatin1String("start")).toInt(-1), end = sel.value(QLatin1String("end")).toInt(-1);
        if (start < 0 || end <= start || QStringView(text).mid(start, end - start).trimmed().isEmpty()) {
            Dialogs().Beep();
            return;
        }
        const TMark mark = TMarkAnchor::Make(page, text, start, end, style);
        FLastStyle = style;
        FStore->Put(mark);
        // The mark shows in its colour rather than under the selection's.
        FForm.PageBrowser->Layers().Run(
            QStringLiteral("(function () { var s = document.getSelection(); if (s && s.rangeCount) s.collapseToEnd(); })()"));
        if (withNote) OpenEditor(mark.Id, Box(said.value(QLatin1String("box")).toObject()));
    });
}

void TReaderMarks::CopyWithCitation(const QString &selected, const QString &markId)
{
    const TMark *mark = markId.isEmpty() ? nullptr : FStore->Find(markId);
    const int page = mark ? mark->Page : FShownPage;
    const QString quote = !selected.trimmed().isEmpty() ? selected : mark ? mark->Quote : QString();
    if (!page || quote.trimmed().isEmpty()) {
        Dialogs().Beep();
        return;
    }
    QApplication::clipboard()->setText(TCitation::For(page, quote));
}

void TReaderMarks::Restyle(const QString &id, TMark::TStyle style)
{
    const TMark *found = FStore->Find(id);
    if (!found) return;
    TMark mark = *found;
    mark.Style = style;
    mark.Changed = Now();
    FLastStyle = style;
    FStore->Put(mark);
}

void TReaderMarks::EditNote(const QString &id)
{
    FForm.PageBrowser->Layers().Run(QStringLiteral("ketab.marks.markBox(%1[0])").arg(Quoted(id)), [this, id](const QVariant &v) {
        OpenEditor(id, Box(Parsed(v)));
    });
}

void TReaderMarks::OpenEditor(const QString &id, const QRect &cssBox)
{
    const TMark *mark = FStore->Find(id);
    if (!mark) return;
    if (!FEditor) {
        FEditor = new TMarkNoteEditor(&FForm);
        FEditor->OnClosed = [this] { FForm.PageBrowser->setFocus(Qt::OtherFocusReason); };
    }
    FEditor->OnSave = [this, id](const QString &note) {
        const TMark *now = FStore->Find(id);
        if (!now || now->Note == note) return;
        TMark changed = *now;
        changed.Note = note;
        changed.Changed = Now();
        FStore->Put(changed);
    };
    // The page's pixels are the view's times the text size.
    TWebBrowser *view = FForm.PageBrowser;
    const double zoom = TWebBrowser::ZoomFactorOf(view->ZoomLevel());
    const QRect inView(qRound(cssBox.x() * zoom), qRound(cssBox.y() * zoom), qRound(cssBox.width() * zoom),
                       qRound(cssBox.height() * zoom));
    const QRect room(view->mapTo(&FForm, QPoint()), view->size());
    const QRect beside = cssBox.isNull() ? QRect(room.center(), QSize(1, 1))
                                         : inView.translated(room.topLeft()).intersected(room.adjusted(0, 0, -1, -1));
    FEditor->Open(mark->Note, beside.isEmpty() ? QRect(room.center(), QSize(1, 1)) : beside, room);
}

void TReaderMarks::Remove(const QString &id)
{
    const TMark *found = FStore->Find(id);
    if (!found) return;
    FRemoved.append(*found);
    while (FRemoved.size() > KeptRemovals) FRemoved.removeFirst();
    FStore->Remove(id);
}

bool TReaderMarks::UndoRemove()
{
    while (!FRemoved.isEmpty()) {
        TMark mark = FRemoved.takeLast();
        const TMark *now = FStore->Find(mark.Id);
        // Brought back by another program, or changed since: nothing of it to undo.
        if (now && !now->Removed) continue;
        mark.Removed = false;
        mark.Changed = Now();
        FStore->Put(mark);
        FForm.MarksPanel->SetCurrent(mark.Id);
        return true;
    }
    return false;
}

void TReaderMarks::Open(const QString &id)
{
    const TMark *mark = FStore->Find(id);
    if (!mark || mark->Removed) return;
    if (FShownPage == mark->Page && FDrawn.contains(id)) {
        FForm.PageBrowser->Layers().Run(QStringLiteral("ketab.marks.show(%1[0])").arg(Quoted(id)));
        return;
    }
    TReaderState &rs = ReaderState;
    const int section = SectionOf(mark->Page);
    if (!section) return;
    FShowWhenDrawn = id;
    rs.CurSection = section;
    rs.CurPage = mark->Page;
    rs.ContentsMode = rs.IndexMode = rs.ResultPending = false;
    FForm.RefreshPage->trigger();
}

QString TReaderMarks::PrintBody(const QString &pageFile, const QString &body)
{
    const int page = TMarkExport::PageOfSource(pageFile);
    return page ? TMarkedHtml::WithMarks(body, MarksOf(page)) : body;
}
