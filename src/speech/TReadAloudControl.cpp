#include "speech/TReadAloudControl.h"
#include "app/KetabApplication.h"
#include "app/ReaderState.h"
#include "app/TNightPage.h"
#include "app/TWebBrowser.h"
#include "reader/TMainForm.h"
#include "reader/TOptionsPanel.h"
#include "reader/TPageMenu.h"
#include "skin/TsuiImageButton.h"
#include "speech/TSpeechNote.h"
#include "speech/TSpeechOptions.h"
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QMenu>
#include <QTimer>

using G = TKetabApplication;

TReadAloudControl::TReadAloudControl(TMainForm *form) : QObject(form), FForm(form), FReader(*form->PageBrowser)
{
    FReader.TurnPage = [form] {
        const TReaderState &rs = ReaderState;
        const int s = rs.CurSection;
        if (s < 1 || s > SectionCount || rs.ContentsMode || rs.ResultPending || rs.CurPage >= rs.LastPage[s]) return false;
        // Only from the book page itself: not a result page, nor a part of a page reached by a link.
        const QUrl shown = form->PageBrowser->Url();
        if (!shown.isLocalFile() || shown.hasFragment()
            || QDir::cleanPath(shown.toLocalFile()) != QDir::cleanPath(PageFile(s, rs.CurPage)))
            return false;
        form->NextPage->trigger();
        return true;
    };
    FReader.HoldMusic = [form](bool on) {
        if (on) form->SectionMusic->Hold();
        else form->SectionMusic->Release();
    };
    FReader.Night = [form] { return form->PageBrowser->Layers().Has(QLatin1String(TNightPage::LayerName)); };
    FReader.OnChanged = [this] { Show(); };

    form->SpeakButton->OnClick = G::Guard([this](TsuiCustomButton *) { FReader.Press(); });
    form->PageMenu->Add(TPageMenu::poSpeech, [this](QMenu &menu, const TPageMenu::TContext &context) {
        QAction *from = menu.addAction(tr("Read aloud from here"));
        from->setObjectName(QStringLiteral("PageReadAloud"));
        const bool selected = !context.Selected.isEmpty();
        G::Connect(from, &QAction::triggered, this, [this, selected] {
            FReader.Start(selected ? -1 : TReadAloud::FromMenuPlace);
        });
        if (FReader.Phase() == TReadAloud::rpIdle) return;
        QAction *stop = menu.addAction(tr("Stop reading aloud"));
        stop->setObjectName(QStringLiteral("PageStopReading"));
        G::Connect(stop, &QAction::triggered, this, [this] { FReader.Stop(); });
    });
    // The view's own processing runs first: the page's state is the new page's by then.
    auto processing = form->PageBrowser->OnDownloadComplete;
    form->PageBrowser->OnDownloadComplete = [this, processing](TWebBrowser *sender) {
        if (processing) processing(sender);
        FReader.PageLoaded();
    };
    form->installEventFilter(this);
    G::Connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { FReader.Stop(); });

    TSpeechOptions *o = form->OptionsPanel->SpeechOptions;
    o->OnChange = [this, o] {
        FReader.SetRate(TSpeechOptions::RateOf(o->RateStep()));
        FReader.SetVoice(o->Voice());
    };
    o->OnChange();
    Show();
}

QString TReadAloudControl::StartName() { return tr("Read aloud"); }

bool TReadAloudControl::eventFilter(QObject *watched, QEvent *event)
{
    // A reader who read aloud before finds the service up: it starts a moment after the
    // window's first show, off the user-interface thread.
    if (watched == FForm && event->type() == QEvent::Show && !FPrepared) {
        FPrepared = true;
        if (FForm->OptionsPanel->SpeechOptions->Used)
            QTimer::singleShot(PrepareAfterMs, this, G::Guard([this] { FReader.Prepare(); }));
    }
    // A hide the window system makes (minimised) is no leaving: reading goes on.
    const bool left = watched == FForm
        && ((event->type() == QEvent::Hide && !event->spontaneous())
            || (event->type() == QEvent::EnabledChange && !FForm->isEnabled()));
    if (left) G::Guarded([this] { FReader.Stop(); });
    return false;
}

void TReadAloudControl::Show()
{
    QString picture, name;
    switch (FReader.Phase()) {
    case TReadAloud::rpIdle: picture = QStringLiteral("SHELL_BAR_SPEAK"), name = StartName(); break;
    case TReadAloud::rpStarting: picture = QStringLiteral("SHELL_BAR_SPEAK_STOP"), name = tr("Stop reading aloud"); break;
    case TReadAloud::rpReading: picture = QStringLiteral("SHELL_BAR_SPEAK_PAUSE"), name = tr("Pause reading aloud"); break;
    case TReadAloud::rpPaused: picture = QStringLiteral("SHELL_BAR_SPEAK_RESUME"), name = tr("Resume reading aloud"); break;
    }
    TsuiImageButton *button = FForm->SpeakButton;
    if (button->accessibleName() != name) {
        button->SetPictures(picture, picture + QStringLiteral("_HOT"));
        button->setAccessibleName(name);
        button->setToolTip(name);
    }
    button->setAccessibleDescription(FReader.Note());
    if (FReader.Phase() != TReadAloud::rpIdle) FForm->OptionsPanel->SpeechOptions->Used = true;
    FForm->SpeechNote->Say(FReader.Note());
    TSpeechOptions *o = FForm->OptionsPanel->SpeechOptions;
    if (o->VoiceBox->count() != FReader.Voices().size()) o->SetVoices(FReader.Voices());
}
