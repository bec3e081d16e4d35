#include "skin/TsuiBookFrames.h"
#include "skin/TsuiThemes.h"

TsuiForm *TsuiBookFrames::Frame(QWidget *host, TFormBorderStyle border)
{
    auto *form = new TsuiForm(host, border);
    form->SetUIStyle(TsuiUIStyle::DeepBlue);
    form->SetBorderColor(QColor(0, 0, 0));
    form->SetBorderWidth(1);
    form->SetColor(QColor(232, 232, 232));
    form->SetTitleBarCustom(false);
    form->SetUIStyleAutoUpdateSub(false);
    form->SetRoundCorner(0);
    form->SetTitleBarDrawAppIcon(false);
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(8);
    font.setBold(true);
    form->SetFont(font);
    form->TitleBar()->SetFontColor(Qt::white);
    // The title artwork is in the pictures: the bar draws no text (the window keeps its title).
    form->TitleBar()->SetCaption(QString());
    return form;
}

void TsuiBookFrames::OwnSections(TsuiForm *form, const QString &prefix)
{
    TsuiTitleBarSections *sections = form->TitleBarSections();
    sections->Clear();
    const auto add = [&](const QString &suffix, TsuiTitleBarAlign align) {
        TsuiTitleBarSection *section = sections->Add();
        section->SetPicture(TsuiThemes::NamedBitmap(prefix + suffix));
        if (align == TsuiTitleBarAlign::suiClient) {
            section->SetAlign(align);
        } else {
            section->SetAutoSize(true);
            section->SetAlign(align);
        }
    };
    add(QStringLiteral("_LEFT"), TsuiTitleBarAlign::suiLeft);
    add(QStringLiteral("_RIGHT"), TsuiTitleBarAlign::suiRight);
    add(QStringLiteral("_CLIENT"), TsuiTitleBarAlign::suiClient);
    form->TitleBar()->SetAutoSize(true);
}

TsuiForm *TsuiBookFrames::Reading(QWidget *host)
{
    TsuiForm *form = Frame(host, TFormBorderStyle::bsNone);
    OwnSections(form, QStringLiteral("FRAME_MAIN_TITLE"));
    TsuiTitleBarButtons *buttons = form->TitleBarButtons();
    buttons->Clear();
    const auto custom = [&](const QString &name) {
        TsuiTitleBarButton *button = buttons->Add(suiCustom);
        button->SetTop(2);
        button->SetPictures(TsuiThemes::NamedBitmap(name), TsuiThemes::NamedBitmap(name + QStringLiteral("_HOT")),
                            TsuiThemes::NamedBitmap(name + QStringLiteral("_DOWN")));
    };
    buttons->Add(suiControlBox, false);
    custom(QStringLiteral("FRAME_BTN_EXIT"));
    buttons->Add(suiMax, false);
    custom(QStringLiteral("FRAME_BTN_MINIMIZE"));
    custom(QStringLiteral("FRAME_BTN_HELP"));
    return form;
}

TsuiForm *TsuiBookFrames::Dialog(QWidget *host, TFormBorderStyle border)
{
    TsuiForm *form = Frame(host, border);
    TsuiTitleBarButtons *buttons = form->TitleBarButtons();
    buttons->Clear();
    buttons->Add(suiControlBox, false);
    buttons->Add(suiClose);
    buttons->Add(suiMax, false);
    buttons->Add(suiMin, false);
    return form;
}

TsuiForm *TsuiBookFrames::Credits(QWidget *host)
{
    TsuiForm *form = Dialog(host, TFormBorderStyle::bsSizeable);
    OwnSections(form, QStringLiteral("FRAME_CREDITS_TITLE"));
    return form;
}

TsuiForm *TsuiBookFrames::Help(QWidget *host)
{
    TsuiForm *form = Dialog(host, TFormBorderStyle::bsDialog);
    form->TitleBarButtons()->Items(0)->SetVisible(true);
    return form;
}
