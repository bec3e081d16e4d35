// A stand-in for the decoder library in the player component's tests: exports the
// same functions, records every call, and posts the notifications a test chooses.
// Built several times with a different version entry (see extra.cmake).
#include "xaudio/XAudioInterface.h"
#include <cstring>
#include <map>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))

struct XA_PlayerObject {
    int fd = -1;
};

namespace {
XA_PlayerObject player;
std::string log;
int newResult = 0;
int priorityAnswer = 0;
struct Posted {
    std::vector<unsigned char> bytes;
    bool accept;
};
std::map<uint64_t, Posted> posted;
uint64_t nextId = 1;

void Log(const std::string &line) { log += line + "\n"; }
}

#if FAKE_VERSION_ENTRY == 1
FAKE_EXPORT int xaudio_get_version(int api)
{
    Log("xaudio_get_version " + std::to_string(api));
    return FAKE_VERSION;
}
#elif FAKE_VERSION_ENTRY == 2
FAKE_EXPORT int xaudio_get_api_version(int api)
{
    Log("xaudio_get_api_version " + std::to_string(api));
    return FAKE_VERSION;
}
#endif

FAKE_EXPORT int player_new(XA_PlayerObject **p, void *fd)
{
    Log("player_new");
    if (newResult != 0) return newResult;
    player.fd = *static_cast<int *>(fd);
    *p = &player;
    return 0;
}

FAKE_EXPORT int player_set_priority(XA_PlayerObject *, int priority)
{
    Log("player_set_priority " + std::to_string(priority));
    return 0;
}

FAKE_EXPORT int player_get_priority(XA_PlayerObject *)
{
    Log("player_get_priority");
    return priorityAnswer;
}

FAKE_EXPORT int player_delete(XA_PlayerObject *)
{
    Log("player_delete");
    player.fd = -1;
    return 0;
}

FAKE_EXPORT int control_message_send_N(XA_PlayerObject *, int code)
{
    Log("control_message_send_N " + std::to_string(code));
    return 0;
}

FAKE_EXPORT int control_message_send_S(XA_PlayerObject *, int code, const char *text)
{
    Log("control_message_send_S " + std::to_string(code) + " " + text);
    return 0;
}

FAKE_EXPORT int control_win32_params_to_message(XA_PlayerObject *, XA_Message *msg, unsigned int message,
                                                uint64_t wparam, uint64_t)
{
    Log("control_win32_params_to_message " + std::to_string(message));
    auto it = posted.find(wparam);
    if (it == posted.end() || !it->second.accept) return 1;
    std::memset(msg->bytes, 0, sizeof msg->bytes);
    if (!it->second.bytes.empty()) std::memcpy(msg->bytes, it->second.bytes.data(), it->second.bytes.size());
    posted.erase(it);
    return 0;
}

// Test controls.
FAKE_EXPORT void fake_reset()
{
    log.clear();
    newResult = 0;
    priorityAnswer = 0;
    posted.clear();
}

FAKE_EXPORT const char *fake_log() { return log.c_str(); }
FAKE_EXPORT void fake_set_player_new_result(int result) { newResult = result; }
FAKE_EXPORT void fake_set_priority_answer(int priority) { priorityAnswer = priority; }

// Writes one message to the component's pipe; accept decides what the conversion answers.
// With fromThread set the write happens on a thread of the library's own.
FAKE_EXPORT int fake_post(unsigned int message, const void *record, unsigned int size, int accept, int fromThread)
{
    const uint64_t id = nextId++;
    const auto *b = static_cast<const unsigned char *>(record);
    posted[id] = Posted{std::vector<unsigned char>(b, b + size), accept != 0};
    XA_PipeRecord r{message, 0, id, 0};
    ssize_t n = 0;
    auto write1 = [&] { n = write(player.fd, &r, sizeof r); };
    if (fromThread) {
        std::thread t(write1);
        t.join();
    } else {
        write1();
    }
    return n == ssize_t(sizeof r) ? 0 : -1;
}
