#include "speech/TSpeechOptions.h"
#include "app/KetabApplication.h"
#include "app/TSettingsStore.h"
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <algorithm>

namespace {
constexpr double Rates[TKeptChoices::SpeechRateCount] = {-0.6, -0.3, 0.0, 0.3, 0.6};
}

TSpeechOptions::TSpeechOptions(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("SpeechOptions"));
    const auto row = [this](QLabel *&label, const char *labelName, QComboBox *&box, const char *name, const QString &caption) {
        label = new QLabel(caption, this);
        label->setObjectName(QString::fromLatin1(labelName));
        label->setAccessibleName(caption);
        box = new QComboBox(this);
        box->setObjectName(QString::fromLatin1(name));
        box->setAccessibleName(caption);
        // Long voice names do not widen the panel; the list that opens shows them whole.
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(6);
        label->setBuddy(box);
    };
    row(RateLabel, "SpeechRateLabel", RateBox, "SpeechRateBox", tr("Reading pace"));
    RateBox->addItems({tr("Very slow"), tr("Slow"), tr("Normal"), tr("Fast"), tr("Very fast")});
    RateBox->setCurrentIndex(TKeptChoices().SpeechRate);
    row(VoiceLabel, "SpeechVoiceLabel", VoiceBox, "SpeechVoiceBox", tr("Reading voice"));
    for (QWidget *w : {static_cast<QWidget *>(VoiceLabel), static_cast<QWidget *>(VoiceBox)}) {
        QSizePolicy keep = w->sizePolicy();
        keep.setRetainSizeWhenHidden(true);
        w->setSizePolicy(keep);
        w->hide();
    }
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(4);
    grid->addWidget(RateLabel, 0, 0);
    grid->addWidget(RateBox, 0, 1);
    grid->addWidget(VoiceLabel, 1, 0);
    grid->addWidget(VoiceBox, 1, 1);
    grid->setColumnStretch(1, 1);

    TKetabApplication::Connect(RateBox, &QComboBox::currentIndexChanged, this, [this] {
        if (OnChange) OnChange();
    });
    TKetabApplication::Connect(VoiceBox, &QComboBox::currentIndexChanged, this, [this] {
        if (FFilling || VoiceBox->currentIndex() < 0) return;
        FVoice = VoiceBox->currentIndex() == 0 ? QString() : VoiceBox->currentText();
        if (OnChange) OnChange();
    });
}

double TSpeechOptions::RateOf(int step) { return Rates[std::clamp(step, 0, TKeptChoices::SpeechRateCount - 1)]; }

int TSpeechOptions::RateStep() const { return RateBox->currentIndex(); }

void TSpeechOptions::SetRateStep(int step) { RateBox->setCurrentIndex(std::clamp(step, 0, TKeptChoices::SpeechRateCount - 1)); }

void TSpeechOptions::SetVoice(const QString &name)
{
    FVoice = name;
    const int at = name.isEmpty() ? 0 : VoiceBox->findText(name);
    if (at >= 0 && VoiceBox->count()) VoiceBox->setCurrentIndex(at);
}

void TSpeechOptions::SetVoices(const QStringList &voices)
{
    FFilling = true;
    VoiceBox->clear();
    VoiceBox->addItems(voices);
    FFilling = false;
    // A kept voice the service no longer has gives way to the service's own.
    const int at = FVoice.isEmpty() ? 0 : VoiceBox->findText(FVoice);
    VoiceBox->setCurrentIndex(at < 0 ? 0 : at);
    VoiceLabel->setVisible(voices.size() > 1);
    VoiceBox->setVisible(voices.size() > 1);
}
