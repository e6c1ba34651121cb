#pragma once
// Completes an AVI file of ours that a crash or a power cut left unfinished:
// the recording's headers are refreshed on disk while it runs, but its
// indexes and final sizes are written only at its end. The repair rebuilds
// them from the sample chunks actually present, drops a last chunk that was
// only partly written, and adds the recording's sound when its WAV file is
// still there, as the end of the recording would have. It writes a new file
// beside the old one and puts it in its place only when it is complete, so a
// file is never made worse, and a file that is not one of ours is never
// touched.

#include "avi/AviContainer.h"

#include <cstdint>
#include <string>

enum class EAviRepair {
    complete,     // nothing to do: the file was finished properly
    repaired,     // the file now holds what the crash left of it
    notOurs,      // not an AVI file as our writer makes them; left alone
    unrepairable, // ours, but with no stream headers to rebuild from; left alone
    failed,       // the new file could not be written or put in place; left alone
};

struct AviRepairOptions {
    // The sound of the recording, added as its audio stream when the file
    // exists; any audio chunks of the damaged file are then dropped, since
    // a crash while composing leaves only part of the same sound.
    std::string wavPath;
    std::uint64_t segmentLimit = kDefaultRiffLimit;
};

// Cheap: reads a few chunk headers. True for an AVI file of our layout whose
// sizes or indexes are incomplete.
bool AviNeedsRepair(const std::string& path);

EAviRepair RepairAvi(const std::string& path, const AviRepairOptions& options = {});

// The names the repair writes beside the file while it works.
std::string AviRepairTemporaryPath(const std::string& path);
std::string AviRepairBackupPath(const std::string& path);
