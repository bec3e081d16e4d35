#include "reader/TSectionMusic.h"
#include "app/ReaderState.h"
#include "widgets/TXAPlayer.h"

TSectionMusic::TSectionMusic(TXAPlayer &player, TReaderState &state) : Player(player), State(state) {}

QString TSectionMusic::TrackFile(const TReaderState &state, int section)
{
    return state.AppFolder + QStringLiteral("Musics/Music") + QString::number(section) + QStringLiteral(".mp3");
}

void TSectionMusic::ChMusicExecute()
{
    // Moving within a section, or coming back to it, never restarts its track.
    if (State.MusicSection == State.CurSection) return;
    State.MusicSection = State.CurSection;
    // The track is opened even with music off, so switching music on plays this section's track.
    Player.InputOpen(TrackFile(State, State.CurSection));
    if (State.MusicEnabled) Player.Play();
}

void TSectionMusic::MusicOnClick()
{
    Player.Play();
    State.MusicEnabled = true;
}

void TSectionMusic::MusicOffClick()
{
    Player.Stop();
    State.MusicEnabled = false;
}

void TSectionMusic::Hold()
{
    if (Held || !State.MusicEnabled) return;
    Held = true;
    Player.Pause();
}

void TSectionMusic::Release()
{
    if (!Held) return;
    Held = false;
    if (State.MusicEnabled) Player.Play();
}

void TSectionMusic::MusicPlayerPlayerState(TXAPlayer *, int state)
{
    if (state == XA_PLAYER_STATE_EOS && State.MusicEnabled) {
        Player.Stop();
        Player.Play();
    }
}
