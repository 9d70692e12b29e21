// The plug-in host `TSPIs`: finds the plug-in files in its folders, loads and
// classifies them, keeps the accepted ones in load order and registers the
// picture extensions of the import plug-ins. At most one exists; the picture
// classes reach it through TSPIs::Instance().
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "image/picture_format_registry.h"
#include "image/plugins/spi.h"

namespace zk {

enum TSPISearchOption : unsigned {
  spsSusieDir = 1 << 0,
  spsAppDir = 1 << 1,
  spsCurrentDir = 1 << 2,
  spsSystemDir = 1 << 3,
  spsWindowsDir = 1 << 4,
};
using TSPISearchOptions = unsigned;

// The plug-in files of this build: 64-bit plug-ins carry their own extension.
#ifdef _WIN64
inline constexpr char16_t kSpiFileMask[] = u"*.sph";
#else
inline constexpr char16_t kSpiFileMask[] = u"*.spi";
#endif

// The kind offered for plug-in extensions before the registering handler decides.
inline std::optional<PictureDecoderKind> DefaultGraphicClass = PictureDecoderKind::kPluginBitmap;

class TSPIs {
 public:
  using TSPISearchingEvent = std::function<void(TSPIs& sender, const std::u16string& file_name, bool& accept)>;
  using TSPISearchEvent = std::function<void(TSPIs& sender, TSPI& spi, bool& accept)>;
  using TSPIPictureRegisterEvent =
      std::function<void(TSPIs& sender, TSPI& spi, const std::u16string& extension,
                         const std::u16string& description, std::optional<PictureDecoderKind>& graphic_class)>;

  // Throws ESPIDupCreateSPIs while another host exists.
  TSPIs();
  ~TSPIs();
  TSPIs(const TSPIs&) = delete;
  TSPIs& operator=(const TSPIs&) = delete;

  static TSPIs* Instance();

  TSPISearchOptions SearchOptions = spsSusieDir | spsAppDir;
  bool AutoSearch = true;
  bool MacBinary = true;
  bool GraphicPreview = false;
  TSPISearchingEvent OnSearching;
  TSPISearchEvent OnSearch;
  TSPIPictureRegisterEvent OnPictureRegister;
  PictureFormatRegistry* Registry = &PictureFormats();

  // Once the properties are set: searches with the build's mask when AutoSearch.
  void Loaded();

  int Count() const { return static_cast<int>(items_.size()); }
  TSPI& Item(int index) const { return *items_.at(static_cast<size_t>(index)); }
  void Add(std::unique_ptr<TSPI> spi) { Insert(Count(), std::move(spi)); }
  void Insert(int index, std::unique_ptr<TSPI> spi);
  void Delete(int index);
  void Clear() { items_.clear(); }
  int IndexOf(const std::u16string& path) const;

  // A mask with a folder searches that folder only; otherwise the folders of
  // SearchOptions in their fixed order.
  void Search(const std::u16string& mask);
  // The plug-ins of `kind` in the order they are asked about `file_name`.
  std::vector<TSPI*> CollectCandidates(SpiKind kind, const std::u16string& file_name) const;

 private:
  void SearchFolder(std::u16string folder, const std::u16string& mask);
  void TryLoad(const std::u16string& path);

  std::vector<std::unique_ptr<TSPI>> items_;
};

}  // namespace zk
