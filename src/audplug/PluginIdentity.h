#pragma once

#include "audplug/ApInterface.h"

#include <string_view>

// What one plug-in built from these sources says about itself and which containers it reads.
struct PluginIdentity
{
    const char *name;
    const char *extensions;
    const char *about;
    ApInt version;
    // The FFmpeg demuxer names this plug-in accepts, separated by commas ("asf"); a file in any
    // other container fails to open as an input stream failure.
    const char *containers;

    bool acceptsContainer(std::string_view demuxerNames) const;
};

// Defined once in each plug-in: audplug's in AudplugIdentity.cpp, ffplug's in FfplugIdentity.cpp.
extern const PluginIdentity kPluginIdentity;
