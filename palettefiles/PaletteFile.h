// Palette files: the RIFF palette (read and written) and the JASC text palette (read).
// Every palette read or written here has exactly 256 entries, one per palette index.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

// A colour laid out as 0x00BBGGRR: red in the lowest byte, then green, then blue.
using PaletteColor = std::uint32_t;

// One entry of a RIFF palette file and of the import window's table.
struct PaletteEntry { std::uint8_t Red, Green, Blue, Flags; };

PaletteColor EntryToColor(const PaletteEntry& e);   // Red + Green*256 + Blue*65536
PaletteEntry ColorToEntry(PaletteColor c);          // Flags = 0

enum class PaletteFormat { Riff, Jasc, Unsupported, CannotOpen };

// Judges a file by its first bytes: "RIFF" is a RIFF palette; "JASC", alone or after the
// UTF-8 byte-order mark EF BB BF, is a JASC text palette; anything else, a file shorter than
// four bytes included, is unsupported. CannotOpen: the file could not be opened or read.
PaletteFormat CheckPaletteFormat(const std::string& fileName);

enum class FileResult { Ok, OpenFailed, ReadFailed, WriteFailed };

// Reads a RIFF or JASC palette. On Ok all 256 entries come from this file alone (what the
// file does not supply is black, Flags are 0); on any failure `entries` is left as it was.
// A file that is neither RIFF nor JASC (any more) gives ReadFailed.
FileResult ReadPaletteFile(const std::string& fileName, PaletteEntry (&entries)[256]);

// How the finished temporary file takes the target's place. Unsupported means the system
// has no atomic replace; the writer then falls back to writing the target directly.
enum class ReplaceOutcome { Replaced, Failed, Unsupported };
using ReplaceFileFn = ReplaceOutcome (*)(const std::string& from, const std::string& to);

// std::rename, which replaces an existing target atomically on POSIX systems.
ReplaceOutcome ReplaceByRename(const std::string& from, const std::string& to);

// Writes the 1048-byte RIFF palette of `colors` (palette-index order). The bytes go to a new
// file beside the target first, which then replaces the target; a failed save leaves an
// existing target exactly as it was and leaves no other file behind.
FileResult WritePaletteFile(const std::string& fileName, const PaletteColor (&colors)[256],
                            ReplaceFileFn replace = ReplaceByRename);

// The same operations on a stream the caller opened in binary mode, positioned at the start
// of the file, and closes. The file functions above are built on them; tests and the fuzzer
// use them to reach the formats without a file name.
PaletteFormat CheckPaletteStream(std::FILE* stream);
FileResult ReadPaletteStream(std::FILE* stream, PaletteEntry (&entries)[256]);
// Writes and flushes the 1048 bytes; false when either fails.
bool WritePaletteStream(std::FILE* stream, const PaletteColor (&colors)[256]);
