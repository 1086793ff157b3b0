// Writing a file the user chose, shared by every writer of korvan95 and korvan00 (the BMP file
// of the page, korvan95's data text file, korvan00's results file): the drive checks made
// before the write, and the safe write itself. The decisions are those of
// output/drive_rules.h; these functions only ask the system.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

// 1 when files must not be written to the drive of `root` (a network or CD-ROM drive, an
// unknown drive, a path without a drive letter), 0 when they may. Shows nothing.
int IsRefusedDrive(const char* root);

// 1 when the drive of `root` has at least bytes + 1000 free bytes available to the caller,
// else 0. windowsVersionClass (0 to 7, from the frame's detection) chooses between the 64-bit
// and the 32-bit query. A query that fails does not block the write: the result is then 1,
// and the write itself finds out whether the space suffices. Shows nothing.
int HasEnoughFreeSpace(const char* root, std::uint64_t bytes, int windowsVersionClass);

// How a safe write ended. kUnableToOpen: no temporary file could be made beside the target, or
// the target could not be replaced (a read-only file, a folder of that name); kUnableToWrite:
// the data did not all reach the disk (disk full, device error).
enum class SafeWriteOutcome { kWritten, kUnableToOpen, kUnableToWrite };

// Writes `size` bytes to `path` so that a failure never leaves a damaged file in place of a
// good one: the bytes go to a new temporary file in the same folder (output/drive_rules.h
// TemporaryPathFor), which replaces the target only after every byte was written and the
// file closed (MoveFileExW with MOVEFILE_REPLACE_EXISTING). On failure the temporary file is
// removed and an existing target is untouched. The path is the UTF-16 one of the file dialog,
// used whole by every file call. Shows nothing: each writer reports the outcome with its own
// message table.
SafeWriteOutcome WriteFileSafely(const std::wstring& path, const void* bytes, std::size_t size);
