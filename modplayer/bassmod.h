/* The entry points of our tracker-music library, libbassmod.so. The game
   loads the library at run time and looks these up by name; everything else
   in the library is hidden. One module plays at a time, mixed into the sound
   device that the library shares with the game's sound effects. */
#ifndef SKYWARD_MODPLAYER_BASSMOD_H
#define SKYWARD_MODPLAYER_BASSMOD_H

#define BASSMOD_API __attribute__((visibility("default")))

#ifdef __cplusplus
extern "C" {
#endif

/* Opens the sound device at freq samples per second (0: 44100), 16-bit
   stereo, and gets the player ready. device and flags are accepted for any
   value: the system's default output device is used. Non-zero on success;
   calling it again once ready succeeds without opening anything more. */
BASSMOD_API int BASSMOD_Init(int device, unsigned freq, unsigned flags);

/* Loads a module, unloading the one loaded before. mem == 0: file is a file
   name; offset and length select a part of the file (length 0: up to its end).
   mem != 0: file points to the module in memory, length bytes starting offset
   bytes in. flags are accepted and unused. 0 on failure, and then no module is
   loaded. */
BASSMOD_API int BASSMOD_MusicLoad(int mem, const void* file, unsigned offset, unsigned length,
                                  unsigned flags);

/* Starts the loaded module at order position pos (0: its beginning), starting
   the player anew whatever reset says; flags are unused. The module repeats
   by itself when it reaches its end. 0 when nothing is loaded or the position
   does not exist. */
BASSMOD_API int BASSMOD_MusicPlayEx(unsigned pos, int flags, int reset);

/* Stops the module where it is; it stays loaded. 0 when nothing is loaded. */
BASSMOD_API int BASSMOD_MusicStop(void);

/* Stops and unloads the module. Nothing happens when none is loaded. */
BASSMOD_API void BASSMOD_MusicFree(void);

/* 0: nothing plays (nothing loaded, stopped, or the player gave up);
   1: playing; 3: paused. */
BASSMOD_API unsigned BASSMOD_MusicIsActive(void);

/* Pauses a playing module. 0 when nothing plays. */
BASSMOD_API int BASSMOD_MusicPause(void);

/* Goes on with a paused or stopped module where it was; a module loaded but
   never started starts from its beginning. 0 when nothing is loaded. */
BASSMOD_API int BASSMOD_MusicPlay(void);

#ifdef __cplusplus
}
#endif

#endif
