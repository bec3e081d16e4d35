// The functions the music player component binds by name.
#include "xaudio/DecoderPlayer.h"
#include "xaudio/XAudioInterface.h"

#define XA_EXPORT extern "C" __attribute__((visibility("default")))

struct XA_PlayerObject {
    explicit XA_PlayerObject(int fd) : player(fd) {}
    DecoderPlayer player;
};

XA_EXPORT int xaudio_get_version(int api)
{
    return api == XA_API_ID ? XA_VERSION : 0;
}

XA_EXPORT int player_new(XA_PlayerObject **player, void *pipeWriteFd)
{
    if (!player || !pipeWriteFd) return -1;
    const int fd = *static_cast<int *>(pipeWriteFd);
    if (fd < 0) return -1;
    try {
        *player = new XA_PlayerObject(fd);
    } catch (...) {
        *player = nullptr;
        return -1;
    }
    return 0;
}

XA_EXPORT int player_delete(XA_PlayerObject *player)
{
    delete player;
    return 0;
}

XA_EXPORT int player_set_priority(XA_PlayerObject *player, int priority)
{
    if (!player) return -1;
    player->player.SetPriority(priority);
    return 0;
}

XA_EXPORT int player_get_priority(XA_PlayerObject *player)
{
    return player ? player->player.Priority() : 0;
}

XA_EXPORT int control_message_send_N(XA_PlayerObject *player, int code)
{
    if (!player) return -1;
    player->player.Send(code);
    return 0;
}

XA_EXPORT int control_message_send_S(XA_PlayerObject *player, int code, const char *text)
{
    if (!player || !text) return -1;
    player->player.Send(code, text);
    return 0;
}

XA_EXPORT int control_win32_params_to_message(XA_PlayerObject *player, XA_Message *msg, unsigned int message,
                                              uint64_t wparam, uint64_t lparam)
{
    if (!player || !msg || message != XA_NOTIFICATION_MESSAGE) return 1;
    if (lparam != uint64_t(reinterpret_cast<uintptr_t>(&player->player))) return 1;
    return player->player.TakeNotification(wparam, msg) ? 0 : 1;
}
