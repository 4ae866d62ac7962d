#include "audplug/PluginIdentity.h"

namespace {

// Calls `f` with each comma-separated name of `list`.
template <typename F> bool anyName(std::string_view list, F f)
{
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        if (f(list.substr(0, comma)))
            return true;
        if (comma == std::string_view::npos)
            break;
        list.remove_prefix(comma + 1);
    }
    return false;
}

} // namespace

bool PluginIdentity::acceptsContainer(std::string_view demuxerNames) const
{
    // A demuxer may carry several names ("mov,mp4,m4a"); one in common is enough.
    return anyName(demuxerNames, [this](std::string_view demuxer) {
        return anyName(containers, [demuxer](std::string_view ours) { return ours == demuxer; });
    });
}
