#pragma once
// The binary interface between the music player component and the decoder library
// it loads at run time: the exported functions, the notification records the
// library writes to the player's pipe, and the layout of a converted notification.
#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

// Interface version answered by the version entry: bits 16..23 major, 8..15 minor.
#define XA_VERSION_MAJOR 3
#define XA_VERSION_MINOR 8
#define XA_VERSION ((XA_VERSION_MAJOR << 16) | (XA_VERSION_MINOR << 8))
#define XA_API_ID 2

// Commands sent with control_message_send_N / control_message_send_S.
#define XA_MSG_COMMAND_PLAY 4
#define XA_MSG_COMMAND_PAUSE 5  // stops where the track is; play goes on from there
#define XA_MSG_COMMAND_STOP 6
#define XA_MSG_COMMAND_INPUT_OPEN 8

// Player states reported with XA_MSG_NOTIFY_PLAYER_STATE.
#define XA_PLAYER_STATE_STOPPED 0
#define XA_PLAYER_STATE_PLAYING 1
#define XA_PLAYER_STATE_PAUSED 2
#define XA_PLAYER_STATE_EOS 3  // the open track has played to its end

// Notification codes the library itself sends (the component knows many more).
#define XA_MSG_NOTIFY_READY 73
#define XA_MSG_NOTIFY_NACK 75
#define XA_MSG_NOTIFY_PLAYER_STATE 78
#define XA_MSG_NOTIFY_INPUT_NAME 83
#define XA_MSG_NOTIFY_OUTPUT_NAME 94
#define XA_MSG_NOTIFY_STREAM_DURATION 111  // milliseconds
#define XA_MSG_NOTIFY_STREAM_PARAMETERS 112
#define XA_MSG_NOTIFY_ERROR 123

// Sources named in error notifications.
#define XA_SOURCE_PLAYER 0
#define XA_SOURCE_INPUT 1
#define XA_SOURCE_CODEC 2
#define XA_SOURCE_OUTPUT 3

// The "window message" the library posts: one fixed-size record written whole
// (it is smaller than PIPE_BUF, so a write is atomic) to the write end of the
// pipe the component passes to player_new. Message numbers of the library are
// 0x9000 or above.
#define XA_NOTIFICATION_MESSAGE 0x9100u
typedef struct XA_PipeRecord {
    uint32_t message;
    uint32_t reserved;
    uint64_t wparam;
    uint64_t lparam;
} XA_PipeRecord;

// A converted notification: a fixed buffer of XA_MESSAGE_SIZE bytes. Byte +0 holds
// the notification code as int32; the fields that follow sit at fixed byte offsets,
// little-endian. A text or an address is a 32-bit offset from the start of the
// buffer to the data inside the same buffer (0 = none), so every field keeps its
// 4-byte slot whatever the width of a pointer; texts are zero-terminated.
#define XA_MESSAGE_SIZE 65536
typedef struct XA_Message {
    unsigned char bytes[XA_MESSAGE_SIZE];
} XA_Message;

// Entry of a stream-properties array: +0 name (offset), +4 type byte
// (non-zero: +8 is an int32; zero: +8 is the offset of a text).
#define XA_PROPERTY_ENTRY_SIZE 12

typedef struct XA_PlayerObject XA_PlayerObject;

// Exported functions (C linkage, these exact names).
typedef int (*XA_GetVersionFn)(int api);
typedef int (*XA_PlayerNewFn)(XA_PlayerObject **player, void *pipe_write_fd);
typedef int (*XA_PlayerSetPriorityFn)(XA_PlayerObject *player, int priority);
typedef int (*XA_PlayerGetPriorityFn)(XA_PlayerObject *player);
typedef int (*XA_PlayerDeleteFn)(XA_PlayerObject *player);
typedef int (*XA_ControlMessageSendNFn)(XA_PlayerObject *player, int code);
typedef int (*XA_ControlMessageSendSFn)(XA_PlayerObject *player, int code, const char *text);
// 0 when the message was the library's and msg is filled; non-zero otherwise.
typedef int (*XA_ControlWin32ParamsToMessageFn)(XA_PlayerObject *player, XA_Message *msg,
                                                 unsigned int message, uint64_t wparam, uint64_t lparam);

#ifdef __cplusplus
}
#endif
