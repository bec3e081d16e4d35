#pragma once
// The player object of the decoder library: a thread of its own that opens MP3
// files, decodes them and plays them through an audio output, taking commands
// from a queue and reporting what happens as notifications written to the
// component's pipe.
#include "xaudio/AudioOutput.h"
#include "xaudio/NotificationRecord.h"
#include "xaudio/XAudioInterface.h"
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct mpg123_handle_struct;

class DecoderPlayer {
public:
    // notifyFd: the write end of the component's pipe.
    explicit DecoderPlayer(int notifyFd);
    ~DecoderPlayer();
    DecoderPlayer(const DecoderPlayer &) = delete;
    DecoderPlayer &operator=(const DecoderPlayer &) = delete;

    // Queues a command (play, stop, open a path); unknown codes are answered with a nack.
    void Send(int code, const std::string &text = std::string());
    void SetPriority(int priority);
    int Priority() const;
    // Fills msg with the notification posted under this number; false when there is none.
    bool TakeNotification(uint64_t number, XA_Message *msg);

private:
    struct Command {
        int code;
        std::string text;
    };

    void Run();
    void Execute(const Command &c);
    void Open(const std::string &path);
    void CloseInput();
    void Play();
    void Pause();
    void Stop();
    void DecodeSome();
    void SetState(int state);
    void PostError(int source, int code, const std::string &text);
    void Post(const NotificationRecord &record);
    void ApplyPriority();

    const int notifyFd;
    mutable std::mutex lock;
    std::condition_variable wake;
    std::deque<Command> commands;
    bool quit = false;
    int priority = 3;
    int threadId = 0;
    std::map<uint64_t, std::vector<unsigned char>> pending;
    uint64_t nextNumber = 1;

    // Owned by the player's thread.
    mpg123_handle_struct *decoder = nullptr;
    bool inputOpen = false;
    bool playing = false;
    bool atEnd = false;
    int state = XA_PLAYER_STATE_STOPPED;
    long rate = 0;
    int channels = 0;
    std::unique_ptr<AudioOutput> output;
    long outputRate = 0;
    int outputChannels = 0;
    std::vector<unsigned char> buffer;

    std::thread thread;
};
