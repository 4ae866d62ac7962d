// The audio plug-ins' input: a WMA, MP3 or Ogg file opened through FFmpeg, its attributes read
// and every block of samples delivered until the end, an error or a time limit.
#include "audplug/MediaReader.h"
#include "audplug/PluginIdentity.h"
#include "audplug/ReaderCallback.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <unistd.h>

namespace {

// Both plug-ins' containers at once: the reader is the same code behind each.
const PluginIdentity kFuzzIdentity = {"fuzz", "*.wma;*.mp3;*.ogg", "fuzz", 1, "asf,mp3,ogg"};

class Collector final : public ReaderCallback
{
public:
    void addRef() override {}
    void release() override {}
    std::int32_t onSample(const std::uint8_t *data, std::uint32_t size, std::uint64_t) override
    {
        // Every byte delivered is read, so a block pointing past its buffer is seen.
        std::uint8_t sum = 0;
        for (std::uint32_t i = 0; i < size; ++i)
            sum = std::uint8_t(sum + data[i]);
        checksum = std::uint8_t(checksum ^ sum);
        return kReaderOk;
    }
    std::int32_t onStatus(std::int32_t status, std::int32_t, std::intptr_t) override
    {
        if (status == rsEndOfFile || status == rsError || status == rsDecodeError ||
            status == rsNoMemory) {
            std::lock_guard lock(mutex);
            ended = true;
            changed.notify_all();
        }
        return kReaderOk;
    }
    std::mutex mutex;
    std::condition_variable changed;
    bool ended = false;
    std::uint8_t checksum = 0;
};

char gScratch[] = "/tmp/fuzz-audio-XXXXXX";

void removeScratch()
{
    std::remove(gScratch);
}

// The file the reader opens, made once and removed at exit.
std::string scratchPath()
{
    static const bool made = [] {
        const int fd = ::mkstemp(gScratch);
        if (fd < 0)
            std::abort();
        ::close(fd);
        std::atexit(removeScratch);
        return true;
    }();
    (void)made;
    return gScratch;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *bytes, std::size_t size)
{
    const std::string path = scratchPath();
    std::FILE *file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(bytes, 1, size, file) != size || std::fclose(file) != 0)
        std::abort();
    Collector collector;
    std::unique_ptr<MediaReader> reader;
    if (MediaReader::create(path, &collector, kFuzzIdentity, &reader) != kReaderOk || !reader)
        return 0;
    std::uint16_t count = 0;
    if (reader->attributeCount(&count) == kReaderOk) {
        for (std::uint16_t i = 0; i < count; ++i) {
            ReaderAttribute attribute;
            (void)reader->attribute(i, &attribute);
        }
    }
    PcmFormat format{};
    (void)reader->outputFormat(&format);
    reader->setBlockSize(4096);
    if (reader->start() == kReaderOk) {
        std::unique_lock lock(collector.mutex);
        collector.changed.wait_for(lock, std::chrono::seconds(2), [&] { return collector.ended; });
    }
    (void)reader->seek(0);
    (void)reader->stop();
    return 0;
}
