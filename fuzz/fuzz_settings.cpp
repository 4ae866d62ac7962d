// The presentation settings and the program options read from a settings file, every key's
// range and dependency applied. Settings written and read again must be the settings written.
#include "FuzzSupport.h"
#include "config/PresentationSettings.h"
#include "config/PresentationSettingsFile.h"
#include "config/ProgramOptions.h"
#include "config/ProgramOptionsFile.h"
#include "config/TNewIniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *bytes, std::size_t size)
{
    TNewIniFile ini;
    ini.loadFromBytes(fuzzBytes(bytes, size));

    PresentationSettings settings;
    ReadPresentationSettings(ini, settings);
    TNewIniFile written;
    WritePresentationSettings(written, settings);
    PresentationSettings reread;
    ReadPresentationSettings(written, reread);
    FUZZ_CHECK(DescribePresentationSettings(reread) == DescribePresentationSettings(settings));

    ProgramOptions options;
    ProgramOptionsReadContext context;
    context.programDir = fuzzScratchDir();
    (void)ReadProgramOptions(ini, options, context);
    TNewIniFile optionsFile;
    WriteProgramOptions(optionsFile, options);

    ProgramWideOptions wide;
    ReadProgramWideOptions(ini, wide);
    WriteProgramWideOptions(optionsFile, wide);

    WriteResultsSettings results;
    ReadWriteResults(ini, results, fuzzScratchDir(), nullptr);
    WriteWriteResults(optionsFile, results);
    (void)optionsFile.toBytes();
    return 0;
}
