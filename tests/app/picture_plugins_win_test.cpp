// The picture plug-ins as the viewer uses them, with the stand-ins in the
// program folder: which ones are kept, pictures shown through them, the
// MacBinary offset, a failing plug-in, the About box's list, and the
// built-in decoders on the content path.
#include <windows.h>

#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/dialogs/about_form.h"
#include "base/paths.h"
#include "base/win_text.h"
#include "image/picture_loader.h"
#include "image/plugins/spi_graphic.h"
#include "support/main_window_fixture.h"
#include "support/picture_encoders.h"
#include "support/picture_files.h"

namespace zk {
namespace {

using PicturePluginTest = test::MainWindowFixture;

std::vector<std::u16string> LoadedNames(const TZKMainForm& form) {
  std::vector<std::u16string> names;
  for (const std::u16string& path : form.PluginFileNames()) names.push_back(ExtractFileName(path));
  return names;
}

bool Has(const std::vector<std::u16string>& names, std::u16string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// 3 x 2: the top row red, the bottom row blue.
std::string Ppm() {
  std::string ppm = "P6\n# stand-in\n3 2\n255\n";
  for (int i = 0; i < 3; ++i) ppm += std::string("\xFF\x00\x00", 3);
  for (int i = 0; i < 3; ++i) ppm += std::string("\x00\x00\xFF", 3);
  return ppm;
}

TEST_F(PicturePluginTest, OnlyImportPluginsAreKeptAndTheViewerStarts) {
  auto form = MakeForm();
  ASSERT_TRUE(form->hwnd());
  const std::vector<std::u16string> names = LoadedNames(*form);
  for (const char16_t* kept : {u"ppm.sph", u"content.sph", u"failing.sph", u"liar.sph"}) EXPECT_TRUE(Has(names, kept));
  // The archive kind, a library without GetPluginInfo, a hidden file and a refused name.
  for (const char16_t* dropped : {u"archive.sph", u"noinfo.sph", u".hidden.sph", u"IFBMP.sph"})
    EXPECT_FALSE(Has(names, dropped));
  EXPECT_EQ(PictureFormats().FindPictureFormat(u"pnm"), PictureDecoderKind::kPlugin);
  EXPECT_EQ(PictureFormats().FindPictureFormat(u"png"), PictureDecoderKind::kPng);
  // A format built in beyond the classic six goes to the plug-in that declares it.
  EXPECT_EQ(PictureFormats().FindPictureFormat(u"webp"), PictureDecoderKind::kPlugin);
}

TEST_F(PicturePluginTest, PpmShowsThroughItsPlugin) {
  auto form = MakeForm();
  Show(*form, Write(L"picture.ppm", Ppm()));
  EXPECT_EQ(form->ViewFileType, vfImage);
  EXPECT_EQ(form->Status(0), u"3 x 2");
  EXPECT_EQ(CanvasPixel(*form, 1, 0), RGB(255, 0, 0));
  EXPECT_EQ(CanvasPixel(*form, 1, 1), RGB(0, 0, 255));
}

TEST_F(PicturePluginTest, TheFailingPluginIsSkippedForTheNext) {
  auto form = MakeForm();
  // "fail" belongs to the plug-in that accepts everything and decodes nothing.
  Show(*form, Write(L"picture.fail", Ppm()));
  EXPECT_EQ(form->ViewFileType, vfImage);
  EXPECT_EQ(form->Status(0), u"3 x 2");
}

TEST_F(PicturePluginTest, BlocksShorterThanTheirHeaderClaimsAreNotRead) {
  auto form = MakeForm();
  // "liar" belongs to the plug-in whose pixels fall far short of its header.
  Show(*form, Write(L"picture.liar", Ppm()));
  EXPECT_EQ(form->ViewFileType, vfImage);
  EXPECT_EQ(form->Status(0), u"3 x 2");
}

TEST_F(PicturePluginTest, PngNamedJpgShowsByContent) {
  auto form = MakeForm();
  test::PngRecipe png{5, 4, PNG_COLOR_TYPE_GRAY, 8};
  png.samples.assign(20, 100);
  Show(*form, Write(L"x.jpg", test::EncodePng(png)));
  EXPECT_EQ(form->ViewFileType, vfImage);
  EXPECT_EQ(form->Status(0), u"5 x 4");
}

TEST_F(PicturePluginTest, MacBinaryBitmapIsFoundAtOffset128InFileAndStream) {
  auto form = MakeForm();
  const std::string mac = std::string(128, '\0') + test::PlainBitmapFile(8, 4);
  const std::u16string path = Write(L"mac.mbin", mac);
  TSPINkDIB from_file;
  from_file.LoadFromFile(path);
  EXPECT_EQ(from_file.DIB().Width(), 8);
  EXPECT_EQ(from_file.DIB().Height(), 4);

  UniqueBitmap from_stream;
  ASSERT_TRUE(BitmapFromMemory({reinterpret_cast<const uint8_t*>(mac.data()), mac.size()}, from_stream));
  BITMAP facts{};
  GetObjectW(from_stream.get(), sizeof facts, &facts);
  EXPECT_EQ(facts.bmWidth, 8);
  EXPECT_EQ(facts.bmHeight, 4);
}

TEST_F(PicturePluginTest, AboutBoxListsTheLoadedPlugins) {
  auto form = MakeForm();
  std::vector<std::u16string> seen;
  services_->about_shown = [&](TZKAboutForm& about) {
    for (size_t i = 0; i < about.module_entry_count(); ++i) {
      about.CycleTimerTimer();
      seen.push_back(WindowText(about.ModuleLabel));
    }
    about.Close();
  };
  form->AboutMenClick();
  for (const char16_t* name : {u"\\ppm.sph", u"\\content.sph", u"\\failing.sph"})
    EXPECT_TRUE(std::any_of(seen.begin(), seen.end(), [&](const std::u16string& entry) {
      return entry.find(name) != std::u16string::npos;
    })) << Utf16ToUtf8(name);
}

TEST_F(PicturePluginTest, CacheJpegShowsWithoutAJpegPlugin) {
  auto form = MakeForm();
  test::JpegRecipe jpeg{16, 8, 3};
  jpeg.samples.assign(16 * 8 * 3, 200);
  Show(*form, Write(L"photo.psd.Cache", test::EncodeJpeg(jpeg)));
  EXPECT_EQ(form->ViewFileType, vfImage);
  EXPECT_EQ(form->Status(0), u"16 x 8");
}

TEST_F(PicturePluginTest, ANameWithoutANarrowFormReachesThePluginInItsShortForm) {
  auto form = MakeForm();
  // No ANSI code page holds this letter: the plug-in gets the 8.3 name.
  const std::u16string path = Write(L"bild-\u0142.ppm", Ppm());
  TSPIGraphic graphic;
  graphic.LoadFromFile(path);
  EXPECT_EQ(graphic.Width(), 3);
}

TEST_F(PicturePluginTest, PreviewsWhenAskedAndThePictureWithoutAPreviewEntry) {
  auto form = MakeForm();
  form->plugins()->GraphicPreview = true;
  const std::string ppm = Ppm();
  TSPIGraphic preview;
  preview.LoadFromStream({reinterpret_cast<const uint8_t*>(ppm.data()), ppm.size()});
  EXPECT_EQ(preview.Height(), 1);  // the stand-in's preview is the top row
  // The PNG plug-in has no GetPreview: its picture is taken instead.
  test::PngRecipe png{5, 4, PNG_COLOR_TYPE_GRAY, 8};
  png.samples.assign(20, 100);
  const test::Bytes bytes = test::EncodePng(png);
  TSPIGraphic picture;
  picture.LoadFromStream(bytes);
  EXPECT_EQ(picture.Height(), 4);
}

TEST_F(PicturePluginTest, ErrorsCarryTheirMessages) {
  auto form = MakeForm();
  const std::u16string noinfo = test::BinFile(L"noinfo.sph");
  try {
    TSPI::Create(SpiKind::kImport, noinfo);
    ADD_FAILURE() << "loaded without GetPluginInfo";
  } catch (const ESPIInvalidAPI& e) {
    EXPECT_EQ(e.Message().substr(0, 15), u"GetPluginInfoは[");
    EXPECT_TRUE(e.Message().ends_with(u"noinfo.sph]では使えないSusie Plugin APIです")) << e.what();
  }
  const std::u16string missing = test::BinFile(L"missing.sph");
  try {
    TSPI::Create(SpiKind::kPlain, missing);
    ADD_FAILURE() << "loaded a missing file";
  } catch (const ESPIFOpenErrorSPI& e) {
    EXPECT_EQ(e.Message(), missing + u":Susie Pluginがロードできませんでした");
  }
  try {
    TSPIs second;
    ADD_FAILURE() << "a second host";
  } catch (const ESPIDupCreateSPIs& e) {
    EXPECT_EQ(e.Message(), u"TSPIs は複数生成できません");
  }
}

TEST_F(PicturePluginTest, ProgressReachesTheHandlerAndAnAbortStopsThePlugin) {
  auto form = MakeForm();
  const std::string ppm = Ppm();
  const std::span<const uint8_t> bytes{reinterpret_cast<const uint8_t*>(ppm.data()), ppm.size()};
  std::vector<std::pair<int, std::u16string>> seen;
  bool abort = true;
  TSPIGraphic graphic;
  graphic.OnProgress = [&](TNkProgressStage, int percent, std::u16string_view message) {
    seen.emplace_back(percent, std::u16string(message));
    return abort && message.empty();  // stop at the plug-in's first report
  };
  EXPECT_THROW(graphic.LoadFromStream(bytes), EInvalidGraphic);
  EXPECT_TRUE(graphic.Empty());
  // The stand-in reports 0 of 0 first: a zero denominator shows as 1.
  EXPECT_NE(std::find(seen.begin(), seen.end(), std::pair(1, std::u16string())), seen.end());
  EXPECT_NE(std::find(seen.begin(), seen.end(), std::pair(1, std::u16string(u"Loading by [ppm.sph]"))), seen.end());
  EXPECT_EQ(seen.back(), std::pair(100, std::u16string(u"Loaded Graphic by Susie Plugin")));

  seen.clear();
  abort = false;
  graphic.LoadFromStream(bytes);
  EXPECT_EQ(graphic.Width(), 3);
  EXPECT_NE(std::find(seen.begin(), seen.end(), std::pair(99, std::u16string())), seen.end());  // 2 of 2
}

}  // namespace
}  // namespace zk
