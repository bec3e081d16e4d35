#pragma once
// Background music per section: one track for each section of the book, opened
// when the section changes, repeated at its end while music is on, and switched
// on and off by the reader.
class QString;
class TXAPlayer;
struct TReaderState;

class TSectionMusic {
public:
    TSectionMusic(TXAPlayer &player, TReaderState &state);

    // Makes the open track that of CurSection; plays it when music is on.
    void ChMusicExecute();
    void MusicOnClick();
    void MusicOffClick();
    // Read aloud holds the music: while held the track pauses; released, it goes on from
    // where it was, if music is still on.
    void Hold();
    void Release();
    // The player's state changes; state 3 means the track has played to its end.
    void MusicPlayerPlayerState(TXAPlayer *sender, int state);

    // The track of a section: AppFolder + "Musics/Music" + n + ".mp3".
    static QString TrackFile(const TReaderState &state, int section);

private:
    TXAPlayer &Player;
    TReaderState &State;
    bool Held = false;
};
