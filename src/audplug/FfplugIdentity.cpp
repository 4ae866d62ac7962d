#include "audplug/PluginIdentity.h"

const PluginIdentity kPluginIdentity = {
    "MPEG Audio Layer 1/2/3 and Ogg Vorbis", "*.mp3;*.mp2;*.mp1;*.ogg",
    "MPEG audio and Ogg Vorbis decoder plug-in (FFmpeg decoding, ALSA output)", 100, "mp3,ogg"};
