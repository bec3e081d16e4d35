#pragma once
#include "app/TForm.h"

class QLabel;
class TImage32;
class TQuelConnectLabel;

// Who made the book's edition, over a background picture, with the publisher's
// web and mail links. A click elsewhere on the picture closes it.
class TCreditsForm : public TForm {
    Q_OBJECT
public:
    explicit TCreditsForm(QWidget *parent = nullptr);
    void FormCreate();
    void BackImageClick();

    TImage32 *BackImage = nullptr;
    QLabel *PublisherLogo = nullptr;
    QLabel *DistributorLogo = nullptr;
    QLabel *Image1 = nullptr;
    TQuelConnectLabel *WebLabel = nullptr;
    TQuelConnectLabel *MailLabel = nullptr;

protected:
    void FormShow() override;
    void FormHide() override;

private:
    QLabel *Text(const QString &text, int pixelSize, bool bold, const QRect &place, Qt::Alignment align);
};

extern TCreditsForm *CreditsForm;
