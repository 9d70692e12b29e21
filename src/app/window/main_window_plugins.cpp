// The main window's picture plug-in host and its three handlers.
#include "app/window/main_window.h"
#include "image/wic_decoder.h"
#include "base/paths.h"

namespace zk {

void TZKMainForm::CreatePlugins() {
  // The system's decoders first, so that a plug-in declaring one of their
  // extensions takes it over.
  RegisterWicFormats(PictureFormats());
  try {
    SPIs = std::make_unique<TSPIs>();
  } catch (const ESPIDupCreateSPIs&) {
    return;  // a second main window in one process shares nothing: it goes without plug-ins
  }
  SPIs->SearchOptions = spsSusieDir | spsAppDir | spsCurrentDir | spsSystemDir | spsWindowsDir;
  SPIs->GraphicPreview = false;
  SPIs->OnSearching = [this](TSPIs& sender, const std::u16string& file_name, bool& accept) {
    SPIsSearching(sender, file_name, accept);
  };
  SPIs->OnSearch = [this](TSPIs& sender, TSPI& spi, bool& accept) { SPIsSearch(sender, spi, accept); };
  SPIs->OnPictureRegister = [this](TSPIs& sender, TSPI& spi, const std::u16string& extension,
                                   const std::u16string& description,
                                   std::optional<PictureDecoderKind>& graphic_class) {
    SPIsPictureRegister(sender, spi, extension, description, graphic_class);
  };
  SPIs->Loaded();
}

void TZKMainForm::SPIsSearching(TSPIs&, const std::u16string& file_name, bool& accept) {
  if (IsRefusedPluginFile(ExtractFileName(file_name))) accept = false;
}

void TZKMainForm::SPIsSearch(TSPIs&, TSPI& spi, bool& accept) { accept = spi.Kind() == SpiKind::kImport; }

void TZKMainForm::SPIsPictureRegister(TSPIs&, TSPI&, const std::u16string& extension, const std::u16string&,
                                      std::optional<PictureDecoderKind>& graphic_class) {
  graphic_class = IsRefusedPluginExtension(extension) ? std::nullopt : std::optional(PictureDecoderKind::kPlugin);
}

std::vector<std::u16string> TZKMainForm::PluginFileNames() const {
  std::vector<std::u16string> names;
  if (SPIs)
    for (int i = 0; i < SPIs->Count(); ++i) names.push_back(SPIs->Item(i).FileName);
  return names;
}

}  // namespace zk
