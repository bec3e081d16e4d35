#pragma once
#include <QStringList>
#include <QWidget>
#include <functional>

class QComboBox;
class QLabel;

// Read aloud's group of the options panel: the pace, five steps from very slow to very fast,
// and the voice, offered once the speech service has named more than one Persian voice.
// The voice's row keeps its room while hidden, so the panel's height never changes.
class TSpeechOptions : public QWidget {
    Q_OBJECT
public:
    explicit TSpeechOptions(QWidget *parent = nullptr);

    // The pace of a step for the speech service: -1 the slowest, 0 its own, 1 the fastest.
    static double RateOf(int step);
    int RateStep() const;
    void SetRateStep(int step);
    // The voice chosen by its service name; empty for the service's own.
    QString Voice() const { return FVoice; }
    // A kept choice, also before the service has named its voices.
    void SetVoice(const QString &name);
    // The service's Persian voices, its own first.
    void SetVoices(const QStringList &voices);

    // The reader has read aloud, in this run or an earlier one.
    bool Used = false;
    // The reader changed the pace or the voice.
    std::function<void()> OnChange;

    QLabel *RateLabel = nullptr;
    QComboBox *RateBox = nullptr;
    QLabel *VoiceLabel = nullptr;
    QComboBox *VoiceBox = nullptr;

private:
    QString FVoice;
    bool FFilling = false;
};
