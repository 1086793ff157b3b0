// The decisions made before a file is written: which drives take files, which free-space
// query the running Windows offers, whether the space suffices, how many bytes each writer
// asks for, and the temporary name a safe write uses (the drive root and the extension of a
// chosen path: common/text_rules.h). Pure: no file, dialog or window calls; output/drive.cpp and
// output/safe_write.cpp ask the system and apply these.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Drive types as GetDriveTypeA reports them.
enum DriveType : unsigned {
  kDriveUnknown = 0,
  kDriveNoRootDir = 1,  // also every path without a drive letter
  kDriveRemovable = 2,
  kDriveFixed = 3,
  kDriveRemote = 4,
  kDriveCdrom = 5,
  kDriveRamdisk = 6,
};
// 1 when files must not be written to a drive of that type (unknown, no root, network,
// CD-ROM), else 0 (removable, fixed, RAM disk and any other value).
int IsRefusedDriveType(unsigned driveType);

// The free-space query to use. Every Windows but the first Windows 95 releases offers the
// 64-bit GetDiskFreeSpaceExA; the 32-bit GetDiskFreeSpaceA is the fallback.
enum class FreeSpaceQuery { k64Bit, k32Bit };
// Version class 1 to 7 (the detection of the frame) → 64-bit. Class 0 (Windows 95 and
// unrecognised Windows 9x) → 64-bit only on platform id 1 (Windows 9x) with a build number
// (its low 16 bits) above 1000, else 32-bit.
FreeSpaceQuery ChooseFreeSpaceQuery(int windowsVersionClass, unsigned long platformId,
                                    unsigned long buildNumber);

// Margin added to every request.
constexpr std::uint64_t kFreeSpaceMargin = 1000;
// 1 when freeBytes ≥ bytes + 1000, else 0. The 32-bit query's free space (sectors per
// cluster × bytes per sector × free clusters) is computed in 64 bits, so a large disk never
// wraps round to a small number.
int HasRoom(std::uint64_t freeBytes, std::uint64_t bytes);
std::uint64_t FreeBytesOf32BitQuery(unsigned long sectorsPerCluster, unsigned long bytesPerSector,
                                    unsigned long freeClusters);

// Bytes each writer asks for (the margin comes on top): the data text file of count values,
// the BMP file of a client area (image rows × row size + 118 header bytes + 1000), the results
// file of a text of textLength bytes.
std::uint64_t DataFileBytesAsked(int valueCount);
std::uint64_t BitmapFileBytesAsked(int clientWidth, int clientHeight);
std::uint64_t ResultsFileBytesAsked(std::size_t textLength);

// Name of the temporary file a safe write uses for `path`: in the same folder (so that the
// final rename stays on one drive), "~kv" and the attempt number in hexadecimal, ".tmp". The
// folder is everything up to the last "\", "/" or the ":" of a drive letter; a bare name gives
// a bare temporary name. The path is UTF-16, so no byte of a double-byte character is taken
// for a separator.
std::wstring TemporaryPathFor(const std::wstring& path, unsigned attempt);
