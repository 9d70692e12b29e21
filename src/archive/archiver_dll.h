// The bindings to the archiver DLLs: each loads its library on demand,
// resolves an entry by name the first time it is called, and completes the
// member records FindFirst and FindNext deliver.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <string_view>

#include "archive/dll_entries.h"
#include "archive/member_record.h"

namespace zk {

using HARC = HANDLE;

class TCustomArchiverDll {
 public:
  TCustomArchiverDll() = default;
  TCustomArchiverDll(const TCustomArchiverDll&) = delete;
  TCustomArchiverDll& operator=(const TCustomArchiverDll&) = delete;
  virtual ~TCustomArchiverDll() = default;

  virtual void LoadDll() = 0;
  // Every entry absent again (the library bindings also free their libraries).
  virtual void ForgetEntries();

  virtual int Command(HWND window, const std::string& archive, const std::string& line, char* output, DWORD size);
  virtual int SecondCommand(HWND window, const std::string& archive, const std::string& line, char* output,
                            DWORD size);
  virtual BOOL CheckArchive(const std::string& file, int mode);
  virtual int CloseArchive(HARC archive);
  virtual int ExtractMem(HWND window, const std::string& line, BYTE* buffer, DWORD size, DWORD* written);
  virtual int FindFirst(HARC archive, const std::string& wildcard, TArchiveMemberInfo& info);
  virtual int FindNext(HARC archive, TArchiveMemberInfo& info);
  virtual BOOL KillOwnerWindowEx(HWND window);
  virtual HARC OpenArchive(HWND window, const std::string& file, DWORD mode);
  virtual BOOL SetOwnerWindowEx(HWND window);
  virtual BOOL GetWriteTimeEx(HARC archive, FILETIME& time);
  virtual BOOL GetCreateTimeEx(HARC archive, FILETIME& time);
  virtual BOOL GetAccessTimeEx(HARC archive, FILETIME& time);
  virtual int GetArchiveType(const std::string& file);
  virtual BOOL SetEnumMembersProc64(void* procedure, DWORD record_size);
  virtual BOOL ClearEnumMembersProc64();

 protected:
  // The entry's address, null when an optional entry is missing; raises
  // EEntryNotFound for a missing required one.
  FARPROC Entry(DllEntry entry);
  virtual FARPROC Resolve(DllEntry entry) = 0;
  // Run before every call; the single-library bindings load here.
  virtual void BeforeCall() {}
  // The three times after a successful FindFirst or FindNext.
  void CompleteRecord(HARC archive, TArchiveMemberInfo& info);

 private:
  std::array<FARPROC, kDllEntryCount> entries_{};
};

// One library, its entries named by a prefix and the common suffixes.
class TArchiverDll : public TCustomArchiverDll {
 public:
  TArchiverDll(std::u16string display_name, std::string prefix, std::u16string file_name);
  ~TArchiverDll() override;

  void LoadDll() override;
  void ForgetEntries() override;
  bool Loaded() const { return module_ != nullptr; }
  HMODULE Module() const { return module_; }
  const std::u16string& DisplayName() const { return display_name_; }
  const std::u16string& FileName() const { return file_name_; }

 protected:
  FARPROC Resolve(DllEntry entry) override;
  void BeforeCall() override { LoadDll(); }
  // prefix + suffix, null when the library lacks it.
  FARPROC Lookup(std::string_view suffix);
  // EEntryNotFound naming this library and the full entry name.
  [[noreturn]] void MissingEntry(std::string_view suffix);

 private:
  std::u16string display_name_;
  std::string prefix_;
  std::u16string file_name_;
  HMODULE module_ = nullptr;
};

// The ZIP archivers: entries spread over UNZIP32.DLL, ZIP32J.DLL and LMZIP32.DLL.
class TZipDll : public TCustomArchiverDll {
 public:
  ~TZipDll() override;

  // Loads each library not yet loaded; a missing one is no error here.
  void LoadDll() override;
  void ForgetEntries() override;
  bool Loaded(ZipLibrary library) const { return modules_[library] != nullptr; }

  int SecondCommand(HWND window, const std::string& archive, const std::string& line, char* output,
                    DWORD size) override;

 protected:
  FARPROC Resolve(DllEntry entry) override;

 private:
  FARPROC ResolveZip(ZipEntry entry);
  std::array<HMODULE, 3> modules_{};
  FARPROC pack_command_ = nullptr;
};

// YZ1: asks for a password through the DLL's own dialog when FindFirst needs one.
class TYZ1Dll : public TArchiverDll {
 public:
  explicit TYZ1Dll(std::u16string file_name);

  HARC OpenArchive(HWND window, const std::string& file, DWORD mode) override;
  int FindFirst(HARC archive, const std::string& wildcard, TArchiveMemberInfo& info) override;

 private:
  HWND owner_ = nullptr;
};

// Local time minus UTC in FILETIME ticks, as the system converts now.
int64_t LocalTimeOffset();

}  // namespace zk
