#include "output/drive_rules.h"

#include <cstdio>
#include <cstring>

#include "output/page_bitmap.h"

int IsRefusedDriveType(unsigned driveType) {
  switch (driveType) {
    case kDriveUnknown:
    case kDriveNoRootDir:
    case kDriveRemote:
    case kDriveCdrom:
      return 1;
    default:
      return 0;
  }
}

FreeSpaceQuery ChooseFreeSpaceQuery(int windowsVersionClass, unsigned long platformId,
                                    unsigned long buildNumber) {
  if (windowsVersionClass != 0) return FreeSpaceQuery::k64Bit;
  if (platformId == 1 && (buildNumber & 0xFFFFu) > 1000) return FreeSpaceQuery::k64Bit;
  return FreeSpaceQuery::k32Bit;
}

int HasRoom(std::uint64_t freeBytes, std::uint64_t bytes) {
  return freeBytes >= bytes + kFreeSpaceMargin;
}

std::uint64_t FreeBytesOf32BitQuery(unsigned long sectorsPerCluster, unsigned long bytesPerSector,
                                    unsigned long freeClusters) {
  return static_cast<std::uint64_t>(sectorsPerCluster) * bytesPerSector * freeClusters;
}

std::uint64_t DataFileBytesAsked(int valueCount) {
  return static_cast<std::uint64_t>(valueCount < 0 ? 0 : valueCount) * 13 + 1000;
}

std::uint64_t BitmapFileBytesAsked(int clientWidth, int clientHeight) {
  const PageImageSize size = PageImageSizeOf(clientWidth, clientHeight);
  if (!IsCapturable(size)) return kBmp4HeaderSize + 1000;
  return PageImageBytes(size) + kBmp4HeaderSize + 1000;
}

std::uint64_t ResultsFileBytesAsked(std::size_t textLength) {
  return static_cast<std::uint64_t>(textLength) + 1000;
}

std::wstring TemporaryPathFor(const std::wstring& path, unsigned attempt) {
  std::size_t folderEnd = path.find_last_of(L"\\/");
  if (folderEnd == std::wstring::npos && path.size() >= 2 && path[1] == L':') folderEnd = 1;
  const std::wstring folder =
      folderEnd == std::wstring::npos ? std::wstring() : path.substr(0, folderEnd + 1);
  char name[32];
  std::snprintf(name, sizeof name, "~kv%x.tmp", attempt);
  return folder + std::wstring(name, name + std::strlen(name));
}
