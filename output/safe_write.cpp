#include "output/safe_write.h"

#include <cstring>
#include <string>

#include "output/drive_rules.h"

namespace {

// Temporary names tried before giving up (another writer's left-overs, a name taken).
constexpr unsigned kTemporaryAttempts = 64;
// Bytes handed to one WriteFile call.
constexpr DWORD kWriteChunk = 1u << 20;

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() { Close(); }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  bool Close() {
    if (!valid()) return true;
    const bool closed = CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE handle_;
};

bool WriteAll(HANDLE file, const unsigned char* bytes, std::size_t size) {
  while (size > 0) {
    const DWORD chunk = size < kWriteChunk ? static_cast<DWORD>(size) : kWriteChunk;
    DWORD written = 0;
    if (!WriteFile(file, bytes, chunk, &written, nullptr) || written != chunk) return false;
    bytes += chunk;
    size -= chunk;
  }
  return FlushFileBuffers(file) != 0;
}

}  // namespace

int IsRefusedDrive(const char* root) { return IsRefusedDriveType(GetDriveTypeA(root)); }

int HasEnoughFreeSpace(const char* root, std::uint64_t bytes, int windowsVersionClass) {
  FreeSpaceQuery query = FreeSpaceQuery::k64Bit;
  if (windowsVersionClass == 0) {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    if (GetVersionExA(&version)) {
      query = ChooseFreeSpaceQuery(0, version.dwPlatformId, version.dwBuildNumber);
    } else {
      query = FreeSpaceQuery::k32Bit;
    }
  }
  if (query == FreeSpaceQuery::k64Bit) {
    // Looked up at run time: the first Windows 95 releases do not have it.
    char path[MAX_PATH + 32] = {};
    const UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
      const std::string dll = std::string(path) + "\\KERNEL32.DLL";
      if (HMODULE kernel = LoadLibraryA(dll.c_str())) {
        using FreeSpaceEx = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
        const FARPROC found = GetProcAddress(kernel, "GetDiskFreeSpaceExA");
        FreeSpaceEx freeSpaceEx = nullptr;
        static_assert(sizeof freeSpaceEx == sizeof found, "function pointers of one size");
        std::memcpy(&freeSpaceEx, &found, sizeof found);
        ULARGE_INTEGER available = {}, total = {}, totalFree = {};
        const BOOL answered = freeSpaceEx && freeSpaceEx(root, &available, &total, &totalFree);
        FreeLibrary(kernel);
        if (answered) return HasRoom(available.QuadPart, bytes);
        return 1;
      }
    }
    return 1;
  }
  DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
  if (!GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters)) {
    return 1;
  }
  return HasRoom(FreeBytesOf32BitQuery(sectorsPerCluster, bytesPerSector, freeClusters), bytes);
}

SafeWriteOutcome WriteFileSafely(const std::wstring& path, const void* bytes, std::size_t size) {
  // A read-only file or a folder of that name is not replaced (MoveFileExW would replace a
  // read-only file on some systems).
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
    return SafeWriteOutcome::kUnableToOpen;
  }
  for (unsigned attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
    const std::wstring temporary = TemporaryPathFor(path, attempt);
    FileHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
      const DWORD error = GetLastError();
      if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;
      return SafeWriteOutcome::kUnableToOpen;
    }
    const bool written = WriteAll(file.get(), static_cast<const unsigned char*>(bytes), size);
    const bool closed = file.Close();
    if (!written || !closed) {
      DeleteFileW(temporary.c_str());
      return SafeWriteOutcome::kUnableToWrite;
    }
    if (!MoveFileExW(temporary.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      DeleteFileW(temporary.c_str());
      return SafeWriteOutcome::kUnableToOpen;
    }
    return SafeWriteOutcome::kWritten;
  }
  return SafeWriteOutcome::kUnableToOpen;
}
