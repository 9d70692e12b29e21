// The folders of a soak run: zarvik.exe beside the stand-in archivers, the
// stand-in converter and a picture plug-in, as it would sit beside the real
// ones; its settings (archive listing on); and the folder of mixed files the
// search window steps through.
#pragma once

#include <filesystem>
#include <string>

namespace zk::soak {

struct SoakFolders {
  std::filesystem::path program, settings, files;
};

// Fills `root` from the build's bin folder and the sample files. Returns an
// empty text on success, else what went wrong.
std::wstring PrepareFolders(const std::filesystem::path& root, const std::filesystem::path& bin,
                            const std::filesystem::path& samples, SoakFolders& out);

}  // namespace zk::soak
