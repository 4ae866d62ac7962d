#include "audplug/PluginIdentity.h"

const PluginIdentity kPluginIdentity = {
    "Windows Media Audio", "*.wma",
    "Windows Media Audio decoder plug-in (FFmpeg WMA decoding, ALSA output)", 210, "asf"};
