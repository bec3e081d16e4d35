#include "app/Dialogs.h"
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QRegularExpression>

namespace {
std::unique_ptr<TDialogs> &Current()
{
    static std::unique_ptr<TDialogs> dialogs = std::make_unique<TDialogs>();
    return dialogs;
}
}

void TDialogs::Beep() { QApplication::beep(); }

void TDialogs::ShowMessage(const QString &text, const QString &caption, QMessageBox::Icon icon)
{
    QMessageBox box(icon, caption, text, QMessageBox::Ok, QApplication::activeWindow());
    box.setLayoutDirection(Qt::RightToLeft);
    box.setAccessibleName(caption);
    // A screen reader announcing the box reads its message with its caption.
    box.setAccessibleDescription(text);
    box.exec();
}

QMessageBox::StandardButton TDialogs::Ask(const QString &text, const QString &caption,
                                          QMessageBox::StandardButtons buttons)
{
    static const struct {
        QMessageBox::StandardButton Button;
        const char *Caption;
    } captions[] = {{QMessageBox::Save, "ذخيره"}, {QMessageBox::Discard, "ذخيره نشود"}, {QMessageBox::Cancel, "انصراف"},
                    {QMessageBox::Yes, "بله"},    {QMessageBox::No, "خير"},            {QMessageBox::Ok, "تأييد"}};
    QMessageBox box(QMessageBox::Question, caption, text, buttons, QApplication::activeWindow());
    box.setLayoutDirection(Qt::RightToLeft);
    box.setAccessibleName(caption);
    // Read as a whole: the question with its caption, not just the buttons.
    box.setAccessibleDescription(text);
    for (const auto &c : captions)
        if (QAbstractButton *b = box.button(c.Button)) b->setText(QString::fromUtf8(c.Caption));
    if (buttons & QMessageBox::Cancel) box.setEscapeButton(QMessageBox::Cancel);
    const auto answer = QMessageBox::StandardButton(box.exec());
    return answer != QMessageBox::NoButton && buttons.testFlag(answer) ? answer : QMessageBox::Cancel;
}

QString TDialogs::OpenFileName(QWidget *parent, const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, QString(), StartFolder, filter);
}

QString TDialogs::SaveFileName(QWidget *parent, const QString &filter)
{
    QFileDialog dialog(parent, QString(), StartFolder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // A filter of one file type ("Notes (*.bmk)") gives a name typed without a suffix
    // that type's suffix, so the dialog asks about replacing the file that is written.
    static const QRegularExpression onePattern(QStringLiteral(R"(^[^(]*\(\*\.(\w+)\)$)"));
    if (const QRegularExpressionMatch one = onePattern.match(filter); one.hasMatch())
        dialog.setDefaultSuffix(one.captured(1));
    if (dialog.exec() != QDialog::Accepted) return QString();
    return dialog.selectedFiles().value(0);
}

int TDialogs::Exec(QDialog *dialog) { return dialog->exec(); }

TDialogs &Dialogs() { return *Current(); }

std::unique_ptr<TDialogs> SetDialogs(std::unique_ptr<TDialogs> dialogs)
{
    std::swap(Current(), dialogs);
    return dialogs;
}
