#pragma once
// Test access to a stand-in decoder library: the same file the player component
// loads, opened once more here to read its call record and post messages.
#include "app/Dialogs.h"
#include <QString>
#include <QStringList>
#include <dlfcn.h>

class FakeLibrary {
public:
    explicit FakeLibrary(const QString &name = QStringLiteral("fake_xaudio"))
        : Path(QStringLiteral(KETAB_FAKE_XAUDIO_DIR "/") + name + QStringLiteral(".so"))
    {
        Handle = dlopen(Path.toUtf8().constData(), RTLD_NOW | RTLD_LOCAL);
        if (!Handle) qFatal("cannot load %s: %s", qPrintable(Path), dlerror());
        Reset = reinterpret_cast<void (*)()>(dlsym(Handle, "fake_reset"));
        LogText = reinterpret_cast<const char *(*)()>(dlsym(Handle, "fake_log"));
        SetPlayerNewResult = reinterpret_cast<void (*)(int)>(dlsym(Handle, "fake_set_player_new_result"));
        SetPriorityAnswer = reinterpret_cast<void (*)(int)>(dlsym(Handle, "fake_set_priority_answer"));
        PostRaw = reinterpret_cast<int (*)(unsigned, const void *, unsigned, int, int)>(dlsym(Handle, "fake_post"));
        Reset();
    }
    ~FakeLibrary() { dlclose(Handle); }
    FakeLibrary(const FakeLibrary &) = delete;
    FakeLibrary &operator=(const FakeLibrary &) = delete;

    // The calls made since the last reset, one per line.
    QStringList Log() const { return QString::fromUtf8(LogText()).split(QLatin1Char('\n'), Qt::SkipEmptyParts); }
    // Posts a converted record with the library's message number; reject makes the conversion refuse it.
    bool Post(const QByteArray &record, unsigned message = 0x9100, bool accept = true, bool fromThread = false)
    {
        return PostRaw(message, record.constData(), unsigned(record.size()), accept, fromThread) == 0;
    }

    QString Path;
    void *Handle = nullptr;
    void (*Reset)() = nullptr;
    const char *(*LogText)() = nullptr;
    void (*SetPlayerNewResult)(int) = nullptr;
    void (*SetPriorityAnswer)(int) = nullptr;
    int (*PostRaw)(unsigned, const void *, unsigned, int, int) = nullptr;
};

// Records message boxes instead of showing them.
class RecordingDialogs : public TDialogs {
public:
    explicit RecordingDialogs(QStringList &shown) : Shown(shown) {}
    void ShowMessage(const QString &text, const QString &caption, QMessageBox::Icon) override
    {
        Shown << caption + QLatin1Char('|') + text;
    }
    void Beep() override {}

private:
    QStringList &Shown;
};

// A record with the notification code at +0 and room for the fields after it.
inline QByteArray NotificationBytes(int code, int size = 64)
{
    QByteArray r(size, '\0');
    for (int i = 0; i < 4; ++i) r[i] = char((code >> (8 * i)) & 0xFF);
    return r;
}
