#include "reader/TReadingKeys.h"
#include "app/KetabApplication.h"
#include "reader/TMainForm.h"
#include "reader/TOptionsPanel.h"
#include "speech/TReadAloudControl.h"
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QShortcut>

TReadingKeys::TReadingKeys(TMainForm *form) : QObject(form), FForm(form)
{
    // The page moves are the window's actions themselves, with their keys.
    const auto actionKey = [form](QAction *action, QKeyCombination keys) {
        action->setShortcut(QKeySequence(keys));
        action->setShortcutContext(Qt::WindowShortcut);
        form->addAction(action);
    };
    actionKey(form->NextPage, Qt::CTRL | Qt::Key_PageDown);
    actionKey(form->PreviousPage, Qt::CTRL | Qt::Key_PageUp);
    actionKey(form->FirstPage, Qt::CTRL | Qt::Key_Home);
    actionKey(form->LastPage, Qt::CTRL | Qt::Key_End);

    Bind(QKeySequence(Qt::CTRL | Qt::Key_G), [](TMainForm *f) {
        f->PageNumber->setFocus(Qt::ShortcutFocusReason);
        f->PageNumber->selectAll();
    });
    Bind(QKeySequence(Qt::CTRL | Qt::Key_F), [](TMainForm *f) { f->SearchButtonClick(); });
    Bind(QKeySequence(Qt::CTRL | Qt::Key_P), [](TMainForm *f) { f->PrintButtonClick(); });
    Bind(QKeySequence(Qt::CTRL | Qt::Key_Plus), [](TMainForm *f) { StepTextSize(f, 1); });
    // Ctrl and the "=" key under "+", so no Shift is needed on common layouts.
    Bind(QKeySequence(Qt::CTRL | Qt::Key_Equal), [](TMainForm *f) { StepTextSize(f, 1); });
    Bind(QKeySequence(Qt::CTRL | Qt::Key_Minus), [](TMainForm *f) { StepTextSize(f, -1); });
    Bind(QKeySequence(Qt::CTRL | Qt::Key_0), [](TMainForm *f) { StepTextSize(f, 0); });
    Bind(QKeySequence(Qt::Key_F1), [](TMainForm *f) { f->suiFormTitleBarCustomBtnsClick(nullptr, 4); });
    Bind(QKeySequence(Qt::Key_F8), [](TMainForm *f) { f->ReadAloud->Reader().Press(); });
    Bind(QKeySequence(Qt::SHIFT | Qt::Key_F8), [](TMainForm *f) { f->ReadAloud->Reader().Stop(); });
}

void TReadingKeys::Bind(const QKeySequence &keys, void (*run)(TMainForm *))
{
    auto *shortcut = new QShortcut(keys, FForm);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, [this, run] {
        if (FForm->isEnabled()) TKetabApplication::Guarded([this, run] { run(FForm); });
    });
}

void TReadingKeys::StepTextSize(TMainForm *form, int step)
{
    QComboBox *sizes = form->OptionsPanel->FontSizeComboBox;
    const int normal = 1;
    const int index = step == 0 ? normal : std::clamp(sizes->currentIndex() + step, 0, sizes->count() - 1);
    // The panel's own change handler applies the size, as when the reader picks it there.
    sizes->setCurrentIndex(index);
}
