#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tavrik {

// The folder of the running executable.
std::filesystem::path ProgramFolder();

// Where the player's files live (hand log, settings, paytable export): the per-user data
// folder ($XDG_DATA_HOME, else ~/.local/share) followed by "Tavrik/"; the program folder
// when no per-user folder can be determined. Evaluated on every call.
std::filesystem::path DataFolder();

// DataFolder() / name when that file exists, otherwise ProgramFolder() / name.
std::filesystem::path ReadPath(std::string_view name);

// DataFolder() / name, after creating DataFolder() with any missing parents.
std::filesystem::path WritePath(std::string_view name);

// Replaces `path` with `content` so that a crash leaves either the old file or the new one:
// writes a temporary file in the same folder, flushes it to disk and renames it over
// `path`. Raises TError when the file cannot be written, with errno set to the cause.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view content);

// Why a write failed with errno `error`, in the player's words ("disk full").
std::string WriteFailureReason(int error);

// The whole content of a regular file; nothing when it cannot be read or is of another
// kind (a FIFO, a device or a folder), which is never opened for reading, so this never waits.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

}  // namespace tavrik
