#pragma once
// The start-up step that completes the videos a crash or a power cut left
// unfinished in the album, before the album lists its files: each gets its
// headers and index rebuilt from the frames it holds, and the newest also
// the sound that was waiting for it in "wavtmp.wav", as the end of its
// recording would have added it. While this runs a small notice says so and
// the thread keeps its messages flowing.

// Uses g_albumFolder, g_programFolder and the "AVISUM" counter.
void RepairUnfinishedRecordings();
