#pragma once
#include "app/TForm.h"

class TImage32;

// One gallery picture at its natural size in a window of its own; a click closes it.
class TShowPicForm : public TForm {
    Q_OBJECT
public:
    explicit TShowPicForm(QWidget *parent = nullptr);
    void FormCreate();

    // Loads the picture unscaled, sizes the window to it and centres it on the desktop.
    // A picture that cannot be read raises and leaves the viewer as it was.
    void ShowPicture(const QString &file);
    void PictureClick();

    TImage32 *Picture = nullptr;

protected:
    void FormHide() override;
};

extern TShowPicForm *ShowPicForm;
