// The chain of tests that hands a selected file to exactly one view.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zk {

// What the dispatch needs from the window, the file system and the views. The
// views return whether they took the file; returning false lets the dispatch
// go on with the next test.
class DispatchHost {
 public:
  virtual ~DispatchHost() = default;

  // File system.
  virtual bool FileExists(const std::u16string& path) = 0;    // an existing file, not a folder
  virtual bool FolderExists(const std::u16string& path) = 0;
  virtual int64_t FileSizeOf(const std::u16string& path) = 0;  // -1 when nothing matches
  virtual uint32_t TickCount() = 0;                             // milliseconds

  // Window.
  virtual void SetLastReadTime(int32_t ms) = 0;
  virtual void SetBusyCursor(bool busy) = 0;
  virtual void ClearArchiveList() = 0;
  virtual void ActivateImagePage() = 0;
  virtual void SetStatus(const std::u16string& text) = 0;
  virtual void ShowBinaryView(const std::u16string& path, bool size_over) = 0;

  // Shortcuts: the target, or empty when it is not an existing file.
  virtual std::u16string ResolveShortcut(const std::u16string& path) = 0;
  // ".ArcLink" files.
  virtual void OpenArcLink(const std::u16string& path) = 0;

  // The views.
  virtual bool ShowMp3Summary(const std::u16string& path) = 0;
  virtual bool ShowConvertedDocument(const std::u16string& path) = 0;
  // Lists ListedArchivePath; true when the archive view now shows it.
  virtual bool ListArchive(const std::u16string& path) = 0;
  virtual bool ShowOutlineDocument(const std::u16string& path) = 0;
  // Shows and fits a picture; true when one is now on the image page.
  virtual bool ShowPicture(const std::u16string& path) = 0;
  virtual void ShowTextFile(const std::u16string& path) = 0;
};

// The settings the dispatch reads.
struct DispatchSettings {
  int64_t MaxReadByte = 20000000;
  const std::vector<std::u16string>* IsBinary = nullptr;
  bool LinkView = true;
  bool ArcView = false;
  bool ShowID3Tag = true;
  std::u16string CacheFolder;
  std::u16string ConverterPath;  // xdoc2txtPath; empty when not located
};

// The 38 extensions the document converter takes.
bool IsConverterExtension(std::u16string_view ext);

// The cache picture belonging to a path: path + ".Cache" when that file exists,
// else in the cache folder. An empty cache folder gives no second candidate.
std::u16string CacheFileName(const std::u16string& path, const std::u16string& cache_folder,
                             DispatchHost& host);

// Runs the chain for one path. from_archive_list: the file is an archive member
// just extracted for viewing, never to be listed as an archive itself.
void DispatchFile(const std::u16string& path, bool from_archive_list,
                  const DispatchSettings& settings, DispatchHost& host);

}  // namespace zk
