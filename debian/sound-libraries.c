/* Never installed. The game opens SDL2 and SDL2_mixer itself at run time
   (platform/sdlplayer.cpp), so the package build links this program against
   them instead and lets dpkg-shlibdeps read it: the package then depends on
   the sound libraries in a version that has every function the game looks up,
   which are the ones named here. */
#include <SDL.h>
#include <SDL_mixer.h>

void (*const norppala_sound_functions[])(void) = {
    (void (*)(void))SDL_GetError,
    (void (*)(void))SDL_SetHint,
    (void (*)(void))SDL_SetHintWithPriority,
    (void (*)(void))SDL_InitSubSystem,
    (void (*)(void))SDL_QuitSubSystem,
    (void (*)(void))SDL_TLSCleanup,
    (void (*)(void))Mix_Init,
    (void (*)(void))Mix_Quit,
    (void (*)(void))Mix_OpenAudio,
    (void (*)(void))Mix_CloseAudio,
    (void (*)(void))Mix_AllocateChannels,
    (void (*)(void))Mix_Volume,
    (void (*)(void))Mix_VolumeMusic,
    (void (*)(void))Mix_LoadWAV,
    (void (*)(void))Mix_LoadMUS,
    (void (*)(void))Mix_FreeChunk,
    (void (*)(void))Mix_FreeMusic,
    (void (*)(void))Mix_PlayMusic,
    (void (*)(void))Mix_HaltMusic,
    (void (*)(void))Mix_PlayChannel,
    (void (*)(void))Mix_HaltChannel,
    (void (*)(void))Mix_PauseMusic,
    (void (*)(void))Mix_ResumeMusic,
    (void (*)(void))Mix_Pause,
    (void (*)(void))Mix_Resume,
};

int main(void) {
    return 0;
}
